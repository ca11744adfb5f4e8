#include "editor/editor_view.h"

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/statusbr.h>

#include <algorithm>

#include "editor/calibration_dialog.h"
#include "editor/dc_canvas.h"
#include "editor/live_dc_canvas.h"
#include "editor/one_page_printout.h"
#include "editor/wx_picture.h"
#include "resources/art.h"
#include "resources/ids.h"
#include "resources/ui_texts.h"
#include "resources/wx_commands.h"

namespace orvanel {

namespace {

// The part of a client rectangle that lies in the window; the rectangle may
// reach any distance beyond it.
wxRect InClient(const IntRect& rc, const wxSize& client) {
    const int left = std::max(rc.left, 0), top = std::max(rc.top, 0);
    const int right = std::min(rc.right, client.x), bottom = std::min(rc.bottom, client.y);
    if (left >= right || top >= bottom) return {};
    return {left, top, right - left, bottom - top};
}

EditorKey KeyOf(int code) {
    switch (code) {
        case WXK_TAB:
            return EditorKey::Tab;
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE:
            return EditorKey::Delete;
        case WXK_PAGEUP:
        case WXK_NUMPAD_PAGEUP:
            return EditorKey::PageUp;
        case WXK_PAGEDOWN:
        case WXK_NUMPAD_PAGEDOWN:
            return EditorKey::PageDown;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return EditorKey::Up;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return EditorKey::Down;
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return EditorKey::Left;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return EditorKey::Right;
        case WXK_HOME:
        case WXK_NUMPAD_HOME:
            return EditorKey::Home;
        case WXK_END:
        case WXK_NUMPAD_END:
            return EditorKey::End;
        default:
            return EditorKey::Other;
    }
}

std::optional<ScrollCode> ScrollCodeOf(wxEventType type) {
    if (type == wxEVT_SCROLLWIN_LINEUP) return ScrollCode::LineUp;
    if (type == wxEVT_SCROLLWIN_LINEDOWN) return ScrollCode::LineDown;
    if (type == wxEVT_SCROLLWIN_PAGEUP) return ScrollCode::PageUp;
    if (type == wxEVT_SCROLLWIN_PAGEDOWN) return ScrollCode::PageDown;
    if (type == wxEVT_SCROLLWIN_TOP) return ScrollCode::Top;
    if (type == wxEVT_SCROLLWIN_BOTTOM) return ScrollCode::Bottom;
    return std::nullopt;
}

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

// The pointer over the ruler's frame: sizing arrows on the border, the arrow
// on the caption and the Phi button.
wxCursor RulerCursor(RulerPart part) {
    switch (part) {
        case RulerPart::Left:
        case RulerPart::Right:
            return wxCursor(wxCURSOR_SIZEWE);
        case RulerPart::Top:
        case RulerPart::Bottom:
            return wxCursor(wxCURSOR_SIZENS);
        case RulerPart::TopLeft:
        case RulerPart::BottomRight:
            return wxCursor(wxCURSOR_SIZENWSE);
        case RulerPart::TopRight:
        case RulerPart::BottomLeft:
            return wxCursor(wxCURSOR_SIZENESW);
        case RulerPart::None:
        case RulerPart::Client:
        case RulerPart::PhiButton:
        case RulerPart::Caption:
            break;
    }
    return wxCursor(wxCURSOR_ARROW);
}

}  // namespace

CTavrinEditorView::CTavrinEditorView(wxWindow* parent, CTavrinEditorDoc& doc,
                                     SettingsStore& settings)
    : m_doc(doc), m_settings(settings), m_look(ReadEditorLook(settings)), m_tools(doc, *this) {
    // Everything is painted from the off-screen bitmap: no erasing first.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    // TAB reaches the view as a key rather than moving the focus on.
    Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
           wxHSCROLL | wxVSCROLL | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS);
    SetVirtualSize(kEditorExtent, kEditorExtent);
    SetScrollRate(1, 1);
    Bind(wxEVT_PAINT, &CTavrinEditorView::OnPaint, this);
    for (const auto type :
         {wxEVT_SCROLLWIN_LINEUP, wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_TOP,
          wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
          wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE}) {
        Bind(type, &CTavrinEditorView::OnScrollByUser, this);
    }
    Bind(wxEVT_SIZE, &CTavrinEditorView::OnSize, this);
    // A double click arrives as a second press, as it always has.
    Bind(wxEVT_LEFT_DOWN, &CTavrinEditorView::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CTavrinEditorView::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CTavrinEditorView::OnLeftUp, this);
    Bind(wxEVT_MOTION, &CTavrinEditorView::OnMotion, this);
    for (const auto type : {wxEVT_RIGHT_DOWN, wxEVT_MIDDLE_DOWN}) {
        Bind(type, &CTavrinEditorView::OnOtherButton, this);
    }
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CTavrinEditorView::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CTavrinEditorView::OnKeyDown, this);
    Bind(wxEVT_CONTEXT_MENU, &CTavrinEditorView::OnContextMenu, this);
    Bind(wxEVT_SET_CURSOR, &CTavrinEditorView::OnSetCursor, this);
    SetCursor(CursorOf(m_tools.Cursor(false)));
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
    if (!m_bAtInitialPosition || m_bAtInitialPositionPending) return;
    m_bAtInitialPositionPending = true;
    CallAfter([this] {
        m_bAtInitialPositionPending = false;
        if (m_bAtInitialPosition) Scroll(0, kEditorExtent);
    });
}

