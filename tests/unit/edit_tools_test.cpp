// The editing tools: positions and snapping, the four tools, the drags and
// their live marks, the keys, the context menus and the cursors.
#include "editor/edit_tools.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "resources/ids.h"
#include "tests/support/test_doubles.h"
#include "tests/unit/recording_canvas.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

IntPoint P(XY p) { return {p.x, p.y}; }

class RecordingOwner final : public EditToolsOwner {
public:
    EditorLook Look() const override { return look; }
    bool IsGridOn() const override { return grid; }
    void CaptureMouse() override { ++captures; }
    void ReleaseMouse() override { ++releases; }
    void InvalidateLive(const IntRect& rc) override { live.push_back(rc); }
    void Invalidate(const IntRect& rc) override { redrawn.push_back(rc); }
    void InvalidateAll() override { ++invalidatedAll; }
    void SetStatusText(StatusPane pane, std::string_view text, bool now) override {
        status.push_back({pane, std::string(text), now});
    }
    void Scroll(ScrollBar bar, ScrollCode code) override { scrolls.push_back({bar, code}); }

    struct Status {
        StatusPane pane;
        std::string text;
        bool now;
    };

    EditorLook look;
    bool grid = false;
    int captures = 0;
    int releases = 0;
    std::vector<IntRect> live;
    std::vector<IntRect> redrawn;
    int invalidatedAll = 0;
    std::vector<Status> status;
    std::vector<std::pair<ScrollBar, ScrollCode>> scrolls;
};

// The editor view as the document sees it: the snapshot hooks go to the tools.
class ToolsView final : public EditorViewHooks {
public:
    void OnUpdate() override { ++updates; }
    void Repaint() override { ++repaints; }
    void FreeSelection() override { tools->FreeSelection(); }
    void BuildSelection() override { tools->BuildSelection(); }

    EditTools* tools = nullptr;
    int updates = 0;
    int repaints = 0;
};

class EditToolsTest : public ::testing::Test {
protected:
    EditToolsTest() {
        doc = std::make_unique<CTavrinEditorDoc>(settings, prompter);
        tools = std::make_unique<EditTools>(*doc, owner);
        view.tools = tools.get();
        doc->SetViews(&view, nullptr);
        doc->OnNewDocument();
    }
    ~EditToolsTest() override { doc->SetViews(nullptr, nullptr); }

    void Press(XY p, bool shift = false) { tools->OnLButtonDown(P(p), shift); }
    void Move(XY p) { tools->OnMouseMove(P(p)); }
    void Release(XY p) { tools->OnLButtonUp(P(p)); }
    void Click(XY p, bool shift = false) {
        Press(p, shift);
        Release(p);
    }
    void Drag(XY from, XY to, bool shift = false) {
        Press(from, shift);
        Move(to);
        Release(to);
    }
    std::vector<bool> Selected() const {
        std::vector<bool> flags;
        for (const ProfilePoint* p = doc->GetHead(); p; p = p->Next())
            flags.push_back(p->bSelected);
        return flags;
    }
    std::vector<XY> SnapshotPoints() const {
        std::vector<XY> points;
        for (const SelectionEntry& e : tools->Selection())
            points.push_back({e.pPoint->x, e.pPoint->y});
        return points;
    }

    MemorySettingsStore settings;
    RecordingPrompter prompter;
    ToolsView view;
    RecordingOwner owner;
    std::unique_ptr<CTavrinEditorDoc> doc;
    std::unique_ptr<EditTools> tools;
};

// --- positions

struct SnapCase {
    int v, g, expected;
};

TEST(SnapTest, NearestMultipleTiesDownNegativesTowardsZero) {
    const SnapCase cases[] = {
        {14, 10, 10},
        {15, 10, 10},
        {16, 10, 20},
        {26, 10, 30},
        {0, 10, 0},
        {8, 5, 10},
        {7, 5, 5},
        {4, 3, 3},
        {5, 3, 6},
        {-7, 10, 0},
        {-13, 10, -10},
        {-15, 10, -10},
        {-16, 10, -10},
        {1234, 500, 1000},
        {1250, 500, 1000},
        {1251, 500, 1500},
        {7, 0, 7},
        {7, -4, 7},                  // no grid to snap to
        {INT32_MAX, 10, INT32_MAX},  // the next multiple lies beyond the range
    };
    for (const SnapCase& c : cases) {
        EXPECT_EQ(SnapCoordinate(c.v, c.g), c.expected) << c.v << " on a grid of " << c.g;
    }
    EXPECT_EQ(SnapToGrid({14, 15}, 10), (IntPoint{10, 10}));
    EXPECT_EQ(SnapToGrid({16, 26}, 10), (IntPoint{20, 30}));
}

