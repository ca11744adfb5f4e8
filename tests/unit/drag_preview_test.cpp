// The single-point drag preview: the window around the dragged point and the
// pieces each preview step erases and draws.
#include "editor/drag_preview.h"

#include <gtest/gtest.h>

#include <functional>

#include "editor/curve.h"
#include "tests/support/test_doubles.h"
#include "tests/unit/recording_canvas.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

// --- PrepareNodeMove

struct WindowCase {
    int n;
    bool closed;
    int current;                // index of the dragged point
    std::vector<int> expected;  // indexes of W1 ... in the list
    int k;
};

// Point i lies at (10 i + 100, 10 i + 200), so that every hit is unambiguous.
XY PointOf(int i) { return {10 * i + 100, 10 * i + 200}; }

TEST(PrepareNodeMoveTest, EveryRowOfTheWindowTable) {
    const WindowCase cases[] = {
        {1, false, 0, {0}, 1},
        {2, false, 0, {0, 1}, 1},
        {2, false, 1, {0, 1}, 2},
        {3, false, 0, {0, 1, 2}, 1},
        {3, true, 1, {0, 1, 2}, 2},  // closed or not, the whole list from the head
        {3, false, 2, {0, 1, 2}, 3},
        {4, false, 0, {0, 1, 2, 3}, 1},
        {4, true, 1, {0, 1, 2, 3}, 2},
        {4, false, 2, {0, 1, 2, 3}, 3},
        {4, true, 3, {0, 1, 2, 3}, 4},
        {7, true, 6, {4, 5, 6, 0, 1}, 3},  // tail
        {7, false, 6, {2, 3, 4, 5, 6}, 5},
        {7, true, 5, {3, 4, 5, 6, 0}, 3},  // second to last
        {7, false, 5, {2, 3, 4, 5, 6}, 4},
        {7, true, 0, {5, 6, 0, 1, 2}, 3},  // head
        {7, false, 0, {0, 1, 2, 3, 4}, 1},
        {7, true, 1, {6, 0, 1, 2, 3}, 3},  // second
        {7, false, 1, {0, 1, 2, 3, 4}, 2},
        {7, true, 3, {1, 2, 3, 4, 5}, 3},  // elsewhere
        {7, false, 3, {1, 2, 3, 4, 5}, 3},
        {5, false, 2, {0, 1, 2, 3, 4}, 3},
        {5, true, 3, {1, 2, 3, 4, 0}, 3},
        {5, false, 3, {0, 1, 2, 3, 4}, 4},
    };
    for (const WindowCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.n << " points, closed " << c.closed << ", point " << c.current);
        DocFixture f;
        for (int i = 0; i < c.n; ++i) f->AppendPoint(PointOf(i).x, PointOf(i).y);
        if (c.closed) f->ToggleClosed();
        ASSERT_TRUE(f->HitTestPoint(PointOf(c.current).x, PointOf(c.current).y));
        DragWindow w;
        PrepareNodeMove(*f, w);
        EXPECT_EQ(w.m_nWindowIndex, c.k);
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const XY expected = PointOf(c.expected[i]);
            EXPECT_EQ(w.m_ptWindow[i], (IntPoint{expected.x, expected.y})) << "W" << i + 1;
        }
    }
}

TEST(PrepareNodeMoveTest, WithoutACurrentPointTheWindowStaysAsItWas) {
    DocFixture f;
    AddPoints(*f, {{1, 1}, {2, 2}});
    DragWindow w;
    w.m_ptWindow[0] = {7, 7};
    w.m_nWindowIndex = 4;
    const DragWindow before = w;
    PrepareNodeMove(*f, w);
    EXPECT_EQ(w, before);
}

// --- disegnaspostnodo

using Calls = std::vector<std::string>;

std::string At(IntPoint p) { return std::to_string(p.x) + " " + std::to_string(p.y); }

