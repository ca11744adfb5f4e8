// The settings sheet: its refusals with the program's messages, Cancel and
// OK, the spin arrows' ends, the swatches, the light grids and the real
// colour dialog.
#include "app/settings_sheet.h"

#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <memory>

#include "document/settings_store.h"
#include "editor/editor_draw.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"
#include "tests/support/test_doubles.h"

namespace orvanel::gui {
namespace {

constexpr Colour kRed = Rgb(255, 0, 0);

SettingSheetValues FreshValues() {
    SettingSheetValues v;
    v.editor = {0x000000, Rgb(0, 255, 128), 0xFFFFFF, 10, 10, 2};
    v.object = {Rgb(231, 169, 24), 5, 12, 0.5f, true};
    v.preview = {Rgb(0, 0, 64), Rgb(128, 128, 128), Rgb(0, 0, 255), Rgb(255, 255, 255), 5, 2};
    return v;
}

enum Page { kEditor = 0, kObject = 1, kEnvironment = 2 };

// A sheet shown without a modal loop, its OK and its controls driven directly.
class SettingSheetTest : public ::testing::Test {
protected:
    void Open(const SettingSheetValues& values = FreshValues()) {
        initial = values;
        // The sheet before goes first: a new one would be its child.
        sheet.reset();
        Pump();
        sheet.reset(new CSettingSheet(nullptr, prompter, values,
                                      [this](wxWindow*, Colour start) -> std::optional<Colour> {
                                          chooserStarts.push_back(start);
                                          return chosen;
                                      }));
        sheet->Show();
        Pump();
    }
    void TearDown() override { sheet.reset(); }

    // Shows a page as the program does when it starts: without leaving the
    // page before, so that no check runs.
    void ShowPage(int page) {
        sheet->GetBookCtrl()->ChangeSelection(page);
        Pump();
    }
    wxTextCtrl* Field(int control) { return dynamic_cast<wxTextCtrl*>(sheet->FindWindow(control)); }
    wxRadioButton* Radio(int control) {
        return dynamic_cast<wxRadioButton*>(sheet->FindWindow(control));
    }
    void SetText(int control, const char* text) {
        wxTextCtrl* field = Field(control);
        ASSERT_NE(field, nullptr) << control;
        field->ChangeValue(text);
    }
    void Mouse(int control, wxEventType type, const wxPoint& at) {
        wxWindow* window = sheet->FindWindow(control);
        ASSERT_NE(window, nullptr) << control;
        wxMouseEvent event(type);
        event.SetPosition(at);
        event.SetEventObject(window);
        window->ProcessWindowEvent(event);
    }
    void ClickArrow(int spin, bool up) {
        const wxSize size = sheet->FindWindow(spin)->GetClientSize();
        const wxPoint at(size.x / 2, up ? 1 : size.y - 2);
        Mouse(spin, wxEVT_LEFT_DOWN, at);
        Mouse(spin, wxEVT_LEFT_UP, at);
    }
    const RecordingPrompter::Entry* LastMessage() const {
        return prompter.Entries().empty() ? nullptr : &prompter.Entries().back();
    }

