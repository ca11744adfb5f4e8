// The exports as the user runs them: from the File menu's Export submenu by
// its letters, the name typed into the platform's save dialog, the dialogs'
// buttons pressed. Each file equals what the program's command line writes
// for the same profile and options, and Cancel at any step writes nothing.
#include <wx/filedlg.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <array>
#include <fstream>
#include <iterator>

#include "app/settings_sheet.h"
#include "export/stl_exp_dlg.h"
#include "export/vrml_exp_dlg.h"
#include "resources/ids.h"
#include "resources/strings.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel::gui {
namespace {

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What the command line writes for the arguments; its messages are not wanted.
std::string Batch(const std::vector<std::string>& args, const std::filesystem::path& out) {
    wxString command = wxString::FromUTF8(ORVANEL_BINARY_DIR "/orvanel");
    for (const std::string& a : args) command += " \"" + wxString::FromUTF8(a) + "\"";
    wxArrayString output, errors;
    EXPECT_EQ(wxExecute(command, output, errors, wxEXEC_SYNC | wxEXEC_NOEVENTS), 0) << command;
    return Contents(out);
}

// The user types the name into the save dialog's name field and presses
// Enter, or presses Escape to cancel. `check` looks at the dialog first.
std::unique_ptr<ModalDriver<wxFileDialog>> TypeInSaveDialog(
    std::optional<std::filesystem::path> name,
    std::function<void(wxFileDialog&)> check = [](wxFileDialog&) {}) {
    return std::make_unique<ModalDriver<wxFileDialog>>(
        [name, check, ticks = 0](wxFileDialog& dialog) mutable {
            if (!dialog.IsShownOnScreen()) return false;
            wxUIActionSimulator sim;
            if (ticks == 0) check(dialog);
            if (!name) {
                sim.Char(WXK_ESCAPE);
                return true;
            }
            const wxString path = wxString::FromUTF8(name->string());
            // The keys have reached the dialog once it names the typed file.
            if (ticks > 0 && dialog.GetPath() == path) {
                sim.Char(WXK_RETURN);
                return true;
            }
            // Typing again replaces the text, in case the field took the
            // keys before it had the focus.
            if (ticks++ % 50 == 0) {
                sim.Char('a', wxMOD_CONTROL);
                sim.Text(path.utf8_str());
            }
            return false;
        },
        30000);
}

// Clicks a button of a dialog with the mouse.
void Click(wxWindow* dialog, int id) {
    wxWindow* button = dialog->FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxUIActionSimulator sim;
    sim.MouseMove(button->GetScreenRect().GetPosition() + wxPoint(8, 8));
    sim.MouseClick();
}

void Type(wxWindow* dialog, int id, const char* text) {
    auto* field = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(id));
    ASSERT_NE(field, nullptr) << id;
    field->SetFocus();
    field->SelectAll();
    wxUIActionSimulator().Text(text);
}

wxString TextOf(wxWindow* dialog, int id) {
    auto* field = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(id));
    return field != nullptr ? field->GetValue() : wxString();
}

class ExportFlowTest : public GuiTest {
protected:
    void SetUp() override {
        Start(Example("vase.lum"));
        gui = dir / "gui";
        cli = dir / "cli";
        std::filesystem::create_directories(gui);
        std::filesystem::create_directories(cli);
    }
    void TearDown() override {
        GuiTest::TearDown();
        std::filesystem::remove_all(dir);
    }
    std::filesystem::path dir = App().settingsFile.parent_path() / "exports";
    std::filesystem::path gui, cli;
};

// File > Export > POV ..., VRML ..., STL ...
constexpr std::string_view kPovKeys = "fep";
constexpr std::string_view kVrmlKeys = "fev";
constexpr std::string_view kStlKeys = "fes";

TEST_F(ExportFlowTest, PovThroughTheMenusIsWhatTheCommandLineWrites) {
    CTavrinEditorDoc& doc = *App().Document();
    auto save = TypeInSaveDialog(gui / "my vase", [](wxFileDialog& d) {
        EXPECT_EQ(d.GetMessage(), "POV-Ray Export");
        EXPECT_EQ(d.GetWildcard(),
                  "POV Include Files (*.inc)|*.inc;*.INC|POV Scene Files (*.pov)|*.pov;*.POV|"
                  "All Files (*.*)|*");
        EXPECT_TRUE(d.GetFilename().StartsWith("untitled")) << d.GetFilename();
        EXPECT_TRUE(d.HasFlag(wxFD_OVERWRITE_PROMPT));
        EXPECT_FALSE(d.HasFlag(wxFD_CHANGE_DIR));
    });
    ModalDriver<CSettingSheet> sheet(
        [](CSettingSheet& s) {
            EXPECT_EQ(s.GetTitle(), "Settings...");
            return s.Accept();
        },
        30000);
    const std::filesystem::path cwd = std::filesystem::current_path();
    ChooseFromMenus(kPovKeys);
    EXPECT_TRUE(WaitFor([&] { return save->Done() && sheet.Done(); }, 30000));
    EXPECT_EQ(std::filesystem::current_path(), cwd);
    // The object is named after the file, as far as POV-Ray takes the name.
    EXPECT_EQ(doc.m_strObjectName, "my vase");
    const std::string written = Contents(gui / "my vase.inc");
    EXPECT_NE(written.find("#declare my_vase = \nlathe{"), std::string::npos) << written;
    EXPECT_EQ(written,
              Batch({"--export-pov", (cli / "my vase.inc").string(), Example("vase.lum").string()},
                    cli / "my vase.inc"));
    // The vase's curve dips left of the axis near its ends; the user said Yes.
    EXPECT_EQ(App().prompter.Texts(), std::vector<std::string>{std::string(text::kPovLeftOfAxis)});
}

