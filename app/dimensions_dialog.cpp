#include "app/dimensions_dialog.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <iterator>

#include "editor/point_properties.h"
#include "resources/dimension_texts.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

// The choice's items, in this order.
constexpr DisplayUnit kUnits[] = {DisplayUnit::Millimetre, DisplayUnit::Centimetre,
                                  DisplayUnit::Inch};

}  // namespace

CDlgDimensions::CDlgDimensions(wxWindow* parent, Prompter& prompter, const UnitSystem& units,
                               const std::optional<ProfileSize>& size)
    : wxDialog(parent, wxID_ANY, Wx(text::kDimensionsCaption)),
      m_prompter(prompter),
      m_units(units),
      m_size(size),
      m_shown(ShowUnitSize(units.unitSize)) {
    const wxSize fieldSize(ConvertDialogToPixels(wxSize(50, -1)).x, -1);
    m_pUnitSize =
        new wxTextCtrl(this, kUnitSizeField, Wx(m_shown.text), wxDefaultPosition, fieldSize);
    m_pDisplayUnit = new wxChoice(this, kDisplayUnitChoice);
    for (const std::string_view name :
         {text::kUnitMillimetres, text::kUnitCentimetres, text::kUnitInches}) {
        m_pDisplayUnit->Append(Wx(name));
    }
    m_pDisplayUnit->SetSelection(static_cast<int>(
        std::find(std::begin(kUnits), std::end(kUnits), units.display) - std::begin(kUnits)));
    m_pMakeHeight =
        new wxTextCtrl(this, kMakeHeightField, wxString(), wxDefaultPosition, fieldSize);
    m_pMakeDiameter =
        new wxTextCtrl(this, kMakeDiameterField, wxString(), wxDefaultPosition, fieldSize);
    m_pHeightUnit = new wxStaticText(this, wxID_ANY, wxString());
    m_pDiameterUnit = new wxStaticText(this, wxID_ANY, wxString());
    auto* makeHeight = new wxButton(this, kMakeHeightButton, Wx(text::kMakeButton));
    auto* makeDiameter = new wxButton(this, kMakeDiameterButton, Wx(text::kMakeButton));

    auto* grid = new wxFlexGridSizer(4, 6, 8);
    const auto label = [this](std::string_view s) {
        return new wxStaticText(this, wxID_ANY, Wx(s));
    };
    const int middle = wxALIGN_CENTER_VERTICAL;
    grid->Add(label(text::kUnitSizeLabel), 0, middle);
    grid->Add(m_pUnitSize);
    grid->Add(label("mm"), 0, middle);
    grid->AddSpacer(0);
    grid->Add(label(text::kDisplayUnitLabel), 0, middle);
    grid->Add(m_pDisplayUnit, 0, wxEXPAND);
    grid->AddSpacer(0);
    grid->AddSpacer(0);
    grid->Add(label(text::kMakeHeightLabel), 0, middle);
    grid->Add(m_pMakeHeight);
    grid->Add(m_pHeightUnit, 0, middle);
    grid->Add(makeHeight);
    grid->Add(label(text::kMakeDiameterLabel), 0, middle);
    grid->Add(m_pMakeDiameter);
    grid->Add(m_pDiameterUnit, 0, middle);
    grid->Add(makeDiameter);

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxALL, 10);
    sizer->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    ShowSizes();
    SetSizerAndFit(sizer);

    // Nothing to measure: nothing to make.
    for (wxWindow* w :
         {static_cast<wxWindow*>(m_pMakeHeight), static_cast<wxWindow*>(makeHeight),
          static_cast<wxWindow*>(m_pMakeDiameter), static_cast<wxWindow*>(makeDiameter)}) {
        w->Enable(m_size.has_value());
    }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Make(SizeToMake::Height); }, kMakeHeightButton);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Make(SizeToMake::Diameter); }, kMakeDiameterButton);
    m_pDisplayUnit->Bind(wxEVT_CHOICE, [this](wxCommandEvent&) { ShowSizes(); });
    m_pUnitSize->SetFocus();
}

DisplayUnit CDlgDimensions::ChosenUnit() const {
    const int at = m_pDisplayUnit->GetSelection();
    return at >= 0 && at < static_cast<int>(std::size(kUnits)) ? kUnits[at] : m_units.display;
}

void CDlgDimensions::ShowSizes() {
    const UnitSystem units{m_shown.unitSize, ChosenUnit()};
    m_pHeightUnit->SetLabel(Wx(units.Suffix()));
    m_pDiameterUnit->SetLabel(Wx(units.Suffix()));
    if (!m_size) return;
    m_pMakeHeight->ChangeValue(Wx(LengthFieldText(units.ToDisplay(m_size->height))));
    m_pMakeDiameter->ChangeValue(Wx(LengthFieldText(units.ToDisplay(m_size->diameter))));
}

void CDlgDimensions::Refuse(const std::string& message, wxTextCtrl* field) {
    m_prompter.ShowMessage(message);
    field->SetFocus();
    field->SelectAll();
}

bool CDlgDimensions::Make(SizeToMake what) {
    if (!m_size) return false;
    wxTextCtrl* field = what == SizeToMake::Height ? m_pMakeHeight : m_pMakeDiameter;
    const double extent = what == SizeToMake::Height ? m_size->height : m_size->diameter;
    const FieldRead<double> read =
        UnitSizeToMake(what, field->GetValue().utf8_string(), extent, ChosenUnit());
    if (!read.value) {
        Refuse(read.message, field);
        return false;
    }
    m_shown = ShowUnitSize(*read.value);
    m_pUnitSize->ChangeValue(Wx(m_shown.text));
    ShowSizes();
    return true;
}

bool CDlgDimensions::Accept() {
    const FieldRead<double> read = ReadUnitSize(m_pUnitSize->GetValue().utf8_string(), m_shown);
    if (!read.value) {
        Refuse(read.message, m_pUnitSize);
        return false;
    }
    m_units = {*read.value, ChosenUnit()};
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    return true;
}

bool RunDimensions(wxWindow* parent, CTavrinEditorDoc& doc) {
    CDlgDimensions dialog(parent, doc.GetPrompter(), doc.m_units, MeasureProfileSize(doc));
    if (dialog.ShowModal() != wxID_OK) return false;
    doc.m_units = dialog.Units();
    doc.UpdateAllViews();
    return true;
}

}  // namespace orvanel
