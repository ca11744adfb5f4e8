// The export options dialogs on their own: their texts and layout, the
// fields they open on, the spin arrows' own ranges, the refusals that keep
// them open, the colour buttons and what "Export" hands back.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <memory>
#include <set>

#include "app/dialog_parts.h"
#include "export/export_fields.h"
#include "export/stl_exp_dlg.h"
#include "export/vrml_exp_dlg.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel::gui {
namespace {

struct Destroyer {
    void operator()(wxWindow* window) const { window->Destroy(); }
};

// Every text the dialog shows, labels, boxes and buttons alike.
std::multiset<std::string> TextsOf(wxWindow* dialog) {
    std::multiset<std::string> texts;
    for (wxWindow* child : dialog->GetChildren()) {
        if (dynamic_cast<wxStaticText*>(child) || dynamic_cast<wxStaticBox*>(child) ||
            dynamic_cast<wxButton*>(child) || dynamic_cast<wxCheckBox*>(child) ||
            dynamic_cast<wxRadioButton*>(child)) {
            texts.insert(child->GetLabel().utf8_string());
        }
    }
    return texts;
}

// A control's rectangle in dialog units, as laid out.
wxRect InDialogUnits(wxWindow* dialog, int id) {
    wxWindow* control = dialog->FindWindow(id);
    if (control == nullptr) return {};
    const wxRect r = control->GetRect();
    return {dialog->ConvertPixelsToDialog(r.GetPosition()),
            dialog->ConvertPixelsToDialog(r.GetSize())};
}

wxString Text(wxWindow* dialog, int id) {
    auto* field = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(id));
    return field != nullptr ? field->GetValue() : wxString("(none)");
}

void SetText(wxWindow* dialog, int id, const char* text) {
    auto* field = dynamic_cast<wxTextCtrl*>(dialog->FindWindow(id));
    ASSERT_NE(field, nullptr) << id;
    field->ChangeValue(text);
}

