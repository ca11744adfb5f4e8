// The export commands: the name a file gets, the replace question the dialog
// could not ask, and each flow's steps, where Cancel writes nothing. And the
// options dialogs' fields.
#include <gtest/gtest.h>

#include <deque>

#include "editor/editor_draw.h"
#include "export/export_commands.h"
#include "export/export_fields.h"
#include "export/pov_writer.h"
#include "export/vrml_writer.h"
#include "preview/camera.h"
#include "resources/strings.h"
#include "tests/unit/test_support.h"

namespace orvanel::test {
namespace {

const std::initializer_list<XY> kVase = {{10, 200}, {50, 180}, {80, 100}, {60, 20}};

// The user's answers, one per dialog, in the order the dialogs come.
class ScriptedDialogs final : public ExportDialogs {
public:
    std::optional<ChosenFile> ChooseSaveFile(const SaveDialogSpec& spec,
                                             const std::filesystem::path& initial) override {
        titles.push_back(std::string(spec.title));
        initials.push_back(initial);
        if (files.empty()) return std::nullopt;
        std::optional<ChosenFile> file = files.front();
        files.pop_front();
        return file;
    }
    bool RunVrmlOptions(VrmlOptions& options) override {
        vrmlShown = options;
        if (editVrml) editVrml(options);
        return optionsOk;
    }
    bool RunStlOptions(StlOptions& options) override {
        stlShown = options;
        if (editStl) editStl(options);
        return optionsOk;
    }

    std::deque<std::optional<ChosenFile>> files;  // nothing: Cancel
    bool optionsOk = true;
    std::function<void(VrmlOptions&)> editVrml;
    std::function<void(StlOptions&)> editStl;
    std::vector<std::string> titles;
    std::vector<std::filesystem::path> initials;
    std::optional<VrmlOptions> vrmlShown;
    std::optional<StlOptions> stlShown;
};

class QuietViews final : public SettingsFlowViews {
public:
    EditorLook GetEditorLook() const override { return {}; }
    void SetEditorLook(const EditorLook&) override {}
    PreviewLook GetPreviewLook() const override { return {}; }
    void SetPreviewLook(const PreviewLook&) override {}
    bool IsPreviewSmooth() const override { return false; }
    void TogglePreviewSmoothing() override {}
    void ResetPreviewGLState() override {}
};

class Sheet final : public SettingSheetRunner {
public:
    bool RunModal(std::string_view t, SettingSheetValues& values) override {
        title = t;
        values.editor.m_nEditorSteps = 3;
        return ok;
    }
    bool ok = true;
    std::string title;
};

class ExportCommandsTest : public ::testing::Test {
protected:
    ExportCommandsTest() {
        AddPoints(*d, kVase);
        d.prompter.Clear();
    }
    std::optional<ChosenFile> File(const std::string& name, int filter = 0) {
        return ChosenFile{dir / name, filter};
    }
    bool Wrote(const std::string& name) { return std::filesystem::exists(dir / name); }
    std::string Read(const std::string& name) {
        const auto bytes = ReadFileBytes(dir / name);
        return {bytes.begin(), bytes.end()};
    }

