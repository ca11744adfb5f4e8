// The commands of the document's command table, by name. The application maps
// its menu, toolbar and accelerator ids to these; the core never sees a wx id.
#pragma once

#include <optional>

namespace orvanel {

enum class Command {
    Undo,
    Redo,
    Copy,
    SelectAll,
    Deselect,
    OpenCloseProfile,
    AnchorSelected,
    AnchorMenuPoint,
    DeleteMenuPoint,
    ToolPencil,
    ToolInsert,
    ToolMove,
    ToolDragPhoto,
    ToggleGrid,
    ToggleSmoothing,
    FlipNormals,
    ViewGridPlane,
    Settings,
    Transfer,
    ExportPov,
    ExportVrml,
    PhotoAdd,
    PhotoProperties,
    PhotoRemove,
    PhotoHide,
    GoldenRatio,
    // Reached from the editor's context menu; the application runs them.
    FileNew,
    FileOpen,
    FileSave,
};

// The program's own number of a command (resources/ids.h), or 0 for the
// standard commands, which the application gives the toolkit's stock ids.
int CommandNumber(Command command);
std::optional<Command> CommandFromNumber(int number);

}  // namespace orvanel
