#include "editor/calibration_dialog.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "resources/dimension_texts.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

}  // namespace

CDlgCalibrateDistance::CDlgCalibrateDistance(wxWindow* parent, CTavrinEditorDoc& doc,
                                             const PhotoCalibration& calibration)
    : wxDialog(parent, wxID_ANY, Wx(text::kCalibrateCaption)),
      m_doc(doc),
      m_calibration(calibration) {
    const wxSize fieldSize(ConvertDialogToPixels(wxSize(50, -1)).x, -1);
    m_pDistance = new wxTextCtrl(this, kDistanceField, wxString(), wxDefaultPosition, fieldSize);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(this, wxID_ANY, Wx(text::kCalibrateDistanceLabel)), 0,
             wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    row->Add(m_pDistance, 0, wxRIGHT, 6);
    row->Add(new wxStaticText(this, wxID_ANY, Wx(doc.m_units.Suffix())), 0,
             wxALIGN_CENTER_VERTICAL);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(row, 0, wxALL, 10);
    sizer->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
    m_pDistance->SetFocus();
}

bool CDlgCalibrateDistance::Accept() {
    std::string error;
    if (!ApplyPhotoCalibration(m_doc, m_calibration, m_pDistance->GetValue().utf8_string(),
                               error)) {
        if (error.empty()) {  // the photo has gone: nothing to calibrate
            EndDialog(wxID_CANCEL);
            return false;
        }
        m_doc.GetPrompter().ShowMessage(error);
        m_pDistance->SetFocus();
        m_pDistance->SelectAll();
        return false;
    }
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    return true;
}

}  // namespace orvanel
