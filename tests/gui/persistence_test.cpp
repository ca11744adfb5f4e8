// What a restart keeps: the window's place and state, the colours of both
// views, the document's settings and the recent files.
#include <wx/menu.h>

#include <fstream>
#include <sstream>

#include "app/config_store.h"
#include "editor/editor_view.h"
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class PersistenceTest : public GuiTest {
protected:
    std::string SettingsText() {
        std::ifstream in(App().settingsFile);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_F(PersistenceTest, SettingsFileKeepsSectionsAndKeysAsNamed) {
    const std::filesystem::path file = App().settingsFile.parent_path() / "store.conf";
    {
        ConfigStore store(file);
        store.WriteInt("Settings", "GridSize", 25);
        store.WriteString("Recent File List", "File1", "/home/ann/a b.lum");
        store.WriteString("Settings", "PenSize", "garbage");
        EXPECT_EQ(store.GetInt("Settings", "GridSize", 10), 25);
        // A value that is not a number reads as the default, without a box.
        EXPECT_EQ(store.GetInt("Settings", "PenSize", 2), 2);
        EXPECT_EQ(store.GetInt("Settings", "Missing", 7), 7);
    }
    ConfigStore again(file);
    EXPECT_EQ(again.GetInt("Settings", "GridSize", 10), 25);
    EXPECT_EQ(again.GetString("Recent File List", "File1", ""), "/home/ann/a b.lum");
    EXPECT_TRUE(App().prompter.Entries().empty());
    std::filesystem::remove(file);
}

TEST_F(PersistenceTest, FirstRunUsesTheDefaultPlace) {
    Start();
    EXPECT_EQ(frame->GetRect(), wxRect(10, 10, 600, 400));
    EXPECT_FALSE(frame->IsMaximized());
}

TEST_F(PersistenceTest, RestartKeepsPlaceColoursAndSettings) {
    Start();
    frame->SetSize(50, 60, 700, 500);
    ASSERT_TRUE(WaitFor([this] { return frame->GetRect() == wxRect(50, 60, 700, 500); }));
    const EditorLook look{0x102030, 0x405060, 0x708090, 5, 25};
    frame->EditorView()->SetLook(look);
    const PreviewLook colours{0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F};
    frame->PreviewView()->m_look = colours;
    App().Document()->m_nSections = 100;
    App().Document()->m_nPreviewSteps = 7;
    Stop();

    const std::string text = SettingsText();
    EXPECT_NE(text.find("Rect=0050 0060 0750 0560"), std::string::npos) << text;
    EXPECT_NE(text.find("maximized=0"), std::string::npos) << text;

    Start();
    EXPECT_EQ(frame->GetRect(), wxRect(50, 60, 700, 500));
    EXPECT_EQ(frame->EditorView()->Look(), look);
    EXPECT_EQ(frame->PreviewView()->m_look, colours);
    EXPECT_EQ(App().Document()->m_nSections, 100);
    EXPECT_EQ(App().Document()->m_nPreviewSteps, 7);
}

TEST_F(PersistenceTest, StoredMaximizedStateIsShownAndKept) {
    {
        ConfigStore store(App().settingsFile);
        store.WriteString("WindowPos", "Rect", "0020 0030 0520 0430");
        store.WriteInt("WindowPos", "maximized", 1);
    }
    Start();
    // Without a window manager the window cannot really be maximized; it has
    // been asked to be, and its normal place is the stored one.
    Stop();
    const std::string text = SettingsText();
    EXPECT_NE(text.find("Rect=0020 0030 0520 0430"), std::string::npos) << text;
}

TEST_F(PersistenceTest, RecentFilesShowAtMostSix) {
    const std::filesystem::path dir = App().settingsFile.parent_path() / "profiles";
    std::filesystem::create_directories(dir);
    Start();
    for (int i = 1; i <= 7; ++i) {
        const std::filesystem::path copy = dir / ("p" + std::to_string(i) + ".lum");
        std::filesystem::copy_file(Example("bowl.lum"), copy,
                                   std::filesystem::copy_options::overwrite_existing);
        ASSERT_TRUE(frame->OpenDocument(copy));
    }
    wxMenu* file = frame->GetMenuBar()->GetMenu(0);
    std::vector<wxString> entries;
    for (int id = wxID_FILE1; id <= wxID_FILE9; ++id) {
        if (wxMenuItem* item = file->FindItem(id)) entries.push_back(item->GetItemLabelText());
    }
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_TRUE(entries[0].StartsWith("1 ")) << entries[0];
    EXPECT_TRUE(entries[0].EndsWith("p7.lum")) << entries[0];
    EXPECT_TRUE(entries[5].EndsWith("p2.lum")) << entries[5];
    EXPECT_EQ(frame->GetTitle(), "p7.lum - Orvanel");
    Stop();
    const std::string text = SettingsText();
    EXPECT_NE(text.find("File6=" + (dir / "p2.lum").string()), std::string::npos) << text;
    EXPECT_EQ(text.find("p1.lum"), std::string::npos) << text;

    Start();
    EXPECT_EQ(App().RecentFiles().Entries().size(), 6u);
    // A recent file that is gone is reported and leaves the list.
    std::filesystem::remove(dir / "p7.lum");
    wxCommandEvent open(wxEVT_MENU, wxID_FILE1);
    frame->ProcessWindowEvent(open);
    EXPECT_EQ(App().RecentFiles().Entries().size(), 5u);
    EXPECT_EQ(App().prompter.Entries().size(), 1u);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvanel::gui
