// The golden ruler: the divisions as recorded lines, the frame's parts, the
// drags that move and size it, its fitting around the profile, and the 3D
// lines on the mesh's bounding box.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "editor/golden_ruler.h"
#include "preview/golden_ruler_3d.h"
#include "tests/unit/recording_canvas.h"
#include "tests/unit/test_support.h"

namespace orvanel {
void PrintTo(const IntRect& r, std::ostream* os) {
    *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}
}  // namespace orvanel

namespace orvanel::test {
namespace {

struct Line {
    double x1, y1, x2, y2;
    int depth;
    bool division, plain;
};

class RecordingRuler final : public CGoldenRuler {
public:
    RecordingRuler() : CGoldenRuler({0, 0, 1000, 1000}) {}
    void DrawLine(double x1, double y1, double x2, double y2, int nDepth, bool bDivision,
                  bool bPlain) override {
        lines.push_back({x1, y1, x2, y2, nDepth, bDivision, bPlain});
    }
    std::vector<Line> AtDepth(int depth) const {
        std::vector<Line> out;
        for (const Line& l : lines) {
            if (l.depth == depth) out.push_back(l);
        }
        return out;
    }
    std::vector<Line> lines;
};

// The rectangles drawn, in order, read back from their sides: each call
// draws top, bottom, left and right, with the cuts in between.
std::vector<GoldenRect> RectsOf(const std::vector<Line>& lines) {
    std::vector<Line> sides;
    for (const Line& l : lines) {
        if (!l.division) sides.push_back(l);
    }
    std::vector<GoldenRect> rects;
    for (std::size_t i = 0; i + 3 < sides.size(); i += 4) {
        rects.push_back({sides[i].y1, sides[i + 1].y1, sides[i + 3].x1, sides[i + 2].x1});
    }
    return rects;
}

const GoldenRect kSquare{0, 100, 100, 0};

TEST(GoldenRulerTest, ASquaresLevelZeroCutsAreHighlightedOverTheirMiddleSixtyTwoPercent) {
    RecordingRuler ruler;
    ruler.DrawGoldenRect(kSquare, 0, 0);
    const std::vector<Line> level0 = ruler.AtDepth(0);
    // Top, three pieces of the horizontal cut, bottom, left, right, three
    // pieces of the vertical cut.
    ASSERT_EQ(level0.size(), 10u);
    const double cut = 100 - kGoldenSection * 100;
    const Line& h = level0[2];
    EXPECT_TRUE(h.division && !h.plain);
    EXPECT_DOUBLE_EQ(h.y1, cut);
    EXPECT_NEAR(h.x2 - h.x1, 61.80339887, 1e-8);
    EXPECT_DOUBLE_EQ((h.x1 + h.x2) / 2, 50.0);
    EXPECT_TRUE(level0[1].plain && level0[3].plain);
    EXPECT_DOUBLE_EQ(level0[1].x1, 0.0);
    EXPECT_DOUBLE_EQ(level0[3].x2, 100.0);
    const Line& v = level0[8];
    EXPECT_TRUE(v.division && !v.plain);
    EXPECT_DOUBLE_EQ(v.x1, cut);
    EXPECT_NEAR(v.y2 - v.y1, 61.80339887, 1e-8);
    EXPECT_DOUBLE_EQ((v.y1 + v.y2) / 2, 50.0);
    // Exactly two highlighted pieces in the whole drawing.
    int highlighted = 0;
    for (const Line& l : ruler.lines) highlighted += !l.plain;
    EXPECT_EQ(highlighted, 2);
}

TEST(GoldenRulerTest, InARectangleTwiceAsWideTheVerticalCutIsHighlightedWhole) {
    RecordingRuler ruler;
    ruler.DrawGoldenRect({0, 100, 200, 0}, 0, 0);
    const std::vector<Line> level0 = ruler.AtDepth(0);
    ASSERT_EQ(level0.size(), 8u);
    const Line& h = level0[2];
    EXPECT_FALSE(h.plain);
    EXPECT_NEAR(h.x2 - h.x1, kGoldenSection * 100, 1e-9);
    EXPECT_DOUBLE_EQ((h.x1 + h.x2) / 2, 100.0);
    const Line& v = level0[7];
    EXPECT_TRUE(v.division && !v.plain);
    EXPECT_DOUBLE_EQ(v.x1, 200 - kGoldenSection * 200);
    EXPECT_DOUBLE_EQ(v.y1, 0.0);
    EXPECT_DOUBLE_EQ(v.y2, 100.0);
}

// Which corner of the square a part shares, or "" for none.
std::string CornerOf(const GoldenRect& r) {
    const bool top = r.top == 0, bottom = r.bottom == 100, left = r.left == 0,
               right = r.right == 100;
    if (top && bottom && left && right) return "whole";
    if (top && left) return "TL";
    if (top && right) return "TR";
    if (bottom && left) return "BL";
    if (bottom && right) return "BR";
    return "";
}

TEST(GoldenRulerTest, PartsFollowTheQuadrantOrderAndLevelTwoStaysInItsCorner) {
    RecordingRuler ruler;
    ruler.DrawGoldenRect(kSquare, 0, 0);
    const std::vector<GoldenRect> rects = RectsOf(ruler.lines);
    std::vector<std::string> corners;
    for (const GoldenRect& r : rects) corners.push_back(CornerOf(r));
    EXPECT_EQ(corners,
              (std::vector<std::string>{"whole", "TL", "TL", "BL", "BL", "BR", "BR", "TR", "TR"}));
    // Unflipped the top-left part is the smallest, the bottom-right the largest.
    EXPECT_NEAR(rects[1].right - rects[1].left, 100 * (1 - kGoldenSection), 1e-9);
    EXPECT_NEAR(rects[5].right - rects[5].left, 100 * kGoldenSection, 1e-9);
    for (const Line& l : ruler.lines) EXPECT_TRUE(l.plain || l.depth == 0);

    RecordingRuler one;
    one.DrawGoldenRect(kSquare, 1, 4);
    const std::vector<GoldenRect> only = RectsOf(one.lines);
    ASSERT_EQ(only.size(), 2u);
    EXPECT_EQ(CornerOf(only[1]), "BR");
}

TEST(GoldenRulerTest, TheFlipMovesTheSmallestPartToTheBottomRight) {
    RecordingRuler ruler;
    ruler.m_bFlip = true;
    ruler.DrawGoldenRect(kSquare, 0, 0);
    const std::vector<Line> level0 = ruler.AtDepth(0);
    EXPECT_DOUBLE_EQ(level0[2].y1, kGoldenSection * 100);
    EXPECT_DOUBLE_EQ(level0[8].x1, kGoldenSection * 100);
    const std::vector<GoldenRect> rects = RectsOf(ruler.lines);
    ASSERT_EQ(rects.size(), 9u);
    EXPECT_EQ(CornerOf(rects[1]), "TL");
    EXPECT_NEAR(rects[1].right - rects[1].left, 100 * kGoldenSection, 1e-9);
    EXPECT_EQ(CornerOf(rects[5]), "BR");
    EXPECT_NEAR(rects[5].right - rects[5].left, 100 * (1 - kGoldenSection), 1e-9);
}

// A canvas with text of fixed sizes: I 7 x 29, O 13 x 20, any other 6 per letter.
class RecordingRulerCanvas final : public RulerCanvas {
public:
    void SelectPen(const Pen& pen) override { calls.SelectPen(pen); }
    void SelectBrush(const Brush& brush) override { calls.SelectBrush(brush); }
    void SetBackgroundColour(Colour colour) override { calls.SetBackgroundColour(colour); }
    void MoveTo(int x, int y) override { calls.MoveTo(x, y); }
    void LineTo(int x, int y) override { calls.LineTo(x, y); }
    void Ellipse(int l, int t, int r, int b) override { calls.Ellipse(l, t, r, b); }
    void FillRect(int l, int t, int r, int b, Colour c) override { calls.FillRect(l, t, r, b, c); }
    TextSize TextExtent(std::string_view text, const RulerFont&) override {
        if (text == "I") return {7, 29};
        if (text == "O") return {13, 20};
        return {6 * static_cast<int>(text.size()), 13};
    }
    void TextOut(int x, int y, std::string_view text, const RulerFont& font,
                 Colour colour) override {
        texts.push_back(std::to_string(x) + " " + std::to_string(y) + " " + std::string(text) +
                        " " + std::to_string(font.pointTenths) + " " + std::to_string(colour));
    }
    RecordingCanvas calls;
    std::vector<std::string> texts;
};

TEST(GoldenRulerTest, PaintDrawsTheCutsInsideTheClientAreaAndThePhiButtonAtItsTopRight) {
    C3DGoldenRuler ruler({0, 0, 1000, 1000}, *DocFixture().doc);
    ruler.PlaceOver({100, 100, 300, 200});
    RecordingRulerCanvas canvas;
    ruler.Paint(canvas);
    const std::vector<std::string>& calls = canvas.calls.Calls();
    // The client area is 200 x 100; the golden rectangle keeps the thick
    // lines inside it: 1 .. 198 across, 1 .. 98 down.
    const auto first = std::find(calls.begin(), calls.end(), "bk #FFFFFF");
    ASSERT_NE(first, calls.end());
    const std::vector<std::string> start(first + 1, first + 5);
    EXPECT_EQ(start, (std::vector<std::string>{"pen solid 3 #000000", "move 1 1", "line 198 1",
                                               "pen solid 3 #000000"}));
    EXPECT_NE(std::find(calls.begin(), calls.end(), "pen solid 3 #00FF00"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "pen dot 1 #39A2CE"), calls.end());

    EXPECT_EQ(ruler.m_rcPhiBox, (IntRect{182, 3, 196, 32}));
    EXPECT_NE(std::find(calls.begin(), calls.end(), "fill 182 3 196 32 #E0E0E0"), calls.end());
    const std::string dot = std::to_string(kRulerDotColour);
    EXPECT_EQ(canvas.texts, (std::vector<std::string>{"4 -16 Phi Golden Ratio 90 16777215",
                                                      "183 7 O 120 " + dot, "187 3 I 180 " + dot}));
    // The caption bar above the client area.
    EXPECT_NE(std::find(calls.begin(), calls.end(), "fill 0 -18 200 0 #6A240A"), calls.end());
}

TEST(GoldenRulerTest, ANarrowCaptionIsCutWithAnEllipsis) {
    C3DGoldenRuler ruler({0, 0, 1000, 1000}, *DocFixture().doc);
    ruler.PlaceOver({0, 0, 60, 60});
    RecordingRulerCanvas canvas;
    ruler.Paint(canvas);
    ASSERT_FALSE(canvas.texts.empty());
    EXPECT_EQ(canvas.texts[0], "4 -16 Phi G... 90 16777215");
}

class GoldenRulerFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ruler.SetWindowRect({100, 100, 300, 250});
        ruler.Show();
        RecordingRulerCanvas canvas;
        ruler.Paint(canvas);
    }
    DocFixture g;
    C3DGoldenRuler ruler{{0, 0, 1000, 1000}, *g};
};