    struct Destroyer {
        void operator()(wxWindow* window) const { window->Destroy(); }
    };
    RecordingPrompter prompter;
    std::unique_ptr<CSettingSheet, Destroyer> sheet;
    SettingSheetValues initial;
    std::optional<Colour> chosen;
    std::vector<Colour> chooserStarts;
};

TEST_F(SettingSheetTest, OffersOkAndCancelOnlyAndThreePagesInOrder) {
    Open();
    EXPECT_EQ(sheet->GetTitle(), "Property Sheet");
    EXPECT_NE(sheet->FindWindow(wxID_OK), nullptr);
    EXPECT_NE(sheet->FindWindow(wxID_CANCEL), nullptr);
    EXPECT_EQ(sheet->FindWindow(wxID_APPLY), nullptr);
    EXPECT_EQ(sheet->FindWindow(wxID_HELP), nullptr);
    wxBookCtrlBase* book = sheet->GetBookCtrl();
    ASSERT_EQ(book->GetPageCount(), 3u);
    EXPECT_EQ(book->GetPageText(0), "Editor");
    EXPECT_EQ(book->GetPageText(1), "3D Object");
    EXPECT_EQ(book->GetPageText(2), "3D Environment");
    EXPECT_EQ(book->GetSelection(), kEditor);
    // The extrusion height is there, unseen.
    ASSERT_NE(Field(1032), nullptr);
    EXPECT_FALSE(Field(1032)->IsShown());
    EXPECT_FALSE(sheet->FindWindow(1024)->IsShown());
    EXPECT_EQ(Field(1032)->GetValue(), "0.5");
}

TEST_F(SettingSheetTest, OkRefusesEveryValueOutOfItsRangeAndKeepsTheSheetOpen) {
    struct Case {
        int page;
        int control;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {kEditor, 1066, "0", "Enter an integer between 1 and 10."},
        {kEditor, 1066, "11", "Enter an integer between 1 and 10."},
        {kEditor, 1026, "2", "Enter an integer between 3 and 500."},
        {kEditor, 1026, "501", "Enter an integer between 3 and 500."},
        {kEditor, 1062, "0", "Enter an integer between 1 and 20."},
        {kEditor, 1062, "21", "Enter an integer between 1 and 20."},
        {kEditor, 1062, "ten", "Enter an integer."},
        {kEditor, 1066, "", "Enter an integer."},
        {kObject, 1051, "0", "Enter an integer between 1 and 40."},
        {kObject, 1051, "41", "Enter an integer between 1 and 40."},
        {kObject, 1030, "2", "Enter an integer between 3 and 200."},
        {kObject, 1030, "201", "Enter an integer between 3 and 200."},
        {kObject, 1030, "1.5", "Enter an integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.control) + " \"" + c.text + "\"");
        Open();
        prompter.Clear();
        ShowPage(c.page);
        SetText(c.control, c.text);
        EXPECT_FALSE(sheet->Accept());
        ASSERT_NE(LastMessage(), nullptr);
        EXPECT_EQ(LastMessage()->text, c.message);
        EXPECT_EQ(LastMessage()->caption, "Orvanel");
        EXPECT_EQ(LastMessage()->icon, MessageIcon::Exclamation);
        EXPECT_TRUE(sheet->IsShown());
        EXPECT_EQ(wxWindow::FindFocus(), Field(c.control));
        // The values stay as they were; the field keeps what was typed.
        EXPECT_EQ(sheet->Values(), initial);
        EXPECT_EQ(Field(c.control)->GetValue(), c.text);
    }
}

// What a click on another tab asks of the sheet. (wxGTK's own SetSelection
// takes a refused page change for done, so the test asks as GTK does.)
bool TabChangeAllowed(CSettingSheet& sheet, int to) {
    wxBookCtrlBase* book = sheet.GetBookCtrl();
    wxBookCtrlEvent event(wxEVT_BOOKCTRL_PAGE_CHANGING, book->GetId(), to, book->GetSelection());
    event.SetEventObject(book);
    return !book->GetEventHandler()->ProcessEvent(event) || event.IsAllowed();
}

TEST_F(SettingSheetTest, ARefusedPageCannotBeLeft) {
    Open();
    SetText(1026, "501");
    EXPECT_FALSE(TabChangeAllowed(*sheet, kObject));
    Pump();
    ASSERT_NE(LastMessage(), nullptr);
    EXPECT_EQ(LastMessage()->text, "Enter an integer between 3 and 500.");
    EXPECT_EQ(wxWindow::FindFocus(), Field(1026));
    EXPECT_EQ(sheet->Values(), initial);
    // Mended, the page lets go and keeps its values.
    prompter.Clear();
    SetText(1026, "500");
    EXPECT_TRUE(TabChangeAllowed(*sheet, kObject));
    Pump();
    EXPECT_TRUE(prompter.Entries().empty());
    EXPECT_EQ(sheet->Values().editor.m_nGridSize, 500);
}

TEST_F(SettingSheetTest, TheHiddenExtrusionHeightIsCheckedOnItsPage) {
    SettingSheetValues values = FreshValues();
    values.object.m_fExtrusionHeight = 25.0f;
    // A page the user never opens is not read: OK passes and carries the value.
    Open(values);
    EXPECT_TRUE(sheet->Accept());
    EXPECT_EQ(sheet->Values().object.m_fExtrusionHeight, 25.0f);

    Open(values);
    ShowPage(kObject);
    EXPECT_FALSE(sheet->Accept());
    ASSERT_NE(LastMessage(), nullptr);
    EXPECT_EQ(LastMessage()->text, "Enter a number between 0.001 and 20.");
    EXPECT_TRUE(sheet->IsShown());
}

TEST_F(SettingSheetTest, OkReturnsWhatEveryPageHolds) {
    Open();
    SetText(1066, "5");
    SetText(1026, "20");
    SetText(1062, " 7 ");
    sheet->GetBookCtrl()->SetSelection(kObject);
    Pump();
    ASSERT_EQ(sheet->GetBookCtrl()->GetSelection(), kObject);
    ASSERT_TRUE(prompter.Entries().empty());
    SetText(1051, "40");
    SetText(1030, "3");
    auto* smooth = dynamic_cast<wxCheckBox*>(sheet->FindWindow(1033));
    ASSERT_NE(smooth, nullptr);
    EXPECT_TRUE(smooth->GetValue());
    smooth->SetValue(false);
    sheet->GetBookCtrl()->SetSelection(kEnvironment);
    Pump();
    Radio(1074)->SetValue(true);  // front: top left
    Radio(1058)->SetValue(true);  // back: bottom right
    ASSERT_TRUE(sheet->Accept());
    EXPECT_FALSE(sheet->IsShown());
    EXPECT_EQ(sheet->GetReturnCode(), wxID_OK);

    SettingSheetValues expected = initial;
    expected.editor.m_nPenSize = 5;
    expected.editor.m_nGridSize = 20;
    expected.editor.m_nEditorSteps = 7;
    expected.object.m_nPreviewSteps = 40;
    expected.object.m_nSections = 3;
    expected.object.m_bSmooth = false;
    expected.preview.m_nFrontLightPos = 0;
    expected.preview.m_nBackLightPos = 7;
    EXPECT_EQ(sheet->Values(), expected);
}

TEST_F(SettingSheetTest, TheLightGridsShowTheCellsAndKeepNone) {
    SettingSheetValues values = FreshValues();
    Open(values);
    // Front light top right, back light bottom left.
    for (int id : id::kFrontLightButtons) EXPECT_EQ(Radio(id)->GetValue(), id == 1075) << id;
    for (int id : id::kBackLightButtons) EXPECT_EQ(Radio(id)->GetValue(), id == 1056) << id;

    values.preview.m_nFrontLightPos = -1;
    values.preview.m_nBackLightPos = -1;
    Open(values);
    for (int id : id::kFrontLightButtons) EXPECT_FALSE(Radio(id)->GetValue()) << id;
    ShowPage(kEnvironment);
    ASSERT_TRUE(sheet->Accept());
    EXPECT_EQ(sheet->Values().preview.m_nFrontLightPos, -1);
    EXPECT_EQ(sheet->Values().preview.m_nBackLightPos, -1);
}

TEST_F(SettingSheetTest, SpinArrowsStopAtTheEndsOfTheirRanges) {
    struct Case {
        int page, spin, field;
        const char* start;
        bool up;
        const char* end;
    };
    const Case cases[] = {
        {kEditor, 1055, 1066, "9", true, "10"},
        {kEditor, 1055, 1066, "2", false, "1"},
        {kEditor, 1017, 1026, "499", true, "500"},
        {kEditor, 1017, 1026, "4", false, "3"},
        {kEditor, 1057, 1062, "19", true, "20"},
        {kEditor, 1057, 1062, "2", false, "1"},
        {kObject, 1049, 1051, "39", true, "40"},
        {kObject, 1049, 1051, "2", false, "1"},
        {kObject, 1023, 1030, "199", true, "200"},
        {kObject, 1023, 1030, "4", false, "3"},
        // Text out of the range starts from the nearer end.
        {kEditor, 1055, 1066, "70", false, "7"},
    };
    Open();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.spin) + (c.up ? " up from " : " down from ") + c.start);
        ShowPage(c.page);
        SetText(c.field, c.start);
        for (int i = 0; i < 3; ++i) ClickArrow(c.spin, c.up);
        EXPECT_EQ(Field(c.field)->GetValue(), c.end);
    }
}

