#include "tests/gui/gui_support.h"

#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdlib>

#include "app/config_store.h"
#include "editor/editor_view.h"
#include "editor/wx_picture.h"
#include "resources/wx_commands.h"

namespace orvanel::gui {

bool GuiTestApp::OnInit() {
    SetVendorName(kVendorName);
    SetAppName("Orvanel");
    // The program's own handler set, as it starts with.
    RegisterPhotoImageHandlers();
    // Sessions come and go within one run of the loop.
    SetExitOnFrameDelete(false);
    const char* home = std::getenv("XDG_CONFIG_HOME");
    settingsFile =
        std::filesystem::path(home != nullptr ? home : "/tmp") / "gui-test" / "Orvanel.conf";
    std::filesystem::remove(settingsFile);
    // The tests keep their own files beside the settings.
    std::filesystem::create_directories(settingsFile.parent_path());
    return true;
}

int GuiTestApp::OnRun() {
    CallAfter([this] {
        result = RUN_ALL_TESTS();
        ExitMainLoop();
    });
    wxApp::OnRun();
    return result;
}

void GuiTestApp::OnAssertFailure(const wxChar* file, int line, const wxChar* func,
                                 const wxChar* cond, const wxChar* msg) {
    const auto text = [](const wxChar* s) {
        return s != nullptr ? wxString(s).utf8_string() : std::string();
    };
    ADD_FAILURE() << "wx assertion at " << text(file) << ":" << line << " in " << text(func) << ": "
                  << text(cond) << " " << text(msg);
}

std::unique_ptr<SettingsStore> GuiTestApp::CreateSettings() {
    return std::make_unique<ConfigStore>(settingsFile);
}

GuiTestApp& App() { return static_cast<GuiTestApp&>(*wxTheApp); }

void Pump() {
    for (int i = 0; i < 5; ++i) {
        wxEventLoopBase* loop = wxEventLoopBase::GetActive();
        if (loop == nullptr) return;
        loop->YieldFor(wxEVT_CATEGORY_ALL);
        wxTheApp->ProcessIdle();
    }
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return condition();
        Pump();
        wxMilliSleep(5);
    }
    return true;
}

std::filesystem::path Example(std::string_view name) {
    return std::filesystem::path(ORVANEL_SOURCE_DIR) / "examples" / name;
}

std::filesystem::path Fixture(std::string_view name) {
    return std::filesystem::path(ORVANEL_SOURCE_DIR) / "tests" / "fixtures" / name;
}

wxImage Screenshot() {
    Pump();
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("orvanel-shot-" + std::to_string(wxGetProcessId()) + ".png");
    const wxString display = wxGetenv("DISPLAY");
    const long status = wxExecute(
        "import -display " + display + " -window root " + wxString::FromUTF8(file.string()),
        wxEXEC_SYNC | wxEXEC_NOEVENTS);
    wxImage image;
    if (status == 0) image.LoadFile(wxString::FromUTF8(file.string()), wxBITMAP_TYPE_PNG);
    std::filesystem::remove(file);
    return image;
}

wxColour PixelAt(const wxImage& image, const wxPoint& p) {
    if (!image.IsOk() || p.x < 0 || p.y < 0 || p.x >= image.GetWidth() ||
        p.y >= image.GetHeight()) {
        return wxNullColour;
    }
    return wxColour(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y));
}