TEST(PositionTest, ClientPixelsPlusTheScrollPositionAndBack) {
    EXPECT_EQ(ClientToEditor({10, 20}, {0, 750}), (IntPoint{10, 770}));
    EXPECT_EQ(ClientToEditor({-3, 0}, {100, 0}), (IntPoint{97, 0}));
    EXPECT_EQ(EditorToClient({0, 400, 800, 1000}, {0, 750}), (IntRect{0, -350, 800, 250}));
    EXPECT_EQ(CoordinatesText({-7, 1000}), "X:-7 ; Y:1000");
}

TEST(ScrollTest, LinesOfOneHundredPagesOfTwoHundredFiftyWithinTheArea) {
    EXPECT_EQ(ScrolledPosition(500, ScrollCode::LineDown, 400), 600);
    EXPECT_EQ(ScrolledPosition(550, ScrollCode::LineDown, 400), 600);  // the last position
    EXPECT_EQ(ScrolledPosition(50, ScrollCode::LineUp, 400), 0);
    EXPECT_EQ(ScrolledPosition(100, ScrollCode::PageDown, 400), 350);
    EXPECT_EQ(ScrolledPosition(300, ScrollCode::PageUp, 400), 50);
    EXPECT_EQ(ScrolledPosition(300, ScrollCode::Top, 400), 0);
    EXPECT_EQ(ScrolledPosition(0, ScrollCode::Bottom, 400), 600);
    EXPECT_EQ(ScrolledPosition(0, ScrollCode::Bottom, 1200), 0);  // all of it shows
}

// --- Pencil and Insert

TEST_F(EditToolsTest, PencilClicksAddPointsAtTheScrolledPositions) {
    const IntPoint scroll{0, 600};
    for (IntPoint client : {IntPoint{10, 20}, {200, 40}, {300, 300}, {5, 399}}) {
        tools->OnLButtonDown(ClientToEditor(client, scroll), false);
        tools->OnLButtonUp(ClientToEditor(client, scroll));
    }
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{10, 620}, {200, 640}, {300, 900}, {5, 999}}));
    EXPECT_EQ(doc->UndoStateCount(), 5u);
    EXPECT_EQ(owner.captures, 0);  // the pencil never captures
    EXPECT_EQ(owner.releases, 0);
}

TEST_F(EditToolsTest, PencilSnapsToTheGridWhenItIsOn) {
    owner.grid = true;
    Click({14, 15});
    Click({16, 26});
    owner.look.gridSize = 5;
    Click({8, 7});
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{10, 10}, {20, 30}, {10, 5}}));
}

TEST_F(EditToolsTest, PencilOnAClosedProfileOnlyShowsTheMessage) {
    AddPoints(*doc, {{10, 10}, {100, 10}, {50, 80}}, true);
    const auto states = doc->UndoStateCount();
    Click({300, 300});
    EXPECT_EQ(doc->GetPointCount(), 3);
    EXPECT_EQ(doc->UndoStateCount(), states);
    ASSERT_EQ(owner.status.size(), 1u);
    EXPECT_EQ(owner.status[0].pane, StatusPane::Message);
    EXPECT_EQ(owner.status[0].text,
              "You can't create new isolated points. Use Insert to add points to a closed spline!");
    EXPECT_TRUE(owner.status[0].now);
}

TEST_F(EditToolsTest, InsertPutsAPointBetweenTheEndsOfTheSegmentHit) {
    AddPoints(*doc, {{0, 0}, {100, 100}, {200, 100}, {300, 0}});
    tools->SetTool(id::kToolIdInsert);
    Click({150, 200});  // far from the curve
    EXPECT_EQ(doc->GetPointCount(), 4);
    Click({150, 112});  // on the curve between P1 and P2, which bulges below them
    EXPECT_EQ(PointsOf(*doc),
              (std::vector<XY>{{0, 0}, {100, 100}, {150, 112}, {200, 100}, {300, 0}}));
    EXPECT_EQ(doc->GetCurrent(), PointAt(*doc, 2));
}

// --- Move: one point