    DocFixture d;
    TempDir dir;
    ScriptedDialogs dialogs;
    QuietViews views;
    Sheet sheet;
};

TEST(ExportPathTest, ANameWithoutExtensionGetsTheChosenFiltersOrTheDefault) {
    const struct {
        const char* typed;
        int filter;
        const char* path;
    } cases[] = {
        {"/w/vase", 0, "/w/vase.inc"},     {"/w/vase", 1, "/w/vase.pov"},
        {"/w/vase", 2, "/w/vase.inc"},     {"/w/vase.inc", 1, "/w/vase.inc"},
        {"/w/vase.txt", 0, "/w/vase.txt"}, {"/w/my vase", 0, "/w/my vase.inc"},
        {"/w.d/vase", 0, "/w.d/vase.inc"}, {"/w/vase", -1, "/w/vase.inc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExportPath({c.typed, c.filter}, kPovSaveDialog), c.path) << c.typed;
    }
    EXPECT_EQ(ExportPath({"/w/vase", 1}, kVrmlSaveDialog), "/w/vase.wrl");
    EXPECT_EQ(ExportPath({"/w/vase", 0}, kStlSaveDialog), "/w/vase.stl");
    EXPECT_EQ(FileTitle("/w/my vase.inc"), "my vase");
    EXPECT_EQ(FileTitle("/w/bowl.v2.wrl"), "bowl.v2");
}

TEST_F(ExportCommandsTest, TheDialogIsAskedAgainWhenTheUserWillNotReplaceTheFileTheNameGot) {
    WriteFileBytes(dir / "vase.inc", {'o', 'l', 'd'});
    dialogs.files = {File("vase"), File("vase"), File("vase.inc")};
    d.prompter.SetAnswer(false);
    // No to the file the extension named: the dialog again, on that file.
    EXPECT_EQ(ChooseExportFile(kPovSaveDialog, dialogs, d.prompter), dir / "vase.inc");
    EXPECT_EQ(d.prompter.Texts(),
              (std::vector<std::string>{"vase.inc already exists.\nDo you want to replace it?",
                                        "vase.inc already exists.\nDo you want to replace it?"}));
    EXPECT_EQ(dialogs.initials,
              (std::vector<std::filesystem::path>{"untitled", dir / "vase.inc", dir / "vase.inc"}));
    // Yes replaces; a name given whole was the dialog's to ask about.
    d.prompter.Clear();
    d.prompter.SetAnswer(true);
    dialogs.files = {File("vase")};
    EXPECT_EQ(ChooseExportFile(kPovSaveDialog, dialogs, d.prompter), dir / "vase.inc");
    EXPECT_EQ(d.prompter.Texts().size(), 1u);
    dialogs.files = {File("new")};
    EXPECT_EQ(ChooseExportFile(kPovSaveDialog, dialogs, d.prompter), dir / "new.inc");
    EXPECT_EQ(d.prompter.Texts().size(), 1u);
}

TEST_F(ExportCommandsTest, PovNamesTheObjectThenRunsTheSettingsFlowThenWrites) {
    const std::string oldName = d->m_strObjectName;
    dialogs.files = {std::nullopt};
    EXPECT_EQ(RunPovExport(*d, dialogs, views, sheet), std::nullopt);
    EXPECT_EQ(dialogs.titles, std::vector<std::string>{"POV-Ray Export"});
    EXPECT_EQ(d->m_strObjectName, oldName);
    EXPECT_TRUE(sheet.title.empty());

    // Cancel on the sheet: no file, but the object has its new name.
    sheet.ok = false;
    dialogs.files = {File("my vase")};
    EXPECT_EQ(RunPovExport(*d, dialogs, views, sheet), std::nullopt);
    EXPECT_EQ(d->m_strObjectName, "my vase");
    EXPECT_EQ(sheet.title, "Settings...");
    EXPECT_NE(d->m_nEditorSteps, 3);
    EXPECT_FALSE(Wrote("my vase.inc"));

    sheet.ok = true;
    dialogs.files = {File("my vase")};
    EXPECT_EQ(RunPovExport(*d, dialogs, views, sheet), ExportOutcome::Written);
    EXPECT_EQ(d->m_nEditorSteps, 3);  // applied before the file is written
    EXPECT_EQ(Read("my vase.inc"), PovFileText(*d, PovOptions::Of(*d), GetProfileExtent(*d)));
    EXPECT_NE(Read("my vase.inc").find("#declare my_vase = "), std::string::npos);
}

TEST_F(ExportCommandsTest, VrmlShowsTheDefaultsWithTheDocumentsFlipAndWritesWhatWasChosen) {
    d->m_bFlipNormals = true;
    dialogs.files = {std::nullopt};
    EXPECT_EQ(RunVrmlExport(*d, dialogs), std::nullopt);
    EXPECT_EQ(dialogs.titles, std::vector<std::string>{"VRML 2.0 Export"});
    EXPECT_FALSE(dialogs.vrmlShown);

    dialogs.files = {File("vase")};
    dialogs.optionsOk = false;
    EXPECT_EQ(RunVrmlExport(*d, dialogs), std::nullopt);
    ASSERT_TRUE(dialogs.vrmlShown);
    VrmlOptions defaults;
    defaults.bFlipNormals = true;
    EXPECT_EQ(VrmlOptionsTexts(*dialogs.vrmlShown), VrmlOptionsTexts(defaults));
    EXPECT_TRUE(dialogs.vrmlShown->bFlipNormals);
    EXPECT_EQ(dialogs.vrmlShown->clrDiffuse, kVrmlDefaultDiffuse);
    EXPECT_FALSE(Wrote("vase.wrl"));

    dialogs.files = {File("vase")};
    dialogs.optionsOk = true;
    dialogs.editVrml = [](VrmlOptions& o) { o.nSections = 7, o.bFlipNormals = false; };
    EXPECT_EQ(RunVrmlExport(*d, dialogs), ExportOutcome::Written);
    VrmlOptions chosen;
    chosen.nSections = 7;
    EXPECT_EQ(Read("vase.wrl"), VrmlFileText(*d, "vase", chosen).text);
    EXPECT_TRUE(d->m_bFlipNormals);  // the dialog's box is its own
}

TEST_F(ExportCommandsTest, StlStartsFromThePreviewAndAsksBeforeAnOpenSurface) {
    d->m_nSections = 40;
    d->m_nPreviewSteps = 7;
    dialogs.files = {File("vase")};
    dialogs.optionsOk = false;
    EXPECT_EQ(RunStlExport(*d, dialogs), std::nullopt);
    ASSERT_TRUE(dialogs.stlShown);
    EXPECT_EQ(dialogs.titles, std::vector<std::string>{"STL Export"});
    EXPECT_EQ(dialogs.stlShown->nSections, 40);
    EXPECT_EQ(dialogs.stlShown->nSteps, 7);
    EXPECT_FALSE(dialogs.stlShown->bAscii);
    EXPECT_EQ(dialogs.stlShown->strSolidName, "vase");
    EXPECT_FALSE(Wrote("vase.stl"));

    dialogs.files = {File("vase")};
    dialogs.optionsOk = true;
    d.prompter.SetAnswer(false);
    EXPECT_EQ(RunStlExport(*d, dialogs), ExportOutcome::Refused);
    EXPECT_EQ(d.prompter.Texts(), std::vector<std::string>{std::string(text::kStlNotClosed)});
    EXPECT_FALSE(Wrote("vase.stl"));

    dialogs.files = {File("vase")};
    dialogs.editStl = [](StlOptions& o) { o.bAscii = true; };
    d.prompter.SetAnswer(true);
    EXPECT_EQ(RunStlExport(*d, dialogs), ExportOutcome::Written);
    EXPECT_EQ(Read("vase.stl").rfind("solid vase\n", 0), 0u);
}

TEST(ExportFieldsTest, TheOptionsDialogsReadTheirFieldsInOrderWithTheProgramsMessages) {
    const auto [sections, steps, shininess, transparency, smoothing, hole] = kVrmlOptionsFields;
    FieldTexts texts = VrmlOptionsTexts({});
    EXPECT_EQ(
        texts,
        (FieldTexts{
            {1004, "16"}, {1005, "6"}, {1007, "0.3"}, {1008, "0"}, {1069, "30"}, {1010, "0"}}));
    const struct {
        int control;
        const char* text;
        const char* message;
    } refusals[] = {
        {sections.control, "2", "Enter an integer between 3 and 500."},
        {sections.control, "501", "Enter an integer between 3 and 500."},
        {steps.control, "0", "Enter an integer between 1 and 50."},
        {shininess.control, "1.5", "Enter a number between 0 and 1."},
        {transparency.control, "x", "Enter a number."},
        {smoothing.control, "91", "Enter an integer between 0 and 90."},
        {hole.control, "1001", "Enter an integer between 0 and 1000."},
        {hole.control, "", "Enter an integer."},
    };
    for (const auto& r : refusals) {
        FieldTexts refused = texts;
        refused[r.control] = r.text;
        VrmlOptions o;
        o.nSections = 99;
        EXPECT_EQ(ReadVrmlOptions(refused, o), (FieldError{r.control, r.message})) << r.text;
        EXPECT_EQ(o.nSections, 99);  // nothing stored
    }
    // The first refusal in the fields' order is the one told.
    texts[hole.control] = "-1";
    texts[steps.control] = "51";
    VrmlOptions o;
    EXPECT_EQ(ReadVrmlOptions(texts, o)->control, steps.control);
    texts = {{1004, "500"}, {1005, "1"}, {1007, "1"}, {1008, "0.5"}, {1069, "0"}, {1010, "1000"}};
    ASSERT_EQ(ReadVrmlOptions(texts, o), std::nullopt);
    EXPECT_EQ(o.nSections, 500);
    EXPECT_EQ(o.fTransparency, 0.5f);
    EXPECT_EQ(o.nHoleRadius, 1000);
    // The spin buttons move in wider ranges than the fields accept.
    EXPECT_EQ(sections.spinLo, 0);
    EXPECT_EQ(hole.spinHi, 10000);

    StlOptions stl;
    EXPECT_EQ(StlOptionsTexts(stl), (FieldTexts{{1100, "24"}, {1102, "5"}}));
    EXPECT_EQ(ReadStlOptions({{1100, "1441"}, {1102, "5"}}, stl),
              (FieldError{1100, "Enter an integer between 3 and 1440."}));
    EXPECT_EQ(ReadStlOptions({{1100, "1440"}, {1102, "101"}}, stl),
              (FieldError{1102, "Enter an integer between 1 and 100."}));
    ASSERT_EQ(ReadStlOptions({{1100, "1440"}, {1102, "100"}}, stl), std::nullopt);
    EXPECT_EQ(stl.nSections, 1440);
    EXPECT_EQ(stl.nSteps, 100);
}

}  // namespace
}  // namespace orvanel::test