TEST_F(SettingSheetTest, ArrowKeysInAFieldStepItsValue) {
    Open();
    SetText(1066, "3");
    for (const int key : {WXK_UP, WXK_UP, WXK_DOWN}) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = key;
        event.SetEventObject(Field(1066));
        Field(1066)->ProcessWindowEvent(event);
    }
    EXPECT_EQ(Field(1066)->GetValue(), "4");
}

TEST_F(SettingSheetTest, ClickingASwatchPicksItsColourAndRepaintsIt) {
    Open();
    const Colour before = initial.editor.m_clrPen;
    chosen = kRed;
    Mouse(1038, wxEVT_LEFT_UP, {3, 3});
    ASSERT_EQ(chooserStarts.size(), 1u);
    EXPECT_EQ(chooserStarts[0], before);  // the dialog starts from the swatch's colour
    EXPECT_EQ(sheet->Values().editor.m_clrPen, kRed);
    EXPECT_EQ(sheet->Values().editor.m_clrGrid, initial.editor.m_clrGrid);
    Pump();
    wxWindow* swatch = sheet->FindWindow(1038);
    const wxRect onScreen = swatch->GetScreenRect();
    const wxImage shot = Screenshot();
    EXPECT_GT(CountNear(shot, onScreen.GetPosition() + onScreen.GetSize() / 2, 3, *wxRED, 10), 40);

    // A cancelled colour dialog leaves the colour.
    chosen.reset();
    Mouse(1039, wxEVT_LEFT_UP, {3, 3});
    EXPECT_EQ(sheet->Values().editor.m_clrGrid, initial.editor.m_clrGrid);

    // A click beside every swatch opens nothing.
    wxMouseEvent click(wxEVT_LEFT_UP);
    click.SetPosition({2, 2});
    sheet->EditorPage().ProcessWindowEvent(click);
    EXPECT_EQ(chooserStarts.size(), 2u);

    // Every page's swatches edit their own colour.
    chosen = Rgb(1, 2, 3);
    ShowPage(kObject);
    Mouse(1021, wxEVT_LEFT_UP, {3, 3});
    ShowPage(kEnvironment);
    for (const int id : {1034, 1031, 1045, 1044}) Mouse(id, wxEVT_LEFT_UP, {3, 3});
    const PreviewPageValues preview = sheet->Values().preview;
    EXPECT_EQ(sheet->Values().object.m_clrObject, Rgb(1, 2, 3));
    EXPECT_EQ(preview.m_clrFrontLight, Rgb(1, 2, 3));
    EXPECT_EQ(preview.m_clrBackLight, Rgb(1, 2, 3));
    EXPECT_EQ(preview.m_clrGridPlane, Rgb(1, 2, 3));
    EXPECT_EQ(preview.m_clrBackground, Rgb(1, 2, 3));
}