void CTavrinEditorView::OnScrollByUser(wxScrollWinEvent& event) {
    m_bAtInitialPosition = false;
    const std::optional<ScrollCode> code = ScrollCodeOf(event.GetEventType());
    if (!code) {
        event.Skip();  // the thumb: the toolkit follows it
        return;
    }
    Scroll(event.GetOrientation() == wxHORIZONTAL ? ScrollBar::Horizontal : ScrollBar::Vertical,
           *code);
}

// --- the document's calls

void CTavrinEditorView::OnUpdate() { InvalidateDrawing(); }

void CTavrinEditorView::Repaint() {
    InvalidateDrawing();
    Update();
}

void CTavrinEditorView::FreeSelection() { m_tools.FreeSelection(); }

void CTavrinEditorView::BuildSelection() { m_tools.BuildSelection(); }

// --- the tools' calls

void CTavrinEditorView::CaptureMouse() {
    if (!HasCapture()) wxScrolledCanvas::CaptureMouse();
}

void CTavrinEditorView::ReleaseMouse() {
    if (HasCapture()) wxScrolledCanvas::ReleaseMouse();
}

void CTavrinEditorView::InvalidateLive(const IntRect& editorRect) {
    m_bLivePending = true;
    const wxRect rc = InClient(EditorToClient(editorRect, ScrollPosition()), GetClientSize());
    if (!rc.IsEmpty()) RefreshRect(rc, false);
}

void CTavrinEditorView::Invalidate(const IntRect& editorRect) {
    m_bFrameValid = false;
    const wxRect rc = InClient(EditorToClient(editorRect, ScrollPosition()), GetClientSize());
    if (!rc.IsEmpty()) RefreshRect(rc, false);
}

void CTavrinEditorView::InvalidateAll() { InvalidateDrawing(); }

void CTavrinEditorView::SetStatusText(StatusPane pane, std::string_view text, bool updateNow) {
    if (m_pStatusBar == nullptr) return;
    m_pStatusBar->SetStatusText(Wx(text), static_cast<int>(pane));
    if (updateNow) m_pStatusBar->Update();
}

void CTavrinEditorView::Scroll(ScrollBar bar, ScrollCode code) {
    m_bAtInitialPosition = false;
    const IntPoint at = ScrollPosition();
    const wxSize client = GetClientSize();
    if (bar == ScrollBar::Vertical) {
        Scroll(-1, ScrolledPosition(at.y, code, client.y));
    } else {
        Scroll(ScrolledPosition(at.x, code, client.x), -1);
    }
}

// --- picture