TEST_F(GoldenRulerFrameTest, EveryPartOfTheFrameIsFoundWhereItIs) {
    EXPECT_EQ(ruler.ClientRect(), (IntRect{104, 122, 296, 246}));
    // The Phi button: 174 .. 188 by 3 .. 32 in the client, edges included.
    const struct {
        IntPoint p;
        RulerPart part;
    } cases[] = {
        {{50, 50}, RulerPart::None},          {{300, 200}, RulerPart::None},
        {{200, 200}, RulerPart::Client},      {{278, 125}, RulerPart::PhiButton},
        {{292, 154}, RulerPart::PhiButton},   {{293, 154}, RulerPart::Client},
        {{277, 140}, RulerPart::Client},      {{200, 110}, RulerPart::Caption},
        {{104, 121}, RulerPart::Caption},     {{101, 180}, RulerPart::Left},
        {{298, 180}, RulerPart::Right},       {{200, 101}, RulerPart::Top},
        {{200, 248}, RulerPart::Bottom},      {{101, 101}, RulerPart::TopLeft},
        {{121, 101}, RulerPart::TopLeft},     {{122, 101}, RulerPart::Top},
        {{101, 121}, RulerPart::TopLeft},     {{101, 122}, RulerPart::Left},
        {{299, 101}, RulerPart::TopRight},    {{101, 249}, RulerPart::BottomLeft},
        {{299, 249}, RulerPart::BottomRight}, {{280, 248}, RulerPart::BottomRight},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ruler.HitTest(c.p), c.part) << c.p.x << ", " << c.p.y;
    }
    ruler.Hide();
    EXPECT_EQ(ruler.HitTest({200, 200}), RulerPart::None);
}

