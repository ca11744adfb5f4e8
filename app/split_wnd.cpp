#include "app/split_wnd.h"

#include "app/splitter_shares.h"

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
}

void CSplitWndEx::SetPanePercents(int rowPercent, int colPercent) {
    m_nRowPercent = rowPercent;
    m_nColPercent = colPercent;
}

void CSplitWndEx::SplitPercent(wxWindow* left, wxWindow* right) {
    const int width = GetParent()->GetClientSize().x;
    SplitVertically(left, right,
                    InitialPaneExtent(width, GetSashSize(), m_nColPercent, 0, 2));
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
    const int c0 = GetWindow1()->GetSize().x;
    const int c1 = GetWindow2()->GetSize().x;
    const std::optional<int> share = ShareOfFirst(c0, c1);
    if (!share) {
        // A collapsed pane stays collapsed.
        wxSplitterWindow::OnSize(event);
        return;
    }
    m_nColPercent = *share;
    // One row: its share is always the whole height.
    m_nRowPercent = *ShareOfFirst(size.y, 0);
    wxSplitterWindow::OnSize(event);
    const PaneExtents columns = SplitExtent(size.x, GetSashSize(), m_nColPercent, kMinPaneWidth);
    SetSashPosition(columns.second == 0 && columns.first > 0 ? size.x - GetSashSize()
                                                             : columns.first);
}

}  // namespace orvanel
