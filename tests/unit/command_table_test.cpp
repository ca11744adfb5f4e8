// The command table: the menu bar, the toolbars, the keys, the context menus
// and the keyboard reference it makes.
#include "resources/command_table.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace orvanel::test {
namespace {

// One line per menu-bar entry: "menu | number | text", "menu | -" for a
// separator, "menu > submenu" for a submenu's title and "menu > submenu |
// number | text" for its items; a check item's text ends in " [check]".
std::vector<std::string> MenuBarLines() {
    std::vector<std::string> lines;
    std::string menu, submenu;
    for (const CommandRow& row : CommandTable()) {
        switch (row.level) {
            case MenuLevel::Menu:
                menu = row.label;
                submenu.clear();
                break;
            case MenuLevel::SubMenu:
                submenu = std::string(row.label);
                lines.push_back(menu + " > " + submenu);
                break;
            case MenuLevel::Item:
            case MenuLevel::SubItem: {
                const std::string where =
                    row.level == MenuLevel::Item ? menu : menu + " > " + submenu;
                if (row.command == Command::None) {
                    lines.push_back(where + " | -");
                    break;
                }
                std::string line = where + " | " + std::to_string(CommandNumber(row.command)) +
                                   " | " + MenuText(row);
                if (row.kind == CommandKind::Check) line += " [check]";
                lines.push_back(line);
                break;
            }
            case MenuLevel::None:
                break;
        }
    }
    return lines;
}

TEST(CommandTableTest, TheMenuBarInItsOrder) {
    const std::vector<std::string> expected{
        "&File | 57600 | &New\tCtrl+N",
        "&File | 57601 | &Open...\tCtrl+O",
        "&File | 57603 | &Save\tCtrl+S",
        "&File | 57604 | Save &As...",
        "&File > &Export",
        "&File > &Export | 32781 | &POV ...",
        "&File > &Export | 32782 | &VRML ...",
        "&File > &Export | 32797 | &STL ...",
        "&File > &Export | 32820 | SV&G ...",
        "&File > &Export | 32821 | &DXF ...",
        "&File | -",
        "&File | 32800 | &Print...",
        "&File | 32801 | Print Pre&view...",
        "&File | 32822 | Print Te&mplate...",
        "&File | 57606 | P&rint Setup...",
        "&File | -",
        "&File | 57616 | Recent File",
        "&File | -",
        "&File | 32794 | &Transfer to Kestavin",
        "&File | -",
        "&File | 57665 | E&xit",
        "&Edit | 57643 | &Undo\tCtrl+Z",
        "&Edit | 57644 | &Redo\tCtrl+Y",
        "&Edit | -",
        "&Edit | 57635 | Cu&t\tCtrl+X",
        "&Edit | 57634 | &Copy\tCtrl+C",
        "&Edit | 57637 | &Paste\tCtrl+V",
        "&Edit | -",
        "&Edit | 57642 | Select All\tCtrl+A",
        "&Edit | 32780 | Deselect\tCtrl+D",
        "&View | 59392 | Edit &Toolbar [check]",
        "&View | 101 | &Preview Toolbar [check]",
        "&View | 59393 | &Status Bar [check]",
        "&View | 57653 | S&plit",
        "&View | -",
        "&View | 32787 | Se&ttings...",
        "&Tools | 32784 | &Pencil\tP [check]",
        "&Tools | 32786 | &Insert\tI [check]",
        "&Tools | 32785 | &Move\tM [check]",
        "&Tools | 32803 | &Drag photo\tD [check]",
        "&Tools | -",
        "&Tools | 32771 | Open/Close wall profile",
        "&Tools | 32788 | Anchor Point",
        "&Tools | -",
        "&Tools | 32807 | Show Phi &Golden Ratio [check]",
        "&Tools > Background &Photo",
        "&Tools > Background &Photo | 32802 | &Add/Replace...",
        "&Tools > Background &Photo | 32805 | &Remove",
        "&Tools > Background &Photo | 32804 | &Properties...",
        "&Tools > Background &Photo | -",
        "&Tools > Background &Photo | 32806 | &Hide [check]",
        "&Tools | 32824 | &Calibrate Photo...",
        "&Tools | -",
        "&Tools | 32783 | G&rid and Snap [check]",
        "&Tools | 32773 | Force Re&draw",
        "&Tools | -",
        "&Tools | 32825 | Dim&ensions...",
        "&Help | 32791 | Orvanel Help",
        "&Help | -",
        "&Help | 136 | &Keyboard Help...",
        "&Help | 57664 | &About Orvanel...",
    };
    EXPECT_EQ(MenuBarLines(), expected);
}

// The letter after the "&" of a label, lower case; 0 for none.
char Mnemonic(std::string_view label) {
    const std::size_t amp = label.find('&');
    if (amp == std::string_view::npos || amp + 1 >= label.size()) return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(label[amp + 1])));
}