// The expected calls of one preview row, in the row's own words. With one
// curve step a segment is its chord, which keeps the rows readable.
class Row {
public:
    Row(const DragWindow& w, IntPoint p) : m_before(w), m_after(w), m_p(p) {
        m_after.W(w.m_nWindowIndex) = p;
        m_calls.push_back("bk #FFFFFF");
    }
    IntPoint W(int i) const { return m_before.W(i); }
    IntPoint P() const { return m_p; }
    Row& Erase(std::initializer_list<IntPoint> through) {
        return Polyline("pen solid 2 #FFFFFF", through);
    }
    Row& Dotted(std::initializer_list<IntPoint> through) {
        return Polyline("pen dot 1 #80FF00", through);
    }
    Row& Segments(int count) {
        Chords("pen solid 2 #FFFFFF", m_before, count);
        Chords("pen solid 2 #000000", m_after, count);
        return *this;
    }
    const Calls& Get() const { return m_calls; }

private:
    Row& Polyline(const char* pen, std::initializer_list<IntPoint> through) {
        m_calls.push_back(pen);
        bool first = true;
        for (IntPoint q : through) {
            m_calls.push_back((first ? "move " : "line ") + At(q));
            first = false;
        }
        return *this;
    }
    void Chords(const char* pen, const DragWindow& w, int count) {
        m_calls.push_back(pen);
        m_calls.push_back("bk #FFFFFF");
        for (int first = 1; first <= count; ++first) {
            m_calls.push_back("move " + At(w.W(first + 1)));
            m_calls.push_back("line " + At(w.W(first + 2)));
        }
    }

    DragWindow m_before, m_after;
    IntPoint m_p;
    Calls m_calls;
};

DragWindow WindowAt(int k) {
    DragWindow w;
    w.m_ptWindow = {IntPoint{10, 10}, {20, 30}, {40, 20}, {60, 50}, {80, 30}};
    w.m_nWindowIndex = k;
    return w;
}

DragPreviewStyle OneStep() {
    DragPreviewStyle style;
    style.nEditorSteps = 1;
    return style;
}

