// The transfer to the sibling program from the window: offered while a window
// of the sibling runs, and the profile handed over from the File menu.
#include <wx/aui/aui.h>

#include <cstdlib>
#include <utility>

#include "document/archive.h"
#include "editor/editor_view.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"
#include "tests/support/stand_in_sibling.h"

namespace orvanel::gui {
namespace {

using test::StandInSibling;

class TransferFromTheWindowTest : public GuiTest {
protected:
    void SetUp() override {
        // The run's own rendezvous folder; the transfer file goes to a
        // temporary folder of the test's.
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        ASSERT_NE(runtime, nullptr);
        rendezvous = std::filesystem::path(runtime) / "kestavin";
        temp = App().settingsFile.parent_path() / "tmp";
        std::filesystem::create_directories(temp);
        ::setenv("TMPDIR", temp.c_str(), 1);
        Start(Example("vase.lum"));
    }
    void TearDown() override {
        GuiTest::TearDown();
        ::unsetenv("TMPDIR");
        std::filesystem::remove_all(temp);
        std::filesystem::remove_all(rendezvous);
    }

    // The menu item and the toolbar button as they show now. Each asks the
    // rule, and a search may answer between the two, so the tests wait for
    // both to agree.
    std::pair<bool, bool> Shown() {
        UpdateUi();
        const int id = WxIdOf(Command::Transfer);
        return {MenuEnabled(id), frame->EditBar()->GetToolEnabled(id)};
    }
    bool Offered() { return Shown() == std::pair(true, true); }
    bool NotOffered() { return Shown() == std::pair(false, false); }

    std::filesystem::path rendezvous;
    std::filesystem::path temp;
};

TEST_F(TransferFromTheWindowTest, OfferedOnlyWhileAWindowOfTheSiblingRuns) {
    {
        // Its title lacks the blank: another program's window. It has been
        // asked twice once the first answer is old, so the rule has had it.
        StandInSibling other(rendezvous, "vase.lum -Kestavin");
        EXPECT_TRUE(WaitFor([&] {
            UpdateUi();
            return other.TitleRequests() >= 2;
        }));
        EXPECT_TRUE(NotOffered());
        StandInSibling sibling(rendezvous, "vase.lum - Kestavin",
                               StandInSibling::Behaviour::Answers, "sibling");
        EXPECT_TRUE(WaitFor([&] { return Offered(); }));
    }
    // Gone again.
    EXPECT_TRUE(WaitFor([&] { return NotOffered(); }));
}

TEST_F(TransferFromTheWindowTest, TheSiblingGetsTheProfileFromTheFileMenu) {
    StandInSibling sibling(rendezvous, "vase.lum - Kestavin");
    CTavrinEditorDoc& doc = *App().Document();
    doc.AppendPoint(300, 500);
    ASSERT_TRUE(doc.IsModified());
    ASSERT_TRUE(WaitFor([&] { return Offered(); }));

    ChooseFromMenus("ft");
    EXPECT_TRUE(WaitFor([&] { return !sibling.CopyData().empty(); }));
    Pump();
    const auto received = sibling.CopyData();
    ASSERT_EQ(received.size(), 1u);
    const StandInSibling::Received& r = received[0];
    EXPECT_EQ(r.dwData, 1u);
    EXPECT_EQ(r.wParam, static_cast<std::uint64_t>(frame->EditorView()->GetId()));
    EXPECT_EQ(std::filesystem::path(r.data.c_str()).parent_path(), temp);
    ASSERT_TRUE(r.file.has_value());
    ASSERT_GE(r.file->size(), 9u);
    EXPECT_EQ((*r.file)[0], 8);
    EXPECT_EQ(std::string(r.file->begin() + 1, r.file->begin() + 9), "VOLDERAK");
    // Gone once the sibling has answered; the profile counts as saved.
    EXPECT_TRUE(WaitFor([&] { return std::filesystem::is_empty(temp); }));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(App().prompter.Texts().empty());
    // What a save of the edited profile holds.
    CMemFile stored;
    {
        CArchive ar(stored, CArchive::Mode::store);
        ASSERT_TRUE(doc.Serialize(ar));
        ar.Close();
    }
    EXPECT_EQ(*r.file, stored.Bytes());
}

}  // namespace
}  // namespace orvanel::gui