int CountNear(const wxImage& image, const wxPoint& p, int radius, const wxColour& colour,
              int tolerance) {
    int count = 0;
    for (int y = p.y - radius; y <= p.y + radius; ++y) {
        for (int x = p.x - radius; x <= p.x + radius; ++x) {
            const wxColour c = PixelAt(image, {x, y});
            if (!c.IsOk()) continue;
            if (std::abs(c.Red() - colour.Red()) <= tolerance &&
                std::abs(c.Green() - colour.Green()) <= tolerance &&
                std::abs(c.Blue() - colour.Blue()) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

CMainFrame& GuiTest::Start(const std::filesystem::path& profile) {
    EXPECT_TRUE(App().StartSession(profile));
    frame = App().Frame();
    EXPECT_NE(frame, nullptr);
    WaitSettled();
    return *frame;
}

void GuiTest::WaitSettled() {
    EXPECT_TRUE(WaitFor([this] {
        return frame->IsShownOnScreen() && frame->PreviewView()->IsPictureCurrent() &&
               frame->EditorView()->IsPictureCurrent();
    }));
    Pump();
}

void GuiTest::Stop() {
    if (App().Frame() != nullptr) {
        App().Frame()->Close(true);
        WaitFor([] { return App().Frame() == nullptr; });
    }
    frame = nullptr;
    App().EndSession();
}

void GuiTest::TearDown() {
    Stop();
    App().prompter.Clear();
    App().savePrompts = ScriptedSavePrompts{};
    std::filesystem::remove(App().settingsFile);
}

void GuiTest::Choose(Command command) {
    wxCommandEvent event(wxEVT_MENU, WxIdOf(command));
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
    Pump();
}

void GuiTest::UpdateUi() {
    Pump();
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    for (wxAuiToolBar* bar : {frame->EditBar(), frame->PreviewBar()}) {
        bar->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
    }
    wxMenuBar* menus = frame->GetMenuBar();
    for (std::size_t i = 0; i < menus->GetMenuCount(); ++i) menus->GetMenu(i)->UpdateUI(frame);
}

bool GuiTest::MenuEnabled(int id) {
    wxMenuItem* item = frame->GetMenuBar()->FindItem(id);
    EXPECT_NE(item, nullptr) << id;
    return item != nullptr && item->IsEnabled();
}

bool GuiTest::MenuChecked(int id) {
    wxMenuItem* item = frame->GetMenuBar()->FindItem(id);
    EXPECT_NE(item, nullptr) << id;
    return item != nullptr && item->IsChecked();
}

void GuiTest::ChooseFromMenus(std::string_view letters) {
    int opened = 0;
    const auto count = [&opened](wxMenuEvent& e) {
        ++opened;
        e.Skip();
    };
    frame->Bind(wxEVT_MENU_OPEN, count);
    wxUIActionSimulator sim;
    // Keys go to the window under the pointer: there is no window manager.
    sim.MouseMove(frame->GetStatusBar()->GetScreenRect().GetPosition() + wxPoint(20, 8));
    Pump();
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (i == 0) {
            sim.Char(letters[0], wxMOD_ALT);
        } else {
            sim.Char(letters[i]);
        }
        if (i + 1 < letters.size()) {
            const int menus = static_cast<int>(i) + 1;
            EXPECT_TRUE(WaitFor([&opened, menus] { return opened >= menus; }))
                << "no menu opened after " << letters.substr(0, i + 1);
        }
    }
    frame->Unbind(wxEVT_MENU_OPEN, count);
}

GuiTest::ShownItem GuiTest::ChooseFromMenu(char menuKey, char itemKey, int id) {
    wxMenuItem* item = frame->GetMenuBar()->FindItem(id);
    EXPECT_NE(item, nullptr) << id;
    if (item == nullptr) return {};
    bool open = false;
    const auto opened = [&open](wxMenuEvent& e) {
        e.Skip();
        if (!e.IsPopup()) open = true;
    };
    const auto closed = [&open](wxMenuEvent& e) {
        e.Skip();
        if (!e.IsPopup()) open = false;
    };
    frame->Bind(wxEVT_MENU_OPEN, opened);
    frame->Bind(wxEVT_MENU_CLOSE, closed);
    // The keys go to the window under the pointer (there is no window
    // manager): the status bar, away from where the menu drops down.
    wxUIActionSimulator sim;
    sim.MouseMove(frame->GetStatusBar()->GetScreenRect().GetPosition() + wxPoint(5, 5));
    Pump();
    sim.Char(menuKey, wxMOD_ALT);
    EXPECT_TRUE(WaitFor([&open] { return open; })) << "menu " << menuKey;
    Pump();
    const ShownItem shown{item->IsEnabled(), item->IsCheckable() && item->IsChecked()};
    sim.Char(itemKey);
    // A disabled item leaves the menu open.
    if (!shown.enabled) sim.Char(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([&open] { return !open; })) << "menu " << menuKey;
    Pump();
    frame->Unbind(wxEVT_MENU_OPEN, opened);
    frame->Unbind(wxEVT_MENU_CLOSE, closed);
    return shown;
}

}  // namespace orvanel::gui

wxIMPLEMENT_APP_NO_MAIN(orvanel::gui::GuiTestApp);

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    return wxEntry(argc, argv);
}