TEST_F(EditToolsTest, MovingOnePointCommitsOnceAtTheRelease) {
    AddPoints(*doc, {{100, 100}, {200, 200}, {300, 100}});
    tools->SetTool(id::kToolIdMove);
    const auto states = doc->UndoStateCount();
    Press({201, 199});
    EXPECT_TRUE(tools->HasCapture());
    EXPECT_EQ(tools->Window().m_nWindowIndex, 2);
    Move({250, 260});
    Move({260, 270});
    EXPECT_EQ(PointsOf(*doc)[1], (XY{200, 200}));  // untouched while dragging
    EXPECT_EQ(tools->Window().W(2), (IntPoint{260, 270}));
    Release({260, 270});
    EXPECT_EQ(PointsOf(*doc)[1], (XY{260, 270}));
    EXPECT_EQ(doc->UndoStateCount(), states + 1);
    EXPECT_EQ(tools->Window(), DragWindow{});
    EXPECT_FALSE(tools->HasCapture());
    EXPECT_EQ(owner.captures, 1);
    EXPECT_EQ(owner.releases, 1);
    EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false}));
}

TEST_F(EditToolsTest, AClickOnAPointRecordsOneUndoStepAndSnapsIt) {
    AddPoints(*doc, {{12, 13}, {200, 200}});
    tools->SetTool(id::kToolIdMove);
    owner.grid = true;
    const auto states = doc->UndoStateCount();
    Click({14, 15});  // taken as (10, 10), which is within reach of (12, 13)
    EXPECT_EQ(PointsOf(*doc)[0], (XY{10, 10}));
    EXPECT_EQ(doc->UndoStateCount(), states + 1);
    EXPECT_TRUE(doc->IsModified());
    doc->OnEditUndo();
    EXPECT_EQ(PointsOf(*doc)[0], (XY{12, 13}));
}

TEST_F(EditToolsTest, TheSinglePointDragClampsAtTheAxis) {
    AddPoints(*doc, {{10, 10}, {200, 200}});
    tools->SetTool(id::kToolIdMove);
    Drag({10, 10}, {-40, -5});
    EXPECT_EQ(PointsOf(*doc)[0], (XY{0, 0}));
}

TEST_F(EditToolsTest, TheDragPreviewIsPaintedFromTheStateOverTheLastRepaint) {
    AddPoints(*doc, {{100, 100}, {200, 200}});
    tools->SetTool(id::kToolIdMove);
    Press({100, 100});
    RecordingCanvas before;
    tools->PaintLive(before);
    EXPECT_TRUE(before.Calls().empty());  // nothing live until the first move
    owner.live.clear();
    Move({150, 120});
    Move({160, 130});
    RecordingCanvas canvas;
    tools->PaintLive(canvas);
    // The old end line wiped out with the repaint's own pen, then the preview
    // step from the start: its erasing and the dotted line to the latest position.
    EXPECT_EQ(canvas.Calls(),
              (std::vector<std::string>{"bk #FFFFFF", "pen solid 0 #FFFFFF", "move 100 100",
                                        "line 200 200", "bk #FFFFFF", "pen solid 2 #FFFFFF",
                                        "move 200 200", "line 100 100", "pen dot 1 #80FF00",
                                        "move 200 200", "line 160 130"}));
    // Each move repaints the lines it leaves and the ones it draws.
    ASSERT_EQ(owner.live.size(), 2u);
    const IntRect& last = owner.live.back();
    EXPECT_LE(last.left, 100);
    EXPECT_LE(last.top, 100);
    EXPECT_GE(last.right, 201);
    EXPECT_GE(last.bottom, 201);
    Release({160, 130});
    RecordingCanvas after;
    tools->PaintLive(after);
    EXPECT_TRUE(after.Calls().empty());
}

TEST_F(EditToolsTest, AnIndexThatDoesNotFitIsReportedAndTheDragGoesOn) {
    AddPoints(*doc, {{10, 10}, {100, 10}, {200, 10}, {300, 10}, {400, 10}});
    tools->SetTool(id::kToolIdMove);
    Press({400, 10});  // the tail: k = 5
    doc->SelectAll();
    doc->DeleteSelected();  // a key during the drag leaves no points
    AddPoints(*doc, {{10, 10}, {20, 20}});
    Move({50, 50});
    EXPECT_EQ(prompter.Texts(),
              (std::vector<std::string>{"   Error in function disegnaspostnodo()!\nCase 2"}));
    Release({50, 50});
    EXPECT_FALSE(tools->HasCapture());
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{10, 10}, {20, 20}}));  // no current point
}

// --- Move: rubber band and groups

