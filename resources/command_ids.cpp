#include "resources/command_ids.h"

#include <wx/defs.h>

#include "resources/ids.h"

namespace orvanel {

int WxIdOf(Command command) {
    switch (command) {
        case Command::Undo:
            return wxID_UNDO;
        case Command::Redo:
            return wxID_REDO;
        case Command::Copy:
            return wxID_COPY;
        case Command::SelectAll:
            return wxID_SELECTALL;
        case Command::FileNew:
            return wxID_NEW;
        case Command::FileOpen:
            return wxID_OPEN;
        case Command::FileSave:
            return wxID_SAVE;
        default:
            return id::Ui(CommandNumber(command));
    }
}

}  // namespace orvanel