// The views as the Settings flow reads and writes them.
class RecordingViews final : public SettingsFlowViews {
public:
    EditorLook GetEditorLook() const override { return editor; }
    void SetEditorLook(const EditorLook& look) override { editor = look; }
    PreviewLook GetPreviewLook() const override { return preview; }
    void SetPreviewLook(const PreviewLook& look) override { preview = look; }
    bool IsPreviewSmooth() const override { return smooth; }
    void TogglePreviewSmoothing() override { smooth = !smooth; }
    void ResetPreviewGLState() override { ++resets; }
    EditorLook editor;
    PreviewLook preview{.background = 0,
                        .gridPlane = Rgb(128, 128, 128),
                        .object = Rgb(231, 169, 24),
                        .frontLight = 0xFFFFFF,
                        .backLight = 0xFF0000,
                        .frontLightPos = 2,
                        .backLightPos = 5};
    bool smooth = true;
    int resets = 0;
};

class SettingsFlowTest : public ::testing::Test {
protected:
    MemorySettingsStore store;
    RecordingPrompter prompter;
    CTavrinEditorDoc doc{store, prompter};
    RecordingViews views;
    WxSettingSheetRunner runner{nullptr, prompter};
};

TEST_F(SettingsFlowTest, CancelChangesNothing) {
    const EditorLook editorBefore = views.editor;
    const int stepsBefore = doc.m_nEditorSteps;
    ModalDriver<CSettingSheet> driver([](CSettingSheet& sheet) {
        EXPECT_EQ(sheet.GetTitle(), "Settings...");
        dynamic_cast<wxTextCtrl*>(sheet.FindWindow(1066))->ChangeValue("7");
        dynamic_cast<wxTextCtrl*>(sheet.FindWindow(1062))->ChangeValue("3");
        sheet.EndModal(wxID_CANCEL);
        return true;
    });
    EXPECT_FALSE(RunSettingsFlow(doc, views, runner));
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(views.editor, editorBefore);
    EXPECT_EQ(doc.m_nEditorSteps, stepsBefore);
    EXPECT_EQ(views.resets, 0);
}

TEST_F(SettingsFlowTest, OkAppliesTheSheet) {
    ModalDriver<CSettingSheet> driver([](CSettingSheet& sheet) {
        dynamic_cast<wxTextCtrl*>(sheet.FindWindow(1066))->ChangeValue("7");
        dynamic_cast<wxTextCtrl*>(sheet.FindWindow(1062))->ChangeValue("3");
        return sheet.Accept();
    });
    EXPECT_TRUE(RunSettingsFlow(doc, views, runner));
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(views.editor.penSize, 7);
    EXPECT_EQ(doc.m_nEditorSteps, 3);
    EXPECT_EQ(views.resets, 1);
}

TEST(ColourDialogTest, OpensOnTheColourAndCancelKeepsIt) {
    const Colour start = Rgb(10, 200, 30);
    for (const int answer : {wxID_CANCEL, wxID_OK}) {
        ModalDriver<wxColourDialog> driver([start, answer](wxColourDialog& dialog) {
            const wxColour shown = dialog.GetColourData().GetColour();
            EXPECT_EQ(Rgb(shown.Red(), shown.Green(), shown.Blue()), start);
            EXPECT_TRUE(dialog.GetColourData().GetChooseFull());
            dialog.EndModal(answer);
            return true;
        });
        const std::optional<Colour> picked = ChooseColourWithDialog(nullptr, start);
        EXPECT_TRUE(driver.Done());
        if (answer == wxID_CANCEL) {
            EXPECT_EQ(picked, std::nullopt);
        } else {
            EXPECT_EQ(picked, start);
        }
    }
}

}  // namespace
}  // namespace orvanel::gui
