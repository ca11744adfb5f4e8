// The document's commands: enable and check rules, the handlers the core
// runs, the status panes and the Settings flow.
#include "document/commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "editor/edit_tools.h"
#include "preview/camera.h"
#include "resources/ids.h"
#include "tests/support/test_doubles.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

class LoadedPhoto final : public PhotoImage {
public:
    bool IsLoaded() const override { return true; }
    int Width() const override { return 800; }
    int Height() const override { return 600; }
};

class CommandsTest : public ::testing::Test {
protected:
    CommandOutcome Run(Command c) { return RunDocumentCommand(c, *f, tools, host); }
    CommandState Rule(Command c) { return CommandRule(c, CommandContextOf(*f, tools)); }

    DocFixture f;
    NullToolsOwner owner;
    EditTools tools{*f, owner};
    RecordingCommandHost host;
};

// --- rules

TEST(CommandRuleTest, EnableAndCheckRules) {
    CommandContext none;
    CommandContext three;
    three.nPoints = 3;
    CommandContext photo;
    photo.bPhotoLoaded = true;
    photo.bPhotoHidden = true;
    photo.nTool = id::kToolIdDragPhoto;
    CommandContext one;
    one.nPoints = 1;
    CommandContext ruler = one;
    ruler.bRulerVisible = true;
    CommandContext views;
    views.bGrid = true;
    views.bShowGridPlane = true;
    views.bSmooth = true;
    views.bSiblingFound = true;
    views.bCanUndo = true;
    views.bCanRedo = true;
    const CommandState on{true, false, false};
    const CommandState off{false, false, false};
    const struct {
        Command command;
        const CommandContext& context;
        CommandState state;
    } cases[] = {
        {Command::Undo, none, off},
        {Command::Undo, views, on},
        {Command::Redo, none, off},
        {Command::Redo, views, on},
        {Command::Copy, views, off},
        {Command::OpenCloseProfile, one, off},
        {Command::OpenCloseProfile, three, on},
        {Command::ToolPencil, none, {true, true, true}},
        {Command::ToolPencil, photo, {true, true, false}},
        {Command::ToolMove, none, {true, true, false}},
        {Command::ToolInsert, none, {true, true, false}},
        {Command::ToolDragPhoto, none, {false, true, false}},
        {Command::ToolDragPhoto, photo, {true, true, true}},
        {Command::PhotoProperties, none, off},
        {Command::PhotoProperties, photo, on},
        {Command::PhotoRemove, none, off},
        {Command::PhotoRemove, photo, on},
        {Command::PhotoHide, none, {false, true, false}},
        {Command::PhotoHide, photo, {true, true, true}},
        {Command::CalibratePhoto, none, off},
        {Command::CalibratePhoto, photo, on},
        {Command::PrintTemplate, none, off},
        {Command::PrintTemplate, one, on},
        {Command::PhotoAdd, none, on},
        {Command::ToggleGrid, none, {true, true, false}},
        {Command::ToggleGrid, views, {true, true, true}},
        {Command::ViewGridPlane, none, {true, true, false}},
        {Command::ViewGridPlane, views, {true, true, true}},
        {Command::ToggleSmoothing, none, {true, true, false}},
        {Command::ToggleSmoothing, views, {true, true, true}},
        {Command::Transfer, none, off},
        {Command::Transfer, views, on},
        {Command::GoldenRatio, one, {false, true, false}},
        {Command::GoldenRatio, ruler, {true, true, true}},
        {Command::GoldenRatio, three, {true, true, false}},
        {Command::SelectAll, none, on},
        {Command::Settings, none, on},
        {Command::FlipNormals, none, on},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CommandRule(c.command, c.context), c.state)
            << "command " << static_cast<int>(c.command);
    }
}

TEST_F(CommandsTest, TheRulesFollowTheDocument) {
    EXPECT_FALSE(Rule(Command::Undo).enabled);  // one state after start-up
    AddPoints(*f, {{1, 1}, {2, 2}});
    EXPECT_TRUE(Rule(Command::Undo).enabled);
    EXPECT_FALSE(Rule(Command::OpenCloseProfile).enabled);
    f->AppendPoint(3, 3);
    EXPECT_TRUE(Rule(Command::OpenCloseProfile).enabled);
    f->ToggleClosed();
    EXPECT_TRUE(Rule(Command::OpenCloseProfile).enabled);  // open or closed
    EXPECT_FALSE(Rule(Command::ToolDragPhoto).enabled);
    f->m_picture = std::make_unique<LoadedPhoto>();
    EXPECT_TRUE(Rule(Command::ToolDragPhoto).enabled);
}

// --- handlers

TEST_F(CommandsTest, ADisabledCommandDoesNothing) {
    const int updates = f.view.updates;
    EXPECT_EQ(Run(Command::Undo), CommandOutcome::Disabled);
    EXPECT_EQ(Run(Command::Copy), CommandOutcome::Disabled);
    EXPECT_EQ(Run(Command::PhotoHide), CommandOutcome::Disabled);
    EXPECT_EQ(f.view.updates, updates);
    EXPECT_FALSE(f->m_bPhotoHidden);
    AddPoints(*f, {{1, 1}, {2, 2}});
    const auto states = f->UndoStateCount();
    EXPECT_EQ(Run(Command::OpenCloseProfile), CommandOutcome::Disabled);
    EXPECT_EQ(f->UndoStateCount(), states);
}