void CTavrinEditorView::InvalidateDrawing() {
    m_bFrameValid = false;
    Refresh(false);
}

IntPoint CTavrinEditorView::ScrollPosition() const {
    const wxPoint p = CalcUnscrolledPosition(wxPoint(0, 0));
    return {p.x, p.y};
}

IntRect CTavrinEditorView::VisibleArea() const {
    const IntPoint at = ScrollPosition();
    const wxSize size = GetClientSize();
    return {at.x, at.y, at.x + size.x, at.y + size.y};
}

IntPoint CTavrinEditorView::ClientToEditor(const wxPoint& client) const {
    return orvanel::ClientToEditor({client.x, client.y}, ScrollPosition());
}

bool CTavrinEditorView::IsPictureCurrent() const {
    return m_bFrameValid && !m_bLivePending && !m_bRulerPending && !m_bAtInitialPositionPending &&
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

const wxCursor& CTavrinEditorView::CursorOf(int cursorId) {
    auto it = m_cursors.find(cursorId);
    if (it == m_cursors.end()) it = m_cursors.emplace(cursorId, MakeEditorCursor(cursorId)).first;
    return it->second;
}

void CTavrinEditorView::RenderFrame(const wxPoint& origin, const wxSize& size) {
    if (!m_frame.IsOk() || m_frame.GetSize() != size) m_frame.Create(size, 24);
    wxMemoryDC dc(m_frame);
    // The live drag erases pieces by drawing them again in the background
    // colour: smoothed edges would leave a shadow of every piece behind.
    DcCanvas::UseSharpEdges(dc);
    dc.SetDeviceOrigin(-origin.x, -origin.y);
    m_dScale = 1.0;
    {
        DcCanvas canvas(dc);
        const EditorPaint paint{
            false, m_bGrid, 1.0, {origin.x, origin.y, origin.x + size.x, origin.y + size.y}};
        PaintEditor(canvas, m_doc, m_look, paint, [this, &dc] { DrawDocumentPhoto(dc, m_doc); });
    }
    dc.SelectObject(wxNullBitmap);
    m_frameImage = wxImage();  // made again from the new picture when needed
    m_frameOrigin = origin;
    m_bFrameValid = true;
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
    PaintLive(dc, origin);
    m_bLivePending = false;
    PaintRuler(dc, origin);
    m_bRulerPending = false;
}

// The live marks go onto a copy of the damaged part of the last full
// repaint, so that nothing of an earlier position needs erasing.
void CTavrinEditorView::PaintLive(wxDC& dc, const wxPoint& origin) {
    const IntPoint scroll{origin.x, origin.y};
    wxRect live = InClient(EditorToClient(m_tools.LiveBounds(), scroll), m_frame.GetSize());
    const wxRect marks =
        InClient(EditorToClient(m_calibration.LiveBounds(), scroll), m_frame.GetSize());
    live = live.IsEmpty() ? marks : marks.IsEmpty() ? live : live.Union(marks);
    const wxRect part = live.Intersect(GetUpdateRegion().GetBox());
    if (part.IsEmpty()) return;
    LiveDcCanvas canvas(m_frame,
                        [this]() -> const wxImage& {
                            if (!m_frameImage.IsOk()) m_frameImage = m_frame.ConvertToImage();
                            return m_frameImage;
                        },
                        part, {origin.x, origin.y});
    m_tools.PaintLive(canvas);
    m_calibration.PaintLive(canvas);
    if (const std::optional<wxBitmap> marked = canvas.TakeResult()) {
        dc.DrawBitmap(*marked, part.GetPosition());
    }
}

// --- the golden ruler, painted over the editor's picture like a window

CGoldenRuler* CTavrinEditorView::ShownRuler() const {
    CGoldenRuler* ruler = m_doc.m_pGoldenRuler.get();
    return ruler != nullptr && ruler->IsVisible() ? ruler : nullptr;
}

RulerPart CTavrinEditorView::RulerPartAt(const wxPoint& client) const {
    const CGoldenRuler* ruler = ShownRuler();
    return ruler != nullptr ? ruler->HitTest(ClientToEditor(client)) : RulerPart::None;
}

bool CTavrinEditorView::PressRuler(const wxMouseEvent& event) {
    if (m_rulerDrag) return true;
    // While a tool drags, every press is the tool's.
    if (m_tools.HasCapture()) return false;
    const RulerPart part = RulerPartAt(event.GetPosition());
    const bool frame = part == RulerPart::Caption || IsSizingBorder(part);
    // The frame keeps every press; of the Phi button's, only the left
    // button's first press is its own.
    if (!event.LeftDown()) return frame || (part == RulerPart::PhiButton && event.LeftDClick());
    const IntPoint at = ClientToEditor(event.GetPosition());
    if (part == RulerPart::PhiButton) {
        // The document updates both views: the cuts mirror in each.
        ShownRuler()->PressPhiButton(at);
        return true;
    }
    if (!frame) return false;
    m_rulerDrag.emplace(part, ShownRuler()->WindowRect(), at);
    if (!HasCapture()) wxScrolledCanvas::CaptureMouse();
    return true;
}

void CTavrinEditorView::DragRuler(const wxPoint& client) {
    CGoldenRuler* ruler = ShownRuler();
    if (ruler == nullptr) return;
    // The pointer stays inside the view, as while a child window is dragged.
    const wxSize size = GetClientSize();
    const wxPoint inside(std::clamp(client.x, 0, std::max(size.x - 1, 0)),
                         std::clamp(client.y, 0, std::max(size.y - 1, 0)));
    const IntRect rect = m_rulerDrag->RectAt(ClientToEditor(inside));
    if (rect == ruler->WindowRect()) return;
    ruler->SetWindowRect(rect);
    // The last full repaint holds what the old place covered.
    m_bRulerPending = true;
    Refresh(false);
}

void CTavrinEditorView::PaintRuler(wxDC& dc, const wxPoint& origin) {
    CGoldenRuler* ruler = ShownRuler();
    if (ruler == nullptr) return;
    const IntRect w = EditorToClient(ruler->WindowRect(), {origin.x, origin.y});
    const wxRect window(w.left, w.top, w.right - w.left, w.bottom - w.top);
    if (!window.Intersects(GetUpdateRegion().GetBox())) return;
    if (!m_rulerPicture.IsOk() || m_rulerPicture.GetSize() != window.GetSize() ||
        m_bRulerPictureFlipped != ruler->m_bFlip) {
        m_rulerPicture = MakeRulerPicture(*ruler);
        m_bRulerPictureFlipped = ruler->m_bFlip;
    }
    if (m_rulerPicture.IsOk()) dc.DrawBitmap(m_rulerPicture, window.GetPosition(), true);
}

// --- input

void CTavrinEditorView::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    if (PressRuler(event)) return;
    if (m_calibration.IsActive()) {
        // The ends are taken where they are clicked, not snapped to the grid.
        if (!m_doc.IsPhotoLoaded()) {
            EndCalibration();
            return;
        }
        ChangeCalibration([&] { m_calibration.Click(ClientToEditor(event.GetPosition())); });
        if (m_calibration.GetStage() == PhotoCalibration::Stage::Distance) {
            CallAfter(&CTavrinEditorView::AskCalibrationDistance);
        }
        return;
    }
    SetCursor(CursorOf(m_tools.Cursor(true)));
    m_tools.OnLButtonDown(ClientToEditor(event.GetPosition()), event.ShiftDown());
}

