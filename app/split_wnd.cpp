#include "app/split_wnd.h"

#include "app/splitter_shares.h"

#include <algorithm>

namespace orvanel {

CSplitWndEx::CSplitWndEx(wxWindow* parent)
    : wxSplitterWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                       wxSP_LIVE_UPDATE | wxSP_3DSASH | wxSP_NO_XP_THEME) {
    SetMinimumPaneSize(0);
    // The sash is placed by the shares below, not by wx's own gravity.
    SetSashGravity(0.0);
    Bind(wxEVT_SIZE, &CSplitWndEx::OnSize, this);
    Bind(wxEVT_SPLITTER_DOUBLECLICKED, &CSplitWndEx::OnUnsplitRequest, this);
    Bind(wxEVT_SPLITTER_UNSPLIT, &CSplitWndEx::OnUnsplitRequest, this);
    for (const auto type : {wxEVT_MOTION, wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN}) {
        Bind(type, &CSplitWndEx::OnTrackMouse, this);
    }
    Bind(wxEVT_KEY_DOWN, &CSplitWndEx::OnTrackKey, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        m_bTracking = false;
        SetCursor(wxNullCursor);
    });
}

void CSplitWndEx::StartTracking() {
    if (!IsSplit() || m_bTracking) return;
    m_bTracking = true;
    m_nTrackStart = GetSashPosition();
    SetFocus();
    SetCursor(wxCursor(wxCURSOR_SIZEWE));
    WarpPointer(GetSashPosition() + GetSashSize() / 2, GetClientSize().y / 2);
    CaptureMouse();
}

void CSplitWndEx::EndTracking(bool keep) {
    if (!m_bTracking) return;
    m_bTracking = false;
    if (HasCapture()) ReleaseMouse();
    SetCursor(wxNullCursor);
    if (!keep) SetSashPosition(m_nTrackStart);
}

void CSplitWndEx::OnTrackMouse(wxMouseEvent& event) {
    if (!m_bTracking) {
        event.Skip();
        return;
    }
    if (event.Moving() || event.Dragging()) {
        SetSashPosition(std::clamp(event.GetX(), 0, GetClientSize().x - GetSashSize()));
    } else if (event.LeftDown() || event.LeftUp()) {
        EndTracking(true);
    } else if (event.RightDown()) {
        EndTracking(false);
    }
}

void CSplitWndEx::OnTrackKey(wxKeyEvent& event) {
    if (!m_bTracking) {
        event.Skip();
        return;
    }
    constexpr int kKeyStep = 8;
    switch (event.GetKeyCode()) {
        case WXK_LEFT:
        case WXK_RIGHT: {
            const int step = event.GetKeyCode() == WXK_LEFT ? -kKeyStep : kKeyStep;
            const int x =
                std::clamp(GetSashPosition() + step, 0, GetClientSize().x - GetSashSize());
            SetSashPosition(x);
            WarpPointer(x + GetSashSize() / 2, GetClientSize().y / 2);
            break;
        }
        case WXK_RETURN:
        case WXK_NUMPAD_ENTER:
            EndTracking(true);
            break;
        case WXK_ESCAPE:
            EndTracking(false);
            break;
        default:
            break;
    }
}

void CSplitWndEx::SetPanePercents(int rowPercent, int colPercent) {
    m_nRowPercent = rowPercent;
    m_nColPercent = colPercent;
}

void CSplitWndEx::SplitPercent(wxWindow* left, wxWindow* right) {
    const int width = GetParent()->GetClientSize().x;
    SplitVertically(left, right, InitialPaneExtent(width, GetSashSize(), m_nColPercent, 0, 2));
}

void CSplitWndEx::OnUnsplitRequest(wxSplitterEvent& event) { event.Veto(); }

void CSplitWndEx::OnSize(wxSizeEvent& event) {
    const wxSize size = event.GetSize();
    // Minimized: the panes are left exactly as they are.
    if (size.x == 0 || size.y == 0) return;
    if (!IsSplit()) {
        event.Skip();
        return;
    }
    // GTK repeats a size it has already given; only a new size lays out anew.
    if (size == m_lastSize) {
        wxSplitterWindow::OnSize(event);
        return;
    }
    // The shares come from the pane sizes before this resize, so a bar the
    // user dragged keeps its proportion. While the bar is where the last
    // layout put it the share stands as it is: taking it again from
    // truncated pixel widths would creep the bar a pixel per resize.
    if (m_lastSize.x > 0 && GetSashPosition() != m_nLaidOutSash) {
        const int c0 = GetSashPosition();
        const int c1 = std::max(0, m_lastSize.x - c0 - GetSashSize());
        const std::optional<int> share = ShareOfFirst(c0, c1);
        if (!share) {
            // A collapsed pane stays collapsed.
            m_lastSize = size;
            wxSplitterWindow::OnSize(event);
            m_nLaidOutSash = GetSashPosition();
            return;
        }
        m_nColPercent = *share;
    }
    // One row: its share is always the whole height.
    m_nRowPercent = *ShareOfFirst(size.y, 0);
    m_lastSize = size;
    wxSplitterWindow::OnSize(event);
    const PaneExtents columns = SplitExtent(size.x, GetSashSize(), m_nColPercent, kMinPaneWidth);
    SetSashPosition(columns.second == 0 && columns.first > 0 ? size.x - GetSashSize()
                                                             : columns.first);
    m_nLaidOutSash = GetSashPosition();
}

}  // namespace orvanel