// "menu: letter" for each letter that two labels of one menu share.
std::vector<std::string> SharedLetters(
    const std::vector<std::pair<std::string, std::vector<std::string_view>>>& menus) {
    std::vector<std::string> shared;
    for (const auto& [menu, labels] : menus) {
        std::set<char> seen, twice;
        for (const std::string_view label : labels) {
            const char letter = Mnemonic(label);
            if (letter != 0 && !seen.insert(letter).second) twice.insert(letter);
        }
        for (const char letter : twice) shared.push_back(menu + ": " + letter);
    }
    return shared;
}

TEST(CommandTableTest, MenuLettersAreDistinctButForThoseTheMenusHaveAlwaysShared) {
    std::vector<std::pair<std::string, std::vector<std::string_view>>> menus;
    std::size_t menu = 0, submenu = 0;  // where Item and SubItem rows go
    for (const CommandRow& row : CommandTable()) {
        switch (row.level) {
            case MenuLevel::Menu:
                menu = menus.size();
                menus.push_back({std::string(row.label), {}});
                break;
            case MenuLevel::SubMenu:
                menus[menu].second.push_back(row.label);
                submenu = menus.size();
                menus.push_back({menus[menu].first + " > " + std::string(row.label), {}});
                break;
            case MenuLevel::Item:
                menus[menu].second.push_back(row.label);
                break;
            case MenuLevel::SubItem:
                menus[submenu].second.push_back(row.label);
                break;
            case MenuLevel::None:
                break;
        }
    }
    // Over a point the point's items stand above the editor's or the photo's.
    for (const Popup below : {Popup::Editor, Popup::Photo}) {
        std::vector<std::string_view> labels;
        for (const Popup popup : {Popup::Point, below}) {
            for (const CommandRow& row : CommandTable()) {
                if (row.popup.menu == popup) {
                    labels.push_back(row.popup.label.empty() ? row.label : row.popup.label);
                }
            }
        }
        menus.push_back({below == Popup::Editor ? "point and editor" : "point and photo", labels});
    }
    EXPECT_EQ(SharedLetters(menus),
              (std::vector<std::string>{"&View: p", "&View: t", "&Tools: d", "&Tools: p"}));
}

