// The editor's full repaint: the order of markers, pens and brushes, the grid,
// the background and the print scale.
#include "editor/editor_draw.h"

#include <gtest/gtest.h>

#include "tests/support/test_doubles.h"
#include "tests/unit/recording_canvas.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

using Calls = std::vector<std::string>;

// Markers have the radius penSize + 2 = 4 with the default look.
std::string MarkerAt(int x, int y) {
    return "ellipse " + std::to_string(x - 4) + " " + std::to_string(y - 4) + " " +
           std::to_string(x + 4) + " " + std::to_string(y + 4);
}

Calls Drawing(std::initializer_list<XY> points, bool closed = false, int steps = 10) {
    DocFixture f;
    f->m_nEditorSteps = steps;
    AddPoints(*f, points, closed);
    RecordingCanvas canvas;
    DrawEditorProfile(canvas, *f, EditorLook{}, 1.0);
    return canvas.Calls();
}

// Every call but the curve's samples, so that the order of pens, brushes and
// markers reads as a list.
Calls WithoutSamples(const Calls& calls) {
    Calls out;
    bool curvePen = false;
    for (const auto& c : calls) {
        if (c.rfind("pen", 0) == 0) curvePen = c == "pen solid 2 #000000";
        if (curvePen && c.rfind("line", 0) == 0) continue;
        out.push_back(c);
    }
    return out;
}

TEST(EditorDrawTest, EmptyProfileDrawsNothingButTheBackgroundColour) {
    EXPECT_EQ(Drawing({}), Calls{"bk #FFFFFF"});
}

TEST(EditorDrawTest, OpenProfilesOfOneToFourPoints) {
    const std::string outline = "pen solid 1 #000000", pointBrush = "brush #80FF00",
                      endBrush = "brush #32DC32", dotted = "pen dot 0 #80FF00";
    // One point: the end marker covers the point marker.
    EXPECT_EQ(Drawing({{10, 20}}), (Calls{"bk #FFFFFF", "move 10 20", outline, pointBrush,
                                          MarkerAt(10, 20), endBrush, outline, MarkerAt(10, 20)}));
    EXPECT_EQ(Drawing({{10, 20}, {30, 40}}),
              (Calls{"bk #FFFFFF", "move 10 20", outline, pointBrush, MarkerAt(10, 20), dotted,
                     "line 30 40", endBrush, outline, MarkerAt(30, 40)}));
    EXPECT_EQ(Drawing({{10, 20}, {30, 40}, {50, 60}}),
              (Calls{"bk #FFFFFF", "move 10 20", outline, pointBrush, MarkerAt(10, 20), dotted,
                     "line 30 40", "move 50 60", "line 30 40", outline, MarkerAt(30, 40), endBrush,
                     outline, MarkerAt(50, 60)}));
    const Calls four = Drawing({{10, 50}, {20, 40}, {30, 30}, {40, 20}}, false, 4);
    EXPECT_EQ(WithoutSamples(four),
              (Calls{"bk #FFFFFF", "move 10 50", outline, pointBrush, MarkerAt(10, 50), dotted,
                     "line 20 40", "move 40 20", "line 30 30", outline, MarkerAt(30, 30),
                     "move 20 40", outline, MarkerAt(20, 40), "pen solid 2 #000000", "move 20 40",
                     endBrush, outline, MarkerAt(40, 20)}));
}

TEST(EditorDrawTest, OpenCurveRunsFromSecondToSecondToLastPoint) {
    // Collinear, evenly spaced points: the samples lie on the line.
    const Calls calls = Drawing({{0, 0}, {10, 10}, {20, 20}, {30, 30}, {40, 40}}, false, 2);
    const Calls curve(std::find(calls.begin(), calls.end(), "pen solid 2 #000000") + 1,
                      std::find(calls.begin(), calls.end(), "brush #32DC32"));
    EXPECT_EQ(curve, (Calls{"move 10 10", "line 15 15", "line 20 20", "move 20 20", "line 25 25",
                            "line 30 30"}));
}

TEST(EditorDrawTest, ClosedTriangleHasThreeSegmentsNoDottedLinesNoEndMarker) {
    const Calls calls = Drawing({{100, 100}, {200, 100}, {150, 200}}, true, 1);
    EXPECT_EQ(calls, (Calls{"bk #FFFFFF", "move 100 100", "pen solid 1 #000000", "brush #80FF00",
                            MarkerAt(100, 100), MarkerAt(200, 100), MarkerAt(150, 200),
                            "pen solid 2 #000000",
                            // P1->P2, P2->P0, P0->P1: with one step each is its chord.
                            "move 200 100", "line 150 200", "move 150 200", "line 100 100",
                            "move 100 100", "line 200 100"}));
}

TEST(EditorDrawTest, SelectedPointsAreRedAndDrawnLast) {
    DocFixture f;
    AddPoints(*f, {{0, 0}, {10, 10}, {20, 20}, {30, 30}});
    f->SelectInRect(5, 5, 15, 15);
    RecordingCanvas canvas;
    DrawEditorProfile(canvas, *f, EditorLook{}, 1.0);
    const Calls& calls = canvas.Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()),
              (Calls{"brush #3232C8", "pen solid 1 #000000", MarkerAt(10, 10)}));
}

