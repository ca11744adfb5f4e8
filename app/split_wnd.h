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
    // The Split command: the bar follows the mouse or the arrow keys until a
    // click or Enter places it; Escape puts it back.
    void StartTracking();
    bool IsTracking() const { return m_bTracking; }

private:
    void OnSize(wxSizeEvent& event);
    // The panes stay split: dragging the bar to an edge collapses a pane
    // rather than removing it.
    void OnUnsplitRequest(wxSplitterEvent& event);

    void OnTrackMouse(wxMouseEvent& event);
    void OnTrackKey(wxKeyEvent& event);
    void EndTracking(bool keep);

    bool m_bTracking = false;
    int m_nTrackStart = 0;
    wxSize m_lastSize;        // the size of the last layout
    int m_nLaidOutSash = -1;  // where that layout put the bar
    int m_nRowPercent = 50;
    int m_nColPercent = 50;
};

}  // namespace orvanel
