// File > Export > SVG and DXF in the real program: the file dialog under the
// profile's name, the curve written as the command line writes it, and the
// refusal of a profile without a curve.
#include <wx/filedlg.h>
#include <wx/menu.h>

#include <fstream>
#include <sstream>

#include "export/dxf_writer.h"
#include "export/svg_writer.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel::gui {
namespace {

std::string TextOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ExportMenuTest : public GuiTest {
protected:
    std::filesystem::path Folder() { return App().settingsFile.parent_path(); }
};

const struct {
    Command command;
    std::string_view item;
    std::string_view extension;
    std::string (*text)(const ProfileOutline&, bool);
} kFormats[] = {
    {Command::ExportSvg, "SV&G ...", "svg", SvgFileText},
    {Command::ExportDxf, "&DXF ...", "dxf", DxfFileText},
};

TEST_F(ExportMenuTest, TheExportSubmenuWritesTheCurveUnderTheNameChosen) {
    Start(Fixture("tall_cup.lum"));
    CTavrinEditorDoc& doc = *App().Document();
    doc.m_units = {0.5, DisplayUnit::Millimetre};
    wxMenuBar& bar = *frame->GetMenuBar();
    wxMenu& file = *bar.GetMenu(bar.FindMenu("File"));
    for (const auto& format : kFormats) {
        wxMenu* submenu = nullptr;
        wxMenuItem* item = bar.FindItem(WxIdOf(format.command), &submenu);
        ASSERT_NE(item, nullptr) << format.item;
        EXPECT_EQ(item->GetItemLabel().utf8_string(), format.item);
        ASSERT_NE(submenu, nullptr);
        EXPECT_EQ(submenu->GetParent(), &file);
        UpdateUi();
        EXPECT_TRUE(MenuEnabled(WxIdOf(format.command)));

        // Typed without its extension, the name gets it.
        const wxString typed = wxString::FromUTF8((Folder() / "cup").string());
        std::string suggested;
        ModalDriver<wxFileDialog> dialog([&](wxFileDialog& d) {
            if (suggested.empty()) suggested = d.GetFilename().utf8_string();
            if (d.GetPath() != typed) {
                d.SetPath(typed);
                return false;
            }
            d.EndModal(wxID_OK);
            return true;
        });
        const std::filesystem::path written = Folder() / ("cup." + std::string(format.extension));
        std::filesystem::remove(written);
        Choose(format.command);
        EXPECT_TRUE(dialog.Done());
        EXPECT_EQ(suggested, "tall_cup." + std::string(format.extension));
        const auto outline = SampleProfileOutline(doc, kDefaultOutlineSteps, doc.m_units);
        ASSERT_TRUE(outline);
        EXPECT_EQ(TextOf(written), format.text(*outline, false)) << written;
    }
    EXPECT_TRUE(App().prompter.Texts().empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ExportMenuTest, AProfileWithoutACurveWritesNothing) {
    Start(Fixture("two_points.lum"));
    for (const auto& format : kFormats) {
        const std::filesystem::path out = Folder() / ("none." + std::string(format.extension));
        std::filesystem::remove(out);
        ModalDriver<wxFileDialog> dialog([&](wxFileDialog& d) {
            if (d.GetPath() != wxString::FromUTF8(out.string())) {
                d.SetPath(wxString::FromUTF8(out.string()));
                return false;
            }
            d.EndModal(wxID_OK);
            return true;
        });
        Choose(format.command);
        EXPECT_TRUE(dialog.Done());
        EXPECT_FALSE(std::filesystem::exists(out)) << out;
    }
    EXPECT_EQ(App().prompter.Texts(),
              (std::vector<std::string>{"No spline to export!", "No spline to export!"}));
}

}  // namespace
}  // namespace orvanel::gui