void CTavrinEditorView::OnLeftUp(wxMouseEvent& event) {
    if (m_rulerDrag) {
        m_rulerDrag.reset();
        if (HasCapture()) wxScrolledCanvas::ReleaseMouse();
        return;
    }
    m_tools.OnLButtonUp(ClientToEditor(event.GetPosition()));
    if (!m_calibration.IsActive()) SetCursor(CursorOf(m_tools.Cursor(false)));
}

void CTavrinEditorView::OnMotion(wxMouseEvent& event) {
    if (m_rulerDrag) {
        DragRuler(event.GetPosition());
        return;
    }
    if (m_calibration.IsActive()) {
        ChangeCalibration([&] { m_calibration.Track(ClientToEditor(event.GetPosition())); });
    }
    m_tools.OnMouseMove(ClientToEditor(event.GetPosition()));
}

template <class Change>
void CTavrinEditorView::ChangeCalibration(Change&& change) {
    InvalidateLive(m_calibration.LiveBounds());
    change();
    InvalidateLive(m_calibration.LiveBounds());
    const std::string_view prompt = m_calibration.Prompt();
    if (!prompt.empty()) SetStatusText(StatusPane::Message, prompt, false);
}

void CTavrinEditorView::StartCalibration() {
    if (!m_doc.IsPhotoLoaded()) return;
    SetFocus();  // for Esc
    ChangeCalibration([this] { m_calibration.Start(); });
    SetCursor(wxCursor(wxCURSOR_CROSS));
}