TEST_F(GoldenRulerFrameTest, ThePhiButtonMirrorsTheCutsAndUpdatesBothViews) {
    const int updates = g.view.updates;
    EXPECT_FALSE(ruler.PressPhiButton({200, 200}));
    EXPECT_FALSE(ruler.m_bFlip);
    EXPECT_TRUE(ruler.PressPhiButton({285, 140}));
    EXPECT_TRUE(ruler.m_bFlip);
    EXPECT_EQ(g.view.updates, updates + 1);
    EXPECT_TRUE(ruler.PressPhiButton({285, 140}));
    EXPECT_FALSE(ruler.m_bFlip);
}

TEST(GoldenRulerDragTest, SizingKeepsTheCentreAndMovingKeepsTheSize) {
    const IntRect w{100, 100, 300, 300};
    const struct {
        RulerPart part;
        IntPoint to;  // from (200, 200)
        IntRect expected;
    } cases[] = {
        // A left-border drag of 20 pixels widens it by 40.
        {RulerPart::Left, {180, 200}, {80, 100, 320, 300}},
        {RulerPart::Right, {215, 200}, {85, 100, 315, 300}},
        {RulerPart::TopLeft, {190, 195}, {90, 95, 310, 300}},
        {RulerPart::BottomRight, {210, 207}, {90, 100, 310, 307}},
        {RulerPart::BottomLeft, {205, 190}, {105, 100, 295, 290}},
        {RulerPart::Top, {230, 230}, {100, 130, 300, 300}},
        {RulerPart::Bottom, {200, -100}, {100, 100, 300, 127}},
        {RulerPart::Top, {200, 500}, {100, 273, 300, 300}},
        // Past the centre it stops at the least width, still centred.
        {RulerPart::Left, {350, 200}, {144, 100, 256, 300}},
        {RulerPart::Right, {50, 200}, {144, 100, 256, 300}},
        {RulerPart::Caption, {205, 193}, {105, 93, 305, 293}},
        {RulerPart::Client, {205, 193}, {100, 100, 300, 300}},
    };
    for (const auto& c : cases) {
        const RulerDrag drag(c.part, w, {200, 200});
        EXPECT_EQ(drag.RectAt(c.to), c.expected) << static_cast<int>(c.part);
    }
}

