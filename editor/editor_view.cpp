#include "editor/editor_view.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>

#include "editor/dc_canvas.h"
#include "resources/ids.h"

namespace orvanel {

namespace {

constexpr int kLineScroll = 100;

class EditorPrintout final : public wxPrintout {
public:
    explicit EditorPrintout(CTavrinEditorView& view) : wxPrintout("Orvanel"), m_view(view) {}

    bool HasPage(int page) override { return page == 1; }
    void GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage) override {
        *minPage = *maxPage = *fromPage = *toPage = 1;  // the editor prints on one page
    }
    bool OnPrintPage(int page) override {
        wxDC* dc = GetDC();
        if (page != 1 || dc == nullptr) return false;
        int width = 0, height = 0;
        GetPageSizePixels(&width, &height);
        m_view.RenderPrintPage(*dc, wxSize(width, height));
        return true;
    }

private:
    CTavrinEditorView& m_view;
};

}  // namespace

CTavrinEditorView::CTavrinEditorView(wxWindow* parent, CTavrinEditorDoc& doc,
                                     SettingsStore& settings)
    : m_doc(doc), m_settings(settings), m_look(ReadEditorLook(settings)) {
    // Everything is painted from the off-screen bitmap: no erasing first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
           wxHSCROLL | wxVSCROLL | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
    SetVirtualSize(kEditorExtent, kEditorExtent);
    SetScrollRate(1, 1);
    Bind(wxEVT_PAINT, &CTavrinEditorView::OnPaint, this);
    Bind(wxEVT_SCROLLWIN_LINEUP, &CTavrinEditorView::OnScrollLine, this);
    Bind(wxEVT_SCROLLWIN_LINEDOWN, &CTavrinEditorView::OnScrollLine, this);
    for (const auto type :
         {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_PAGEUP,
          wxEVT_SCROLLWIN_PAGEDOWN, wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE}) {
        Bind(type, &CTavrinEditorView::OnScrollByUser, this);
    }
    Bind(wxEVT_SIZE, &CTavrinEditorView::OnSize, this);
    for (const auto type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MOTION}) {
        Bind(type, &CTavrinEditorView::OnMouse, this);
    }
    Bind(wxEVT_KEY_DOWN, &CTavrinEditorView::OnKeyDown, this);
    Bind(wxEVT_CONTEXT_MENU, &CTavrinEditorView::OnContextMenu, this);
    Bind(wxEVT_SET_CURSOR, &CTavrinEditorView::OnSetCursor, this);
    Bind(wxEVT_MENU, &CTavrinEditorView::OnForceRedraw, this, id::Ui(id::kForceRedraw));
}

CTavrinEditorView::~CTavrinEditorView() { WriteEditorLook(m_settings, m_look); }

void CTavrinEditorView::OnInitialUpdate() {
    // The scroll limits clamp this to the bottom-left corner: the lowest part
    // of the area, next to the axis.
    Scroll(0, kEditorExtent);
    m_bAtInitialPosition = true;
    InvalidateDrawing();
}

void CTavrinEditorView::OnSize(wxSizeEvent& event) {
    event.Skip();
    if (m_bAtInitialPosition)
        CallAfter([this] {
            if (m_bAtInitialPosition) Scroll(0, kEditorExtent);
        });
}

void CTavrinEditorView::OnScrollByUser(wxScrollWinEvent& event) {
    m_bAtInitialPosition = false;
    event.Skip();
}

void CTavrinEditorView::OnUpdate() { InvalidateDrawing(); }

void CTavrinEditorView::Repaint() {
    InvalidateDrawing();
    Update();
}

void CTavrinEditorView::FreeSelection() {
    if (m_pTools != nullptr) m_pTools->FreeSelection();
}

void CTavrinEditorView::BuildSelection() {
    if (m_pTools != nullptr) m_pTools->BuildSelection();
}

void CTavrinEditorView::RefreshLive() { Refresh(false); }

void CTavrinEditorView::InvalidateDrawing() {
    m_bFrameValid = false;
    Refresh(false);
}

IntPoint CTavrinEditorView::ClientToEditor(const wxPoint& client) const {
    const wxPoint p = CalcUnscrolledPosition(client);
    return {p.x, p.y};
}

bool CTavrinEditorView::IsPictureCurrent() const {
    return m_bFrameValid && !m_bAtInitialPositionPending &&
           m_frameOrigin == CalcUnscrolledPosition(wxPoint(0, 0)) &&
           m_frame.GetSize() == GetClientSize();
}

void CTavrinEditorView::SetLook(const EditorLook& look) {
    m_look = look;
    InvalidateDrawing();
}

void CTavrinEditorView::SetGrid(bool on) {
    m_bGrid = on;
    InvalidateDrawing();
}

