// The main window's splitter: the editor on the left, the preview on the
// right, each keeping its share of the width when the window is resized.
#pragma once

#include <wx/splitter.h>

namespace orvanel {

class CSplitWndEx final : public wxSplitterWindow {
public:
    explicit CSplitWndEx(wxWindow* parent);

    void SetPanePercents(int rowPercent, int colPercent);
    // Splits side by side, the left pane at its share of the parent's width.
    void SplitPercent(wxWindow* left, wxWindow* right);
    int ColumnPercent() const { return m_nColPercent; }

private:
    void OnSize(wxSizeEvent& event);
    // The panes stay split: dragging the bar to an edge collapses a pane
    // rather than removing it.
    void OnUnsplitRequest(wxSplitterEvent& event);

    int m_nRowPercent = 50;
    int m_nColPercent = 50;
};

}  // namespace orvanel
