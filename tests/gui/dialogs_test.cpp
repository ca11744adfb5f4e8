// The keyboard reference, the choice of the view to print, and help.
#include <wx/filedlg.h>
#include <wx/html/helpfrm.h>
#include <wx/printdlg.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>

#include "app/help_launcher.h"
#include "app/small_dialogs.h"
#include "app/wx_prompter.h"
#include "resources/ids.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel::gui {
namespace {

class DialogsTest : public GuiTest {};

template <class T>
std::vector<T*> ChildrenOf(wxWindow* window) {
    std::vector<T*> found;
    for (wxWindow* child : window->GetChildren()) {
        if (auto* t = dynamic_cast<T*>(child)) found.push_back(t);
        for (T* grand : ChildrenOf<T>(child)) found.push_back(grand);
    }
    return found;
}

TEST_F(DialogsTest, KeyboardReferenceListsTheNinePairs) {
    Start();
    CKeyDialog dialog(frame);
    EXPECT_EQ(dialog.GetTitle(), "Keyboard Reference");
    std::vector<wxString> texts;
    for (wxStaticText* t : ChildrenOf<wxStaticText>(&dialog)) texts.push_back(t->GetLabel());
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Key");
    EXPECT_EQ(texts[1], "Function");
    EXPECT_EQ(texts[2],
              "DELETE\nTAB\n^P or P\n^I or I\n^M or M\n^A\n^D\nLeft mouse/drag\nRight mouse/drag");
    EXPECT_EQ(texts[3],
              "Delete selected point(s)\nSelects the next node circularly.\nChange to pencil "
              "tool.\nChange to insert pencil tool.\nChange to move tool.\nSelect all "
              "points.\nDeselect all points.\nRotates image in 3D window.\nZooms image in 3D "
              "window.");
}

TEST_F(DialogsTest, PrintPreviewOfThe3DViewAndTheChoiceIsRemembered) {
    Start(Example("bowl.lum"));
    CDlgSelectView& choice = frame->SelectViewDialog();
    EXPECT_EQ(choice.GetTitle(), "Select View");
    const auto radios = ChildrenOf<wxRadioButton>(&choice);
    ASSERT_EQ(radios.size(), 2u);
    EXPECT_EQ(radios[0]->GetLabel(), "&Design view");
    EXPECT_EQ(radios[1]->GetLabel(), "&3D view");

    // Choose the 3D view and press OK, from inside the dialog's own loop.
    bool designFirst = false;
    choice.CallAfter([&] {
        designFirst = radios[0]->GetValue();
        radios[1]->SetValue(true);
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        choice.ProcessWindowEvent(ok);
    });
    wxCommandEvent preview(wxEVT_MENU, WxIdOf(Command::PrintPreview));
    frame->ProcessWindowEvent(preview);
    EXPECT_TRUE(designFirst);
    EXPECT_EQ(choice.m_nView, CDlgSelectView::k3DView);
    EXPECT_EQ(frame->ActiveView(), frame->PreviewView());
    wxPreviewFrame* shown = nullptr;
    for (wxWindow* w : wxTopLevelWindows) {
        if (auto* p = dynamic_cast<wxPreviewFrame*>(w)) shown = p;
    }
    ASSERT_NE(shown, nullptr);
    shown->Close(true);
    Pump();

    // The next time the dialog opens with the 3D view chosen; Cancel prints nothing.
    bool threeDFirst = false;
    choice.CallAfter([&] {
        threeDFirst = radios[1]->GetValue();
        choice.EndModal(wxID_CANCEL);
    });
    frame->ProcessWindowEvent(preview);
    EXPECT_TRUE(threeDFirst);
}

TEST_F(DialogsTest, HelpOpensTheGuideAndContextHelpSaysThereIsNoTopic) {
    Start();
    // The book the build copies beside the program.
    HelpLauncher help(std::filesystem::path(ORVANEL_BINARY_DIR) / "help" / "orvanel.hhp");
    ASSERT_TRUE(help.IsReady()) << help.Book();
    EXPECT_TRUE(help.ShowContents());
    wxHtmlHelpFrame* guide = nullptr;
    ASSERT_TRUE(WaitFor([&guide] {
        for (wxWindow* w : wxTopLevelWindows) {
            if (auto* h = dynamic_cast<wxHtmlHelpFrame*>(w)) guide = h;
        }
        return guide != nullptr;
    }));
    EXPECT_EQ(guide->GetParent(), nullptr);
    guide->Close(true);
    EXPECT_TRUE(help.ShowContextPopup(frame, 0x1E100, wxPoint(100, 100)));
    HelpLauncher none({});
    EXPECT_FALSE(none.IsReady());
    EXPECT_FALSE(none.ShowContents());
    Pump();
}

TEST_F(DialogsTest, TheProfileFileDialogsOfferTheDocumentFilterFirst) {
    Start();
    WxPrompter prompts;
    prompts.SetParent(frame);
    const struct {
        const char* dialog;
        std::function<void()> open;
    } cases[] = {
        {"File > Open",
         [this] {
             wxCommandEvent open(wxEVT_MENU, wxID_OPEN);
             frame->ProcessWindowEvent(open);
         }},
        {"Save As", [&prompts] { EXPECT_EQ(prompts.AskSavePath("Untitled"), std::nullopt); }},
    };
    for (const auto& c : cases) {
        wxString filter;
        ModalDriver<wxFileDialog> cancel([&filter](wxFileDialog& dialog) {
            filter = dialog.GetWildcard();
            dialog.EndModal(wxID_CANCEL);
            return true;
        });
        c.open();
        EXPECT_TRUE(cancel.Done()) << c.dialog;
        EXPECT_EQ(filter, "Orvanel Files (*.lum)|*.lum|All Files (*.*)|*") << c.dialog;
    }
}

}  // namespace
}  // namespace orvanel::gui