void DeletePointAt(CTavrinEditorDoc& doc, int x, int y) {
    ASSERT_NE(doc.HitTestMenuPoint(x, y), nullptr);
    doc.DeleteMenuPoint();
}

class GoldenRulerCommandTest : public ::testing::Test {
protected:
    DocFixture g;
    const IntRect view{0, 400, 600, 1000};
};

TEST_F(GoldenRulerCommandTest, TwoPointsFitTheRulerToTheirBoxMirroredLeftOfTheAxis) {
    AddPoints(*g, {{100, 200}, {300, 600}});
    const int updates = g.view.updates;
    ToggleGoldenRuler(*g, view);
    ASSERT_NE(g->m_pGoldenRuler, nullptr);
    const C3DGoldenRuler& ruler = *g->m_pGoldenRuler;
    EXPECT_TRUE(ruler.IsVisible());
    EXPECT_EQ(ruler.ClientRect(), (IntRect{-300, 200, 300, 600}));
    EXPECT_EQ(ruler.WindowRect(), (IntRect{-304, 178, 304, 604}));
    EXPECT_EQ(g.view.updates, updates + 1);

    ToggleGoldenRuler(*g, view);
    EXPECT_FALSE(ruler.IsVisible());
    EXPECT_EQ(g.view.updates, updates + 2);
}

TEST_F(GoldenRulerCommandTest, TheFitMirrorsAboutTheAxisWhereverTheViewIsScrolled) {
    AddPoints(*g, {{400, 200}, {700, 600}, {500, 650}});
    ToggleGoldenRuler(*g, {300, 100, 900, 700});
    EXPECT_EQ(g->m_pGoldenRuler->ClientRect(), (IntRect{-700, 200, 700, 650}));
}

