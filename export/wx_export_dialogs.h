// The export commands' dialogs as wx shows them: the platform's save dialog
// with the program's title, name and filters, and the two options dialogs.
#pragma once

#include <wx/window.h>

#include "export/export_commands.h"

namespace orvanel {

class WxExportDialogs final : public ExportDialogs {
public:
    WxExportDialogs(wxWindow* parent, Prompter& prompter)
        : m_pParent(parent), m_prompter(prompter) {}

    std::optional<ChosenFile> ChooseSaveFile(const SaveDialogSpec& spec,
                                             const std::filesystem::path& initial) override;
    bool RunVrmlOptions(VrmlOptions& options) override;
    bool RunStlOptions(StlOptions& options) override;

private:
    wxWindow* m_pParent;
    Prompter& m_prompter;
};

}  // namespace orvanel
