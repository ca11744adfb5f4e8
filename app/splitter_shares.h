// How the main window's splitter keeps each pane's share of the width (and,
// with two rows, of the height) when the window is resized.
#pragma once

#include <optional>

namespace orvanel {

inline constexpr int kMinPaneWidth = 20;
inline constexpr int kMinPaneHeight = 10;

// The size a pane is created with: its share of the parent's extent less one
// splitter bar, or the whole extent when it is the only pane that way.
int InitialPaneExtent(int extent, int barWidth, int percentOfFirst, int index, int paneCount);

// The new share of the first pane from the current sizes of the two panes
// (the second may be 0 when there is no second pane). When the first's share
// truncates to 0 the second pane's share is taken instead. No share when the
// first pane has no size: a collapsed pane stays as it is.
std::optional<int> ShareOfFirst(int first, int second);

struct PaneExtents {
    int first = 0;
    int second = 0;
    friend bool operator==(const PaneExtents&, const PaneExtents&) = default;
};

// The ideal extents of the two panes for a new total extent; a pane whose
// ideal extent lies below the minimum collapses to 0.
PaneExtents SplitExtent(int total, int barWidth, int percentOfFirst, int minimum);

}  // namespace orvanel
