// The three exports as the user starts them from the window: a save dialog,
// the options, then the writer. Cancel at any step writes nothing.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "document/commands.h"
#include "document/document.h"
#include "export/export_outcome.h"
#include "export/stl_writer.h"
#include "export/vrml_options.h"

namespace orvanel {

struct SaveDialogSpec {
    std::string_view title;
    std::string_view initialName;
    std::string_view defaultExtension;  // for a typed name without one
    std::string_view filter;            // "text|pattern" pairs joined by "|"
};

inline constexpr SaveDialogSpec kPovSaveDialog{
    "POV-Ray Export", "untitled", "inc",
    "POV Include Files (*.inc)|*.inc|POV Scene Files (*.pov)|*.pov|All Files (*.*)|*.*"};
inline constexpr SaveDialogSpec kVrmlSaveDialog{"VRML 2.0 Export", "untitled", "wrl",
                                                "VRML Files (*.wrl)|*.wrl|All Files (*.*)|*.*"};
inline constexpr SaveDialogSpec kStlSaveDialog{"STL Export", "untitled", "stl",
                                               "STL Files (*.stl)|*.stl|All Files (*.*)|*.*"};

// A name as the save dialog gives it, with the filter shown at the time.
struct ChosenFile {
    std::filesystem::path path;
    int filterIndex = 0;
};

// The file the export writes: a name typed without an extension gets the one
// of the chosen filter, or the default one when that filter has none of its
// own ("All Files").
std::filesystem::path ExportPath(const ChosenFile& chosen, const SaveDialogSpec& spec);
// A file's title: its name without folder and extension.
std::string FileTitle(const std::filesystem::path& path);

// What the exports ask of the user besides messages and questions.
class ExportDialogs {
public:
    virtual ~ExportDialogs() = default;
    // The save dialog, opening on `initial` (a name, or a path); nothing on
    // Cancel. It asks itself before a file of the name it gives is replaced.
    virtual std::optional<ChosenFile> ChooseSaveFile(const SaveDialogSpec& spec,
                                                     const std::filesystem::path& initial) = 0;
    // The options dialogs, on the options they edit; false on Cancel.
    virtual bool RunVrmlOptions(VrmlOptions& options) = 0;
    virtual bool RunStlOptions(StlOptions& options) = 0;
};

// The save dialog until there is a name. A file the extension added here
// names was never shown to the dialog, so the question about replacing it is
// asked here; No opens the dialog again on that name.
std::optional<std::filesystem::path> ChooseExportFile(const SaveDialogSpec& spec,
                                                      ExportDialogs& dialogs, Prompter& prompter);

// Each returns how the export ended, or nothing when the user cancelled.
// POV-Ray: the object is named after the file's title, whatever follows, and
// the settings sheet runs as the Settings command runs it before the file is
// written with the settings chosen.
std::optional<ExportOutcome> RunPovExport(CTavrinEditorDoc& doc, ExportDialogs& dialogs,
                                          SettingsFlowViews& views, SettingSheetRunner& sheet);
// VRML: the options start from their defaults, Flip Normals from the document.
std::optional<ExportOutcome> RunVrmlExport(CTavrinEditorDoc& doc, ExportDialogs& dialogs);
// STL: the options start from the preview's sections and steps, binary.
std::optional<ExportOutcome> RunStlExport(CTavrinEditorDoc& doc, ExportDialogs& dialogs);

}  // namespace orvanel
