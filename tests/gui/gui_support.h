// The GUI tests' application: the real main window and views, with settings
// in a temporary file, recorded message boxes and scripted save questions,
// run inside the real event loop.
#pragma once

#include <gtest/gtest.h>
#include <wx/image.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/main_frame.h"
#include "document/prompter.h"
#include "tests/support/test_doubles.h"

namespace orvanel::gui {

class ScriptedSavePrompts final : public SavePrompts {
public:
    SaveAnswer AskSaveChanges(std::string_view title) override {
        questions.push_back(SaveChangesQuestion(title));
        return answer;
    }
    std::optional<std::filesystem::path> AskSavePath(std::string_view) override { return savePath; }
    SaveAnswer answer = SaveAnswer::No;
    std::optional<std::filesystem::path> savePath;
    std::vector<std::string> questions;
};

class GuiTestApp final : public CTavrinEditorApp {
public:
    bool OnInit() override;
    int OnRun() override;
    // A failed wx assertion fails the test, rather than waiting for someone
    // to close wx's dialog.
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override;

    std::filesystem::path settingsFile;
    RecordingPrompter prompter;
    ScriptedSavePrompts savePrompts;
    int result = 1;

protected:
    std::unique_ptr<SettingsStore> CreateSettings() override;
    Prompter& UserPrompter() override { return prompter; }
    SavePrompts& UserSavePrompts() override { return savePrompts; }
};

GuiTestApp& App();

// Handles events until the condition holds or the time is up; returns the
// condition's last answer. The bound is generous: a loaded machine and the
// sanitizer build are slow, and a wait that is met returns at once.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000);
// Handles the events that are waiting now.
void Pump();

std::filesystem::path Example(std::string_view name);
std::filesystem::path Fixture(std::string_view name);

// The screen as it is now, and one pixel of it.
wxImage Screenshot();
wxColour PixelAt(const wxImage& image, const wxPoint& p);
// How many pixels in the square of the given radius around p are near the colour.
int CountNear(const wxImage& image, const wxPoint& p, int radius, const wxColour& colour,
              int tolerance = 40);

// Starts a session of the real program with the profile (none: a new
// document), waits until both views have painted; ends it after the test.
class GuiTest : public ::testing::Test {
protected:
    void TearDown() override;
    CMainFrame& Start(const std::filesystem::path& profile = {});
    // Waits until both views show their current picture at their current size.
    void WaitSettled();
    // Closes the main window as the user would and ends the session.
    void Stop();
    // The frame's enable and check states as menus and toolbars show them now.
    void UpdateUi();
    bool MenuEnabled(int id);
    bool MenuChecked(int id);
    // Runs a menu command from the keyboard as a user does: Alt with the
    // menu's letter, then the letters of the submenus and of the item, each
    // once its menu is open. The command runs as the events are handled.
    void ChooseFromMenus(std::string_view letters);

    // How an item looked in its open menu.
    struct ShownItem {
        bool enabled = false;
        bool checked = false;
    };
    // Chooses a menu item with the keyboard as a user does: Alt and the
    // menu's letter, then the item's letter. Returns how the open menu showed
    // the item (id); the menu is closed again on return, also when the item
    // was disabled and the letter did nothing.
    ShownItem ChooseFromMenu(char menuKey, char itemKey, int id);

    // Sends a command as its menu item does, and handles what follows.
    void Choose(Command command);
    CMainFrame* frame = nullptr;
};

}  // namespace orvanel::gui