TEST_F(ExportFlowTest, VrmlThroughTheMenusIsWhatTheCommandLineWrites) {
    auto save = TypeInSaveDialog(gui / "1 vase", [](wxFileDialog& d) {
        EXPECT_EQ(d.GetMessage(), "VRML 2.0 Export");
        EXPECT_EQ(d.GetWildcard(), "VRML Files (*.wrl)|*.wrl;*.WRL|All Files (*.*)|*");
        // wx gives the name the chosen filter's extension as it shows it.
        EXPECT_TRUE(d.GetFilename().StartsWith("untitled")) << d.GetFilename();
        EXPECT_TRUE(d.HasFlag(wxFD_OVERWRITE_PROMPT));
        EXPECT_FALSE(d.HasFlag(wxFD_CHANGE_DIR));
    });
    ModalDriver<VrmlExpDlg> options(
        [step = 0](VrmlExpDlg& d) mutable {
            if (step == 0) {
                Type(&d, 1004, "20");
                ++step;
                return false;
            }
            if (step == 1) {
                if (TextOf(&d, 1004) != "20") return false;
                Type(&d, 1005, "3");
                ++step;
                return false;
            }
            if (TextOf(&d, 1005) != "3") return false;
            Click(&d, wxID_OK);
            return true;
        },
        30000);
    const std::filesystem::path cwd = std::filesystem::current_path();
    ChooseFromMenus(kVrmlKeys);
    EXPECT_TRUE(WaitFor([&] { return save->Done() && options.Done(); }, 30000));
    EXPECT_EQ(std::filesystem::current_path(), cwd);
    const std::string written = Contents(gui / "1 vase.wrl");
    EXPECT_NE(written.find("DEF _1_vase Shape"), std::string::npos);
    EXPECT_EQ(written, Batch({"--export-vrml", (cli / "1 vase.wrl").string(),
                              Example("vase.lum").string(), "--sections", "20", "--steps", "3"},
                             cli / "1 vase.wrl"));
}

TEST_F(ExportFlowTest, StlThroughTheMenusIsWhatTheCommandLineWrites) {
    CTavrinEditorDoc& doc = *App().Document();
    auto save = TypeInSaveDialog(gui / "vase", [](wxFileDialog& d) {
        EXPECT_EQ(d.GetMessage(), "STL Export");
        EXPECT_EQ(d.GetWildcard(), "STL Files (*.stl)|*.stl;*.STL|All Files (*.*)|*");
    });
    ModalDriver<StlExpDlg> options(
        [step = 0](StlExpDlg& d) mutable {
            if (step == 0) {
                Type(&d, 1100, "1440");
                ++step;
                return false;
            }
            if (TextOf(&d, 1100) != "1440") return false;
            dynamic_cast<wxRadioButton*>(d.FindWindow(1105))->SetValue(true);
            Click(&d, wxID_OK);
            return true;
        },
        30000);
    ChooseFromMenus(kStlKeys);
    EXPECT_TRUE(WaitFor([&] { return save->Done() && options.Done(); }, 30000));
    // The vase's curve starts and ends on the axis: a solid, and no question.
    EXPECT_TRUE(App().prompter.Texts().empty());
    EXPECT_EQ(
        Contents(gui / "vase.stl"),
        Batch({"--export-stl", (cli / "vase.stl").string(), Example("vase.lum").string(),
               "--sections", "1440", "--steps", std::to_string(doc.m_nPreviewSteps), "--ascii"},
              cli / "vase.stl"));
}

