// The point list and its editing operations.
#include <gtest/gtest.h>

#include <array>

#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

class DocumentTest : public ::testing::Test {
protected:
    DocFixture f;
    CTavrinEditorDoc& doc = *f;
};

TEST_F(DocumentTest, StartsEmptyOpenAndUnmodifiedWithOneUndoState) {
    EXPECT_EQ(doc.GetPointCount(), 0);
    EXPECT_FALSE(doc.IsClosed());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(doc.UndoStateCount(), 1u);
    EXPECT_EQ(doc.GetTitle(), "Untitled");
}

TEST_F(DocumentTest, PositionsAreClampedAtZeroAndNowhereElse) {
    doc.AppendPoint(-7, 12);
    doc.AppendPoint(5000, -3);
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{0, 12}, {5000, 0}}));
    ASSERT_TRUE(doc.HitTestPoint(5000, 0));
    doc.MoveCurrentPoint(5, -1);
    EXPECT_EQ(PointsOf(doc)[1], (XY{5, 0}));
}

TEST_F(DocumentTest, CommitSnapshotsThenMarksModifiedThenUpdatesViews) {
    const int updates = f.view.updates;
    doc.AppendPoint(1, 2);
    EXPECT_TRUE(doc.IsModified());  // set after the snapshot, which clears it
    EXPECT_EQ(doc.UndoStateCount(), 2u);
    EXPECT_EQ(f.view.updates, updates + 1);
    // The snapshot holds the new point.
    EXPECT_EQ(doc.CurrentState()->Bytes(), Bytes().Header(0, 1).Point(1, 2).Get());
}

TEST_F(DocumentTest, InsertBeforeCurrentLinksTheNewPointAndMakesItCurrent) {
    AddPoints(doc, {{10, 10}, {20, 20}, {30, 30}});
    ASSERT_TRUE(doc.HitTestPoint(20, 20));
    doc.InsertPointBeforeCurrent(15, -15);
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{10, 10}, {15, 0}, {20, 20}, {30, 30}}));
    EXPECT_EQ(doc.GetCurrent(), PointAt(doc, 1));
    ASSERT_TRUE(doc.HitTestPoint(10, 10));
    doc.InsertPointBeforeCurrent(5, 5);
    EXPECT_EQ(PointsOf(doc).front(), (XY{5, 5}));
    EXPECT_EQ(doc.GetHead(), doc.GetCurrent());
    EXPECT_TRUE(ListIsSound(doc));
}

TEST_F(DocumentTest, InsertIntoAnEmptyListAppendsAndMakesTheNewPointCurrent) {
    doc.InsertPointBeforeCurrent(3, 4);
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{3, 4}}));
    EXPECT_EQ(doc.GetCurrent(), doc.GetHead());
}

struct HitCase {
    const char* what;
    std::vector<XY> points;
    XY probe;
    int expected;  // index of the point found, -1 for a miss
    friend void PrintTo(const HitCase& c, std::ostream* os) { *os << c.what; }
};

class HitTestPointTest : public DocumentTest, public ::testing::WithParamInterface<HitCase> {};

