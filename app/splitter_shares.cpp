#include "app/splitter_shares.h"

namespace orvanel {

int InitialPaneExtent(int extent, int barWidth, int percentOfFirst, int index, int paneCount) {
    if (paneCount <= 1) return extent;
    const int share = index == 0 ? percentOfFirst : 100 - percentOfFirst;
    return (extent - barWidth) * share / 100;
}

std::optional<int> ShareOfFirst(int first, int second) {
    if (first <= 0) return std::nullopt;
    const float total = static_cast<float>(first + second);
    const int share = static_cast<int>(static_cast<float>(first) * 100.0f / total);
    if (share > 0) return share;
    return static_cast<int>(static_cast<float>(second) * 100.0f / total);
}

PaneExtents SplitExtent(int total, int barWidth, int percentOfFirst, int minimum) {
    const int available = total - barWidth;
    PaneExtents e{available * percentOfFirst / 100, (100 - percentOfFirst) * available / 100};
    if (e.first < minimum) e.first = 0;
    if (e.second < minimum) e.second = 0;
    return e;
}

}  // namespace orvanel
