#include "export/stl_exp_dlg.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/dialog_parts.h"
#include "export/export_fields.h"

namespace orvanel {

StlExpDlg::StlExpDlg(wxWindow* parent, Prompter& prompter, const StlOptions& options)
    : wxDialog(parent, wxID_ANY, "STL Export Options"), m_prompter(prompter), m_options(options) {
    const auto& [sections, steps] = kStlOptionsFields;
    const FieldTexts texts = StlOptionsTexts(options);
    const auto label = [this](const char* text, int y) {
        new wxStaticText(this, wxID_ANY, text, DialogPoint(this, 7, y), DialogSize(this, 100, 8),
                         wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
    };
    label("Sections :", 9);
    AddRuleField(this, sections, texts.at(sections.control), 110, 7);
    label("Steps per spline segment :", 29);
    AddRuleField(this, steps, texts.at(steps.control), 110, 27);

    new wxStaticBox(this, wxID_ANY, "Format", DialogPoint(this, 7, 47), DialogSize(this, 146, 28));
    auto* binary = new wxRadioButton(this, kStlBinaryButton, "Binary", DialogPoint(this, 15, 59),
                                     DialogSize(this, 55, 10), wxRB_GROUP);
    m_pAscii = new wxRadioButton(this, kStlAsciiButton, "ASCII", DialogPoint(this, 80, 59),
                                 DialogSize(this, 55, 10));
    (options.bAscii ? m_pAscii : binary)->SetValue(true);

    auto* ok =
        new wxButton(this, wxID_OK, "Export", DialogPoint(this, 47, 82), DialogSize(this, 50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", DialogPoint(this, 103, 82), DialogSize(this, 50, 14));
    ok->SetDefault();
    SetClientSize(DialogSize(this, 160, 103));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
    FindWindow(sections.control)->SetFocus();
}

bool StlExpDlg::Accept() {
    StlOptions read = m_options;
    if (const std::optional<FieldError> error =
            ReadStlOptions(FieldTextsOf(this, kStlOptionsFields), read)) {
        RefuseField(m_prompter, this, *error);
        return false;
    }
    read.bAscii = m_pAscii->GetValue();
    m_options = read;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    return true;
}

}  // namespace orvanel
