// Catmull-Rom sampling: the windows, the stepping, the roundings, the hit test.
#include <gtest/gtest.h>

#include <climits>

#include "editor/curve.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

using Samples = std::vector<XY>;

// A free-standing list, for the walk.
struct List {
    std::unique_ptr<ProfilePoint> head;
    ProfilePoint* tail = nullptr;
    explicit List(std::initializer_list<XY> points, std::initializer_list<int> anchors = {}) {
        int index = 0;
        for (const XY& p : points) {
            auto node = std::make_unique<ProfilePoint>(p.x, p.y);
            node->bAnchor = std::find(anchors.begin(), anchors.end(), index++) != anchors.end();
            node->pPrev = tail;
            ProfilePoint* raw = node.get();
            (tail ? tail->pNext : head) = std::move(node);
            tail = raw;
        }
    }
    int IndexOf(const ProfilePoint* p) const {
        int i = 0;
        for (const ProfilePoint* q = head.get(); q; q = q->Next(), ++i) {
            if (q == p) return i;
        }
        return -1;
    }
};

std::vector<std::array<int, 4>> Windows(const List& list, bool closed, WalkDirection dir) {
    std::vector<std::array<int, 4>> windows;
    ForEachCurveSegment(list.head.get(), list.tail, closed, dir, [&](const CurveWindow& w) {
        windows.push_back(
            {list.IndexOf(w.a), list.IndexOf(w.b), list.IndexOf(w.c), list.IndexOf(w.d)});
    });
    return windows;
}

TEST(CurveWalkTest, WindowsOfOpenAndClosedProfilesInBothDirections) {
    using W = std::vector<std::array<int, 4>>;
    const List one({{0, 0}}), three({{0, 0}, {1, 1}, {2, 2}}),
        four({{0, 0}, {1, 1}, {2, 2}, {3, 3}}), five({{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}});
    EXPECT_EQ(Windows(List({}), false, WalkDirection::FromHead), W{});
    EXPECT_EQ(Windows(one, false, WalkDirection::FromHead), W{});
    EXPECT_EQ(Windows(three, false, WalkDirection::FromHead), W{});
    EXPECT_EQ(Windows(four, false, WalkDirection::FromHead), (W{{0, 1, 2, 3}}));
    EXPECT_EQ(Windows(five, false, WalkDirection::FromHead), (W{{0, 1, 2, 3}, {1, 2, 3, 4}}));
    EXPECT_EQ(Windows(five, false, WalkDirection::FromTail), (W{{4, 3, 2, 1}, {3, 2, 1, 0}}));
    EXPECT_EQ(Windows(three, true, WalkDirection::FromHead),
              (W{{0, 1, 2, 0}, {1, 2, 0, 1}, {2, 0, 1, 2}}));
    EXPECT_EQ(Windows(three, true, WalkDirection::FromTail),
              (W{{2, 1, 0, 2}, {1, 0, 2, 1}, {0, 2, 1, 0}}));
    EXPECT_EQ(Windows(four, true, WalkDirection::FromHead),
              (W{{0, 1, 2, 3}, {1, 2, 3, 0}, {2, 3, 0, 1}, {3, 0, 1, 2}}));
}

Samples Sample(SegmentControls s, const CurveSampling& p) {
    Samples out;
    SampleCurveSegment(s, p, [&](const CurveSample& c) {
        out.push_back({static_cast<int>(c.x), static_cast<int>(c.y)});
    });
    return out;
}

const SegmentControls kExample{{0, 100}, {10, 50}, {40, 40}, {60, 0}, false};

TEST(CurveSampleTest, TheWorkedExampleForEachRounding) {
    EXPECT_EQ(Sample(kExample, CurveSampling::EditorDrawing(4, 1.0)),
              (Samples{{16, 45}, {24, 44}, {32, 43}, {40, 40}}));
    EXPECT_EQ(Sample(kExample, CurveSampling::DragPreview(4)),
              (Samples{{16, 45}, {24, 44}, {32, 43}, {40, 40}}));
    EXPECT_EQ(Sample(kExample, CurveSampling::HitTest(4)),
              (Samples{{16, 45}, {24, 44}, {33, 44}, {40, 40}}));
    // Single precision with h = 1/4 is exact here.
    std::vector<std::pair<double, double>> exact;
    SampleCurveSegment(kExample, CurveSampling::PreviewMesh(4),
                       [&](const CurveSample& c) { exact.emplace_back(c.x, c.y); });
    EXPECT_EQ(exact,
              (std::vector<std::pair<double, double>>{
                  {16.328125, 45.390625}, {24.375, 44.375}, {32.734375, 43.671875}, {40, 40}}));
}

