#include "editor/point_properties_dialog.h"

#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <utility>

#include "resources/dimension_texts.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

}  // namespace

CDlgPointProperties::CDlgPointProperties(wxWindow* parent, Prompter& prompter,
                                         const ProfilePoint& point, const UnitSystem& units)
    : wxDialog(parent, wxID_ANY, Wx(text::kPointPropertiesCaption)),
      m_prompter(prompter),
      m_point(point),
      m_units(units) {
    const PointPropertiesValues values = OpenPointProperties(point, units);
    const wxSize fieldSize(ConvertDialogToPixels(wxSize(50, -1)).x, -1);
    m_pDistance =
        new wxTextCtrl(this, kDistanceField, Wx(values.strDistance), wxDefaultPosition, fieldSize);
    m_pHeight =
        new wxTextCtrl(this, kHeightField, Wx(values.strHeight), wxDefaultPosition, fieldSize);
    m_pAnchor = new wxCheckBox(this, kAnchorCheckBox, Wx(text::kPointAnchorLabel));
    m_pAnchor->SetValue(values.bAnchor);

    auto* grid = new wxFlexGridSizer(3, 6, 8);
    for (const auto& [label, field] : {std::pair{text::kPointDistanceLabel, m_pDistance},
                                       std::pair{text::kPointHeightLabel, m_pHeight}}) {
        grid->Add(new wxStaticText(this, wxID_ANY, Wx(label)), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(field);
        grid->Add(new wxStaticText(this, wxID_ANY, Wx(units.Suffix())), 0, wxALIGN_CENTER_VERTICAL);
    }
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxALL, 10);
    sizer->Add(m_pAnchor, 0, wxLEFT | wxRIGHT | wxBOTTOM, 10);
    sizer->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
    m_pDistance->SetFocus();
}

bool CDlgPointProperties::Accept() {
    const PointPropertiesValues values{m_pDistance->GetValue().utf8_string(),
                                       m_pHeight->GetValue().utf8_string(), m_pAnchor->GetValue()};
    if (const auto error = ReadPointProperties(values, m_point, m_units, m_placement)) {
        m_prompter.ShowMessage(error->message);
        wxTextCtrl* field = error->field == PointField::Distance ? m_pDistance : m_pHeight;
        field->SetFocus();
        field->SelectAll();
        return false;
    }
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    return true;
}

bool RunPointProperties(wxWindow* parent, CTavrinEditorDoc& doc) {
    const ProfilePoint* point = doc.GetMenuPoint();
    if (point == nullptr) return false;
    CDlgPointProperties dialog(parent, doc.GetPrompter(), *point, doc.m_units);
    if (dialog.ShowModal() != wxID_OK) return false;
    return ApplyPointProperties(doc, point, dialog.Placement());
}

}  // namespace orvanel