TEST_F(GoldenRulerCommandTest, DownToOnePointTheCommandHidesTheRulerAndShowsItUnfitted) {
    AddPoints(*g, {{100, 200}, {300, 600}});
    ToggleGoldenRuler(*g, view);
    DeletePointAt(*g, 300, 600);
    ASSERT_EQ(g->GetPointCount(), 1);
    ToggleGoldenRuler(*g, view);
    EXPECT_FALSE(g->m_pGoldenRuler->IsVisible());
    // Showing it again leaves it where it was.
    ToggleGoldenRuler(*g, {0, 0, 100, 100});
    EXPECT_TRUE(g->m_pGoldenRuler->IsVisible());
    EXPECT_EQ(g->m_pGoldenRuler->ClientRect(), (IntRect{-300, 200, 300, 600}));
}

TEST_F(GoldenRulerCommandTest, MadeWithoutAFitItCoversTheMiddleOfTheView) {
    AddPoints(*g, {{100, 200}});
    ToggleGoldenRuler(*g, view);
    EXPECT_EQ(g->m_pGoldenRuler->WindowRect(), (IntRect{30, 430, 570, 970}));
}

TEST_F(GoldenRulerCommandTest, FileNewHidesTheRuler) {
    AddPoints(*g, {{100, 200}, {300, 600}});
    ToggleGoldenRuler(*g, view);
    g->OnNewDocument();
    ASSERT_NE(g->m_pGoldenRuler, nullptr);
    EXPECT_FALSE(g->m_pGoldenRuler->IsVisible());
}

// --- 3D

struct RecordedLine {
    Colour colour;
    LineVertex from, to;
};

class RecordingRulerSink final : public RulerLineSink {
public:
    void BeginList(unsigned& listName) override {
        if (listName == 0) listName = 7;
        ++begins;
        lines.clear();
    }
    void Colour(float r, float g, float b) override {
        colour = Rgb(static_cast<std::uint8_t>(std::lround(r * 255)),
                     static_cast<std::uint8_t>(std::lround(g * 255)),
                     static_cast<std::uint8_t>(std::lround(b * 255)));
        ++colours;
    }
    void Line(const LineVertex& from, const LineVertex& to) override {
        lines.push_back({colour, from, to});
    }
    void EndList() override { ++ends; }
    int begins = 0, ends = 0, colours = 0;
    orvanel::Colour colour = 0;
    std::vector<RecordedLine> lines;
};

class GoldenRuler3DTest : public ::testing::Test {
protected:
    void SetUp() override { ruler.SetExtents(-1, 1, -0.5, 0.5, -0.8, 0.8); }
    DocFixture g;
    C3DGoldenRuler ruler{{0, 0, 1000, 1000}, *g};
    RecordingRulerSink sink;
};

TEST_F(GoldenRuler3DTest, FourFacesCarryTheCutsInTheirColoursWithoutTheSidesOfLevelsOneAndTwo) {
    ruler.BuildList(sink);
    EXPECT_EQ(ruler.m_nList, 7u);
    EXPECT_EQ(sink.begins, 1);
    EXPECT_EQ(sink.ends, 1);
    // Level 0 has 4 sides and its 2 cuts: on the 2 x 1.6 faces both cuts in
    // 3 pieces, on the 2 x 1 faces the vertical one whole. Levels 1 and 2
    // only their 2 cuts in each of 4 parts. Every line goes on both faces.
    ASSERT_EQ(sink.lines.size(), 2u * ((10 + 8 + 8) + (8 + 8 + 8)));
    EXPECT_EQ(sink.colours, 26 + 24);
    std::map<Colour, int> byColour;
    for (const RecordedLine& l : sink.lines) ++byColour[l.colour];
    EXPECT_EQ(byColour[kRuler3DHighlightColour], 2 * (2 + 2));
    EXPECT_EQ(byColour[kRuler3DPlainColour], 2 * (8 + 6));
    EXPECT_EQ(byColour[kRuler3DDivisionColour], 2 * (16 + 16));

    // The top side, on the faces at y = -0.5 and y = 0.5 with the 2D y along z.
    const LineVertex a{-1, -0.5f, 0.8f}, b{1, -0.5f, 0.8f};
    EXPECT_EQ(sink.lines[0].from, a);
    EXPECT_EQ(sink.lines[0].to, b);
    EXPECT_EQ(sink.lines[1].from, (LineVertex{-1, 0.5f, 0.8f}));
    // Then on the faces at z = -0.8 and z = 0.8 with the 2D y along y.
    EXPECT_EQ(sink.lines[52].from, (LineVertex{-1, 0.5f, -0.8f}));
    EXPECT_EQ(sink.lines[52].to, (LineVertex{1, 0.5f, -0.8f}));
    EXPECT_EQ(sink.lines[53].from, (LineVertex{-1, 0.5f, 0.8f}));
    // No line of levels 1 and 2 lies along the box's edge.
    for (const RecordedLine& l : sink.lines) {
        if (l.colour != kRuler3DDivisionColour) continue;
        EXPECT_FALSE(l.from.x == l.to.x && std::fabs(l.from.x) == 1.0f);
    }

    ruler.BuildList(sink);
    EXPECT_EQ(ruler.m_nList, 7u);
    EXPECT_EQ(sink.begins, 2);
}