TEST_F(CommandsTest, TheToolCommandsSetTheEditorsTool) {
    const struct {
        Command command;
        int tool;
    } cases[] = {{Command::ToolMove, id::kToolIdMove},
                 {Command::ToolInsert, id::kToolIdInsert},
                 {Command::ToolPencil, id::kToolIdPencil}};
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.command), CommandOutcome::Done);
        EXPECT_EQ(tools.GetTool(), c.tool);
        EXPECT_TRUE(Rule(c.command).checked);
    }
    EXPECT_EQ(Run(Command::ToolDragPhoto), CommandOutcome::Disabled);
    f->m_picture = std::make_unique<LoadedPhoto>();
    EXPECT_EQ(Run(Command::ToolDragPhoto), CommandOutcome::Done);
    EXPECT_EQ(tools.GetTool(), id::kToolIdDragPhoto);
}

TEST_F(CommandsTest, FlipNormalsUpdatesTheViewsWithoutAnUndoStep) {
    const auto states = f->UndoStateCount();
    const int updates = f.view.updates;
    EXPECT_EQ(Run(Command::FlipNormals), CommandOutcome::Done);
    EXPECT_TRUE(f->m_bFlipNormals);
    EXPECT_EQ(f.view.updates, updates + 1);
    EXPECT_EQ(f->UndoStateCount(), states);
    EXPECT_FALSE(f->IsModified());
}

TEST_F(CommandsTest, HideAndRemoveThePhoto) {
    f->m_picture = std::make_unique<LoadedPhoto>();
    f->m_rcPhoto = {0, 400, 800, 1000};
    EXPECT_EQ(Run(Command::PhotoHide), CommandOutcome::Done);
    EXPECT_TRUE(Rule(Command::PhotoHide).checked);
    EXPECT_EQ(Run(Command::PhotoRemove), CommandOutcome::Done);
    EXPECT_EQ(host.posted, (std::vector<Command>{Command::ToolPencil}));
    EXPECT_EQ(f->m_rcPhoto, (IntRect{0, 400, 800, 1000}));
    for (Command c : {Command::ToolDragPhoto, Command::PhotoProperties, Command::PhotoRemove,
                      Command::PhotoHide}) {
        EXPECT_FALSE(Rule(c).enabled) << static_cast<int>(c);
    }
}

TEST_F(CommandsTest, TheContextMenuPointCommandsActOnTheMenuPoint) {
    AddPoints(*f, {{10, 10}, {50, 50}, {90, 10}});
    ASSERT_NE(f->HitTestMenuPoint(50, 50), nullptr);
    EXPECT_EQ(Run(Command::AnchorMenuPoint), CommandOutcome::Done);
    EXPECT_TRUE(PointAt(*f, 1)->bAnchor);
    EXPECT_EQ(Run(Command::DeleteMenuPoint), CommandOutcome::Done);
    EXPECT_EQ(PointsOf(*f), (std::vector<XY>{{10, 10}, {90, 10}}));
}

TEST_F(CommandsTest, DialogAndViewCommandsAreLeftToTheApplication) {
    for (Command c : {Command::Settings, Command::PhotoAdd, Command::PhotoProperties,
                      Command::ToggleGrid, Command::ToggleSmoothing, Command::ViewGridPlane,
                      Command::Transfer, Command::ExportPov, Command::GoldenRatio, Command::FileNew,
                      Command::Dimensions, Command::CalibratePhoto, Command::MenuPointProperties,
                      Command::PrintTemplate, Command::ExportSvg, Command::ExportDxf}) {
        EXPECT_EQ(Run(c), CommandOutcome::NotHandled) << static_cast<int>(c);
    }
}

// --- panes

TEST_F(CommandsTest, ThePointsAndPolygonsPanes) {
    f->m_nSections = 24;
    f->m_nPreviewSteps = 5;
    AddPoints(*f, {{1, 1}, {2, 2}, {3, 3}});
    EXPECT_EQ(PointsPaneText(*f), "Points: 3");
    EXPECT_EQ(PolygonsPaneText(*f), "Polygons: 0");
    AddPoints(*f, {{4, 4}, {5, 5}});
    EXPECT_EQ(PointsPaneText(*f), "Points: 5");
    EXPECT_EQ(PolygonsPaneText(*f), "Polygons: 230");
}

// --- the Settings flow