TEST_F(EditToolsTest, ARubberBandFromTheOriginCatchesExactlyThePointsInside) {
    AddPoints(*doc, {{10, 10}, {49, 30}, {50, 20}, {200, 200}});
    tools->SetTool(id::kToolIdMove);
    Press({0, 0});
    EXPECT_TRUE(tools->IsRubberBandActive());
    Move({50, 50});
    EXPECT_EQ(tools->RubberBand(), (IntRect{0, 0, 50, 50}));
    RecordingCanvas canvas;
    tools->PaintLive(canvas);
    EXPECT_EQ(canvas.Calls(),
              (std::vector<std::string>{"pen dot 1 #000000", "mix notxorpen", "bk #FFFFFF",
                                        "brush hollow", "rectangle 0 0 50 50", "mix copy"}));
    Release({50, 50});
    EXPECT_FALSE(tools->IsRubberBandActive());
    EXPECT_EQ(Selected(), (std::vector<bool>{true, true, false, false}));  // x = 50 is outside
    EXPECT_EQ(SnapshotPoints(), (std::vector<XY>{{10, 10}, {49, 30}}));
    EXPECT_EQ(view.updates, 5);  // four points, then the release
}

TEST_F(EditToolsTest, ARubberBandAroundOnePointSelectsItWithoutASnapshot) {
    AddPoints(*doc, {{10, 10}, {100, 100}});
    tools->SetTool(id::kToolIdMove);
    Drag({80, 120}, {120, 80});  // dragged up and to the right
    EXPECT_EQ(Selected(), (std::vector<bool>{false, true}));
    EXPECT_TRUE(tools->Selection().empty());
    Drag({100, 100}, {110, 105});  // then dragged alone
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{10, 10}, {110, 105}}));
}

TEST_F(EditToolsTest, AGroupMovesTogetherAndWritesNegativePositionsAsZero) {
    AddPoints(*doc, {{10, 100}, {50, 120}, {400, 400}});
    tools->SetTool(id::kToolIdMove);
    Drag({0, 90}, {60, 130});
    ASSERT_EQ(tools->Selection().size(), 2u);
    const auto states = doc->UndoStateCount();
    Press({50, 120});
    Move({30, 110});
    Move({20, 5});                                // (-30, -115) in all
    EXPECT_EQ(PointsOf(*doc)[0], (XY{10, 100}));  // not before the release
    Release({20, 5});
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{0, 0}, {20, 5}, {400, 400}}));
    EXPECT_EQ(doc->UndoStateCount(), states + 1);
    // The snapshot stays, and the next drag starts where the points are.
    ASSERT_EQ(tools->Selection().size(), 2u);
    Drag({20, 5}, {23, 9});
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{3, 4}, {23, 9}, {400, 400}}));
}

TEST_F(EditToolsTest, ADragReportsThePointsItMovedWhereItHasThem) {
    AddPoints(*doc, {{10, 100}, {50, 120}, {400, 400}});
    tools->SetTool(id::kToolIdMove);
    // By the points' places in the list: (index, position).
    using Moved = std::vector<std::pair<int, XY>>;
    auto moved = [&] {
        const std::vector<MovedPoint> points = tools->MovedPoints();
        EXPECT_TRUE(std::is_sorted(points.begin(), points.end(), [](const auto& a, const auto& b) {
            return std::less<const ProfilePoint*>()(a.point, b.point);
        }));
        const std::vector<const ProfilePoint*> list = PointersOf(*doc);
        Moved out;
        for (const MovedPoint& m : points) {
            const auto index = std::find(list.begin(), list.end(), m.point) - list.begin();
            out.push_back({static_cast<int>(index), {m.at.x, m.at.y}});
        }
        std::sort(out.begin(), out.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        return out;
    };
    Press({400, 400});
    EXPECT_EQ(moved(), Moved{});  // not moved yet
    Move({420, 390});
    EXPECT_EQ(moved(), (Moved{{2, {420, 390}}}));
    Release({420, 390});
    EXPECT_EQ(moved(), Moved{});

    Drag({0, 90}, {60, 130});  // a group of the first two
    Press({50, 120});
    Move({55, 100});
    EXPECT_EQ(moved(), (Moved{{0, {15, 80}}, {1, {55, 100}}}));
    Release({55, 100});
    EXPECT_EQ(moved(), Moved{});
}

TEST_F(EditToolsTest, TheDraggedGroupShowsInvertedMarkersAndTheirGhosts) {
    AddPoints(*doc, {{10, 10}, {40, 10}});
    tools->SetTool(id::kToolIdMove);
    owner.look.penSize = 3;
    Drag({0, 0}, {50, 50});
    Press({10, 10});
    EXPECT_TRUE(tools->GroupMarkers().empty());  // nothing inverted before the first move
    Move({15, 20});
    Move({20, 30});
    EXPECT_EQ(tools->GroupMarkers(),
              (std::vector<IntPoint>{{10, 10}, {20, 30}, {40, 10}, {50, 30}}));
    RecordingCanvas canvas;
    tools->PaintLive(canvas);
    EXPECT_EQ(canvas.Calls(),
              (std::vector<std::string>{"mix invert", "pen null 1 #000000", "brush #FFFFFF",
                                        "ellipse 5 5 15 15", "brush #000000", "ellipse 15 25 25 35",
                                        "brush #FFFFFF", "ellipse 35 5 45 15", "brush #000000",
                                        "ellipse 45 25 55 35", "mix copy"}));
    Release({20, 30});
    EXPECT_TRUE(tools->GroupMarkers().empty());
}

TEST_F(EditToolsTest, DraggingAnUnselectedPointDropsTheGroup) {
    AddPoints(*doc, {{10, 10}, {20, 10}, {300, 300}});
    tools->SetTool(id::kToolIdMove);
    Drag({0, 0}, {50, 50});
    ASSERT_EQ(tools->Selection().size(), 2u);
    Drag({300, 300}, {310, 310});
    EXPECT_TRUE(tools->Selection().empty());
    EXPECT_EQ(Selected(), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{10, 10}, {20, 10}, {310, 310}}));
}