TEST(CommandTableTest, ThePrompts) {
    const struct {
        Command command;
        std::string_view status;
        std::string_view tooltip;
    } cases[] = {
        {Command::FileSave, "Save the active document", "Save"},
        {Command::FileSaveAs, "Save the active document with a new name", "Save As"},
        {Command::PrintSetup, "Change the printer and printing options", "Print Setup"},
        {Command::RecentFile, "Open this document", ""},
        {Command::Exit, "Quit the application; prompts to save documents", "Exit"},
        {Command::ViewEditToolbar, "Show or hide the edit toolbar", "Toggle EditBar"},
        {Command::ViewPreviewToolbar, "Show or hide the preview bar", "Toggle PreviewBar"},
        {Command::ViewStatusBar, "Show or hide the status bar", "Toggle StatusBar"},
        {Command::Split, "Split the active window into panes", "Split"},
        {Command::ForceRedraw, "Forces window redraw.", ""},
        {Command::About, "Display program information, version number and copyright", "About"},
        {Command::Print, "Print the active document.", "Print"},
        {Command::PrintPreview, "Preview the active document.", "Print Preview"},
        {Command::KeyboardHelp, "Shows the functions accessible via the keyboard.", ""},
        {Command::HelpContents, "", ""},
        {Command::Undo, "Undo the last action", "Undo"},
        {Command::Redo, "Redo the previously undone action", "Redo"},
        {Command::Copy, "Copy the selection and put it on the Clipboard", "Copy"},
        {Command::SelectAll, "Select the entire document", "Select All"},
        {Command::Deselect, "Deselect all points", ""},
        {Command::OpenCloseProfile, "Opens/close wall profile.", "Open/Close wall profile"},
        {Command::ToolPencil, "Switch to pencil mode", "Pencil"},
        {Command::ToolInsert, "Switch to insertion mode", "Insert"},
        {Command::ToolMove, "Switch to move mode", "Move"},
        // The tooltip ends at the second newline.
        {Command::ToolDragPhoto,
         "Selects the dragging tool.  To drag, hold down the left mouse button.", "Drag"},
        {Command::ToggleGrid, "Turn the Grid and the Snap on and off", "Toggle Grid"},
        {Command::ToggleSmoothing, "Toggle smoothing.", "Toggle smoothing"},
        {Command::FlipNormals, "Flip the polygon normals", "Flip Normals"},
        {Command::ViewGridPlane, "View grid plane.", "View grid plane"},
        {Command::Settings, "Modify the program settings.", ""},
        {Command::Transfer, "Transfer to KST program.", "Transfer to KST program"},
        {Command::ExportPov, "Export in POV-Ray format.", ""},
        {Command::ExportVrml, "Export in VRML 2.0 format.", ""},
        {Command::ExportStl, "Export a solid for 3D printing in STL format.", "Export STL"},
        {Command::PhotoAdd, "Add a photo to the background", "Add Photo Background"},
        {Command::PhotoProperties, "Adjust properties of background photo.", "Photo properties."},
        {Command::PhotoRemove, "Remove background photo.", "Remove background photo."},
        {Command::PhotoHide, "Hides the background photo.", "Hide"},
        {Command::GoldenRatio, "Show/Hide golden ratio (Phi)", "Show/Hide golden ratio (Phi)"},
    };
    for (const auto& c : cases) {
        const CommandRow* row = FindCommandRow(c.command);
        ASSERT_NE(row, nullptr) << CommandNumber(c.command);
        const PromptParts prompt = SplitPrompt(row->prompt);
        EXPECT_EQ(prompt.status, c.status) << CommandNumber(c.command);
        EXPECT_EQ(prompt.tooltip, c.tooltip) << CommandNumber(c.command);
    }
}

TEST(CommandTableTest, TheAcceleratorTable) {
    std::vector<std::string> keys;
    for (const auto& [key, command] : AcceleratorTable()) {
        keys.push_back(KeyText(key) + " " + std::to_string(CommandNumber(command)));
    }
    // Ctrl+P is the pencil's: printing has no key.
    const std::vector<std::string> expected{
        "Ctrl+N 57600", "Ctrl+O 57601",    "Ctrl+S 57603",    "Ctrl+Z 57643", "Alt+Backspace 57643",
        "Ctrl+Y 57644", "Ctrl+X 57635",    "Shift+Del 57635", "Ctrl+C 57634", "Ctrl+Ins 57634",
        "Ctrl+V 57637", "Shift+Ins 57637", "Ctrl+A 57642",    "Ctrl+D 32780", "P 32784",
        "Ctrl+P 32784", "I 32786",         "Ctrl+I 32786",    "M 32785",      "Ctrl+M 32785",
        "D 32803",      "F6 57680",        "Shift+F6 57681",
    };
    EXPECT_EQ(keys, expected);
}