TEST(NodeMoveTest, EveryRowOfThePreviewTable) {
    const IntPoint p{99, 98};
    struct Case {
        int n;
        int k;
        std::function<void(Row&)> row;
    };
    const Case cases[] = {
        {2, 1,
         [](Row& r) {
             r.Erase({r.W(2), r.W(1)}).Dotted({r.W(2), r.P()});
         }},
        {2, 2,
         [](Row& r) {
             r.Erase({r.W(1), r.W(2)}).Dotted({r.W(1), r.P()});
         }},
        {3, 1,
         [](Row& r) {
             r.Erase({r.W(2), r.W(1)}).Dotted({r.W(2), r.P()});
         }},
        {3, 2,
         [](Row& r) {
             r.Erase({r.W(1), r.W(2), r.W(3)}).Dotted({r.W(1), r.P(), r.W(3)});
         }},
        {3, 3,
         [](Row& r) {
             r.Erase({r.W(2), r.W(3)}).Dotted({r.W(2), r.P()});
         }},
        {4, 1,
         [](Row& r) {
             r.Erase({r.W(2), r.W(1)}).Dotted({r.W(2), r.P()});
         }},
        {4, 2,
         [](Row& r) {
             r.Erase({r.W(2), r.W(1)}).Dotted({r.W(1), r.P()}).Segments(1);
         }},
        {4, 3,
         [](Row& r) {
             r.Erase({r.W(3), r.W(4)}).Dotted({r.W(4), r.P()}).Segments(1);
         }},
        {4, 4,
         [](Row& r) {
             r.Erase({r.W(3), r.W(4)}).Dotted({r.W(3), r.P()});
         }},
        {5, 1,
         [](Row& r) {
             r.Erase({r.W(2), r.W(1)}).Dotted({r.W(2), r.P()}).Segments(2);
         }},
        {5, 2,
         [](Row& r) {
             r.Erase({r.W(2), r.W(1)}).Dotted({r.W(1), r.P()}).Segments(2);
         }},
        {5, 3, [](Row& r) { r.Segments(2); }},
        {9, 3, [](Row& r) { r.Segments(2); }},
        {5, 4,
         [](Row& r) {
             r.Erase({r.W(4), r.W(5)}).Dotted({r.W(5), r.P()}).Segments(2);
         }},
        {5, 5,
         [](Row& r) {
             r.Erase({r.W(4), r.W(5)}).Dotted({r.W(4), r.P()}).Segments(2);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "n = " << c.n << ", k = " << c.k);
        DragWindow w = WindowAt(c.k);
        Row expected(w, p);
        c.row(expected);
        RecordingCanvas canvas;
        RecordingPrompter prompter;
        EXPECT_TRUE(disegnaspostnodo(canvas, w, c.n, p, OneStep(), prompter));
        EXPECT_EQ(canvas.Calls(), expected.Get());
        DragWindow moved = WindowAt(c.k);
        moved.W(c.k) = p;
        EXPECT_EQ(w, moved);
        EXPECT_TRUE(prompter.Entries().empty());
    }
}

TEST(NodeMoveTest, TheOnlyPointMovesAsAGreyDotAndTheOldOneIsWipedInWhite) {
    DragPreviewStyle style;
    style.clrBackground = 0x202020;  // whatever the editor's colours
    for (int k : {1, 0}) {
        DragWindow w = WindowAt(k);
        RecordingCanvas canvas;
        RecordingPrompter prompter;
        EXPECT_TRUE(disegnaspostnodo(canvas, w, 1, {50, 60}, style, prompter));
        EXPECT_EQ(canvas.Calls(),
                  (Calls{"bk #202020", "brush #FFFFFF", "pen solid 1 #FFFFFF", "ellipse 7 7 13 13",
                         "pen solid 1 #000000", "brush #808080", "ellipse 47 57 53 63"}));
        EXPECT_EQ(w.W(1), (IntPoint{50, 60}));
    }
}

TEST(NodeMoveTest, AnEmptyProfileDrawsNothing) {
    DragWindow w = WindowAt(1);
    RecordingCanvas canvas;
    RecordingPrompter prompter;
    EXPECT_TRUE(disegnaspostnodo(canvas, w, 0, {50, 60}, OneStep(), prompter));
    EXPECT_TRUE(canvas.Calls().empty());
    EXPECT_EQ(w, WindowAt(1));
}

TEST(NodeMoveTest, AnIndexThatDoesNotFitIsReportedAndNothingIsDrawn) {
    const struct {
        int n, k;
        const char* message;
    } cases[] = {
        {2, 0, "   Error in function disegnaspostnodo()!\nCase 2"},
        {2, 3, "   Error in function disegnaspostnodo()!\nCase 2"},
        {3, 4, "   Error in function disegnaspostnodo()!\nCase 3"},
        {4, 0, "   Error in function disegnaspostnodo()!\nCase 4"},
        {4, 5, "   Error in function disegnaspostnodo()!\nCase 4"},
        {5, 6, "   Error in function disegnaspostnodo()!\nCase 5"},
        {12, 0, "   Error in function disegnaspostnodo()!\nCase 5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "n = " << c.n << ", k = " << c.k);
        DragWindow w = WindowAt(c.k);
        RecordingCanvas canvas;
        RecordingPrompter prompter;
        EXPECT_FALSE(disegnaspostnodo(canvas, w, c.n, {1, 1}, OneStep(), prompter));
        EXPECT_TRUE(canvas.Calls().empty());
        EXPECT_EQ(w, WindowAt(c.k));
        ASSERT_EQ(prompter.Entries().size(), 1u);
        EXPECT_EQ(prompter.Entries()[0].text, c.message);
        EXPECT_EQ(prompter.Entries()[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(prompter.Entries()[0].caption, "Orvanel");
    }
}

TEST(NodeMoveTest, ASegmentNextToAnAnchorIsPreviewedAsACurve) {
    DocFixture f;
    AddPoints(*f, {{0, 0}, {100, 100}, {200, 100}, {300, 0}, {400, 50}});
    ASSERT_TRUE(f->ToggleAnchor(PointAt(*f, 2)));
    ASSERT_TRUE(f->HitTestPoint(200, 100));
    DragWindow w;
    PrepareNodeMove(*f, w);
    RecordingCanvas canvas;
    DrawWindowSegments(canvas, w, 2, false, DragPreviewStyle{});
    EXPECT_EQ(canvas.Only("move").size(), 2u);
    EXPECT_EQ(canvas.Only("line").size(), 20u);  // ten steps each, not one chord
    // The samples are those of the curve walk, truncated.
    std::vector<std::string> expected;
    SampleCurveSegment(SegmentControls{{0, 0}, {100, 100}, {200, 100}, {300, 0}},
                       CurveSampling::DragPreview(10), [&](const CurveSample& s) {
                           expected.push_back("line " + std::to_string(static_cast<int>(s.x)) +
                                              " " + std::to_string(static_cast<int>(s.y)));
                       });
    const auto lines = canvas.Only("line");
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 10), expected);
}

// --- the pieces as the full repaint drew them

TEST(RepaintedPiecesTest, TheEndLinesAtThePointAndTheSegmentsThePreviewRedraws) {
    using Line = std::pair<IntPoint, IntPoint>;
    const auto at = [](int i) { return IntPoint{PointOf(i).x, PointOf(i).y}; };
    const auto segment = [&](int a) {
        return SegmentControls{at(a), at(a + 1), at(a + 2), at(a + 3)};
    };
    const struct {
        int n;
        bool closed;
        int current;
        std::vector<Line> endLines;
        std::vector<SegmentControls> segments;
    } cases[] = {
        {1, false, 0, {}, {}},
        {2, false, 1, {{at(0), at(1)}}, {}},
        {3, false, 1, {{at(0), at(1)}, {at(2), at(1)}}, {}},
        {3, true, 1, {}, {}},  // a closed profile has no end lines
        {4, false, 0, {{at(0), at(1)}}, {}},
        {4, false, 2, {{at(3), at(2)}}, {segment(0)}},
        {4, true, 1, {}, {segment(0)}},
        {6, false, 0, {{at(0), at(1)}}, {segment(0), segment(1)}},
        {6, false, 3, {}, {segment(1), segment(2)}},
        {6, false, 4, {{at(5), at(4)}}, {segment(1), segment(2)}},
        {6,
         true,
         0,
         {},
         {SegmentControls{at(4), at(5), at(0), at(1)},
          SegmentControls{at(5), at(0), at(1), at(2)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.n << " points, closed " << c.closed << ", point " << c.current);
        DocFixture f;
        for (int i = 0; i < c.n; ++i) f->AppendPoint(PointOf(i).x, PointOf(i).y);
        if (c.closed) f->ToggleClosed();
        ASSERT_TRUE(f->HitTestPoint(PointOf(c.current).x, PointOf(c.current).y));
        const RepaintedPieces pieces = RepaintedPiecesAround(*f);
        EXPECT_EQ(pieces.endLines, c.endLines);
        EXPECT_EQ(pieces.segments, c.segments);
    }
    DocFixture none;
    EXPECT_EQ(RepaintedPiecesAround(*none), RepaintedPieces{});
}

TEST(RepaintedPiecesTest, TheyAreErasedWithTheRepaintsPensSamplingAndChords) {
    DocFixture f;
    // Where the preview's single-precision walk truncates one sample a unit
    // short of the repaint's, and an anchor that the repaint draws as a chord.
    AddPoints(*f, {{120, 551}, {200, 691}, {280, 591}, {360, 711}, {440, 601}, {520, 691}});
    ASSERT_TRUE(f->ToggleAnchor(PointAt(*f, 3)));
    ASSERT_TRUE(f->HitTestPoint(200, 691));  // k = 2: the first two segments
    const RepaintedPieces pieces = RepaintedPiecesAround(*f);
    ASSERT_EQ(pieces.segments.size(), 2u);
    EXPECT_TRUE(pieces.segments[1].anchored);
    DragPreviewStyle style;
    style.nPenSize = 3;
    style.clrBackground = 0x102030;
    RecordingCanvas canvas;
    EraseRepaintedPieces(canvas, pieces, style);
    std::vector<std::string> expected{"bk #102030",   "pen solid 0 #102030", "move 120 551",
                                      "line 200 691", "pen solid 3 #102030", "move 200 691"};
    SampleCurveSegment(pieces.segments[0], CurveSampling::EditorDrawing(10, 1.0),
                       [&](const CurveSample& s) {
                           expected.push_back("line " + std::to_string(SampleToInt(s.x)) + " " +
                                              std::to_string(SampleToInt(s.y)));
                       });
    EXPECT_EQ(expected.back(), "line 280 591");
    expected.insert(expected.end(), {"move 280 591", "line 360 711"});
    EXPECT_EQ(canvas.Calls(), expected);

    // The preview's own erasing misses that unit.
    DragWindow w;
    PrepareNodeMove(*f, w);
    RecordingCanvas preview;
    DrawWindowSegments(preview, w, 1, true, style);
    EXPECT_EQ(preview.Only("line").back(), "line 280 590");
}

}  // namespace
}  // namespace orvanel::test
