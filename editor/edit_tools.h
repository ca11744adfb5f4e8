// The input side of the 2D editor: the four tools (Pencil, Move, Insert, Drag
// photo) as a state machine fed with mouse and key events, the group-selection
// snapshot, the rubber band, the grid cursor, the context menus and the
// cursors. Every change of the profile goes through an operation of the
// document; the tools keep only what lives while a button is held.
//
// The live marks (rubber band, dragged-group markers, grid cursor, single-point
// drag preview) are not drawn onto the window as the events arrive: the tools
// keep them as state, tell the owner which part of the window they changed,
// and paint them with PaintLive over the last full repaint of the editor.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "editor/canvas.h"
#include "editor/drag_preview.h"
#include "editor/editor_draw.h"
#include "editor/profile_size.h"
#include "resources/command_table.h"

namespace orvanel {

// --- positions

// At scale 1 an editor unit is a client pixel plus the scroll position.
IntPoint ClientToEditor(IntPoint client, IntPoint scrollPosition);
IntRect EditorToClient(const IntRect& rc, IntPoint scrollPosition);

// The snap of one coordinate to a grid of g units: positive values go to the
// nearest multiple (a tie goes down), negative ones towards zero. A grid
// size below 1 leaves the value alone.
int SnapCoordinate(int v, int g);
IntPoint SnapToGrid(IntPoint p, int g);

// The coordinates pane: "X:%d ; Y:%d".
std::string CoordinatesText(IntPoint p);

// --- scrolling

enum class ScrollBar { Vertical, Horizontal };
// On the horizontal bar, Up and Top mean left, Down and Bottom right.
enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, Top, Bottom };

inline constexpr int kScrollPage = 250;
inline constexpr int kScrollLine = 100;

// The scroll position after a scroll action on a bar whose window shows
// clientExtent units of the area.
int ScrolledPosition(int position, ScrollCode code, int clientExtent);

// --- keys, panes, menus, cursors

enum class EditorKey { Tab, Delete, PageUp, PageDown, Up, Down, Left, Right, Home, End, Other };

enum class StatusPane { Message = 0, Coordinates = 1 };

// A context menu to show: the items of the menu's first submenu, top first,
// and where on the screen it opens.
struct ContextMenu {
    int menuId = 0;  // id::kMenuEditorPopup or id::kMenuPhotoPopup
    std::vector<MenuItem> items;
    IntPoint screen;
};

// The cursor resource of a tool; the drag-photo hand is closed while the
// request comes from a press of the left button.
int CursorFor(int tool, bool causedByLeftButtonDown);

// One point of the group snapshot.
struct SelectionEntry {
    IntPoint ptPrev;  // where its marker was before the latest move
    IntPoint ptCur;   // its dragged position
    const ProfilePoint* pPoint;
};

// What the tools ask of the editor window that owns them.
class EditToolsOwner {
public:
    virtual ~EditToolsOwner() = default;
    virtual EditorLook Look() const = 0;
    virtual bool IsGridOn() const = 0;
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    // The live marks changed in this area (editor units): repaint it from the
    // last full repaint and PaintLive.
    virtual void InvalidateLive(const IntRect& editorRect) = 0;
    // This area's picture changed (the photo moved): redraw it fully.
    virtual void Invalidate(const IntRect& editorRect) = 0;
    // Redraw the whole window.
    virtual void InvalidateAll() = 0;
    virtual void SetStatusText(StatusPane pane, std::string_view text, bool updateNow) = 0;
    virtual void Scroll(ScrollBar bar, ScrollCode code) = 0;
};

class EditTools {
public:
    // Both must outlive the tools.
    EditTools(CTavrinEditorDoc& doc, EditToolsOwner& owner);
    EditTools(const EditTools&) = delete;
    EditTools& operator=(const EditTools&) = delete;

    // --- the tool: id::kToolIdPencil, kToolIdMove, kToolIdInsert or kToolIdDragPhoto
    int GetTool() const { return m_nTool; }
    // Other values are ignored.
    void SetTool(int tool);
    int Cursor(bool causedByLeftButtonDown) const {
        return CursorFor(m_nTool, causedByLeftButtonDown);
    }

    // --- input; positions in editor units, not yet snapped
    void OnLButtonDown(IntPoint pt, bool shift);
    void OnMouseMove(IntPoint pt);
    void OnLButtonUp(IntPoint pt);
    // The window system took the capture away: the drag is abandoned, the
    // document keeps what it had.
    void OnCaptureLost();
    void OnKeyDown(EditorKey key, bool shift);
    // screen is the menu's position, (-1, -1) for the menu key; clientOrigin
    // the editor window's client top-left corner on the screen.
    ContextMenu OnContextMenu(IntPoint screen, IntPoint clientOrigin, IntPoint scrollPosition);

    // --- the group snapshot; the editor view's EditorViewHooks forward here
    void FreeSelection();
    void BuildSelection();
    const std::vector<SelectionEntry>& Selection() const { return m_pSelection; }

    // --- live state
    bool HasCapture() const { return m_bCaptured; }
    bool IsRubberBandActive() const { return m_drag == Drag::RubberBand; }
    std::optional<IntRect> RubberBand() const;
    // The inverted marker discs of a dragged group, in drawing order: for
    // each entry its start (a ghost left until the repaint) and its current
    // position. Empty until the group has moved.
    std::vector<IntPoint> GroupMarkers() const;
    std::optional<IntPoint> GridCursor() const;
    // The points a drag has moved so far, where the drag has them, sorted by
    // their address; empty while no point is being dragged.
    std::vector<MovedPoint> MovedPoints() const;
    const DragWindow& Window() const { return m_window; }
    // Paints every live mark over the last full repaint, in editor units.
    void PaintLive(LiveCanvas& canvas) const;
    // Where PaintLive draws; empty when there is nothing live.
    IntRect LiveBounds() const;

private:
    enum class Drag { None, RubberBand, Group, Single, Photo };

    IntPoint Snapped(IntPoint pt) const;
    DragPreviewStyle PreviewStyle() const;
    template <class Change>
    void ChangeLive(Change&& change);
    void Capture();
    void PressMove(IntPoint p, bool shift);
    void StartSingleDrag();
    void StartGroupDrag(IntPoint p);
    void MoveGroup(IntPoint p);
    void MovePhoto(IntPoint p);
    void ReleaseGroup();

    CTavrinEditorDoc& m_doc;
    EditToolsOwner& m_owner;

    int m_nTool;
    Drag m_drag = Drag::None;
    bool m_bCaptured = false;
    IntRect m_rcRubberBand;
    IntPoint m_ptPhotoDrag;
    std::vector<SelectionEntry> m_pSelection;
    bool m_bGroupMoved = false;
    DragWindow m_window;
    DragWindow m_windowAtStart;  // as PrepareNodeMove filled it
    RepaintedPieces m_repaintedAtStart;
    bool m_bPreviewShown = false;
    IntPoint m_ptLast;
    bool m_bGridCursor = false;
};

}  // namespace orvanel