class RecordingViews final : public SettingsFlowViews {
public:
    explicit RecordingViews(const CTavrinEditorDoc& doc) : m_doc(doc) {}
    EditorLook GetEditorLook() const override { return editor; }
    void SetEditorLook(const EditorLook& look) override {
        editor = look;
        calls.push_back("editor");
    }
    PreviewLook GetPreviewLook() const override { return preview; }
    void SetPreviewLook(const PreviewLook& look) override {
        preview = look;
        calls.push_back("preview");
    }
    bool IsPreviewSmooth() const override { return smooth; }
    void TogglePreviewSmoothing() override {
        smooth = !smooth;
        // The document's values are in place before the preview rebuilds.
        calls.push_back("toggle with " + std::to_string(m_doc.m_nSections) + " sections");
    }
    void ResetPreviewGLState() override { calls.push_back("reset"); }

    EditorLook editor{
        .background = 0xFFFFFF, .pen = 0x000000, .grid = 0x80FF00, .penSize = 2, .gridSize = 10};
    PreviewLook preview{.background = 0x404040,
                        .gridPlane = 0x00FF00,
                        .object = 0x808080,
                        .frontLight = 0xFFFFFF,
                        .backLight = 0x0000FF,
                        .frontLightPos = 2,
                        .backLightPos = 5};
    bool smooth = false;
    std::vector<std::string> calls;

private:
    const CTavrinEditorDoc& m_doc;
};

class FakeSheet final : public SettingSheetRunner {
public:
    bool RunModal(std::string_view t, SettingSheetValues& values) override {
        title = t;
        shown = values;
        if (edit) edit(values);
        return ok;
    }
    bool ok = true;
    std::function<void(SettingSheetValues&)> edit;
    std::string title;
    SettingSheetValues shown;
};

TEST_F(CommandsTest, TheSheetIsFilledFromTheViewsAndTheDocument) {
    RecordingViews views(*f);
    FakeSheet sheet;
    sheet.ok = false;
    f->m_fExtrusionHeight = 1.25f;
    EXPECT_FALSE(RunSettingsFlow(*f, views, sheet));
    EXPECT_EQ(sheet.title, "Settings...");
    const SettingSheetValues& v = sheet.shown;
    EXPECT_EQ(v.editor, (EditorSettingPageValues{0x000000, 0x80FF00, 0xFFFFFF, 10, 10, 2}));
    EXPECT_EQ(v.object, (ObjectPageValues{0x808080, 5, 24, 1.25f, false}));
    EXPECT_EQ(v.preview, (PreviewPageValues{0x404040, 0x00FF00, 0x0000FF, 0xFFFFFF, 5, 2}));
}

TEST_F(CommandsTest, CancelChangesNothing) {
    RecordingViews views(*f);
    FakeSheet sheet;
    sheet.ok = false;
    sheet.edit = [](SettingSheetValues& v) {
        v.editor.m_clrPen = 0x0000FF;
        v.object.m_nSections = 100;
        v.object.m_bSmooth = true;
    };
    const int updates = f.view.updates;
    EXPECT_FALSE(RunSettingsFlow(*f, views, sheet));
    EXPECT_TRUE(views.calls.empty());
    EXPECT_EQ(f->m_nSections, 24);
    EXPECT_EQ(views.editor.pen, 0x000000u);
    EXPECT_EQ(f.view.updates, updates);
}

TEST_F(CommandsTest, OkCopiesBackInOrderAndTogglesTheShadingOnlyWhenItChanged) {
    for (bool changeShading : {true, false}) {
        SCOPED_TRACE(changeShading);
        RecordingViews views(*f);
        FakeSheet sheet;
        sheet.edit = [&](SettingSheetValues& v) {
            v.editor.m_clrPen = 0x0000FF;
            v.editor.m_nPenSize = 4;
            v.editor.m_nEditorSteps = 20;
            v.object.m_nSections = 100;
            v.object.m_nPreviewSteps = 40;
            v.object.m_clrObject = 0x123456;
            v.object.m_bSmooth = changeShading;
            v.preview.m_nFrontLightPos = 0;
        };
        const auto states = f->UndoStateCount();
        const int updates = f.view.updates;
        EXPECT_TRUE(RunSettingsFlow(*f, views, sheet));
        if (changeShading) {
            EXPECT_EQ(views.calls, (std::vector<std::string>{"editor", "toggle with 100 sections",
                                                             "preview", "reset"}));
        } else {
            EXPECT_EQ(views.calls, (std::vector<std::string>{"editor", "preview", "reset"}));
        }
        EXPECT_EQ(views.smooth, changeShading);
        EXPECT_EQ(views.editor, (EditorLook{.background = 0xFFFFFF,
                                            .pen = 0x0000FF,
                                            .grid = 0x80FF00,
                                            .penSize = 4,
                                            .gridSize = 10}));
        EXPECT_EQ(views.preview.object, 0x123456u);
        EXPECT_EQ(views.preview.frontLightPos, 0);
        EXPECT_EQ(f->m_nEditorSteps, 20);
        EXPECT_EQ(f->m_nPreviewSteps, 40);
        EXPECT_EQ(f->m_nSections, 100);
        EXPECT_EQ(f.view.updates, updates + 1);
        EXPECT_EQ(f->UndoStateCount(), states);
        EXPECT_FALSE(f->IsModified());
        f->m_nSections = 24;
    }
}

}  // namespace
}  // namespace orvanel::test