TEST_F(EditToolsTest, ShiftPressAddsThePointAndDragsBoth) {
    AddPoints(*doc, {{10, 10}, {100, 100}, {300, 300}});
    tools->SetTool(id::kToolIdMove);
    Click({10, 10});  // one point selected, no snapshot
    ASSERT_TRUE(tools->Selection().empty());
    Drag({100, 100}, {110, 90}, true);
    EXPECT_EQ(Selected(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{20, 0}, {110, 90}, {300, 300}}));
}

TEST_F(EditToolsTest, AfterTabAPressOnASelectedPointStillDragsTheSnapshot) {
    AddPoints(*doc, {{10, 10}, {20, 10}, {300, 300}});
    tools->SetTool(id::kToolIdMove);
    Drag({0, 0}, {50, 50});
    tools->OnKeyDown(EditorKey::Tab, false);  // moves the first selected point on
    EXPECT_EQ(Selected(), (std::vector<bool>{false, true, false}));
    Drag({20, 10}, {25, 15});
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{15, 15}, {25, 15}, {300, 300}}));
}

// --- the snapshot never outlives its points

TEST_F(EditToolsTest, EveryOperationThatFreesPointsDiscardsTheSnapshot) {
    struct Case {
        const char* what;
        std::function<void(CTavrinEditorDoc&)> run;
    };
    TempDir dir;
    const auto file = dir / "p.lum";
    {
        MemorySettingsStore s;
        RecordingPrompter q;
        CTavrinEditorDoc other(s, q);
        AddPoints(other, {{1, 1}, {2, 2}});
        ASSERT_TRUE(other.OnSaveDocument(file));
    }
    const Case cases[] = {
        {"undo", [](CTavrinEditorDoc& d) { d.OnEditUndo(); }},
        {"redo",
         [](CTavrinEditorDoc& d) {
             d.OnEditUndo();
             d.OnEditRedo();
         }},
        {"new", [](CTavrinEditorDoc& d) { d.OnNewDocument(); }},
        {"open", [&](CTavrinEditorDoc& d) { ASSERT_TRUE(d.OnOpenDocument(file)); }},
        {"delete selected", [](CTavrinEditorDoc& d) { d.DeleteSelected(); }},
        {"deselect", [](CTavrinEditorDoc& d) { d.DeselectAll(); }},
        {"delete menu point",
         [](CTavrinEditorDoc& d) {
             ASSERT_NE(d.HitTestMenuPoint(20, 10), nullptr);
             d.DeleteMenuPoint();
         }},
    };
    tools->SetTool(id::kToolIdMove);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc->OnNewDocument();
        AddPoints(*doc, {{10, 10}, {20, 10}, {30, 10}});
        doc->SelectAll();
        ASSERT_EQ(tools->Selection().size(), 3u);
        c.run(*doc);
        EXPECT_TRUE(tools->Selection().empty());
        // A drag afterwards touches only live points (the sanitizer build
        // would catch any other).
        Press({20, 10});
        Move({25, 15});
        Release({25, 15});
        EXPECT_TRUE(ListIsSound(*doc));
    }
}