void CTavrinEditorView::EndCalibration() {
    if (!m_calibration.IsActive()) return;
    ChangeCalibration([this] { m_calibration.Cancel(); });
    SetStatusText(StatusPane::Message, text::kIdleStatus, false);
    SetCursor(CursorOf(m_tools.Cursor(false)));
}

void CTavrinEditorView::AskCalibrationDistance() {
    if (m_calibration.GetStage() != PhotoCalibration::Stage::Distance) return;
    {
        CDlgCalibrateDistance dialog(wxGetTopLevelParent(this), m_doc, m_calibration);
        dialog.ShowModal();
    }
    EndCalibration();
}

void CTavrinEditorView::OnOtherButton(wxMouseEvent& event) {
    SetFocus();
    if (PressRuler(event)) return;
    event.Skip();  // the right button goes on to open the context menu
}

void CTavrinEditorView::OnCaptureLost(wxMouseCaptureLostEvent&) {
    if (m_rulerDrag) {
        m_rulerDrag.reset();
        return;
    }
    m_tools.OnCaptureLost();
}

void CTavrinEditorView::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE && m_calibration.IsActive()) {
        EndCalibration();
        return;
    }
    const EditorKey key = KeyOf(event.GetKeyCode());
    if (key == EditorKey::Other) {
        event.Skip();  // the tool letters and the other keys of the main window
        return;
    }
    m_tools.OnKeyDown(key, event.ShiftDown());
}

void CTavrinEditorView::OnContextMenu(wxContextMenuEvent& event) {
    // The menu key gives no position: the tools place the menu themselves.
    const wxPoint at = event.GetPosition();
    const wxPoint corner = ClientToScreen(wxPoint(0, 0));
    const ContextMenu menu =
        m_tools.OnContextMenu({at.x, at.y}, {corner.x, corner.y}, ScrollPosition());
    wxMenu popup;
    AppendMenuItems(popup, menu.items);
    // Shown by the main window, so that its commands take the route of every
    // other command to the document.
    wxWindow* owner = wxGetTopLevelParent(this);
    owner->PopupMenu(&popup, owner->ScreenToClient(wxPoint(menu.screen.x, menu.screen.y)));
}

void CTavrinEditorView::OnSetCursor(wxSetCursorEvent& event) {
    if (m_calibration.IsActive()) {
        event.SetCursor(wxCursor(wxCURSOR_CROSS));
        return;
    }
    // While the mouse is captured the cursor of the press stays.
    if (m_tools.HasCapture()) {
        event.Skip();
        return;
    }
    const RulerPart part =
        m_rulerDrag ? m_rulerDrag->Part() : RulerPartAt(wxPoint(event.GetX(), event.GetY()));
    if (part != RulerPart::None && part != RulerPart::Client) {
        event.SetCursor(RulerCursor(part));
        return;
    }
    event.SetCursor(CursorOf(m_tools.Cursor(false)));
}

// --- printing

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
    // The editor prints on one page, the same for the preview.
    return std::make_unique<OnePagePrintout>(
        [this](wxDC& dc, wxSize page, bool) { RenderPrintPage(dc, page); });
}

}  // namespace orvanel
