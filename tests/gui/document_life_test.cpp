// New, Open, a dropped file and closing ask before unsaved changes are lost.
#include <wx/dnd.h>

#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class DocumentLifeTest : public GuiTest {};

TEST_F(DocumentLifeTest, NewAsksAndCancelKeepsTheProfile) {
    Start();
    App().Document()->AppendPoint(100, 900);
    App().savePrompts.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(frame->NewDocument());
    EXPECT_EQ(App().Document()->GetPointCount(), 1);
    EXPECT_EQ(App().savePrompts.questions, (std::vector<std::string>{"Save changes to Untitled?"}));
    App().savePrompts.answer = SaveAnswer::No;
    EXPECT_TRUE(frame->NewDocument());
    EXPECT_EQ(App().Document()->GetPointCount(), 0);
}

TEST_F(DocumentLifeTest, YesSavesUnderTheChosenNameThenOpens) {
    Start();
    const std::filesystem::path saved = App().settingsFile.parent_path() / "mine.lum";
    App().Document()->AppendPoint(100, 900);
    App().savePrompts.answer = SaveAnswer::Yes;
    App().savePrompts.savePath = saved;
    EXPECT_TRUE(frame->OpenDocument(Example("ring.lum")));
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_EQ(frame->GetTitle(), "ring.lum - Orvanel");
    EXPECT_TRUE(App().Document()->IsClosed());
    std::filesystem::remove(saved);
}

TEST_F(DocumentLifeTest, DroppedFileOpensAndJoinsTheRecentFiles) {
    Start();
    auto* target = dynamic_cast<wxFileDropTarget*>(frame->GetDropTarget());
    ASSERT_NE(target, nullptr);
    wxArrayString files;
    files.push_back(wxString::FromUTF8(Example("vase.lum").string()));
    EXPECT_TRUE(target->OnDropFiles(10, 10, files));
    EXPECT_TRUE(WaitFor([this] { return frame->GetTitle() == "vase.lum - Orvanel"; }));
    ASSERT_FALSE(App().RecentFiles().Entries().empty());
    EXPECT_EQ(App().RecentFiles().Entries().front(), Example("vase.lum"));
}

TEST_F(DocumentLifeTest, ClosingAsksAndCancelKeepsTheWindow) {
    Start();
    App().Document()->AppendPoint(100, 900);
    App().savePrompts.answer = SaveAnswer::Cancel;
    EXPECT_FALSE(frame->Close());
    Pump();
    EXPECT_NE(App().Frame(), nullptr);
    EXPECT_EQ(App().savePrompts.questions.size(), 1u);
    App().savePrompts.answer = SaveAnswer::No;
}

}  // namespace
}  // namespace orvanel::gui
