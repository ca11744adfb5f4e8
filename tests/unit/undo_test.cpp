// Undo and redo by whole-document snapshots.
#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

class UndoTest : public ::testing::Test {
protected:
    DocFixture f;
    CTavrinEditorDoc& doc = *f;
    int Points() const { return doc.GetPointCount(); }
};

TEST_F(UndoTest, KeepsFiveStatesSoFourStepsUndo) {
    for (int i = 0; i < 6; ++i) doc.AppendPoint(i, i);
    EXPECT_EQ(doc.UndoStateCount(), 5u);
    for (int expected : {5, 4, 3, 2}) {
        ASSERT_TRUE(doc.CanUndo());
        doc.OnEditUndo();
        EXPECT_EQ(Points(), expected);
    }
    EXPECT_FALSE(doc.CanUndo());
    const int updates = f.view.updates;
    doc.OnEditUndo();  // nothing left: only the redraw
    EXPECT_EQ(Points(), 2);
    EXPECT_EQ(f.view.updates, updates + 1);
    for (int expected : {3, 4, 5, 6}) {
        doc.OnEditRedo();
        EXPECT_EQ(Points(), expected);
    }
    EXPECT_FALSE(doc.CanRedo());
}

TEST_F(UndoTest, ANewEditForgetsWhatWasUndone) {
    for (int i = 0; i < 3; ++i) doc.AppendPoint(i, i);
    doc.OnEditUndo();
    doc.OnEditUndo();
    EXPECT_TRUE(doc.CanRedo());
    doc.AppendPoint(9, 9);
    EXPECT_FALSE(doc.CanRedo());
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{0, 0}, {9, 9}}));
}

TEST_F(UndoTest, RedoRestoresTheSelectionOfItsCheckpoint) {
    AddPoints(doc, {{0, 0}, {10, 0}});
    doc.SelectAll();         // no snapshot: the selection is not yet recorded
    doc.AppendPoint(20, 0);  // recorded now, with both selected
    doc.DeselectAll();
    doc.OnEditUndo();
    doc.OnEditRedo();
    EXPECT_EQ(doc.CountSelected(), 2);
}

TEST_F(UndoTest, RestoresTheEditorStepsOfTheSnapshot) {
    doc.AppendPoint(1, 1);
    doc.m_nEditorSteps = 4;  // the settings sheet changes it without a snapshot
    doc.m_nPreviewSteps = 9;
    doc.OnEditUndo();
    EXPECT_EQ(doc.m_nEditorSteps, 10);
    EXPECT_EQ(doc.m_nPreviewSteps, 9);  // not part of a snapshot
}

TEST_F(UndoTest, UndoLeavesTheModifiedFlagAlone) {
    doc.AppendPoint(1, 1);
    doc.AppendPoint(2, 2);
    doc.OnEditUndo();
    EXPECT_TRUE(doc.IsModified());
    doc.SetModifiedFlag(false);
    doc.OnEditRedo();
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(UndoTest, UndoAfterNewOrOpenReturnsToThePreviousProfile) {
    AddPoints(doc, {{1, 1}, {2, 2}});
    doc.OnNewDocument();
    EXPECT_EQ(Points(), 0);
    EXPECT_TRUE(doc.CanUndo());
    doc.OnEditUndo();
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{1, 1}, {2, 2}}));
    EXPECT_EQ(doc.GetTitle(), "Untitled");  // the title stays with the new document

    ASSERT_TRUE(doc.OnOpenDocument(Fixture("older_three.lum")));
    doc.OnEditUndo();
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{1, 1}, {2, 2}}));
    EXPECT_EQ(doc.GetTitle(), "older_three.lum");
}

TEST_F(UndoTest, RestoringFreesTheGroupSnapshotAndTheCurrentPoint) {
    AddPoints(doc, {{1, 1}, {2, 2}});
    ASSERT_TRUE(doc.HitTestPoint(2, 2));
    ASSERT_NE(doc.HitTestMenuPoint(2, 2), nullptr);
    const int frees = f.view.frees;
    doc.OnEditUndo();
    EXPECT_EQ(doc.GetCurrent(), nullptr);
    EXPECT_EQ(doc.GetMenuPoint(), nullptr);
    EXPECT_GT(f.view.frees, frees);
}

TEST_F(UndoTest, CheckpointModifiedSnapshotsWithoutRedrawing) {
    AddPoints(doc, {{1, 1}});
    const int updates = f.view.updates;
    doc.SetPointPosition(PointAt(doc, 0), -4, 8);
    doc.CheckpointModified();
    EXPECT_EQ(f.view.updates, updates);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{0, 8}}));
    doc.OnEditUndo();
    EXPECT_EQ(PointsOf(doc), (std::vector<XY>{{1, 1}}));
}

}  // namespace
}  // namespace orvanel::test
