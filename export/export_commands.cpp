#include "export/export_commands.h"

#include <system_error>
#include <vector>

#include "export/pov_writer.h"
#include "export/vrml_writer.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

// The pattern of each filter, in order.
std::vector<std::string_view> Patterns(std::string_view filter) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0; at <= filter.size();) {
        const std::size_t bar = std::min(filter.find('|', at), filter.size());
        parts.push_back(filter.substr(at, bar - at));
        at = bar + 1;
    }
    std::vector<std::string_view> patterns;
    for (std::size_t i = 1; i < parts.size(); i += 2) patterns.push_back(parts[i]);
    return patterns;
}

// "*.pov" names the extension "pov"; "*.*", "*" and lists name none.
std::string_view ExtensionOf(std::string_view pattern) {
    if (pattern.substr(0, 2) != "*.") return {};
    const std::string_view extension = pattern.substr(2);
    if (extension.empty() || extension.find_first_of("*?;") != std::string_view::npos) return {};
    return extension;
}

bool Exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

}  // namespace

std::filesystem::path ExportPath(const ChosenFile& chosen, const SaveDialogSpec& spec) {
    if (chosen.path.has_extension()) return chosen.path;
    const std::vector<std::string_view> patterns = Patterns(spec.filter);
    std::string_view extension;
    if (chosen.filterIndex >= 0 && static_cast<std::size_t>(chosen.filterIndex) < patterns.size()) {
        extension = ExtensionOf(patterns[static_cast<std::size_t>(chosen.filterIndex)]);
    }
    if (extension.empty()) extension = spec.defaultExtension;
    std::filesystem::path path = chosen.path;
    path += ".";
    path += std::string(extension);
    return path;
}

std::string FileTitle(const std::filesystem::path& path) { return path.stem().string(); }

std::optional<std::filesystem::path> ChooseExportFile(const SaveDialogSpec& spec,
                                                      ExportDialogs& dialogs, Prompter& prompter) {
    std::filesystem::path initial(spec.initialName);
    for (;;) {
        const std::optional<ChosenFile> chosen = dialogs.ChooseSaveFile(spec, initial);
        if (!chosen) return std::nullopt;
        const std::filesystem::path path = ExportPath(*chosen, spec);
        if (path == chosen->path || !Exists(path)) return path;
        std::string question(text::kReplaceFile);
        question.replace(question.find("%1"), 2, path.filename().string());
        if (prompter.AskYesNo(question)) return path;
        initial = path;
    }
}

std::optional<ExportOutcome> RunPovExport(CTavrinEditorDoc& doc, ExportDialogs& dialogs,
                                          SettingsFlowViews& views, SettingSheetRunner& sheet) {
    Prompter& prompter = doc.GetPrompter();
    const std::optional<std::filesystem::path> path =
        ChooseExportFile(kPovSaveDialog, dialogs, prompter);
    if (!path) return std::nullopt;
    doc.m_strObjectName = FileTitle(*path);
    if (!RunSettingsFlow(doc, views, sheet)) return std::nullopt;
    return WritePovFile(doc, *path, PovOptions::Of(doc), prompter);
}

std::optional<ExportOutcome> RunVrmlExport(CTavrinEditorDoc& doc, ExportDialogs& dialogs) {
    Prompter& prompter = doc.GetPrompter();
    const std::optional<std::filesystem::path> path =
        ChooseExportFile(kVrmlSaveDialog, dialogs, prompter);
    if (!path) return std::nullopt;
    VrmlOptions options;
    options.bFlipNormals = doc.m_bFlipNormals;
    if (!dialogs.RunVrmlOptions(options)) return std::nullopt;
    return WriteVrmlFile(doc, *path, FileTitle(*path), options, prompter);
}

std::optional<ExportOutcome> RunStlExport(CTavrinEditorDoc& doc, ExportDialogs& dialogs) {
    Prompter& prompter = doc.GetPrompter();
    const std::optional<std::filesystem::path> path =
        ChooseExportFile(kStlSaveDialog, dialogs, prompter);
    if (!path) return std::nullopt;
    StlOptions options = StlOptions::Of(doc);
    options.strSolidName = FileTitle(*path);
    if (!dialogs.RunStlOptions(options)) return std::nullopt;
    return WriteStlFile(doc, *path, options, prompter);
}

}  // namespace orvanel