// "tooltip" for a button, "|" for a separator.
std::vector<std::string> ToolbarLine(Toolbar bar) {
    std::vector<std::string> buttons;
    for (const CommandRow* row : ToolbarRows(bar)) {
        if (row == nullptr) {
            buttons.push_back("|");
            continue;
        }
        buttons.emplace_back(SplitPrompt(row->prompt).tooltip);
        EXPECT_FALSE(row->tool.icon.empty()) << CommandNumber(row->command);
    }
    return buttons;
}

TEST(CommandTableTest, TheToolbarsLeftToRight) {
    EXPECT_EQ(
        ToolbarLine(Toolbar::Edit),
        (std::vector<std::string>{"New", "Open", "|", "Print", "Print Preview", "|", "Undo", "Redo",
                                  "|", "Drag", "Pencil", "Insert", "Move",
                                  "Open/Close wall profile", "|", "Transfer to KST program"}));
    EXPECT_EQ(ToolbarLine(Toolbar::Preview),
              (std::vector<std::string>{"Flip Normals", "View grid plane",
                                        "Show/Hide golden ratio (Phi)", "Toggle smoothing"}));
}

TEST(CommandTableTest, TheContextMenus) {
    const auto texts = [](Popup menu) {
        std::vector<std::string> items;
        for (const MenuItem& item : PopupItems(menu))
            items.push_back(item.command ? item.text : "-");
        return items;
    };
    EXPECT_EQ(texts(Popup::Point), (std::vector<std::string>{"Anchor Point", "Delete node", "-",
                                                             "Po&int Properties..."}));
    EXPECT_EQ(texts(Popup::Editor),
              (std::vector<std::string>{"Close Spline", "-", "&Copy", "-", "Select All\tA",
                                        "Select None\tN", "-", "&New\tCtrl+N", "&Open...\tCtrl+O",
                                        "&Save\tCtrl+S"}));
    EXPECT_EQ(texts(Popup::Photo),
              (std::vector<std::string>{"Photo &Properties...", "Repl&ace Photo...",
                                        "&Remove Background Photo", "&Hide Photo"}));
}

TEST(CommandTableTest, TheKeyboardReference) {
    const std::vector<std::pair<std::string, std::string_view>> expected{
        {"DELETE", "Delete selected point(s)"},
        {"TAB", "Selects the next node circularly."},
        {"^P or P", "Change to pencil tool."},
        {"^I or I", "Change to insert pencil tool."},
        {"^M or M", "Change to move tool."},
        {"^A", "Select all points."},
        {"^D", "Deselect all points."},
        {"Left mouse/drag", "Rotates image in 3D window."},
        {"Right mouse/drag", "Zooms image in 3D window."},
    };
    EXPECT_EQ(KeyboardReference(), expected);
}

TEST(CommandTableTest, EachCommandHasItsOwnToolkitId) {
    std::set<int> seen;
    for (const CommandRow& row : CommandTable()) {
        if (row.command == Command::None) continue;
        EXPECT_EQ(CommandFromNumber(CommandNumber(row.command)), row.command);
        const int ui = id::Ui(CommandNumber(row.command));
        EXPECT_GT(ui, 0) << CommandNumber(row.command);
        EXPECT_LT(ui, 0x8000) << CommandNumber(row.command);
        // wxWidgets' own standard ids lie from 4999 to 5999.
        EXPECT_FALSE(ui >= 4999 && ui <= 5999) << CommandNumber(row.command);
        EXPECT_TRUE(seen.insert(ui).second) << CommandNumber(row.command);
    }
    EXPECT_EQ(id::Ui(CommandNumber(Command::ViewPreviewToolbar)), 101);
    EXPECT_EQ(CommandFromNumber(32787), Command::Settings);
    EXPECT_EQ(CommandFromNumber(32770), std::nullopt);
}

}  // namespace
}  // namespace orvanel::test
