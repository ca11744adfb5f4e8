// The "WindowPos" values: the "Rect" text, its reader and the show states.
#include "app/window_placement.h"
#include "tests/support/test_doubles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>

namespace orvanel::test {
namespace {

TEST(WindowPlacementTest, RectText) {
    EXPECT_EQ(FormatPlacementRect({10, 10, 610, 410}), "0010 0010 0610 0410");
    EXPECT_EQ(FormatPlacementRect({-8, -8, 1288, 1032}), "-008 -008 1288 1032");
    EXPECT_EQ(FormatPlacementRect({-999, 0, 9999, 5}), "-999 0000 9999 0005");
    EXPECT_EQ(FormatPlacementRect({-1000, 10000, INT32_MAX, INT32_MIN}), "-999 9999 9999 -999");
}

TEST(WindowPlacementTest, RectsFromMinus999To9999ComeBackExactly) {
    for (const IntRect r : {IntRect{-999, -999, 9999, 9999}, IntRect{-8, -8, 1288, 1032},
                            IntRect{0, 0, 0, 0}, IntRect{10, 20, 30, 40}}) {
        EXPECT_EQ(ParsePlacementRect(FormatPlacementRect(r)), r);
    }
    // Beyond the range a field is written as the nearest value that keeps
    // its offset, so that what is read back is what was written.
    EXPECT_EQ(ParsePlacementRect(FormatPlacementRect({123456, 7, 20, 30})),
              (IntRect{9999, 7, 20, 30}));
}

TEST(WindowPlacementTest, PlacesNoOneCouldUseAreFittedIntoTheWorkArea) {
    const IntRect screen{0, 0, 1280, 1024};
    const IntRect right{1280, 0, 2560, 1024};
    const IntRect one[] = {screen};
    const IntRect two[] = {screen, right};
    struct Case {
        const char* what;
        IntRect stored;
        std::span<const IntRect> areas;
        IntRect shown;
    };
    const Case cases[] = {
        {"on the screen", {50, 60, 750, 560}, one, {50, 60, 750, 560}},
        {"partly off", {-300, -8, 300, 392}, one, {-300, -8, 300, 392}},
        {"on the second screen", {1400, 100, 2000, 500}, two, {1400, 100, 2000, 500}},
        {"across both screens", {1000, 100, 1600, 500}, two, {1000, 100, 1600, 500}},
        {"a sliver on the screen", {1250, 100, 1850, 500}, one, {680, 100, 1280, 500}},
        {"off every screen", {5000, 5000, 5600, 5400}, two, {680, 624, 1280, 1024}},
        {"above the screen", {10, -900, 610, -500}, one, {10, 0, 610, 400}},
        {"nothing stored that parses", {0, 0, 0, 0}, one, {0, 0, 600, 400}},
        {"too narrow", {300, 200, 350, 700}, one, {300, 200, 900, 700}},
        {"turned inside out", {900, 100, 100, 500}, one, {680, 100, 1280, 500}},
        {"larger than the screen", {0, 0, 32767, 32767}, one, {0, 0, 1280, 1024}},
        {"the whole number line", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, one, screen},
        {"saturated fields", {INT32_MAX, INT32_MAX, INT32_MAX, 99999}, one, {680, 624, 1280, 1024}},
        {"no screen known", {1, 2, 3, 4}, {}, {1, 2, 3, 4}},
    };
    for (const Case& c : cases) EXPECT_EQ(FitPlacementRect(c.stored, c.areas), c.shown) << c.what;
}

TEST(WindowPlacementTest, ReaderTakesWhatIsThereAndZeroForTheRest) {
    struct Case {
        const char* text;
        IntRect rect;
    };
    const Case cases[] = {
        {"", kDefaultNormalRect},
        {"0100 0200", {100, 200, 0, 0}},
        {"0100 0200 0300 04", {100, 200, 300, 4}},
        {"abcd efgh 0300 0400", {0, 0, 300, 400}},
        {"  12  -34 +056 0007xyz", {12, -34, 56, 7}},
        {"x", {0, 0, 0, 0}},
        {"99999999999999999999", {2147483647, 2147483647, 2147483647, 99999}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParsePlacementRect(c.text), c.rect) << c.text;
}

TEST(WindowPlacementTest, ShowStatesAndStoredFlags) {
    using P = WindowPlacement;
    EXPECT_EQ((P{{}, false, false}).InitialShow(), ShowState::Normal);
    EXPECT_EQ((P{{}, false, true}).InitialShow(), ShowState::Maximized);
    EXPECT_EQ((P{{}, true, true}).InitialShow(), ShowState::Minimized);
    EXPECT_EQ((P{{}, true, false}).InitialShow(), ShowState::Minimized);

    const IntRect r{1, 2, 3, 4};
    EXPECT_EQ(P::Of(r, ShowState::Normal, true), (P{r, false, false}));
    EXPECT_EQ(P::Of(r, ShowState::Maximized, false), (P{r, false, true}));
    EXPECT_EQ(P::Of(r, ShowState::Minimized, true), (P{r, true, true}));
    EXPECT_EQ(P::Of(r, ShowState::Minimized, false), (P{r, true, false}));
}

TEST(WindowPlacementTest, StoreRoundTripAndFirstRun) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadWindowPlacement(store), (WindowPlacement{{10, 10, 610, 410}, false, false}));
    const WindowPlacement p{{-8, -8, 1288, 1032}, true, true};
    WriteWindowPlacement(store, p);
    EXPECT_EQ(store.GetString("WindowPos", "Rect", ""), "-008 -008 1288 1032");
    EXPECT_EQ(store.GetInt("WindowPos", "iconized", -1), 1);
    EXPECT_EQ(store.GetInt("WindowPos", "maximized", -1), 1);
    EXPECT_EQ(ReadWindowPlacement(store), p);
}

}  // namespace
}  // namespace orvanel::test