TEST_F(EditToolsTest, AGroupDragWhoseSnapshotIsDiscardedMidwayWritesNothing) {
    AddPoints(*doc, {{10, 10}, {20, 10}});
    tools->SetTool(id::kToolIdMove);
    doc->SelectAll();
    Press({10, 10});
    Move({15, 15});
    doc->OnEditUndo();  // Ctrl+Z while the button is held
    const auto states = doc->UndoStateCount();
    Move({30, 30});
    Release({30, 30});
    EXPECT_EQ(doc->UndoStateCount(), states);
    EXPECT_FALSE(tools->HasCapture());
    EXPECT_TRUE(ListIsSound(*doc));
}

// --- photo drag

TEST_F(EditToolsTest, DraggingThePhotoMovesItsRectangleWithoutAnUndoStep) {
    doc->m_rcPhoto = {0, 400, 800, 1000};
    tools->SetTool(id::kToolIdDragPhoto);
    const auto states = doc->UndoStateCount();
    Press({100, 100});
    EXPECT_TRUE(tools->HasCapture());  // also with no photo loaded
    Move({90, 130});
    Move({-400, 130});
    EXPECT_EQ(doc->m_rcPhoto, (IntRect{-500, 430, 300, 1030}));
    EXPECT_EQ(owner.redrawn, (std::vector<IntRect>{{0, 400, 800, 1000},
                                                   {-10, 430, 790, 1030},
                                                   {-10, 430, 790, 1030},
                                                   {-500, 430, 300, 1030}}));
    const int updates = view.updates;
    Release({-400, 130});
    EXPECT_EQ(view.updates, updates + 1);
    EXPECT_EQ(doc->UndoStateCount(), states);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(tools->HasCapture());
}

// --- capture

TEST_F(EditToolsTest, AReleaseWithoutCaptureIsIgnored) {
    AddPoints(*doc, {{10, 10}, {20, 20}});
    tools->SetTool(id::kToolIdMove);
    const auto states = doc->UndoStateCount();
    Release({10, 10});
    EXPECT_EQ(doc->UndoStateCount(), states);
    EXPECT_EQ(owner.releases, 0);
}

TEST_F(EditToolsTest, ALostCaptureAbandonsTheDragAndKeepsTheDocument) {
    AddPoints(*doc, {{10, 10}, {20, 20}});
    tools->SetTool(id::kToolIdMove);
    Press({10, 10});
    Move({50, 50});
    const auto states = doc->UndoStateCount();
    tools->OnCaptureLost();
    EXPECT_FALSE(tools->HasCapture());
    EXPECT_EQ(owner.releases, 0);  // the window system already took it
    Release({50, 50});
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{10, 10}, {20, 20}}));
    EXPECT_EQ(doc->UndoStateCount(), states);
    RecordingCanvas canvas;
    tools->PaintLive(canvas);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST_F(EditToolsTest, WhenTheToolChangesDuringADragTheReleaseStillEndsIt) {
    AddPoints(*doc, {{10, 10}, {20, 20}});
    tools->SetTool(id::kToolIdMove);
    Press({10, 10});
    tools->SetTool(id::kToolIdPencil);  // the P key with the button held
    Release({30, 30});
    EXPECT_EQ(PointsOf(*doc)[0], (XY{30, 30}));
    EXPECT_FALSE(tools->HasCapture());
    EXPECT_EQ(owner.captures, owner.releases);
}

// --- the grid cursor and the coordinates pane

TEST_F(EditToolsTest, MovesShowTheSnappedPositionAndTheGridCursorFollows) {
    owner.grid = true;
    Move({14, 15});
    ASSERT_EQ(owner.status.size(), 1u);
    EXPECT_EQ(owner.status[0].pane, StatusPane::Coordinates);
    EXPECT_EQ(owner.status[0].text, "X:10 ; Y:10");
    EXPECT_EQ(tools->GridCursor(), (IntPoint{10, 10}));
    RecordingCanvas canvas;
    tools->PaintLive(canvas);
    EXPECT_EQ(canvas.Calls(),
              (std::vector<std::string>{"brush #000000", "pen solid 1 #000000", "mix notxorpen",
                                        "ellipse 6 6 14 14", "mix copy"}));
    Move({16, 26});
    EXPECT_EQ(tools->GridCursor(), (IntPoint{20, 30}));
    owner.grid = false;
    EXPECT_EQ(tools->GridCursor(), std::nullopt);
}

