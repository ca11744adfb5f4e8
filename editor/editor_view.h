// The 2D profile editor: a scrolling window over the 1000 x 1000 editor area
// that paints the full repaint of editor_draw, the background photo included,
// with the editing tools' live marks and the golden ruler over it, prints it
// on one page and hands mouse and key input, in editor units, to the ruler's
// frame and to the editing tools.
#pragma once

#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/print.h>
#include <wx/scrolwin.h>

#include <map>
#include <memory>
#include <optional>

#include "document/document.h"
#include "editor/edit_tools.h"
#include "editor/editor_draw.h"
#include "editor/golden_ruler.h"
#include "editor/photo_calibration.h"

class wxStatusBar;

namespace orvanel {

class CTavrinEditorView final : public wxScrolledCanvas,
                                public EditorViewHooks,
                                public EditToolsOwner {
public:
    // Reads the five stored settings before the window exists; the destructor
    // writes them back.
    CTavrinEditorView(wxWindow* parent, CTavrinEditorDoc& doc, SettingsStore& settings);
    ~CTavrinEditorView() override;

    // A new or opened document: back to the bottom-left corner of the area.
    void OnInitialUpdate();

    // EditorViewHooks
    void OnUpdate() override;
    void Repaint() override;
    void FreeSelection() override;
    void BuildSelection() override;

    // EditToolsOwner
    EditorLook Look() const override { return m_look; }
    bool IsGridOn() const override { return m_bGrid; }
    void CaptureMouse() override;
    void ReleaseMouse() override;
    void InvalidateLive(const IntRect& editorRect) override;
    void Invalidate(const IntRect& editorRect) override;
    void InvalidateAll() override;
    void SetStatusText(StatusPane pane, std::string_view text, bool updateNow) override;
    void Scroll(ScrollBar bar, ScrollCode code) override;
    using wxScrolledCanvas::Scroll;

    EditTools& Tools() { return m_tools; }
    const EditTools& Tools() const { return m_tools; }

    void SetStatusBar(wxStatusBar* bar) { m_pStatusBar = bar; }
    wxStatusBar* GetStatusBar() const { return m_pStatusBar; }
    // A change of look or grid: the next paint draws everything anew.
    void InvalidateDrawing();

    IntPoint ClientToEditor(const wxPoint& client) const;
    IntPoint ScrollPosition() const;
    // The part of the editor area the window shows, in editor units.
    IntRect VisibleArea() const;
    // Whether the window shows the last full repaint at the current scroll
    // position and size, with the live marks as they are now.
    bool IsPictureCurrent() const;

    void SetLook(const EditorLook& look);
    void SetGrid(bool on);
    // Grid and snap on or off.
    void ToggleGrid() { SetGrid(!m_bGrid); }
    double Scale() const { return m_dScale; }
    CTavrinEditorDoc& Document() const { return m_doc; }
    // The cursor of a cursor number, made from its picture on first use.
    const wxCursor& CursorOf(int cursorId);

    // Calibrate Photo: the next two clicks mark the ends of a known distance
    // on the photo, then the distance is asked for; Esc abandons it.
    void StartCalibration();
    const PhotoCalibration& Calibration() const { return m_calibration; }

    // One printed page of the given printable size in device pixels; the
    // drawing fits the page whatever the DC's own scale. Returns the scale.
    double RenderPrintPage(wxDC& dc, const wxSize& pagePixels);
    std::unique_ptr<wxPrintout> CreatePrintout();

private:
    void OnPaint(wxPaintEvent& event);
    void OnScrollByUser(wxScrollWinEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnOtherButton(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnSetCursor(wxSetCursorEvent& event);
    void RenderFrame(const wxPoint& origin, const wxSize& size);
    void PaintLive(wxDC& dc, const wxPoint& origin);
    // The golden ruler, when it shows, and the part of it under a point.
    CGoldenRuler* ShownRuler() const;
    RulerPart RulerPartAt(const wxPoint& client) const;
    // A press on the ruler's frame or its Phi button is the ruler's own;
    // returns false for a press that goes on to the editor.
    bool PressRuler(const wxMouseEvent& event);
    void DragRuler(const wxPoint& client);
    void PaintRuler(wxDC& dc, const wxPoint& origin);
    // Runs a change of the calibration and repaints its marks where they
    // were and where they are.
    template <class Change>
    void ChangeCalibration(Change&& change);
    void EndCalibration();
    void AskCalibrationDistance();

    CTavrinEditorDoc& m_doc;
    SettingsStore& m_settings;
    EditorLook m_look;
    bool m_bGrid = false;
    double m_dScale = 1.0;
    wxStatusBar* m_pStatusBar = nullptr;
    std::map<int, wxCursor> m_cursors;

    // The last full repaint, where it was taken and whether it still holds;
    // its pixels as an image once live marks have needed them.
    wxBitmap m_frame;
    wxImage m_frameImage;
    wxPoint m_frameOrigin;
    bool m_bFrameValid = false;
    // The live marks changed and the window has not shown them yet.
    bool m_bLivePending = false;
    // The ruler's frame is being moved or sized, and the window has not
    // shown its new place yet.
    std::optional<RulerDrag> m_rulerDrag;
    bool m_bRulerPending = false;
    // The ruler's picture, made again only when its size or its cuts change.
    wxBitmap m_rulerPicture;
    bool m_bRulerPictureFlipped = false;
    // Until the user scrolls, the view stays at the bottom-left corner while
    // the window takes its size.
    bool m_bAtInitialPosition = false;
    bool m_bAtInitialPositionPending = false;

    PhotoCalibration m_calibration;

    // Last: the tools call back into the members above.
    EditTools m_tools;
};

}  // namespace orvanel
