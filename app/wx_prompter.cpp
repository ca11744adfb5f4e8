#include "app/wx_prompter.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "resources/strings.h"

namespace orvanel {

const char* const kProfileFileFilter = "Orvanel Files (*.lum)|*.lum|All Files (*.*)|*";

namespace {
wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }
}  // namespace

void WxPrompter::ShowMessage(std::string_view text, MessageIcon icon, std::string_view caption) {
    long style = wxOK;
    switch (icon) {
        case MessageIcon::Exclamation:
            style |= wxICON_EXCLAMATION;
            break;
        case MessageIcon::Stop:
            style |= wxICON_ERROR;
            break;
        case MessageIcon::None:
            break;
    }
    wxMessageBox(Wx(text), Wx(caption), style, m_pParent);
}

void WxPrompter::ShowError(std::string_view text, std::string_view reason) {
    wxMessageDialog box(m_pParent, Wx(text), Wx(text::kAppName), wxOK | wxICON_EXCLAMATION);
    box.SetExtendedMessage(Wx(reason));
    box.ShowModal();
}

bool WxPrompter::AskYesNo(std::string_view text) {
    return wxMessageBox(Wx(text), Wx(text::kAppName), wxYES_NO | wxICON_EXCLAMATION, m_pParent) ==
           wxYES;
}

SaveAnswer WxPrompter::AskSaveChanges(std::string_view title) {
    switch (wxMessageBox(Wx(SaveChangesQuestion(title)), Wx(text::kAppName),
                         wxYES_NO | wxCANCEL | wxICON_EXCLAMATION, m_pParent)) {
        case wxYES:
            return SaveAnswer::Yes;
        case wxNO:
            return SaveAnswer::No;
        default:
            return SaveAnswer::Cancel;
    }
}

std::optional<std::filesystem::path> WxPrompter::AskSavePath(std::string_view title) {
    wxFileName suggested(Wx(title));
    if (suggested.GetExt().empty()) suggested.SetExt("lum");
    wxFileDialog dialog(m_pParent, "Save As", wxString(), suggested.GetFullName(),
                        kProfileFileFilter, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    wxFileName chosen(dialog.GetPath());
    // The first filter is the profile's: a name typed without its extension gets it.
    if (chosen.GetExt().empty() && dialog.GetFilterIndex() == 0) chosen.SetExt("lum");
    return std::filesystem::path(chosen.GetFullPath().utf8_string());
}

}  // namespace orvanel
