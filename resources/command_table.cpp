#include "resources/command_table.h"

#include <algorithm>

namespace orvanel {

namespace {

using enum MenuLevel;
using enum CommandKind;
using C = Command;

constexpr CommandRow MenuRow(std::string_view title) { return {.level = Menu, .label = title}; }
constexpr CommandRow SubMenuRow(std::string_view title) {
    return {.level = SubMenu, .label = title};
}
constexpr CommandRow kSeparator{.level = Item};
constexpr CommandRow kSubSeparator{.level = SubItem};

constexpr CommandRow kRows[] = {
    MenuRow("&File"),
    {.level = Item,
     .command = C::FileNew,
     .label = "&New",
     .prompt = "Create a new document\nNew",
     .keys = {Ctrl('N')},
     .tool = {Toolbar::Edit, 1, 1, "new"},
     .popup = {Popup::Editor, 4, 1}},
    {.level = Item,
     .command = C::FileOpen,
     .label = "&Open...",
     .prompt = "Open an existing document\nOpen",
     .keys = {Ctrl('O')},
     .tool = {Toolbar::Edit, 1, 2, "open"},
     .popup = {Popup::Editor, 4, 2}},
    {.level = Item,
     .command = C::FileSave,
     .label = "&Save",
     .prompt = "Save the active document\nSave",
     .keys = {Ctrl('S')},
     .popup = {Popup::Editor, 4, 3}},
    {.level = Item,
     .command = C::FileSaveAs,
     .label = "Save &As...",
     .prompt = "Save the active document with a new name\nSave As"},
    SubMenuRow("&Export"),
    {.level = SubItem,
     .command = C::ExportPov,
     .label = "&POV ...",
     .prompt = "Export in POV-Ray format."},
    {.level = SubItem,
     .command = C::ExportVrml,
     .label = "&VRML ...",
     .prompt = "Export in VRML 2.0 format."},
    {.level = SubItem,
     .command = C::ExportStl,
     .label = "&STL ...",
     .prompt = "Export a solid for 3D printing in STL format.\nExport STL"},
    {.level = SubItem,
     .command = C::ExportSvg,
     .label = "SV&G ...",
     .prompt = "Export the curve as an SVG drawing in millimetres, for a laser cutter."},
    {.level = SubItem,
     .command = C::ExportDxf,
     .label = "&DXF ...",
     .prompt = "Export the curve as a DXF drawing in millimetres, for a CNC router or CAD."},
    kSeparator,
    {.level = Item,
     .command = C::Print,
     .label = "&Print...",
     .prompt = "Print the active document.\nPrint",
     .tool = {Toolbar::Edit, 2, 1, "print"}},
    {.level = Item,
     .command = C::PrintPreview,
     .label = "Print Pre&view...",
     .prompt = "Preview the active document.\nPrint Preview",
     .tool = {Toolbar::Edit, 2, 2, "print_preview"}},
    // Template's T is Transfer's in this menu.
    {.level = Item,
     .command = C::PrintTemplate,
     .label = "Print Te&mplate...",
     .prompt = "Print the half profile at true size, over as many pages as it needs."},
    {.level = Item,
     .command = C::PrintSetup,
     .label = "P&rint Setup...",
     .prompt = "Change the printer and printing options\nPrint Setup"},
    kSeparator,
    // The recent files take this item's place once there are any.
    {.level = Item,
     .command = C::RecentFile,
     .label = "Recent File",
     .prompt = "Open this document"},
    kSeparator,
    {.level = Item,
     .command = C::Transfer,
     .label = "&Transfer to Kestavin",
     .prompt = "Transfer to KST program.\nTransfer to KST program",
     .tool = {Toolbar::Edit, 5, 1, "transfer"}},
    kSeparator,
    {.level = Item,
     .command = C::Exit,
     .label = "E&xit",
     .prompt = "Quit the application; prompts to save documents\nExit"},

    MenuRow("&Edit"),
    {.level = Item,
     .command = C::Undo,
     .label = "&Undo",
     .prompt = "Undo the last action\nUndo",
     .keys = {Ctrl('Z'), Alt(kKeyBack)},
     .tool = {Toolbar::Edit, 3, 1, "undo"}},
    {.level = Item,
     .command = C::Redo,
     .label = "&Redo",
     .prompt = "Redo the previously undone action\nRedo",
     .keys = {Ctrl('Y')},
     .tool = {Toolbar::Edit, 3, 2, "redo"}},
    kSeparator,
    {.level = Item,
     .command = C::Cut,
     .label = "Cu&t",
     .prompt = "Cut the selection and put it on the Clipboard\nCut",
     .keys = {Ctrl('X'), Shift(kKeyDelete)}},
    {.level = Item,
     .command = C::Copy,
     .label = "&Copy",
     .prompt = "Copy the selection and put it on the Clipboard\nCopy",
     .keys = {Ctrl('C'), Ctrl(kKeyInsert)},
     .popup = {Popup::Editor, 2, 1, "&Copy"}},
    {.level = Item,
     .command = C::Paste,
     .label = "&Paste",
     .prompt = "Insert Clipboard contents\nPaste",
     .keys = {Ctrl('V'), Shift(kKeyInsert)}},
    kSeparator,
    {.level = Item,
     .command = C::SelectAll,
     .label = "Select All",
     .prompt = "Select the entire document\nSelect All",
     .keys = {Ctrl('A')},
     .popup = {Popup::Editor, 3, 1, "Select All\tA"},
     .help = {6, "Select all points."}},
    {.level = Item,
     .command = C::Deselect,
     .label = "Deselect",
     .prompt = "Deselect all points",
     .keys = {Ctrl('D')},
     .popup = {Popup::Editor, 3, 2, "Select None\tN"},
     .help = {7, "Deselect all points."}},

    MenuRow("&View"),
    {.level = Item,
     .command = C::ViewEditToolbar,
     .label = "Edit &Toolbar",
     .prompt = "Show or hide the edit toolbar\nToggle EditBar",
     .kind = Check},
    {.level = Item,
     .command = C::ViewPreviewToolbar,
     .label = "&Preview Toolbar",
     .prompt = "Show or hide the preview bar\nToggle PreviewBar",
     .kind = Check},
    {.level = Item,
     .command = C::ViewStatusBar,
     .label = "&Status Bar",
     .prompt = "Show or hide the status bar\nToggle StatusBar",
     .kind = Check},
    {.level = Item,
     .command = C::Split,
     .label = "S&plit",
     .prompt = "Split the active window into panes\nSplit"},
    kSeparator,
    {.level = Item,
     .command = C::Settings,
     .label = "Se&ttings...",
     .prompt = "Modify the program settings."},

    MenuRow("&Tools"),
    {.level = Item,
     .command = C::ToolPencil,
     .label = "&Pencil",
     .prompt = "Switch to pencil mode\nPencil",
     .kind = Check,
     .keys = {Key('P'), Ctrl('P')},  // Ctrl+P is the pencil's: printing has no key
     .tool = {Toolbar::Edit, 4, 2, "pencil"},
     .help = {3, "Change to pencil tool."}},
    {.level = Item,
     .command = C::ToolInsert,
     .label = "&Insert",
     .prompt = "Switch to insertion mode\nInsert",
     .kind = Check,
     .keys = {Key('I'), Ctrl('I')},
     .tool = {Toolbar::Edit, 4, 3, "insert"},
     .help = {4, "Change to insert pencil tool."}},
    {.level = Item,
     .command = C::ToolMove,
     .label = "&Move",
     .prompt = "Switch to move mode\nMove",
     .kind = Check,
     .keys = {Key('M'), Ctrl('M')},
     .tool = {Toolbar::Edit, 4, 4, "move"},
     .help = {5, "Change to move tool."}},
    {.level = Item,
     .command = C::ToolDragPhoto,
     .label = "&Drag photo",
     .prompt = "Selects the dragging tool.  To drag, hold down the left mouse button.\nDrag\n",
     .kind = Check,
     .keys = {Key('D')},
     .tool = {Toolbar::Edit, 4, 1, "drag_photo"}},
    kSeparator,
    {.level = Item,
     .command = C::OpenCloseProfile,
     .label = "Open/Close wall profile",
     .prompt = "Opens/close wall profile.\nOpen/Close wall profile",
     .tool = {Toolbar::Edit, 4, 5, "open_close"},
     .popup = {Popup::Editor, 1, 1, "Close Spline"}},
    {.level = Item, .command = C::AnchorSelected, .label = "Anchor Point"},
    kSeparator,
    {.level = Item,
     .command = C::GoldenRatio,
     .label = "Show Phi &Golden Ratio",
     .prompt = "Show/Hide golden ratio (Phi)\nShow/Hide golden ratio (Phi)",
     .kind = Check,
     .tool = {Toolbar::Preview, 1, 3, "golden_ratio"}},
    SubMenuRow("Background &Photo"),
    {.level = SubItem,
     .command = C::PhotoAdd,
     .label = "&Add/Replace...",
     .prompt = "Add a photo to the background\nAdd Photo Background",
     .popup = {Popup::Photo, 1, 2, "Repl&ace Photo..."}},
    {.level = SubItem,
     .command = C::PhotoRemove,
     .label = "&Remove",
     .prompt = "Remove background photo.\nRemove background photo.",
     .popup = {Popup::Photo, 1, 3, "&Remove Background Photo"}},
    {.level = SubItem,
     .command = C::PhotoProperties,
     .label = "&Properties...",
     .prompt = "Adjust properties of background photo.\nPhoto properties.",
     .popup = {Popup::Photo, 1, 1, "Photo &Properties..."}},
    kSubSeparator,
    {.level = SubItem,
     .command = C::PhotoHide,
     .label = "&Hide",
     .prompt = "Hides the background photo.\nHide",
     .kind = Check,
     .popup = {Popup::Photo, 1, 4, "&Hide Photo"}},
    {.level = Item,
     .command = C::CalibratePhoto,
     .label = "&Calibrate Photo...",
     .prompt = "Scale the photo by two points on it a known distance apart."},
    kSeparator,
    // The grid has no other way in: without this item it could not be turned on.
    // Its key is R: G is the golden ratio's.
    {.level = Item,
     .command = C::ToggleGrid,
     .label = "G&rid and Snap",
     .prompt = "Turn the Grid and the Snap on and off\nToggle Grid",
     .kind = Check},
    {.level = Item,
     .command = C::ForceRedraw,
     .label = "Force Re&draw",
     .prompt = "Forces window redraw."},
    kSeparator,
    // D is the photo tool's in this menu.
    {.level = Item,
     .command = C::Dimensions,
     .label = "Dim&ensions...",
     .prompt = "Set the real size of one editor unit and the unit sizes are shown in."},

    MenuRow("&Help"),
    {.level = Item, .command = C::HelpContents, .label = "Orvanel Help"},
    kSeparator,
    {.level = Item,
     .command = C::KeyboardHelp,
     .label = "&Keyboard Help...",
     .prompt = "Shows the functions accessible via the keyboard."},
    {.level = Item,
     .command = C::About,
     .label = "&About Orvanel...",
     .prompt = "Display program information, version number and copyright\nAbout"},

    // On no menu.
    {.command = C::FlipNormals,
     .prompt = "Flip the polygon normals\nFlip Normals",
     .tool = {Toolbar::Preview, 1, 1, "flip_normals"}},
    {.command = C::ViewGridPlane,
     .prompt = "View grid plane.\nView grid plane",
     .kind = Check,
     .tool = {Toolbar::Preview, 1, 2, "grid_plane"}},
    {.command = C::ToggleSmoothing,
     .prompt = "Toggle smoothing.\nToggle smoothing",
     .kind = Check,
     .tool = {Toolbar::Preview, 1, 4, "smoothing"}},
    {.command = C::AnchorMenuPoint, .kind = Check, .popup = {Popup::Point, 1, 1, "Anchor Point"}},
    {.command = C::DeleteMenuPoint, .popup = {Popup::Point, 1, 2, "Delete node"}},
    // P is Photo Properties' when the photo's items follow.
    {.command = C::MenuPointProperties,
     .prompt = "Type the point's exact position.",
     .popup = {Popup::Point, 2, 1, "Po&int Properties..."}},
    // The next and the previous pane: with two panes, both the other one.
    {.command = C::NextPane, .keys = {Key(kKeyF6)}},
    {.command = C::PreviousPane, .keys = {Shift(kKeyF6)}},

    // Keys the views handle themselves, for the keyboard reference.
    {.help = {1, "Delete selected point(s)", "DELETE"}},
    {.help = {2, "Selects the next node circularly.", "TAB"}},
    {.help = {8, "Rotates image in 3D window.", "Left mouse/drag"}},
    {.help = {9, "Zooms image in 3D window.", "Right mouse/drag"}},
};

// A command has one row: its number finds it.
constexpr bool EachCommandOnce() {
    for (std::size_t i = 0; i < std::size(kRows); ++i) {
        for (std::size_t j = i + 1; j < std::size(kRows); ++j) {
            if (kRows[i].command != Command::None && kRows[i].command == kRows[j].command) {
                return false;
            }
        }
    }
    return true;
}
static_assert(EachCommandOnce());

// The rows a place shows, in the order of the place's own key.
template <class Shows, class Order>
std::vector<const CommandRow*> RowsWhere(Shows shows, Order order) {
    std::vector<const CommandRow*> rows;
    for (const CommandRow& row : kRows) {
        if (shows(row)) rows.push_back(&row);
    }
    std::ranges::stable_sort(rows, {}, [&order](const CommandRow* row) { return order(*row); });
    return rows;
}

std::string KeyName(int key) {
    switch (key) {
        case kKeyBack:
            return "Backspace";
        case kKeyDelete:
            return "Del";
        case kKeyInsert:
            return "Ins";
        case kKeyF6:
            return "F6";
        default:
            return std::string(1, static_cast<char>(key));
    }
}

// "^P or P": the Ctrl keys first.
std::string KeyHelpText(const std::array<Accelerator, 2>& keys) {
    std::string text;
    for (const bool ctrl : {true, false}) {
        for (const Accelerator& key : keys) {
            if (!key.IsSet() || ((key.modifiers & kModCtrl) != 0) != ctrl) continue;
            if (!text.empty()) text += " or ";
            text += (ctrl ? "^" : "") + KeyName(key.key);
        }
    }
    return text;
}

}  // namespace

std::span<const CommandRow> CommandTable() { return kRows; }

const CommandRow* FindCommandRow(Command command) {
    if (command == Command::None) return nullptr;
    const auto it = std::ranges::find(kRows, command, &CommandRow::command);
    return it == std::end(kRows) ? nullptr : &*it;
}

std::optional<Command> CommandFromNumber(int number) {
    if (const CommandRow* row = FindCommandRow(static_cast<Command>(number))) return row->command;
    return std::nullopt;
}

std::string KeyText(Accelerator key) {
    std::string text;
    if (key.modifiers & kModCtrl) text += "Ctrl+";
    if (key.modifiers & kModAlt) text += "Alt+";
    if (key.modifiers & kModShift) text += "Shift+";
    return text + KeyName(key.key);
}

std::string MenuText(const CommandRow& row) {
    std::string text(row.label);
    if (row.keys[0].IsSet()) text += "\t" + KeyText(row.keys[0]);
    return text;
}

PromptParts SplitPrompt(std::string_view prompt) {
    const std::size_t end = prompt.find('\n');
    if (end == std::string_view::npos) return {prompt, {}};
    std::string_view tooltip = prompt.substr(end + 1);
    return {prompt.substr(0, end), tooltip.substr(0, tooltip.find('\n'))};
}

std::vector<const CommandRow*> ToolbarRows(Toolbar bar) {
    std::vector<const CommandRow*> buttons;
    const auto rows = RowsWhere(
        [bar](const CommandRow& row) { return row.tool.bar == bar; },
        [](const CommandRow& row) { return std::pair(row.tool.group, row.tool.position); });
    for (const CommandRow* row : rows) {
        if (!buttons.empty() && buttons.back()->tool.group != row->tool.group) {
            buttons.push_back(nullptr);
        }
        buttons.push_back(row);
    }
    return buttons;
}

std::vector<MenuItem> PopupItems(Popup menu) {
    std::vector<MenuItem> items;
    int group = 0;
    const auto rows = RowsWhere(
        [menu](const CommandRow& row) { return row.popup.menu == menu; },
        [](const CommandRow& row) { return std::pair(row.popup.group, row.popup.position); });
    for (const CommandRow* row : rows) {
        if (!items.empty() && group != row->popup.group) items.push_back({});
        group = row->popup.group;
        items.push_back({row->command,
                         row->popup.label.empty() ? MenuText(*row) : std::string(row->popup.label),
                         row->kind == CommandKind::Check ? MenuCheck::Unchecked : MenuCheck::None});
    }
    return items;
}

std::vector<std::pair<Accelerator, Command>> AcceleratorTable() {
    std::vector<std::pair<Accelerator, Command>> keys;
    for (const CommandRow& row : kRows) {
        for (const Accelerator& key : row.keys) {
            if (key.IsSet()) keys.emplace_back(key, row.command);
        }
    }
    return keys;
}

std::vector<std::pair<std::string, std::string_view>> KeyboardReference() {
    std::vector<std::pair<std::string, std::string_view>> lines;
    const auto rows = RowsWhere([](const CommandRow& row) { return row.help.position != 0; },
                                [](const CommandRow& row) { return row.help.position; });
    for (const CommandRow* row : rows) {
        lines.emplace_back(row->help.keys.empty() ? KeyHelpText(row->keys) : row->help.keys,
                           row->help.function);
    }
    return lines;
}

}  // namespace orvanel
