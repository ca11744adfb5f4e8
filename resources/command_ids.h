// The id each of the document's commands has in wxWidgets' menus, toolbars
// and events: the toolkit's stock ids for the standard commands, so that GTK
// shows its stock items, and the program's own numbers for the rest.
#pragma once

#include "document/command_list.h"

namespace orvanel {

int WxIdOf(Command command);

}  // namespace orvanel
