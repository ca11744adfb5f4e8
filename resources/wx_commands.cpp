#include "resources/wx_commands.h"

#include <wx/aui/auibar.h>

#include <algorithm>
#include <iterator>

#include "resources/art.h"

namespace orvanel {

namespace {

struct StockId {
    Command command;
    int wxId;
};

constexpr StockId kStockIds[] = {
    {Command::FileNew, wxID_NEW},
    {Command::FileOpen, wxID_OPEN},
    {Command::FileSave, wxID_SAVE},
    {Command::FileSaveAs, wxID_SAVEAS},
    {Command::PrintSetup, wxID_PRINT_SETUP},
    {Command::RecentFile, wxID_FILE1},
    {Command::Exit, wxID_EXIT},
    {Command::Undo, wxID_UNDO},
    {Command::Redo, wxID_REDO},
    {Command::Cut, wxID_CUT},
    {Command::Copy, wxID_COPY},
    {Command::Paste, wxID_PASTE},
    {Command::SelectAll, wxID_SELECTALL},
    {Command::About, wxID_ABOUT},
};

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

wxItemKind WxKind(CommandKind kind) {
    switch (kind) {
        case CommandKind::Check:
            return wxITEM_CHECK;
        case CommandKind::Radio:
            return wxITEM_RADIO;
        case CommandKind::Plain:
            break;
    }
    return wxITEM_NORMAL;
}

int WxKeyCode(int key) {
    switch (key) {
        case kKeyBack:
            return WXK_BACK;
        case kKeyDelete:
            return WXK_DELETE;
        case kKeyInsert:
            return WXK_INSERT;
        case kKeyF6:
            return WXK_F6;
        default:
            return key;
    }
}

int WxModifiers(unsigned modifiers) {
    int flags = wxACCEL_NORMAL;
    if (modifiers & kModCtrl) flags |= wxACCEL_CTRL;
    if (modifiers & kModShift) flags |= wxACCEL_SHIFT;
    if (modifiers & kModAlt) flags |= wxACCEL_ALT;
    return flags;
}

void AppendRow(wxMenu& menu, const CommandRow& row) {
    if (row.command == Command::None) {
        menu.AppendSeparator();
        return;
    }
    menu.Append(WxIdOf(row.command), Wx(MenuText(row)), Wx(SplitPrompt(row.prompt).status),
                WxKind(row.kind));
}

}  // namespace

int WxIdOf(Command command) {
    const auto it = std::ranges::find(kStockIds, command, &StockId::command);
    return it != std::end(kStockIds) ? it->wxId : id::Ui(CommandNumber(command));
}

std::optional<Command> CommandOfWxId(int wxId) {
    for (const CommandRow& row : CommandTable()) {
        if (row.command != Command::None && WxIdOf(row.command) == wxId) return row.command;
    }
    return std::nullopt;
}

wxMenuBar* MakeMenuBar() {
    auto* bar = new wxMenuBar;
    wxMenu* menu = nullptr;
    wxMenu* submenu = nullptr;
    for (const CommandRow& row : CommandTable()) {
        switch (row.level) {
            case MenuLevel::Menu:
                menu = new wxMenu;
                bar->Append(menu, Wx(row.label));
                break;
            case MenuLevel::Item:
                AppendRow(*menu, row);
                break;
            case MenuLevel::SubMenu:
                submenu = new wxMenu;
                menu->AppendSubMenu(submenu, Wx(row.label));
                break;
            case MenuLevel::SubItem:
                AppendRow(*submenu, row);
                break;
            case MenuLevel::None:
                break;
        }
    }
    return bar;
}

void AddToolbarButtons(wxAuiToolBar& bar, Toolbar which) {
    for (const CommandRow* row : ToolbarRows(which)) {
        if (row == nullptr) {
            bar.AddSeparator();
            continue;
        }
        const PromptParts prompt = SplitPrompt(row->prompt);
        const int id = WxIdOf(row->command);
        bar.AddTool(id, Wx(prompt.tooltip), ToolbarBitmap(row->tool.icon), Wx(prompt.tooltip),
                    WxKind(row->kind));
        bar.SetToolLongHelp(id, Wx(prompt.status));
    }
    bar.Realize();
}

wxAcceleratorTable MakeAcceleratorTable() {
    std::vector<wxAcceleratorEntry> entries;
    for (const auto& [key, command] : AcceleratorTable()) {
        entries.emplace_back(WxModifiers(key.modifiers), WxKeyCode(key.key), WxIdOf(command));
    }
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}

void AppendMenuItems(wxMenu& menu, std::span<const MenuItem> items) {
    for (const MenuItem& item : items) {
        if (!item.command) {
            menu.AppendSeparator();
        } else if (item.check == MenuCheck::None) {
            menu.Append(WxIdOf(*item.command), Wx(item.text));
        } else {
            menu.AppendCheckItem(WxIdOf(*item.command), Wx(item.text))
                ->Check(item.check == MenuCheck::Checked);
        }
    }
}

}  // namespace orvanel
