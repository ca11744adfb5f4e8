#include "editor/photo_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tokenzr.h>

#include "app/validation.h"
#include "resources/ids.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

}  // namespace

wxString PhotoFileWildcard() {
    const wxArrayString parts =
        wxStringTokenize(Wx(text::kPhotoFileFilter), "|", wxTOKEN_RET_EMPTY);
    wxString wildcard;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        wxString patterns;
        for (const wxString& pattern : wxStringTokenize(parts[i + 1], ";")) {
            const wxString upper = pattern.Upper();
            wxString add = pattern == "*.*" ? wxString("*") : pattern;
            if (pattern != "*.*" && upper != pattern) add += ";" + upper;
            if (!patterns.empty()) patterns += ";";
            patterns += add;
        }
        if (!wildcard.empty()) wildcard += "|";
        wildcard += parts[i] + "|" + patterns;
    }
    return wildcard;
}

std::optional<std::filesystem::path> ChoosePhotoFile(wxWindow* parent) {
    // An open dialog returns only files that exist, so the default extension
    // "jpg" has no name to complete here.
    wxFileDialog dialog(parent, "Open", wxString(), wxString(), PhotoFileWildcard(),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return std::filesystem::path(dialog.GetPath().utf8_string());
}

CDlgPhotoProperties::CDlgPhotoProperties(wxWindow* parent, Prompter& prompter,
                                         const PhotoPropertiesValues& values)
    : wxDialog(parent, wxID_ANY, Wx(text::kPhotoPropertiesCaption)),
      m_prompter(prompter),
      m_values(values) {
    auto* sizes = new wxStaticBoxSizer(wxVERTICAL, this, Wx(text::kPhotoPropertiesCaption));
    auto* sizeGrid = new wxFlexGridSizer(2, 4, 12);
    wxWindow* box = sizes->GetStaticBox();
    sizeGrid->Add(new wxStaticText(box, wxID_ANY, "Width:"));
    sizeGrid->Add(new wxStaticText(box, id::kPictureWidthText, Wx(values.m_strWidth)));
    sizeGrid->Add(new wxStaticText(box, wxID_ANY, "Height:"));
    sizeGrid->Add(new wxStaticText(box, id::kPictureHeightText, Wx(values.m_strHeight)));
    sizes->Add(sizeGrid, 0, wxALL, 6);

    const wxSize fieldSize(ConvertDialogToPixels(wxSize(30, -1)).x, -1);
    const FieldTexts texts = PhotoPropertiesTexts(values);
    m_pScaleWidth = new wxTextCtrl(this, id::kScaleWidthField, Wx(texts.at(id::kScaleWidthField)),
                                   wxDefaultPosition, fieldSize);
    m_pScaleHeight =
        new wxTextCtrl(this, id::kScaleHeightField, Wx(texts.at(id::kScaleHeightField)),
                       wxDefaultPosition, fieldSize);
    auto* scales = new wxFlexGridSizer(3, 6, 6);
    scales->Add(new wxStaticText(this, wxID_ANY, "Scale width by"), 0, wxALIGN_CENTER_VERTICAL);
    scales->Add(m_pScaleWidth);
    scales->Add(new wxStaticText(this, wxID_ANY, "%"), 0, wxALIGN_CENTER_VERTICAL);
    scales->Add(new wxStaticText(this, wxID_ANY, "Scale height by"), 0, wxALIGN_CENTER_VERTICAL);
    scales->Add(m_pScaleHeight);
    scales->Add(new wxStaticText(this, wxID_ANY, "%"), 0, wxALIGN_CENTER_VERTICAL);

    m_pLockAspect = new wxCheckBox(this, id::kLockAspectCheckBox, "Lock aspect ratio");
    m_pLockAspect->SetValue(values.m_bLockAspect);
    m_pScaleHeight->Enable(PhotoHeightFieldEnabled(values.m_bLockAspect));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(sizes, 0, wxEXPAND | wxALL, 10);
    sizer->Add(scales, 0, wxLEFT | wxRIGHT, 10);
    sizer->Add(m_pLockAspect, 0, wxALL, 10);
    sizer->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);

    Bind(wxEVT_BUTTON, &CDlgPhotoProperties::OnOk, this, wxID_OK);
    m_pLockAspect->Bind(wxEVT_CHECKBOX, &CDlgPhotoProperties::OnLockAspect, this);
    m_pScaleWidth->SetFocus();
}

bool CDlgPhotoProperties::Accept() {
    PhotoPropertiesValues read = m_values;
    read.m_bLockAspect = m_pLockAspect->GetValue();
    const FieldTexts texts{{id::kScaleHeightField, m_pScaleHeight->GetValue().utf8_string()},
                           {id::kScaleWidthField, m_pScaleWidth->GetValue().utf8_string()}};
    if (const std::optional<FieldError> error = ReadPhotoProperties(texts, read)) {
        m_prompter.ShowMessage(error->message);
        auto* field = dynamic_cast<wxTextCtrl*>(FindWindow(error->control));
        if (field != nullptr) {
            field->SetFocus();
            field->SelectAll();
        }
        return false;
    }
    m_values = read;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    return true;
}

void CDlgPhotoProperties::OnOk(wxCommandEvent&) { Accept(); }

void CDlgPhotoProperties::OnLockAspect(wxCommandEvent&) {
    m_pScaleHeight->Enable(PhotoHeightFieldEnabled(m_pLockAspect->GetValue()));
}

bool RunPhotoProperties(wxWindow* parent, CTavrinEditorDoc& doc) {
    if (!doc.IsPhotoLoaded()) return false;
    CDlgPhotoProperties dialog(parent, doc.GetPrompter(), OpenPhotoProperties(doc));
    if (dialog.ShowModal() != wxID_OK) return false;
    ApplyPhotoProperties(doc, dialog.Values());
    return true;
}

}  // namespace orvanel