TEST(EditorDrawTest, AnchorsTurnTheCurveIntoChords) {
    DocFixture f;
    f->m_nEditorSteps = 10;
    AddPoints(*f, {{0, 0}, {10, 40}, {50, 0}, {60, 40}});
    f->ToggleAnchor(PointAt(*f, 1));
    RecordingCanvas canvas;
    DrawEditorProfile(canvas, *f, EditorLook{}, 1.0);
    const Calls calls = canvas.Calls();
    const auto pen = std::find(calls.begin(), calls.end(), "pen solid 2 #000000");
    ASSERT_NE(pen, calls.end());
    EXPECT_EQ(Calls(pen + 1, pen + 3), (Calls{"move 10 40", "line 50 0"}));
}

TEST(EditorDrawTest, MarkerRadiusFollowsThePenSizeAndIgnoresTheScale) {
    DocFixture f;
    AddPoints(*f, {{100, 200}});
    EditorLook look;
    look.penSize = 5;
    RecordingCanvas canvas;
    DrawEditorProfile(canvas, *f, look, 2.5);
    EXPECT_EQ(canvas.Only("ellipse").front(), "ellipse 243 493 257 507");
    EXPECT_EQ(canvas.Only("move").front(), "move 250 500");
}

TEST(EditorDrawTest, GridLinesAlternateAndEndAtTheLastMultipleBelowTheExtent) {
    struct Case {
        int size;
        std::size_t lines;
        std::string last;
    };
    for (const Case& c : {Case{10, 101, "line 1000 1000"}, Case{3, 334, "line 1000 999"},
                          Case{500, 3, "line 1000 1000"}}) {
        RecordingCanvas canvas;
        DrawEditorGrid(canvas, c.size, 0x123456, 1.0);
        EXPECT_EQ(canvas.Calls().front(), "pen solid 1 #123456");
        EXPECT_EQ(canvas.Only("line").size(), 2 * c.lines) << c.size;
        EXPECT_EQ(canvas.Calls().back(), c.last) << c.size;
    }
    RecordingCanvas canvas;
    DrawEditorGrid(canvas, 10, 0, 1.0);
    EXPECT_EQ(Calls(canvas.Calls().begin() + 1, canvas.Calls().begin() + 9),
              (Calls{"move 0 0", "line 0 1000", "move 0 0", "line 1000 0", "move 10 0",
                     "line 10 1000", "move 0 10", "line 1000 10"}));
}

TEST(EditorDrawTest, FullRepaintOnScreenAndOnPaper) {
    DocFixture f;
    AddPoints(*f, {{10, 10}});
    EditorLook look;
    look.background = 0x000000;
    int photos = 0;
    const auto photo = [&photos] { ++photos; };

    RecordingCanvas screen;
    PaintEditor(screen, *f, look, EditorPaint{false, false, 1.0, {0, 600, 400, 1000}}, photo);
    EXPECT_EQ(screen.Calls().front(), "fill 0 600 400 1000 #000000");
    EXPECT_TRUE(screen.Only("pen solid 1 #80FF00").empty()) << "grid off";
    EXPECT_EQ(photos, 0) << "no photo loaded";

    RecordingCanvas paper;
    PaintEditor(paper, *f, look, EditorPaint{true, true, 2.0, {}}, photo);
    EXPECT_TRUE(paper.Only("fill").empty());
    EXPECT_EQ(paper.Calls().front(), "pen solid 1 #80FF00");
    EXPECT_EQ(paper.Calls()[2], "line 0 2000");
}

TEST(EditorDrawTest, PrintScale) {
    struct Case {
        int w, h, maxX, maxY;
        double scale;
    };
    for (const Case& c :
         {Case{4800, 6600, 500, 250, 0.95 * 9}, Case{4800, 6600, 250, 500, 0.95 * 13},
          Case{4800, 6600, 1, 1, 0.95 * 4800},
          // Larger than the page: shrunk to fit rather than drawn at 0.
          Case{4800, 6600, 9600, 100, 0.95 * 0.5}}) {
        EXPECT_DOUBLE_EQ(EditorPrintScale(c.w, c.h, c.maxX, c.maxY), c.scale)
            << c.w << "x" << c.h << " " << c.maxX << "," << c.maxY;
    }
    DocFixture f;
    AddPoints(*f, {{500, 100}, {200, 250}});
    const double scale = EditorPrintScale(4800, 6600, f->MaxX(), f->MaxY());
    EXPECT_DOUBLE_EQ(scale, 8.55);
    // 0.95 * 9 lies just below 8.55, so the truncated coordinates do too.
    RecordingCanvas canvas;
    DrawEditorProfile(canvas, *f, EditorLook{}, scale);
    EXPECT_EQ(canvas.Only("ellipse").back(), MarkerAt(1709, 2137));
    EXPECT_EQ(canvas.Only("move").front(), "move 4274 854");
}

TEST(EditorDrawTest, StoredLookRoundTripsAndFallsBackOnGarbage) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadEditorLook(store), EditorLook{});
    const EditorLook custom{0x102030, 0x405060, 0x708090, 7, 25};
    WriteEditorLook(store, custom);
    EXPECT_EQ(ReadEditorLook(store), custom);
    store.WriteString("Settings", "PenSize", "0");
    store.WriteString("Settings", "GridSize", "501");
    store.WriteString("Settings", "BGcolor", "-1");
    store.WriteString("Settings", "PENcolor", "abc");
    const EditorLook read = ReadEditorLook(store);
    EXPECT_EQ(read.penSize, 2);
    EXPECT_EQ(read.gridSize, 10);
    EXPECT_EQ(read.background, 0xFFFFFFu);
    EXPECT_EQ(read.pen, 0u);
    EXPECT_EQ(read.grid, 0x708090u);
}

}  // namespace
}  // namespace orvanel::test
