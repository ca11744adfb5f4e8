// The real-size dialogs in the real program: Dimensions sets the units and a
// restart keeps them; Point Properties moves a point exactly, as one step.
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include <fstream>
#include <sstream>

#include "app/dimensions_dialog.h"
#include "editor/point_properties_dialog.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel::gui {
namespace {

class DimensionsTest : public GuiTest {
protected:
    CTavrinEditorDoc& Doc() { return *App().Document(); }
    std::string Pane(int field) {
        return frame->GetStatusBar()->GetStatusText(field).utf8_string();
    }
    static wxTextCtrl& Field(wxDialog& dialog, int id) {
        return *static_cast<wxTextCtrl*>(dialog.FindWindow(id));
    }
    std::string SettingsText() {
        std::ifstream in(App().settingsFile);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(DimensionsTest, TheDialogSetsTheUnitsAndARestartKeepsThem) {
    // 150 units across and 400 tall.
    Start(Fixture("tall_cup.lum"));
    EXPECT_TRUE(WaitFor([this] { return Pane(4) == "Ø 150.0 × 400.0 mm"; })) << Pane(4);
    wxMenuBar& bar = *frame->GetMenuBar();
    wxMenu* menu = nullptr;
    const wxMenuItem* item = bar.FindItem(WxIdOf(Command::Dimensions), &menu);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetItemLabel(), "Dim&ensions...");
    EXPECT_EQ(menu, bar.GetMenu(bar.FindMenu("Tools")));
    UpdateUi();
    EXPECT_TRUE(MenuEnabled(WxIdOf(Command::Dimensions)));
    ModalDriver<CDlgDimensions> driver([](CDlgDimensions& dialog) {
        EXPECT_EQ(Field(dialog, CDlgDimensions::kUnitSizeField).GetValue(), "1");
        EXPECT_EQ(Field(dialog, CDlgDimensions::kMakeHeightField).GetValue(), "400");
        Field(dialog, CDlgDimensions::kUnitSizeField).ChangeValue("0.5");
        auto* unit = static_cast<wxChoice*>(dialog.FindWindow(CDlgDimensions::kDisplayUnitChoice));
        EXPECT_EQ(unit->GetString(unit->GetSelection()), "millimetres");
        unit->SetSelection(1);
        return dialog.Accept();
    });
    Choose(Command::Dimensions);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(Doc().m_units, (UnitSystem{0.5, DisplayUnit::Centimetre}));
    EXPECT_TRUE(WaitFor([this] { return Pane(4) == "Ø 7.50 × 20.00 cm"; })) << Pane(4);
    // Nothing of the profile changed.
    EXPECT_FALSE(Doc().IsModified());

    Stop();
    const std::string text = SettingsText();
    EXPECT_NE(text.find("[Dimensions]\nUnitSize=0.5\nDisplayUnit=cm\n"), std::string::npos) << text;
    Start(Fixture("tall_cup.lum"));
    EXPECT_EQ(Doc().m_units, (UnitSystem{0.5, DisplayUnit::Centimetre}));
    EXPECT_TRUE(WaitFor([this] { return Pane(4) == "Ø 7.50 × 20.00 cm"; })) << Pane(4);
}

TEST_F(DimensionsTest, MakeTheHeightSetsTheUnitSizeAndRefusalsKeepTheDialogOpen) {
    Start(Fixture("tall_cup.lum"));
    std::vector<std::string> told;
    ModalDriver<CDlgDimensions> driver([&](CDlgDimensions& dialog) {
        wxTextCtrl& height = Field(dialog, CDlgDimensions::kMakeHeightField);
        height.ChangeValue("2");  // 0.005 mm a unit: too small
        EXPECT_FALSE(dialog.Make(SizeToMake::Height));
        height.ChangeValue("300");
        EXPECT_TRUE(dialog.Make(SizeToMake::Height));
        EXPECT_EQ(Field(dialog, CDlgDimensions::kUnitSizeField).GetValue(), "0.75");
        EXPECT_EQ(Field(dialog, CDlgDimensions::kMakeDiameterField).GetValue(), "112.5");
        Field(dialog, CDlgDimensions::kUnitSizeField).ChangeValue("500");
        EXPECT_FALSE(dialog.Accept());
        EXPECT_TRUE(dialog.IsModal());
        told = App().prompter.Texts();
        Field(dialog, CDlgDimensions::kUnitSizeField).ChangeValue("0.75");
        return dialog.Accept();
    });
    EXPECT_TRUE(RunDimensions(frame, Doc()));
    EXPECT_EQ(told, (std::vector<std::string>{"Enter a number between 4 and 40000.",
                                              "Enter a number between 0.01 and 100."}));
    EXPECT_DOUBLE_EQ(Doc().m_units.unitSize, 0.75);
    EXPECT_TRUE(WaitFor([this] { return Pane(4) == "Ø 112.5 × 300.0 mm"; })) << Pane(4);
}

TEST_F(DimensionsTest, CancelKeepsTheUnits) {
    Start(Fixture("tall_cup.lum"));
    ModalDriver<CDlgDimensions> driver([](CDlgDimensions& dialog) {
        Field(dialog, CDlgDimensions::kUnitSizeField).ChangeValue("2");
        dialog.EndModal(wxID_CANCEL);
        return true;
    });
    EXPECT_FALSE(RunDimensions(frame, Doc()));
    EXPECT_EQ(Doc().m_units, UnitSystem{});
}

TEST_F(DimensionsTest, PointPropertiesMovesAPointExactlyAndUndoesInOneStep) {
    Start(Fixture("tall_cup.lum"));
    Doc().m_units = {0.5, DisplayUnit::Millimetre};
    ASSERT_NE(Doc().HitTestMenuPoint(75, 500), nullptr);  // the third point
    const auto states = Doc().UndoStateCount();
    std::vector<std::string> told;
    ModalDriver<CDlgPointProperties> driver([&](CDlgPointProperties& dialog) {
        wxTextCtrl& distance = Field(dialog, CDlgPointProperties::kDistanceField);
        wxTextCtrl& height = Field(dialog, CDlgPointProperties::kHeightField);
        // 75 units from the axis, 500 above the bottom edge, at half a millimetre.
        EXPECT_EQ(distance.GetValue(), "37.5");
        EXPECT_EQ(height.GetValue(), "250");
        distance.ChangeValue("600");  // beyond the area's 500 mm
        EXPECT_FALSE(dialog.Accept());
        told = App().prompter.Texts();
        distance.ChangeValue("61.5");
        height.ChangeValue("100");
        static_cast<wxCheckBox*>(dialog.FindWindow(CDlgPointProperties::kAnchorCheckBox))
            ->SetValue(false);
        return dialog.Accept();
    });
    // The context menu's item, for the point it was opened over.
    Choose(Command::MenuPointProperties);
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(told, (std::vector<std::string>{"Enter a number between 0 and 500."}));
    const ProfilePoint* p = Doc().GetHead()->Next()->Next();
    EXPECT_EQ(p->x, 123);
    EXPECT_EQ(p->y, 800);
    EXPECT_FALSE(p->bAnchor);
    EXPECT_EQ(Doc().UndoStateCount(), states + 1);
    EXPECT_TRUE(Doc().IsModified());
    Doc().OnEditUndo();
    p = Doc().GetHead()->Next()->Next();
    EXPECT_EQ(p->x, 75);
    EXPECT_EQ(p->y, 500);
    EXPECT_TRUE(p->bAnchor);
}

}  // namespace
}  // namespace orvanel::gui