void CTavrinEditorView::RenderFrame(const wxPoint& origin, const wxSize& size) {
    if (!m_frame.IsOk() || m_frame.GetSize() != size) m_frame.Create(size, 24);
    wxMemoryDC dc(m_frame);
    dc.SetDeviceOrigin(-origin.x, -origin.y);
    m_dScale = 1.0;
    {
        DcCanvas canvas(dc);
        const EditorPaint paint{
            false, m_bGrid, 1.0, {origin.x, origin.y, origin.x + size.x, origin.y + size.y}};
        PaintEditor(canvas, m_doc, m_look, paint, [this, &dc] {
            if (m_photoPainter) m_photoPainter(dc);
        });
    }
    dc.SelectObject(wxNullBitmap);
    m_frameOrigin = origin;
    m_bFrameValid = true;
    ++m_nFullRepaints;
}

void CTavrinEditorView::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const wxSize size = GetClientSize();
    if (size.x <= 0 || size.y <= 0) return;
    const wxPoint origin = CalcUnscrolledPosition(wxPoint(0, 0));
    if (!m_bFrameValid || origin != m_frameOrigin || m_frame.GetSize() != size) {
        RenderFrame(origin, size);
    }
    dc.DrawBitmap(m_frame, 0, 0);
    if (m_pTools != nullptr) {
        dc.SetDeviceOrigin(-origin.x, -origin.y);
        m_pTools->PaintLive(dc);
    }
}

void CTavrinEditorView::OnScrollLine(wxScrollWinEvent& event) {
    m_bAtInitialPosition = false;
    const int step = event.GetEventType() == wxEVT_SCROLLWIN_LINEUP ? -kLineScroll : kLineScroll;
    const wxPoint start = GetViewStart();
    if (event.GetOrientation() == wxHORIZONTAL) {
        Scroll(start.x + step, -1);
    } else {
        Scroll(-1, start.y + step);
    }
}

void CTavrinEditorView::OnMouse(wxMouseEvent& event) {
    if (event.ButtonDown()) SetFocus();
    if (m_pTools == nullptr) {
        event.Skip();
        return;
    }
    using Kind = EditorMouseEvent::Kind;
    Kind kind = Kind::Move;
    if (event.LeftDown()) kind = Kind::LeftDown;
    if (event.LeftUp()) kind = Kind::LeftUp;
    if (event.RightDown()) kind = Kind::RightDown;
    if (event.RightUp()) kind = Kind::RightUp;
    m_pTools->OnMouse({kind, ClientToEditor(event.GetPosition()), event.LeftIsDown(),
                       event.RightIsDown(), event.ShiftDown(), event.ControlDown()});
}

void CTavrinEditorView::OnKeyDown(wxKeyEvent& event) {
    if (m_pTools == nullptr ||
        !m_pTools->OnKey(event.GetKeyCode(), event.ShiftDown(), event.ControlDown())) {
        event.Skip();
    }
}

void CTavrinEditorView::OnContextMenu(wxContextMenuEvent& event) {
    if (m_pTools == nullptr) {
        event.Skip();
        return;
    }
    wxPoint client = event.GetPosition() == wxDefaultPosition ? wxPoint(0, 0)
                                                              : ScreenToClient(event.GetPosition());
    m_pTools->OnContextMenu(ClientToEditor(client), client);
}

void CTavrinEditorView::OnSetCursor(wxSetCursorEvent& event) {
    if (m_pTools == nullptr) {
        event.Skip();
        return;
    }
    event.SetCursor(m_pTools->Cursor());
}

void CTavrinEditorView::OnForceRedraw(wxCommandEvent&) { InvalidateDrawing(); }

double CTavrinEditorView::RenderPrintPage(wxDC& dc, const wxSize& pagePixels) {
    // Drawn in the page's device pixels; a print preview's smaller DC scales
    // them down.
    const wxSize dcSize = dc.GetSize();
    if (pagePixels.x <= 0 || pagePixels.y <= 0) return 0.0;
    dc.SetUserScale(static_cast<double>(dcSize.x) / pagePixels.x,
                    static_cast<double>(dcSize.y) / pagePixels.y);
    m_dScale = EditorPrintScale(pagePixels.x, pagePixels.y, m_doc.MaxX(), m_doc.MaxY());
    {
        DcCanvas canvas(dc);
        PaintEditor(canvas, m_doc, m_look, EditorPaint{true, m_bGrid, m_dScale, {}}, {});
    }
    const double scale = m_dScale;
    // The screen goes on at scale 1; the next repaint draws it so.
    InvalidateDrawing();
    return scale;
}

std::unique_ptr<wxPrintout> CTavrinEditorView::CreatePrintout() {
    return std::make_unique<EditorPrintout>(*this);
}

}  // namespace orvanel