TEST(CurveSampleTest, TenEditorStepsEndOneUnitShortInY) {
    EXPECT_EQ(Sample(kExample, CurveSampling::EditorDrawing(10, 1.0)), (Samples{{12, 47},
                                                                                {14, 45},
                                                                                {17, 45},
                                                                                {21, 44},
                                                                                {24, 44},
                                                                                {27, 44},
                                                                                {31, 43},
                                                                                {34, 43},
                                                                                {37, 42},
                                                                                {40, 39}}));
}

TEST(CurveSampleTest, TheEditorScaleMultipliesTheRunningPosition) {
    // At scale 2 the samples are twice the unscaled running position, truncated.
    const Samples scaled = Sample(kExample, CurveSampling::EditorDrawing(4, 2.0));
    EXPECT_EQ(scaled, (Samples{{32, 90}, {48, 88}, {65, 87}, {80, 80}}));
}

TEST(CurveSampleTest, AnchorsStepsAndDegenerateStepCounts) {
    SegmentControls anchored = kExample;
    anchored.anchored = true;
    struct Case {
        const char* what;
        SegmentControls controls;
        CurveSampling sampling;
        Samples expected;
    };
    const Case cases[] = {
        {"anchor under the rule: the chord",
         anchored,
         CurveSampling::EditorDrawing(10, 1.0),
         {{40, 40}}},
        {"anchor without the rule: a curve",
         anchored,
         CurveSampling::DragPreview(4),
         {{16, 45}, {24, 44}, {32, 43}, {40, 40}}},
        {"one step is the chord", kExample, CurveSampling::HitTest(1), {{40, 40}}},
        {"zero steps: nothing", kExample, CurveSampling::EditorDrawing(0, 1.0), {}},
        {"negative steps: nothing", kExample, CurveSampling::HitTest(-3), {}},
        {"zero steps but anchored: the chord", anchored, CurveSampling::HitTest(0), {{40, 40}}},
        {"collinear, evenly spaced",
         {{0, 0}, {10, 20}, {20, 40}, {30, 60}, false},
         CurveSampling::EditorDrawing(5, 1.0),
         {{12, 24}, {14, 28}, {16, 32}, {18, 36}, {20, 40}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Sample(c.controls, c.sampling), c.expected) << c.what;
}

TEST(CurveSampleTest, CoordinatesFarBeyondTheEditorDoNotOverflow) {
    // Each combination here exceeds 32 bits; in 64 they are exact.
    const SegmentControls far{{0, 0}, {INT_MAX, INT_MAX}, {INT_MAX, 0}, {0, INT_MAX}, false};
    const CubicCoefficients c = CatmullRomCoefficients(0, INT_MAX, INT_MAX, 0);
    EXPECT_FLOAT_EQ(c.a3, 0.0f);
    EXPECT_FLOAT_EQ(c.a2, -static_cast<float>(INT_MAX) * 0.5f);
    std::vector<CurveSample> samples;
    SampleCurveSegment(far, CurveSampling::HitTest(4),
                       [&](const CurveSample& s) { samples.push_back(s); });
    ASSERT_EQ(samples.size(), 4u);
    EXPECT_NEAR(samples.back().x, INT_MAX, 512);
    EXPECT_NEAR(samples.back().y, 0, 512);
    for (const CurveSample& s : samples) EXPECT_GE(s.x, 0.9 * INT_MAX);
    // Small values give the same as a plain 32-bit formula.
    const CubicCoefficients small = CatmullRomCoefficients(0, 10, 40, 60);
    EXPECT_EQ(small.a3, -15.0f);
    EXPECT_EQ(small.a2, 25.0f);
    EXPECT_EQ(small.a1, 20.0f);
}

TEST(NearChordTest, HeronsTestAgainstTheChordAndItsEnds) {
    struct Case {
        XY probe;
        bool near;
    };
    for (Case c : {Case{{50, 4}, true}, Case{{50, 6}, false}, Case{{50, -4}, true},
                   Case{{103, 0}, false}, Case{{-2, 0}, false}, Case{{98, 3}, true}}) {
        EXPECT_EQ(IsNearChord({0, 0}, {100, 0}, {c.probe.x, c.probe.y}), c.near)
            << c.probe.x << "," << c.probe.y;
    }
    EXPECT_FALSE(IsNearChord({7, 7}, {7, 7}, {7, 7}));  // a chord of no length
}

class HitTestCurveTest : public ::testing::Test {
protected:
    DocFixture f;
    CTavrinEditorDoc& doc = *f;
    int CurrentIndex() const {
        const auto points = PointersOf(doc);
        return static_cast<int>(std::find(points.begin(), points.end(), doc.GetCurrent()) -
                                points.begin());
    }
};

TEST_F(HitTestCurveTest, TwoPointsTestOnlyTheirChord) {
    AddPoints(doc, {{0, 0}, {100, 0}});
    EXPECT_FALSE(doc.HitTestCurve(103, 0));
    EXPECT_EQ(doc.GetCurrent(), nullptr);
    EXPECT_TRUE(doc.HitTestCurve(50, 4));
    EXPECT_EQ(CurrentIndex(), 1);
}

TEST_F(HitTestCurveTest, ThreeOpenPointsTestTheTwoEndChords) {
    AddPoints(doc, {{0, 0}, {100, 0}, {100, 100}});
    EXPECT_TRUE(doc.HitTestCurve(100, 50));
    EXPECT_EQ(CurrentIndex(), 2);  // the tail chord makes the tail current
    EXPECT_TRUE(doc.HitTestCurve(50, 1));
    EXPECT_EQ(CurrentIndex(), 1);
    EXPECT_FALSE(doc.HitTestCurve(50, 50));  // there is no inner segment
}

TEST_F(HitTestCurveTest, InnerSegmentsMakeTheirEndPointCurrent) {
    // P2 -> P3 dips to y = -3 near x = 250, above the editor's top edge.
    AddPoints(doc, {{0, 50}, {100, 0}, {200, 0}, {300, 0}, {400, 50}});
    ASSERT_TRUE(doc.HitTestCurve(250, -2));
    EXPECT_EQ(CurrentIndex(), 3);
    doc.InsertPointBeforeCurrent(250, -2);
    EXPECT_EQ(PointsOf(doc)[3], (XY{250, 0}));
}

TEST_F(HitTestCurveTest, AnchoredSegmentsAreTestedAsTheirChord) {
    AddPoints(doc, {{0, 0}, {100, 100}, {200, 0}, {300, 100}});
    // The curve P1 -> P2 bulges away from the straight line; its chord does not.
    doc.SetModifiedFlag(false);
    const bool onCurveBefore = doc.HitTestCurve(150, 50);
    doc.ToggleAnchor(PointAt(doc, 1));
    EXPECT_TRUE(doc.HitTestCurve(150, 50));
    EXPECT_EQ(CurrentIndex(), 2);
    EXPECT_FALSE(onCurveBefore);
}

TEST_F(HitTestCurveTest, InsertingOnTheClosingSegmentMakesANewHead) {
    AddPoints(doc, {{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    for (const ProfilePoint* p : PointersOf(doc)) doc.ToggleAnchor(p);  // straight sides
    ASSERT_TRUE(doc.HitTestCurve(0, 50));  // the closing segment P3 -> P0
    EXPECT_EQ(doc.GetCurrent(), doc.GetHead());
    doc.InsertPointBeforeCurrent(0, 50);
    EXPECT_EQ(PointsOf(doc).front(), (XY{0, 50}));
    EXPECT_TRUE(ListIsSound(doc));
}

}  // namespace
}  // namespace orvanel::test
