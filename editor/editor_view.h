// The 2D profile editor: a scrolling window over the 1000 x 1000 editor area
// that paints the full repaint of editor_draw, prints it on one page and
// hands mouse and key input, in editor units, to the editing tools.
#pragma once

#include <wx/bitmap.h>
#include <wx/print.h>
#include <wx/scrolwin.h>

#include <functional>

#include "document/document.h"
#include "editor/editor_draw.h"

class wxStatusBar;

namespace orvanel {

struct EditorMouseEvent {
    enum class Kind { LeftDown, LeftUp, RightDown, RightUp, Move };
    Kind kind;
    IntPoint pos;  // editor units: client pixel + scroll position
    bool leftDown, rightDown, shiftDown, controlDown;
};

// What the editing tools need of the view's input and painting. The view
// keeps working without one: it then only shows the profile.
class EditorTools {
public:
    virtual ~EditorTools() = default;
    virtual void OnMouse(const EditorMouseEvent& event) = 0;
    // Returns whether the key was used.
    virtual bool OnKey(int keyCode, bool shiftDown, bool controlDown) = 0;
    virtual void OnContextMenu(IntPoint pos, const wxPoint& clientPos) = 0;
    // The dragged-group snapshot: freed before the document frees points.
    virtual void FreeSelection() = 0;
    virtual void BuildSelection() = 0;
    // The live drawing (rubber band, ghosts, drag window) over the bitmap of
    // the last full repaint, in editor units on a DC whose origin is scrolled.
    virtual void PaintLive(wxDC& dc) = 0;
    virtual wxCursor Cursor() const = 0;
};

class CTavrinEditorView final : public wxScrolledCanvas, public EditorViewHooks {
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

    void SetTools(EditorTools* tools) { m_pTools = tools; }
    void SetStatusBar(wxStatusBar* bar) { m_pStatusBar = bar; }
    wxStatusBar* GetStatusBar() const { return m_pStatusBar; }
    // Paints the tools' live state again over the last full repaint, without
    // drawing the profile anew.
    void RefreshLive();
    // A change of look or grid: the next paint draws everything anew.
    void InvalidateDrawing();

    IntPoint ClientToEditor(const wxPoint& client) const;
    // How many full repaints the view has drawn.
    int FullRepaints() const { return m_nFullRepaints; }
    // Whether the window shows the last full repaint at the current scroll
    // position and size.
    bool IsPictureCurrent() const;

    const EditorLook& Look() const { return m_look; }
    void SetLook(const EditorLook& look);
    bool IsGridOn() const { return m_bGrid; }
    void SetGrid(bool on);
    int Tool() const { return m_nTool; }
    void SetTool(int tool) { m_nTool = tool; }
    double Scale() const { return m_dScale; }
    CTavrinEditorDoc& Document() const { return m_doc; }

    // Draws the background photo into the off-screen bitmap; the photo
    // itself comes with the tools.
    void SetPhotoPainter(std::function<void(wxDC&)> painter) {
        m_photoPainter = std::move(painter);
    }

    // One printed page of the given printable size in device pixels; the
    // drawing fits the page whatever the DC's own scale. Returns the scale.
    double RenderPrintPage(wxDC& dc, const wxSize& pagePixels);
    std::unique_ptr<wxPrintout> CreatePrintout();

private:
    void OnPaint(wxPaintEvent& event);
    void OnScrollLine(wxScrollWinEvent& event);
    void OnScrollByUser(wxScrollWinEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnSetCursor(wxSetCursorEvent& event);
    void OnForceRedraw(wxCommandEvent& event);
    void RenderFrame(const wxPoint& origin, const wxSize& size);

    CTavrinEditorDoc& m_doc;
    SettingsStore& m_settings;
    EditorLook m_look;
    bool m_bGrid = false;
    int m_nTool = 1;
    double m_dScale = 1.0;
    wxStatusBar* m_pStatusBar = nullptr;
    EditorTools* m_pTools = nullptr;
    std::function<void(wxDC&)> m_photoPainter;

    // The last full repaint, where it was taken and whether it still holds.
    wxBitmap m_frame;
    wxPoint m_frameOrigin;
    bool m_bFrameValid = false;
    // Until the user scrolls, the view stays at the bottom-left corner while
    // the window takes its size.
    bool m_bAtInitialPosition = false;
    bool m_bAtInitialPositionPending = false;
    int m_nFullRepaints = 0;
};

}  // namespace orvanel
