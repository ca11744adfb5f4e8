// The command table in wxWidgets' terms: each command's id, and the menu bar,
// toolbars, accelerator table and context menus made from the table.
#pragma once

#include <wx/accel.h>
#include <wx/menu.h>

#include <optional>
#include <span>

#include "resources/command_table.h"

class wxAuiToolBar;

namespace orvanel {

// The toolkit's stock id for the standard commands, so that GTK shows its
// stock items, and the program's own number for the rest.
int WxIdOf(Command command);
std::optional<Command> CommandOfWxId(int wxId);

// The menus of the menu bar with their items, separators and submenus.
wxMenuBar* MakeMenuBar();
// The buttons of one toolbar, realized.
void AddToolbarButtons(wxAuiToolBar& bar, Toolbar which);
wxAcceleratorTable MakeAcceleratorTable();
void AppendMenuItems(wxMenu& menu, std::span<const MenuItem> items);

}  // namespace orvanel