TEST_F(GoldenRuler3DTest, TheFlipTurnsTheLinesHalfRoundInEachFace) {
    ruler.BuildList(sink);
    const std::vector<RecordedLine> before = sink.lines;
    ruler.m_bFlip = true;
    ruler.BuildList(sink);
    ASSERT_EQ(sink.lines.size(), before.size());
    const auto near = [](const LineVertex& p, const LineVertex& q) {
        return std::fabs(p.x - q.x) < 1e-6 && std::fabs(p.y - q.y) < 1e-6 &&
               std::fabs(p.z - q.z) < 1e-6;
    };
    for (std::size_t i = 0; i < before.size(); ++i) {
        // Plane 1 carries the 2D y in z, plane 2 in y: both 2D axes turn.
        const bool plane1 = i < 52;
        const auto turned = [plane1](LineVertex v) {
            v.x = -v.x;
            if (plane1)
                v.z = -v.z;
            else
                v.y = -v.y;
            return v;
        };
        const RecordedLine& l = before[i];
        const bool found = std::any_of(sink.lines.begin(), sink.lines.end(), [&](const auto& m) {
            return m.colour == l.colour &&
                   ((near(m.from, turned(l.from)) && near(m.to, turned(l.to))) ||
                    (near(m.from, turned(l.to)) && near(m.to, turned(l.from))));
        });
        EXPECT_TRUE(found) << "line " << i;
    }
}

TEST_F(GoldenRuler3DTest, TheMeshBuildFeedsTheRulerAndAnEmptyMeshKeepsItsList) {
    RecordingRulerSink rulerSink;
    class NullMeshSink final : public MeshSink {
        void BeginList() override {}
        void QuadStrip(const MeshVertex*, std::size_t) override {}
        void EndList() override {}
    } meshSink;
    AddPoints(*g, {{10, 200}, {50, 180}, {80, 100}, {60, 20}, {40, 5}});
    // No ruler yet: nothing reaches its sink.
    g->BuildPreviewList(meshSink, rulerSink, nullptr);
    EXPECT_EQ(rulerSink.begins, 0);

    ToggleGoldenRuler(*g, {0, 0, 600, 600});
    const std::optional<MeshExtents> extents = g->BuildPreviewList(meshSink, rulerSink, nullptr);
    ASSERT_TRUE(extents.has_value());
    EXPECT_EQ(rulerSink.begins, 1);
    const LineVertex corner{static_cast<float>(extents->xMin), static_cast<float>(extents->yMin),
                            static_cast<float>(-extents->zMin)};
    EXPECT_EQ(rulerSink.lines[0].from, corner);

    DeletePointAt(*g, 10, 200);
    DeletePointAt(*g, 50, 180);
    ASSERT_EQ(g->GetPointCount(), 3);
    EXPECT_FALSE(g->BuildPreviewList(meshSink, rulerSink, nullptr).has_value());
    EXPECT_EQ(rulerSink.begins, 1);
    EXPECT_EQ(rulerSink.lines[0].from, corner);
}

}  // namespace
}  // namespace orvanel::test