TEST_F(EditToolsTest, TheGridCursorHidesWhileTheMouseIsCaptured) {
    owner.grid = true;
    tools->SetTool(id::kToolIdMove);
    Move({100, 100});
    Press({100, 100});
    EXPECT_EQ(tools->GridCursor(), std::nullopt);
    Move({200, 200});
    Release({200, 200});
    EXPECT_EQ(tools->GridCursor(), std::nullopt);
    Move({300, 300});
    EXPECT_EQ(tools->GridCursor(), (IntPoint{300, 300}));
}

// --- keys

TEST_F(EditToolsTest, TabStepsThroughThePointsCircularly) {
    AddPoints(*doc, {{10, 10}, {20, 20}, {30, 30}});
    tools->OnKeyDown(EditorKey::Tab, false);
    EXPECT_EQ(Selected(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(owner.invalidatedAll, 1);
    tools->OnKeyDown(EditorKey::Tab, false);
    tools->OnKeyDown(EditorKey::Tab, false);
    EXPECT_EQ(Selected(), (std::vector<bool>{false, false, true}));
    tools->OnKeyDown(EditorKey::Tab, false);
    EXPECT_EQ(Selected(), (std::vector<bool>{true, false, false}));
}

TEST_F(EditToolsTest, DeleteRemovesTheSelection) {
    AddPoints(*doc, {{10, 10}, {20, 20}, {30, 30}});
    tools->SetTool(id::kToolIdMove);
    Drag({0, 0}, {25, 25});
    tools->OnKeyDown(EditorKey::Delete, false);
    EXPECT_EQ(PointsOf(*doc), (std::vector<XY>{{30, 30}}));
    EXPECT_TRUE(tools->Selection().empty());
}

TEST_F(EditToolsTest, TheScrollKeys) {
    using S = std::vector<std::pair<ScrollBar, ScrollCode>>;
    constexpr auto V = ScrollBar::Vertical;
    constexpr auto H = ScrollBar::Horizontal;
    const struct {
        EditorKey key;
        bool shift;
        S scrolls;
    } cases[] = {
        {EditorKey::PageUp, false, {{V, ScrollCode::PageUp}}},
        {EditorKey::PageDown, false, {{V, ScrollCode::PageDown}}},
        {EditorKey::Up, false, {{V, ScrollCode::LineUp}}},
        {EditorKey::Down, false, {{V, ScrollCode::LineDown}}},
        {EditorKey::Left, false, {{H, ScrollCode::LineUp}}},
        {EditorKey::Right, false, {{H, ScrollCode::LineDown}}},
        {EditorKey::Home, false, {{V, ScrollCode::Top}, {H, ScrollCode::Top}}},
        {EditorKey::Home, true, {}},
        {EditorKey::End, false, {{V, ScrollCode::Bottom}, {H, ScrollCode::Bottom}}},
        {EditorKey::End, true, {{V, ScrollCode::Bottom}, {H, ScrollCode::Bottom}}},
        {EditorKey::Other, false, {}},
    };
    for (const auto& c : cases) {
        owner.scrolls.clear();
        tools->OnKeyDown(c.key, c.shift);
        EXPECT_EQ(owner.scrolls, c.scrolls) << static_cast<int>(c.key) << " shift " << c.shift;
    }
}

// --- context menu

TEST_F(EditToolsTest, ThePointItemsGoOnTopOfTheMenuWithTheAnchorCheck) {
    AddPoints(*doc, {{100, 600}, {200, 700}});
    ASSERT_TRUE(doc->ToggleAnchor(PointAt(*doc, 1)));
    const IntPoint origin{300, 200};  // the client area on the screen
    const IntPoint scroll{0, 500};
    const ContextMenu menu = tools->OnContextMenu({502, 400}, origin, scroll);  // (202, 700)
    EXPECT_EQ(menu.menuId, id::kMenuEditorPopup);
    EXPECT_EQ(menu.screen, (IntPoint{502, 400}));
    EXPECT_EQ(doc->GetMenuPoint(), PointAt(*doc, 1));
    const std::vector<MenuItem> top(menu.items.begin(), menu.items.begin() + 6);
    EXPECT_EQ(top,
              (std::vector<MenuItem>{{Command::AnchorMenuPoint, "Anchor Point", MenuCheck::Checked},
                                     {Command::DeleteMenuPoint, "Delete node"},
                                     {std::nullopt, {}},
                                     {Command::MenuPointProperties, "Po&int Properties..."},
                                     {std::nullopt, {}},
                                     {Command::OpenCloseProfile, "Close Spline"}}));
    EXPECT_EQ(menu.items.size(), 15u);
    // Away from the points the menu is the general one alone.
    const ContextMenu plain = tools->OnContextMenu({900, 900}, origin, scroll);
    EXPECT_EQ(plain.items.front().text, "Close Spline");
    EXPECT_EQ(doc->GetMenuPoint(), nullptr);
}

TEST_F(EditToolsTest, TheMenuPositionIsNotSnapped) {
    AddPoints(*doc, {{12, 13}});
    owner.grid = true;  // snapping would take (12, 13) to (10, 10), out of reach
    const ContextMenu menu = tools->OnContextMenu({12, 13}, {0, 0}, {0, 0});
    EXPECT_EQ(menu.items.front().command, Command::AnchorMenuPoint);
    EXPECT_EQ(menu.items.front().check, MenuCheck::Unchecked);
}

class FixedPhoto final : public PhotoImage {
public:
    bool IsLoaded() const override { return true; }
    int Width() const override { return 800; }
    int Height() const override { return 600; }
};

TEST_F(EditToolsTest, TheDragPhotoToolWithAPhotoShowsThePhotoMenu) {
    tools->SetTool(id::kToolIdDragPhoto);
    EXPECT_EQ(tools->OnContextMenu({5, 5}, {0, 0}, {0, 0}).menuId, id::kMenuEditorPopup);
    doc->m_picture = std::make_unique<FixedPhoto>();
    AddPoints(*doc, {{50, 50}});
    const ContextMenu menu = tools->OnContextMenu({50, 50}, {0, 0}, {0, 0});
    EXPECT_EQ(menu.menuId, id::kMenuPhotoPopup);
    EXPECT_EQ(menu.items, (std::vector<MenuItem>{
                              {Command::AnchorMenuPoint, "Anchor Point", MenuCheck::Unchecked},
                              {Command::DeleteMenuPoint, "Delete node"},
                              {std::nullopt, {}},
                              {Command::MenuPointProperties, "Po&int Properties..."},
                              {std::nullopt, {}},
                              {Command::PhotoProperties, "Photo &Properties..."},
                              {Command::PhotoAdd, "Repl&ace Photo..."},
                              {Command::PhotoRemove, "&Remove Background Photo"},
                              {Command::PhotoHide, "&Hide Photo", MenuCheck::Unchecked}}));
    // A hidden photo: the item that shows it again carries the check mark.
    doc->m_bPhotoHidden = true;
    EXPECT_EQ(tools->OnContextMenu({5, 5}, {0, 0}, {0, 0}).items.back(),
              (MenuItem{Command::PhotoHide, "&Hide Photo", MenuCheck::Checked}));
}

TEST_F(EditToolsTest, TheMenuKeyOpensTheMenuNearTheTopLeftCorner) {
    AddPoints(*doc, {{5, 505}});
    const ContextMenu menu = tools->OnContextMenu({-1, -1}, {300, 200}, {0, 500});
    EXPECT_EQ(menu.screen, (IntPoint{305, 205}));
    EXPECT_EQ(menu.items.front().command,
              Command::AnchorMenuPoint);  // the point at (5, 5) + scroll
}

// --- tools and cursors

TEST_F(EditToolsTest, TheToolStartsAsPencilAndTakesOnlyTheFourTools) {
    EXPECT_EQ(tools->GetTool(), id::kToolIdPencil);
    tools->SetTool(4);
    EXPECT_EQ(tools->GetTool(), id::kToolIdPencil);
    tools->SetTool(id::kToolIdDragPhoto);
    EXPECT_EQ(tools->GetTool(), id::kToolIdDragPhoto);
}

TEST(CursorTest, EachToolHasItsCursorAndTheHandClosesOnPress) {
    EXPECT_EQ(CursorFor(id::kToolIdPencil, false), id::kCursorPencil);
    EXPECT_EQ(CursorFor(id::kToolIdMove, true), id::kCursorMove);
    EXPECT_EQ(CursorFor(id::kToolIdInsert, false), id::kCursorInsert);
    EXPECT_EQ(CursorFor(id::kToolIdDragPhoto, false), id::kCursorHandOpen);
    EXPECT_EQ(CursorFor(id::kToolIdDragPhoto, true), id::kCursorHandClosed);
}

}  // namespace
}  // namespace orvanel::test