TEST_P(HitTestPointTest, FindsThePointTheAlternatingSearchReachesFirst) {
    const HitCase& c = GetParam();
    for (const XY& p : c.points) doc.AppendPoint(p.x, p.y);
    const bool hit = doc.HitTestPoint(c.probe.x, c.probe.y);
    if (c.expected < 0) {
        EXPECT_FALSE(hit);
        EXPECT_EQ(doc.GetCurrent(), nullptr);
    } else {
        EXPECT_TRUE(hit);
        EXPECT_EQ(doc.GetCurrent(), PointAt(doc, c.expected));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HitTestPointTest,
    ::testing::Values(
        HitCase{"empty list", {}, {0, 0}, -1},
        HitCase{"near head and tail: head first", {{10, 10}, {50, 50}, {12, 12}}, {11, 11}, 0},
        HitCase{"near second and tail: tail first",
                {{100, 100}, {10, 10}, {50, 50}, {200, 200}, {12, 12}},
                {11, 11},
                4},
        HitCase{"3 units off in both", {{10, 10}}, {13, 7}, 0},
        HitCase{"exactly 4 off in x misses", {{10, 10}}, {14, 10}, -1},
        HitCase{"exactly 4 off in y misses", {{10, 10}}, {10, 6}, -1},
        HitCase{"middle of an odd list",
                {{0, 0}, {100, 0}, {50, 50}, {200, 0}, {300, 0}},
                {50, 51},
                2}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(DocumentTest, MenuHitTestIsHalfOpenAroundTheClick) {
    struct Case {
        XY click;
        bool found;
    };
    AddPoints(doc, {{50, 50}});
    for (const Case& c : {Case{{53, 50}, true},      // the point lies at x - 3
                          Case{{47, 50}, false},     // at x + 3
                          Case{{50, 53}, true},      // at y - 3
                          Case{{50, 47}, false}}) {  // at y + 3
        EXPECT_EQ(doc.HitTestMenuPoint(c.click.x, c.click.y) != nullptr, c.found)
            << c.click.x << "," << c.click.y;
        EXPECT_EQ(doc.GetMenuPoint() != nullptr, c.found);
    }
}

TEST_F(DocumentTest, SelectInRectSelectsInsideOnlyWhateverTheCornerOrder) {
    AddPoints(doc, {{10, 10}, {20, 20}, {30, 30}, {4, 25}});
    doc.SelectInRect(0, 0, 100, 100);  // all selected; those outside must be cleared
    for (auto corners : {std::array{5, 5, 30, 30}, std::array{30, 30, 5, 5},
                         std::array{5, 30, 30, 5}, std::array{30, 5, 5, 30}}) {
        EXPECT_EQ(doc.SelectInRect(corners[0], corners[1], corners[2], corners[3]), 2);
        std::vector<bool> selected;
        for (const ProfilePoint* p : PointersOf(doc)) selected.push_back(p->bSelected);
        // (30, 30) lies on the right and bottom edges: outside.
        EXPECT_EQ(selected, (std::vector<bool>{true, true, false, false}));
        EXPECT_EQ(doc.GetCurrent(), PointAt(doc, 1));  // the last one selected
    }
}

TEST_F(DocumentTest, SelectNextMovesOnlyTheFirstSelectedPointAndWraps) {
    AddPoints(doc, {{0, 0}, {10, 0}, {20, 0}, {30, 0}});
    auto selection = [&] {
        std::string s;
        for (const ProfilePoint* p : PointersOf(doc)) s += p->bSelected ? 'x' : '.';
        return s;
    };
    doc.SelectNext();
    EXPECT_EQ(selection(), "x...");  // nothing selected: the head
    doc.SelectInRect(20, -1, 40, 1);
    EXPECT_EQ(selection(), "..xx");
    doc.SelectNext();
    EXPECT_EQ(selection(), "...x");  // only the first of the two moved on
    doc.SelectNext();
    EXPECT_EQ(selection(), "x...");  // the tail wraps to the head
}

TEST_F(DocumentTest, SelectionChangesTakeNoSnapshotButTellTheEditorView) {
    AddPoints(doc, {{0, 0}, {10, 0}});
    const auto states = doc.UndoStateCount();
    doc.SetModifiedFlag(false);
    doc.SelectAll();
    EXPECT_EQ(doc.CountSelected(), 2);
    EXPECT_EQ(f.view.builds, 1);
    doc.DeselectAll();
    EXPECT_EQ(doc.CountSelected(), 0);
    EXPECT_GE(f.view.frees, 1);
    EXPECT_EQ(doc.UndoStateCount(), states);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentTest, SelectCurrentAddsOrReplaces) {
    AddPoints(doc, {{0, 0}, {10, 0}, {20, 0}});
    EXPECT_EQ(doc.SelectCurrent(false), nullptr);  // no current point
    ASSERT_TRUE(doc.HitTestPoint(0, 0));
    doc.SelectCurrent(false);
    ASSERT_TRUE(doc.HitTestPoint(20, 0));
    doc.SelectCurrent(true);
    EXPECT_EQ(doc.CountSelected(), 2);
    doc.SelectCurrent(false);
    EXPECT_EQ(doc.CountSelected(), 1);
}

TEST_F(DocumentTest, DeletingPointsOpensTheProfileBelowThreePoints) {
    struct Case {
        int points;
        bool closedAfter;
    };
    for (Case c : {Case{3, false}, Case{4, true}}) {
        DocFixture g;
        for (int i = 0; i < c.points; ++i) g->AppendPoint(i * 10, i % 2 * 10);
        g->ToggleClosed();
        ASSERT_TRUE(g->IsClosed());
        g->SelectInRect(0, 0, 1, 1);  // the head
        g->DeleteSelected();
        EXPECT_EQ(g->GetPointCount(), c.points - 1);
        EXPECT_EQ(g->IsClosed(), c.closedAfter) << c.points << " points";
        EXPECT_TRUE(ListIsSound(*g));
    }
}

TEST_F(DocumentTest, DeleteSelectedRemovesEveryChoiceOfPointsAndKeepsTheListSound) {
    // Every subset of a five-point list: head, tail, runs and all.
    for (int mask = 0; mask < 32; ++mask) {
        DocFixture g;
        for (int i = 0; i < 5; ++i) g->AppendPoint(i * 10, 0);
        std::vector<XY> kept;
        for (int i = 0; i < 5; ++i) {
            if (mask & (1 << i)) {
                ASSERT_TRUE(g->HitTestPoint(i * 10, 0));
                g->SelectCurrent(true);
            } else {
                kept.push_back({i * 10, 0});
            }
        }
        ASSERT_TRUE(g->HitTestPoint(40, 0));  // the current point may be deleted
        g->DeleteSelected();
        EXPECT_EQ(PointsOf(*g), kept) << "mask " << mask;
        EXPECT_TRUE(ListIsSound(*g)) << "mask " << mask;
    }
}

TEST_F(DocumentTest, DeleteWithNothingSelectedStillCommits) {
    AddPoints(doc, {{0, 0}});
    doc.SetModifiedFlag(false);
    const auto states = doc.UndoStateCount();
    doc.DeleteSelected();
    EXPECT_EQ(doc.GetPointCount(), 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.UndoStateCount(), states + 1);
}

TEST_F(DocumentTest, DeleteMenuPointFreesTheGroupSnapshotAndForgetsThePoint) {
    AddPoints(doc, {{0, 0}, {10, 0}, {20, 0}});
    ASSERT_NE(doc.HitTestMenuPoint(10, 0), nullptr);
    ASSERT_TRUE(doc.HitTestPoint(10, 0));
    const int frees = f.view.frees;
    doc.DeleteMenuPoint();
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{0, 0}, {20, 0}}));
    EXPECT_EQ(f.view.frees, frees + 1);
    EXPECT_EQ(doc.GetMenuPoint(), nullptr);
    EXPECT_EQ(doc.GetCurrent(), nullptr);
    const auto states = doc.UndoStateCount();
    doc.DeleteMenuPoint();  // no menu point: nothing at all
    EXPECT_EQ(doc.UndoStateCount(), states);
}

