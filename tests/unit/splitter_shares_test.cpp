// The splitter's share-keeping arithmetic.
#include "app/splitter_shares.h"

#include <gtest/gtest.h>

namespace orvanel::test {
namespace {

TEST(SplitterSharesTest, InitialPaneExtents) {
    // A 1 x 2 splitter in a frame 1000 wide and 600 high, bar 7: each column
    // gets half of 993, the one row the whole height.
    EXPECT_EQ(InitialPaneExtent(1000, 7, 50, 0, 2), 496);
    EXPECT_EQ(InitialPaneExtent(1000, 7, 50, 1, 2), 496);
    EXPECT_EQ(InitialPaneExtent(600, 7, 100, 0, 1), 600);
    EXPECT_EQ(InitialPaneExtent(1000, 7, 30, 1, 2), 695);
}

TEST(SplitterSharesTest, ShareOfTheFirstPane) {
    struct Case {
        int first, second;
        std::optional<int> share;
    };
    const Case cases[] = {
        {500, 500, 50},
        {333, 667, 33},  // a bar dragged to one third keeps one third
        {600, 0, 100},   // the one row takes all the height
        // Narrower than 1 %: the share that truncates to 0 becomes the other's.
        {20, 2480, 99},
        {0, 1000, std::nullopt},  // collapsed: the shares are left alone
        {-1, 1000, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShareOfFirst(c.first, c.second), c.share) << c.first << " " << c.second;
    }
}

TEST(SplitterSharesTest, SplitExtentKeepsTheShareAndCollapsesTinyPanes) {
    EXPECT_EQ(SplitExtent(1207, 7, 50, kMinPaneWidth), (PaneExtents{600, 600}));
    EXPECT_EQ(SplitExtent(907, 7, 33, kMinPaneWidth), (PaneExtents{297, 603}));
    EXPECT_EQ(SplitExtent(1007, 7, 99, kMinPaneWidth), (PaneExtents{990, 0}));
    EXPECT_EQ(SplitExtent(1007, 7, 1, kMinPaneWidth), (PaneExtents{0, 990}));
    EXPECT_EQ(SplitExtent(1007, 7, 2, kMinPaneWidth), (PaneExtents{20, 980}));
}

}  // namespace
}  // namespace orvanel::test
