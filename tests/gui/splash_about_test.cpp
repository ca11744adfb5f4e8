// The splash screen and the About box, made as the program makes them and
// checked on the screen.
#include <wx/button.h>
#include <wx/process.h>
#include <wx/stattext.h>
#include <wx/uiaction.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <chrono>
#include <fstream>

#include "app/about_dlg.h"
#include "app/about_info.h"
#include "app/splash_screen.h"
#include "editor/editor_view.h"
#include "resources/svg_art.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel::gui {
namespace {

const wxSize kScreen(1280, 1024);
const wxPoint kSplashCorner((kScreen.x - kSplashWidth) / 2, (kScreen.y - kSplashHeight) / 2);

// Whether the screen shows the splash picture at the centre: a grid of its
// pixels compared with the picture itself.
bool ShowsSplash(const wxImage& shot) {
    const wxImage picture = CSplashScreen::MakePicture().ConvertToImage();
    int same = 0, compared = 0;
    for (int y = 5; y < kSplashHeight; y += 23) {
        for (int x = 5; x < kSplashWidth; x += 23) {
            const wxColour c = PixelAt(shot, kSplashCorner + wxPoint(x, y));
            ++compared;
            same += c.IsOk() && std::abs(c.Red() - picture.GetRed(x, y)) <= 3 &&
                    std::abs(c.Green() - picture.GetGreen(x, y)) <= 3 &&
                    std::abs(c.Blue() - picture.GetBlue(x, y)) <= 3;
        }
    }
    return same == compared;
}

class SplashTest : public GuiTest {
protected:
    wxUIActionSimulator sim;
};

TEST_F(SplashTest, ThePictureIsCentredWithTheNameAndVersionInWhite) {
    const wxWeakRef<CSplashScreen> splash = CSplashScreen::Create(120000);
    ASSERT_TRUE(splash);
    ASSERT_TRUE(WaitFor([&] { return splash && splash->IsShownOnScreen(); }));
    EXPECT_EQ(splash->GetScreenRect(), wxRect(kSplashCorner, wxSize(kSplashWidth, kSplashHeight)));
    EXPECT_TRUE(WaitFor([] { return ShowsSplash(Screenshot()); }));

    // White letters at the upper right, in the box a tenth of the picture in
    // from its top and its right; none left of the middle or below it.
    const wxImage picture = splash->Picture().ConvertToImage();
    int whiteRight = 0, whiteElsewhere = 0;
    for (int y = 0; y < kSplashHeight; ++y) {
        for (int x = 0; x < kSplashWidth; ++x) {
            const bool white = picture.GetRed(x, y) > 240 && picture.GetGreen(x, y) > 240 &&
                               picture.GetBlue(x, y) > 240;
            if (!white) continue;
            const bool inBox = x >= kSplashWidth / 2 && x < kSplashWidth - kSplashWidth / 10 &&
                               y >= kSplashHeight / 10 && y < kSplashHeight / 4;
            ++(inBox ? whiteRight : whiteElsewhere);
        }
    }
    EXPECT_GT(whiteRight, 60);
    EXPECT_EQ(whiteElsewhere, 0);
    splash->Destroy();
    EXPECT_TRUE(WaitFor([&] { return !splash; }));
}

TEST_F(SplashTest, ItGoesByItselfAfterFiveSeconds) {
    const auto made = std::chrono::steady_clock::now();
    const wxWeakRef<CSplashScreen> splash = CSplashScreen::Create();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->IsShown());
    ASSERT_TRUE(WaitFor([&] { return !splash || !splash->IsShown(); }, 20000));
    EXPECT_GE(std::chrono::steady_clock::now() - made, std::chrono::milliseconds(5000));
    EXPECT_TRUE(WaitFor([] { return !ShowsSplash(Screenshot()); }));
}

