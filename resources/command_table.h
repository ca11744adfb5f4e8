// The command table: one row per command with its texts, keys and the places
// it shows in (the menu bar, a toolbar, a context menu, the keyboard
// reference). The menus, the toolbars, the accelerator table and the keyboard
// reference are all made from it; the enable and check rules are
// CommandRule's (document/commands.h).
//
// The rows stand in the order of the menu bar, as its menus show them:
// a Menu row opens a menu, Item rows follow it, a SubMenu row opens a submenu
// of that menu and the SubItem rows after it are its items. An Item or
// SubItem row without a command is a separator. Rows on no menu (level None)
// may stand anywhere; toolbars, context menus and the keyboard reference
// order their rows by group and position, with a separator between groups.
//
// A new command is a name in resources/ids.h and one row here; its handler
// goes where the others of its kind are, its rule, if it has one, into
// CommandRule.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "resources/ids.h"

namespace orvanel {

enum class CommandKind { Plain, Check, Radio };

enum class MenuLevel { None, Menu, Item, SubMenu, SubItem };

// A key of the accelerator table: an upper-case letter or one of the keys
// below, with its modifiers.
enum KeyModifier : unsigned { kModNone = 0, kModCtrl = 1, kModShift = 2, kModAlt = 4 };
enum SpecialKey : int { kKeyBack = 0x100, kKeyDelete, kKeyInsert, kKeyF6 };

struct Accelerator {
    unsigned modifiers = kModNone;
    int key = 0;  // 0: none
    constexpr bool IsSet() const { return key != 0; }
    friend bool operator==(const Accelerator&, const Accelerator&) = default;
};

constexpr Accelerator Key(int key) { return {kModNone, key}; }
constexpr Accelerator Ctrl(int key) { return {kModCtrl, key}; }
constexpr Accelerator Shift(int key) { return {kModShift, key}; }
constexpr Accelerator Alt(int key) { return {kModAlt, key}; }

enum class Toolbar { None, Edit, Preview };

struct ToolSlot {
    Toolbar bar = Toolbar::None;
    int group = 0;
    int position = 0;
    std::string_view icon{};  // resources/toolbar/<icon>.svg
};

// The context menus: the point items stand above the editor's own items
// while the mouse is over a point.
enum class Popup { None, Point, Editor, Photo };

struct PopupSlot {
    Popup menu = Popup::None;
    int group = 0;
    int position = 0;
    std::string_view label{};  // empty: the row's menu text
};

struct KeyHelpSlot {
    int position = 0;  // 0: not in the keyboard reference
    std::string_view function{};
    std::string_view keys{};  // empty: the row's keys, as "^P or P"
};

struct CommandRow {
    MenuLevel level = MenuLevel::None;
    Command command = Command::None;
    std::string_view label{};   // without the key; a menu's or submenu's title
    std::string_view prompt{};  // the status-bar text, then after a newline the tooltip
    CommandKind kind = CommandKind::Plain;
    std::array<Accelerator, 2> keys{};  // the first one shows in the menu
    ToolSlot tool{};
    PopupSlot popup{};
    KeyHelpSlot help{};
};

std::span<const CommandRow> CommandTable();
// The row of a command; null for Command::None.
const CommandRow* FindCommandRow(Command command);
std::optional<Command> CommandFromNumber(int number);

// "Ctrl+Z", "Shift+Del", "F6".
std::string KeyText(Accelerator key);
// The label with the first key after a tab, as menus show it.
std::string MenuText(const CommandRow& row);

struct PromptParts {
    std::string_view status;
    std::string_view tooltip;
};
PromptParts SplitPrompt(std::string_view prompt);

// The buttons of a toolbar, left to right; a null row is a separator.
std::vector<const CommandRow*> ToolbarRows(Toolbar bar);

// A plain item, or a check item with its mark. An item whose mark can show
// must be a check item: a plain one cannot be checked.
enum class MenuCheck { None, Unchecked, Checked };

// An item of a context menu.
struct MenuItem {
    std::optional<Command> command;  // none: a separator
    std::string text;
    MenuCheck check = MenuCheck::None;
    friend bool operator==(const MenuItem&, const MenuItem&) = default;
};
std::vector<MenuItem> PopupItems(Popup menu);

// Every key of the accelerator table with its command, in table order.
std::vector<std::pair<Accelerator, Command>> AcceleratorTable();

// The keyboard reference's lines: keys, function.
std::vector<std::pair<std::string, std::string_view>> KeyboardReference();

}  // namespace orvanel