// Cancel in the save dialog, or in what follows it: the settings sheet for
// POV-Ray, the options dialog for the other two.
TEST_F(ExportFlowTest, CancelAtEachStepWritesNothing) {
    CTavrinEditorDoc& doc = *App().Document();
    const int editorSteps = doc.m_nEditorSteps;
    enum Second { Sheet, Vrml, Stl };
    const struct {
        std::string_view keys;
        Second second;
        bool bCancelSave;
    } cases[] = {
        {kPovKeys, Sheet, true},  {kPovKeys, Sheet, false}, {kVrmlKeys, Vrml, true},
        {kVrmlKeys, Vrml, false}, {kStlKeys, Stl, true},    {kStlKeys, Stl, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + (c.bCancelSave ? ", in the save dialog" : ", after it"));
        auto save = TypeInSaveDialog(c.bCancelSave ? std::nullopt : std::optional(gui / "vase"));
        const auto cancel = [](wxDialog& d) {
            d.EndModal(wxID_CANCEL);
            return true;
        };
        ModalDriver<CSettingSheet> sheet(
            [&cancel](CSettingSheet& s) {
                dynamic_cast<wxTextCtrl*>(s.FindWindow(id::kEditorStepsField))->ChangeValue("3");
                return cancel(s);
            },
            30000);
        ModalDriver<VrmlExpDlg> vrml(cancel, 30000);
        ModalDriver<StlExpDlg> stl(cancel, 30000);
        const auto shown = [&] {
            return std::array<bool, 3>{sheet.Done(), vrml.Done(), stl.Done()};
        };
        ChooseFromMenus(c.keys);
        EXPECT_TRUE(
            WaitFor([&] { return save->Done() && (c.bCancelSave || shown()[c.second]); }, 30000));
        Pump();
        // Only the flow's own second dialog, and only after a chosen name.
        std::array<bool, 3> expected{};
        expected[c.second] = !c.bCancelSave;
        EXPECT_EQ(shown(), expected);
        EXPECT_TRUE(std::filesystem::is_empty(gui));
        // The object is named as soon as the file is chosen.
        if (c.second == Sheet && !c.bCancelSave) {
            EXPECT_EQ(doc.m_strObjectName, "vase");
        }
    }
    EXPECT_EQ(doc.m_nEditorSteps, editorSteps);
    EXPECT_TRUE(App().prompter.Texts().empty());
}

TEST_F(ExportFlowTest, ARefusedFieldKeepsTheDialogOpenWithTheProgramsMessage) {
    auto save = TypeInSaveDialog(gui / "vase");
    ModalDriver<VrmlExpDlg> options(
        [step = 0](VrmlExpDlg& d) mutable {
            switch (step) {
                case 0:
                    Type(&d, 1069, "91");
                    break;
                case 1:
                    if (TextOf(&d, 1069) != "91") return false;
                    Click(&d, wxID_OK);
                    break;
                case 2:
                    // Told, and still open on the field.
                    if (App().prompter.Texts().empty()) return false;
                    EXPECT_EQ(App().prompter.Texts(),
                              std::vector<std::string>{"Enter an integer between 0 and 90."});
                    EXPECT_TRUE(d.IsModal());
                    EXPECT_EQ(wxWindow::FindFocus(), d.FindWindow(1069));
                    Type(&d, 1069, "45");
                    break;
                default:
                    if (TextOf(&d, 1069) != "45") return false;
                    Click(&d, wxID_OK);
                    return true;
            }
            ++step;
            return false;
        },
        30000);
    ChooseFromMenus(kVrmlKeys);
    EXPECT_TRUE(WaitFor([&] { return save->Done() && options.Done(); }, 30000));
    EXPECT_NE(Contents(gui / "vase.wrl").find("creaseAngle 0.500000"), std::string::npos);
}

TEST_F(ExportFlowTest, ANameThatGetsTheExtensionOfAFileThereAsksBeforeReplacingIt) {
    { std::ofstream(gui / "vase.stl") << "old"; }
    App().prompter.SetAnswer(false);
    // No: the dialog again, on the file's name; Escape there.
    const wxString typed = wxString::FromUTF8((gui / "vase").string());
    const wxString again = wxString::FromUTF8((gui / "vase.stl").string());
    ModalDriver<wxFileDialog> save(
        [&, entered = false](wxFileDialog& d) mutable {
            if (!d.IsShownOnScreen()) return false;
            wxUIActionSimulator sim;
            if (d.GetPath() == again) {
                sim.Char(WXK_ESCAPE);
                return true;
            }
            if (entered) return false;  // until the first dialog has gone
            if (d.GetPath() == typed) {
                sim.Char(WXK_RETURN);
                entered = true;
            } else {
                sim.Char('a', wxMOD_CONTROL);
                sim.Text(typed.utf8_str());
            }
            return false;
        },
        30000);
    ChooseFromMenus(kStlKeys);
    EXPECT_TRUE(WaitFor([&] { return save.Done(); }, 30000));
    Pump();
    App().prompter.SetAnswer(true);
    EXPECT_EQ(App().prompter.Texts(),
              (std::vector<std::string>{"vase.stl already exists.\nDo you want to replace it?"}));
    EXPECT_EQ(Contents(gui / "vase.stl"), "old");
}

}  // namespace
}  // namespace orvanel::gui