void Press(wxWindow* dialog, int id) {
    wxWindow* button = dialog->FindWindow(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

// Presses an arrow of a spin button as the mouse does.
void ClickArrow(wxWindow* dialog, int spin, bool up) {
    wxWindow* arrows = dialog->FindWindow(spin);
    ASSERT_NE(arrows, nullptr) << spin;
    const wxSize size = arrows->GetClientSize();
    for (const wxEventType type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP}) {
        wxMouseEvent event(type);
        event.SetPosition({size.x / 2, up ? 1 : size.y - 2});
        event.SetEventObject(arrows);
        arrows->ProcessWindowEvent(event);
    }
}

class VrmlExpDlgTest : public ::testing::Test {
protected:
    void Open(const VrmlOptions& options = {}) {
        dialog.reset(new VrmlExpDlg(nullptr, prompter, options,
                                    [this](wxWindow*, Colour start) -> std::optional<Colour> {
                                        chooserStarts.push_back(start);
                                        return chosen;
                                    }));
        dialog->Show();
        Pump();
    }
    void TearDown() override {
        dialog.reset();
        Pump();
    }

    RecordingPrompter prompter;
    std::unique_ptr<VrmlExpDlg, Destroyer> dialog;
    std::optional<Colour> chosen;
    std::vector<Colour> chooserStarts;
};

TEST_F(VrmlExpDlgTest, ShowsEveryTextOfTheDialogInItsPlace) {
    Open();
    EXPECT_EQ(dialog->GetTitle(), "VRML Export Options");
    EXPECT_EQ(TextsOf(dialog.get()),
              (std::multiset<std::string>{
                  "Object Geometry", "Material", "Sections Number  :", "Steps per spline segment :",
                  "Smoothing Angle :", "Center Hole Radius:", "Flip Normals",
                  "Pigment (diffuse color)", "Emitting Color", "Specular Color :", "Shininess:",
                  "Trasparency :", "Change...", "Change...", "Change...", "Export", "Cancel"}));
    const struct {
        int id;
        wxRect at;
    } layout[] = {
        {1004, {120, 20, 25, 14}},     {1013, {145, 20, 11, 14}},  // sections
        {1005, {120, 40, 25, 14}},     {1068, {145, 40, 11, 14}},  // steps
        {1069, {120, 60, 25, 14}},     {1015, {145, 60, 11, 14}},  // smoothing angle
        {1010, {120, 80, 25, 14}},     {1016, {145, 80, 11, 14}},  // hole radius
        {1011, {13, 104, 80, 10}},                                 // flip normals
        {1018, {179, 30, 30, 14}},     {1053, {215, 30, 50, 14}},  // diffuse
        {1019, {179, 58, 30, 14}},     {1003, {215, 58, 50, 14}},  // emissive
        {1020, {179, 86, 30, 14}},     {1002, {215, 86, 50, 14}},  // specular
        {1007, {242, 106, 25, 14}},                                // shininess
        {1008, {242, 124, 25, 14}},                                // transparency
        {wxID_OK, {227, 153, 50, 14}}, {wxID_CANCEL, {283, 153, 50, 14}},
    };
    for (const auto& l : layout) {
        const wxRect r = InDialogUnits(dialog.get(), l.id);
        // Pixels back to dialog units lose at most one unit to rounding.
        EXPECT_NEAR(r.x, l.at.x, 1) << l.id;
        EXPECT_NEAR(r.y, l.at.y, 1) << l.id;
        EXPECT_NEAR(r.width, l.at.width, 1) << l.id;
        EXPECT_NEAR(r.height, l.at.height, 1) << l.id;
    }
    const wxSize client = dialog->ConvertPixelsToDialog(dialog->GetClientSize());
    EXPECT_NEAR(client.x, 340, 1);
    EXPECT_NEAR(client.y, 174, 1);
    EXPECT_EQ(dialog->GetDefaultItem(), dialog->FindWindow(wxID_OK));
}

TEST_F(VrmlExpDlgTest, OpensOnTheOptionsAndTheSpinArrowsMoveInTheirOwnRanges) {
    VrmlOptions options;
    options.bFlipNormals = true;
    Open(options);
    const struct {
        int id;
        const char* text;
    } fields[] = {{1004, "16"}, {1005, "6"}, {1007, "0.3"}, {1008, "0"}, {1069, "30"}, {1010, "0"}};
    for (const auto& f : fields) EXPECT_EQ(Text(dialog.get(), f.id), f.text) << f.id;
    EXPECT_TRUE(dynamic_cast<wxCheckBox*>(dialog->FindWindow(1011))->GetValue());
    // Each arrow stops at its own end, beyond what Export accepts.
    const struct {
        int field, spin;
        const char* from;
        bool up;
        const char* end;
    } ends[] = {
        {1004, 1013, "1", false, "0"},       {1004, 1013, "499", true, "500"},
        {1005, 1068, "1", false, "0"},       {1005, 1068, "49", true, "50"},
        {1069, 1015, "89", true, "90"},      {1069, 1015, "1", false, "0"},
        {1010, 1016, "9999", true, "10000"}, {1010, 1016, "1", false, "0"},
    };
    for (const auto& e : ends) {
        SetText(dialog.get(), e.field, e.from);
        ClickArrow(dialog.get(), e.spin, e.up);
        ClickArrow(dialog.get(), e.spin, e.up);
        EXPECT_EQ(Text(dialog.get(), e.field), e.end) << e.spin;
    }
}

TEST_F(VrmlExpDlgTest, ExportRefusesAFieldOutOfRangeAndStaysOpenOnIt) {
    const struct {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {1004, "0", "Enter an integer between 3 and 500."},
        {1005, "0", "Enter an integer between 1 and 50."},
        {1007, "1.01", "Enter a number between 0 and 1."},
        {1008, "-0.5", "Enter a number between 0 and 1."},
        {1069, "91", "Enter an integer between 0 and 90."},
        {1010, "10000", "Enter an integer between 0 and 1000."},
        {1004, "many", "Enter an integer."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Open();
        prompter.Clear();
        SetText(dialog.get(), c.id, c.text);
        ModalDriver<VrmlExpDlg> driver([&](VrmlExpDlg& shown) {
            Press(&shown, wxID_OK);
            EXPECT_TRUE(shown.IsModal());  // still open
            EXPECT_EQ(prompter.Texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(wxWindow::FindFocus(), shown.FindWindow(c.id));
            shown.EndModal(wxID_CANCEL);
            return true;
        });
        EXPECT_EQ(dialog->ShowModal(), wxID_CANCEL);
        EXPECT_TRUE(driver.Done());
    }
}

TEST_F(VrmlExpDlgTest, ChangeOpensTheChooserOnTheColourAndTheSwatchShowsTheChoice) {
    Open();
    const wxColour blue(0, 0, 255);
    wxWindow* diffuse = dialog->FindWindow(1018);
    const wxPoint centre = diffuse->ClientToScreen(
        wxPoint(diffuse->GetClientSize().x / 2, diffuse->GetClientSize().y / 2));
    EXPECT_TRUE(WaitFor(
        [&] { return CountNear(Screenshot(), centre, 2, wxColour(50, 80, 210), 8) == 25; }));
    chosen = std::nullopt;  // Cancel in the colour dialog
    Press(dialog.get(), 1053);
    chosen = Rgb(0, 0, 255);
    Press(dialog.get(), 1053);
    Press(dialog.get(), 1002);
    EXPECT_EQ(chooserStarts, (std::vector<Colour>{kVrmlDefaultDiffuse, kVrmlDefaultDiffuse,
                                                  kVrmlDefaultSpecular}));
    EXPECT_TRUE(WaitFor([&] { return CountNear(Screenshot(), centre, 2, blue, 8) == 25; }));
    chosen = Rgb(10, 20, 30);
    Press(dialog.get(), 1003);
    SetText(dialog.get(), 1004, "24");
    dynamic_cast<wxCheckBox*>(dialog->FindWindow(1011))->SetValue(true);
    ASSERT_TRUE(dialog->Accept());
    const VrmlOptions& v = dialog->Values();
    EXPECT_EQ(v.clrDiffuse, Rgb(0, 0, 255));
    EXPECT_EQ(v.clrSpecular, Rgb(0, 0, 255));
    EXPECT_EQ(v.clrEmissive, Rgb(10, 20, 30));
    EXPECT_EQ(v.nSections, 24);
    EXPECT_TRUE(v.bFlipNormals);
    EXPECT_TRUE(prompter.Texts().empty());
}

class StlExpDlgTest : public ::testing::Test {
protected:
    void Open(const StlOptions& options = {}) {
        dialog.reset(new StlExpDlg(nullptr, prompter, options));
        dialog->Show();
        Pump();
    }
    void TearDown() override {
        dialog.reset();
        Pump();
    }
    RecordingPrompter prompter;
    std::unique_ptr<StlExpDlg, Destroyer> dialog;
};

TEST_F(StlExpDlgTest, OpensOnTheOptionsAcceptsTheFinerRangesAndRefusesBeyondThem) {
    StlOptions options;
    options.nSections = 40;
    options.nSteps = 7;
    Open(options);
    EXPECT_EQ(dialog->GetTitle(), "STL Export Options");
    EXPECT_EQ(TextsOf(dialog.get()),
              (std::multiset<std::string>{"Sections :", "Steps per spline segment :", "Format",
                                          "Binary", "ASCII", "Export", "Cancel"}));
    EXPECT_EQ(Text(dialog.get(), 1100), "40");
    EXPECT_EQ(Text(dialog.get(), 1102), "7");
    EXPECT_TRUE(dynamic_cast<wxRadioButton*>(dialog->FindWindow(1104))->GetValue());
    SetText(dialog.get(), 1100, "1439");
    ClickArrow(dialog.get(), 1101, true);
    ClickArrow(dialog.get(), 1101, true);
    EXPECT_EQ(Text(dialog.get(), 1100), "1440");
    SetText(dialog.get(), 1102, "2");
    ClickArrow(dialog.get(), 1103, false);
    ClickArrow(dialog.get(), 1103, false);
    EXPECT_EQ(Text(dialog.get(), 1102), "1");

    const struct {
        int id;
        const char* text;
        const char* message;
    } cases[] = {
        {1100, "1441", "Enter an integer between 3 and 1440."},
        {1100, "2", "Enter an integer between 3 and 1440."},
        {1102, "101", "Enter an integer between 1 and 100."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Open(options);
        prompter.Clear();
        SetText(dialog.get(), c.id, c.text);
        ModalDriver<StlExpDlg> driver([&](StlExpDlg& shown) {
            Press(&shown, wxID_OK);
            EXPECT_TRUE(shown.IsModal());
            EXPECT_EQ(prompter.Texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(wxWindow::FindFocus(), shown.FindWindow(c.id));
            shown.EndModal(wxID_CANCEL);
            return true;
        });
        EXPECT_EQ(dialog->ShowModal(), wxID_CANCEL);
    }

    Open(options);
    SetText(dialog.get(), 1100, "1440");
    SetText(dialog.get(), 1102, "100");
    dynamic_cast<wxRadioButton*>(dialog->FindWindow(1105))->SetValue(true);
    ASSERT_TRUE(dialog->Accept());
    EXPECT_EQ(dialog->Values().nSections, 1440);
    EXPECT_EQ(dialog->Values().nSteps, 100);
    EXPECT_TRUE(dialog->Values().bAscii);
}

}  // namespace
}  // namespace orvanel::gui