TEST_F(SplashTest, AClickOnItClosesItAtOnceAndReachesNothingBeneath) {
    Start();
    // The editor beneath the splash, with the Pencil, which adds a point for a click.
    frame->SetSize(kSplashCorner.x - 100, kSplashCorner.y - 100, 1000, 700);
    WaitSettled();
    const wxRect editor = frame->EditorView()->GetScreenRect();
    const wxPoint centre = kSplashCorner + wxPoint(kSplashWidth / 2, kSplashHeight / 2);
    ASSERT_TRUE(editor.Contains(centre));

    // Far longer than the wait below: only the click can close it in time.
    const wxWeakRef<CSplashScreen> splash = CSplashScreen::Create(120000);
    ASSERT_TRUE(WaitFor([&] { return splash && splash->IsShownOnScreen(); }));
    ASSERT_TRUE(WaitFor([] { return ShowsSplash(Screenshot()); }));
    sim.MouseMove(centre);
    Pump();
    sim.MouseClick();
    EXPECT_TRUE(WaitFor([&] { return !splash || !splash->IsShown(); }, 10000));
    Pump();
    EXPECT_EQ(App().Document()->GetPointCount(), 0);
}

TEST_F(SplashTest, AKeyOnItClosesItAtOnce) {
    const wxWeakRef<CSplashScreen> splash = CSplashScreen::Create(120000);
    ASSERT_TRUE(WaitFor([&] { return splash && splash->IsShownOnScreen(); }));
    // The keyboard goes to the window under the pointer: there is no window manager.
    sim.MouseMove(kSplashCorner + wxPoint(20, 20));
    splash->SetFocus();
    Pump();
    sim.Char(WXK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return !splash || !splash->IsShown(); }, 10000));
}

TEST_F(SplashTest, TheProgramShowsItAtStart) {
    const wxString program =
        wxString::FromUTF8((std::filesystem::path(ORVANEL_BINARY_DIR) / "orvanel").string());
    const long pid = wxExecute(program, wxEXEC_ASYNC);
    ASSERT_GT(pid, 0);
    EXPECT_TRUE(WaitFor([] { return ShowsSplash(Screenshot()); }, 30000));
    wxProcess::Kill(static_cast<int>(pid), wxSIGKILL);
}

// --- the About box

class AboutCommandTest : public GuiTest {};

TEST_F(AboutCommandTest, TheHelpMenuOpensItEachTimeAndItsOkButtonClosesIt) {
    Start();  // an empty profile: the box needs none
    for (int time = 1; time <= 2; ++time) {
        wxWeakRef<CAboutDlg> shown;
        ModalDriver<CAboutDlg> driver([&shown](CAboutDlg& dialog) {
            shown = &dialog;
            EXPECT_EQ(dialog.GetTitle(), "About Orvanel...");
            EXPECT_EQ(dialog.m_strVersion, "3.1.1.0");
            EXPECT_FALSE(dialog.Link().IsVisited());
            // Pressed as a user presses it.
            const wxWindow* ok = dialog.FindWindow(wxID_OK);
            EXPECT_NE(ok, nullptr);
            if (ok == nullptr) return false;
            wxUIActionSimulator sim;
            sim.MouseMove(ok->GetScreenRect().GetPosition() + ok->GetSize() / 2);
            sim.MouseClick();
            return true;
        });
        EXPECT_TRUE(ChooseFromMenu('h', 'a', WxIdOf(Command::About)).enabled) << time;
        ASSERT_TRUE(WaitFor([&] { return driver.Done() && !shown; })) << time;
    }
}

class AboutBoxTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        dialog = new CAboutDlg(nullptr, App().prompter);
        dialog->Show();
        ASSERT_TRUE(WaitFor([this] { return dialog->IsShownOnScreen(); }));
        Pump();
    }
    void TearDown() override {
        dialog->Destroy();
        Pump();
        if (path) wxSetEnv("PATH", *path);
        GuiTest::TearDown();
    }
    // The link's text pixels: how many show the colour.
    int LinkPixels(const wxColour& colour) {
        const wxImage shot = Screenshot();
        const wxRect r = dialog->Link().GetScreenRect();
        int count = 0;
        for (int y = r.y; y < r.GetBottom(); ++y) {
            for (int x = r.x; x < r.GetRight(); ++x) {
                const wxColour c = PixelAt(shot, {x, y});
                count += std::abs(c.Red() - colour.Red()) <= 30 &&
                         std::abs(c.Green() - colour.Green()) <= 30 &&
                         std::abs(c.Blue() - colour.Blue()) <= 30;
            }
        }
        return count;
    }
    void ClickLink() {
        sim.MouseMove(dialog->Link().GetScreenRect().GetPosition() + wxPoint(10, 5));
        Pump();
        sim.MouseClick();
        Pump();
    }
    // A PATH of the test's own, put back after the test.
    void SetPath(const wxString& value) {
        wxString old;
        if (wxGetEnv("PATH", &old)) path = old;
        wxSetEnv("PATH", value);
    }

    CAboutDlg* dialog = nullptr;
    std::optional<wxString> path;
    wxUIActionSimulator sim;
};

