#include "export/wx_export_dialogs.h"

#include <wx/filedlg.h>

#include "app/dialog_parts.h"
#include "export/stl_exp_dlg.h"
#include "export/vrml_exp_dlg.h"

namespace orvanel {

namespace {
wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }
}  // namespace

std::optional<ChosenFile> WxExportDialogs::ChooseSaveFile(const SaveDialogSpec& spec,
                                                          const std::filesystem::path& initial) {
    // The working directory stays as it is (no wxFD_CHANGE_DIR).
    wxFileDialog dialog(m_pParent, Wx(spec.title), Wx(initial.parent_path().string()),
                        Wx(initial.filename().string()), WxWildcard(spec.filter),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return ChosenFile{std::filesystem::path(dialog.GetPath().utf8_string()),
                      dialog.GetFilterIndex()};
}

bool WxExportDialogs::RunVrmlOptions(VrmlOptions& options) {
    VrmlExpDlg dialog(m_pParent, m_prompter, options);
    if (dialog.ShowModal() != wxID_OK) return false;
    options = dialog.Values();
    return true;
}

bool WxExportDialogs::RunStlOptions(StlOptions& options) {
    StlExpDlg dialog(m_pParent, m_prompter, options);
    if (dialog.ShowModal() != wxID_OK) return false;
    options = dialog.Values();
    return true;
}

}  // namespace orvanel