TEST_F(DocumentTest, OperationsOnAMissingPointDoNothing) {
    AddPoints(doc, {{0, 0}});
    const auto states = doc.UndoStateCount();
    doc.MoveCurrentPoint(5, 5);
    EXPECT_FALSE(doc.ToggleAnchor(nullptr));
    EXPECT_EQ(doc.UndoStateCount(), states);
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{0, 0}}));
}

TEST_F(DocumentTest, ToggleClosedNeedsThreePointsToClose) {
    AddPoints(doc, {{0, 0}, {10, 0}});
    const auto states = doc.UndoStateCount();
    doc.ToggleClosed();
    EXPECT_FALSE(doc.IsClosed());
    EXPECT_EQ(doc.UndoStateCount(), states);  // refused silently: no snapshot
    doc.AppendPoint(5, 10);
    doc.ToggleClosed();
    EXPECT_TRUE(doc.IsClosed());
    doc.ToggleClosed();
    EXPECT_FALSE(doc.IsClosed());
}

TEST_F(DocumentTest, AnchorsAreUndoneAndMarkTheDocumentModified) {
    AddPoints(doc, {{0, 0}, {10, 0}, {20, 0}});
    doc.SelectAll();
    doc.SetModifiedFlag(false);
    doc.SetAnchorOnSelected();
    EXPECT_TRUE(doc.IsModified());
    for (const ProfilePoint* p : PointersOf(doc)) EXPECT_TRUE(p->bAnchor);
    doc.OnEditUndo();
    for (const ProfilePoint* p : PointersOf(doc)) EXPECT_FALSE(p->bAnchor);

    EXPECT_TRUE(doc.ToggleAnchor(PointAt(doc, 1)));
    EXPECT_TRUE(PointAt(doc, 1)->bAnchor);
    EXPECT_TRUE(doc.ToggleAnchor(PointAt(doc, 1)));
    EXPECT_FALSE(PointAt(doc, 1)->bAnchor);
    doc.OnEditUndo();
    EXPECT_TRUE(PointAt(doc, 1)->bAnchor);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocumentTest, MaxXAndMaxYStartFromOne) {
    EXPECT_EQ(doc.MaxX(), 1);
    EXPECT_EQ(doc.MaxY(), 1);
    AddPoints(doc, {{0, 0}, {0, 0}, {0, 0}});
    EXPECT_EQ(doc.MaxX(), 1);
    doc.AppendPoint(500, 250);
    EXPECT_EQ(doc.MaxX(), 500);
    EXPECT_EQ(doc.MaxY(), 250);
}