TEST_F(AboutBoxTest, ItShowsTheVersionAndABlueUnderlinedLinkWithAPointingHand) {
    EXPECT_EQ(dialog->GetTitle(), "About Orvanel...");
    const auto* version = dynamic_cast<wxStaticText*>(dialog->FindWindow(CAboutDlg::kVersionId));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->GetLabel(), "3.1.1.0");
    CHyperLink& link = dialog->Link();
    EXPECT_EQ(link.GetId(), CAboutDlg::kLinkId);
    EXPECT_EQ(link.GetLabel(), "A Kestavin Product");
    EXPECT_EQ(link.LinkTarget(), "https://kestavin.example.com/");
    EXPECT_EQ(link.GetToolTipText(), "https://kestavin.example.com/");
    EXPECT_TRUE(link.GetFont().GetUnderlined());
    // The pointing hand over it, its finger's tip on the hot spot.
    EXPECT_TRUE(link.GetCursor().IsOk());
    const wxImage hand = MakeLinkCursorImage();
    ASSERT_TRUE(hand.IsOk());
    EXPECT_EQ(hand.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_X), 9);
    EXPECT_EQ(hand.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_Y), 1);
    EXPECT_GT(hand.GetAlpha(9, 2), 200);
    EXPECT_EQ(hand.GetAlpha(9, 0), 0);
    EXPECT_GT(LinkPixels(wxColour(0, 0, 238)), 40);
    EXPECT_FALSE(link.IsVisited());
}

TEST_F(AboutBoxTest, WithNoBrowserToBeFoundTheLinkSaysWhyAndStaysBlue) {
    SetPath("");
    ClickLink();
    ASSERT_TRUE(WaitFor([] { return !App().prompter.Entries().empty(); }));
    // The screenshots need their program back.
    wxSetEnv("PATH", *path);
    const RecordingPrompter::Entry& shown = App().prompter.Entries()[0];
    EXPECT_EQ(shown.text,
              "Unable to open hyperlink:\n\nThere is no application associated\nwith web "
              "addresses.");
    EXPECT_EQ(shown.icon, MessageIcon::Exclamation);
    EXPECT_EQ(shown.caption, "Orvanel");
    EXPECT_FALSE(dialog->Link().IsVisited());
    EXPECT_GT(LinkPixels(wxColour(0, 0, 238)), 40);
}

TEST_F(AboutBoxTest, OpenedTheLinkTurnsPurple) {
    // A stand-in for the desktop's opener that notes what it was given.
    const std::filesystem::path bin = App().settingsFile.parent_path() / "bin";
    std::filesystem::create_directories(bin);
    const std::filesystem::path opened = bin / "opened.txt";
    std::filesystem::remove(opened);
    {
        std::ofstream script(bin / "xdg-open");
        script << "#!/bin/sh\nprintf '%s\\n' \"$*\" > '" << opened.string() << ".new'\nmv '"
               << opened.string() << ".new' '" << opened.string() << "'\n";
    }
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    SetPath(wxString::FromUTF8(bin.string()) + ":/bin:/usr/bin");
    ClickLink();
    ASSERT_TRUE(WaitFor([this] { return dialog->Link().IsVisited(); }));
    EXPECT_TRUE(App().prompter.Entries().empty());
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(opened); }));
    std::ifstream given(opened);
    std::string line;
    std::getline(given, line);
    EXPECT_EQ(line, "https://kestavin.example.com/");
    EXPECT_GT(LinkPixels(wxColour(85, 26, 139)), 40);
    EXPECT_EQ(LinkPixels(wxColour(0, 0, 238)), 0);
}

}  // namespace
}  // namespace orvanel::gui