TEST_F(DocumentTest, PolygonCountUsesTheOpenProfileFormula) {
    struct Case {
        int points, sections, steps;
        long long polygons;
    };
    for (Case c : {Case{5, 24, 5, 230}, Case{10, 24, 5, 805}, Case{3, 24, 5, 0}, Case{0, 24, 5, 0},
                   Case{4, 1, 5, 0}}) {
        DocFixture g;
        for (int i = 0; i < c.points; ++i) g->AppendPoint(i, i);
        g->m_nSections = c.sections;
        g->m_nPreviewSteps = c.steps;
        EXPECT_EQ(g->PolygonCount(), c.polygons) << c.points << " points";
    }
}

TEST_F(DocumentTest, DeleteContentsKeepsTheSettingsAndFreesTheSnapshot) {
    AddPoints(doc, {{0, 0}, {10, 0}, {20, 0}}, true);
    doc.m_nEditorSteps = 7;
    doc.m_bFlipNormals = true;
    doc.m_rcPhoto = {1, 2, 3, 4};
    const int frees = f.view.frees;
    doc.DeleteContents();
    EXPECT_EQ(doc.GetPointCount(), 0);
    EXPECT_FALSE(doc.IsClosed());
    EXPECT_EQ(doc.GetHead(), nullptr);
    EXPECT_EQ(doc.GetTail(), nullptr);
    EXPECT_EQ(doc.m_nEditorSteps, 7);
    EXPECT_TRUE(doc.m_bFlipNormals);
    EXPECT_EQ(doc.m_rcPhoto, (IntRect{1, 2, 3, 4}));
    EXPECT_EQ(f.view.frees, frees + 1);
}

TEST(DocumentLongListTest, AHundredThousandPointsLoadAndFreeWithoutRecursion) {
    DocFixture f;
    Bytes bytes;
    bytes.Header(0, 100000);
    for (int i = 0; i < 100000; ++i) bytes.Point(i, i);
    ASSERT_TRUE(Load(*f, bytes));
    EXPECT_EQ(f->GetPointCount(), 100000);
    f->DeleteContents();
    ASSERT_TRUE(Load(*f, bytes));
    f.doc.reset();  // the destructor frees them again
}

}  // namespace
}  // namespace orvanel::test
