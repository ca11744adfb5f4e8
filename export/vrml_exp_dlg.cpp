#include "export/vrml_exp_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "export/export_fields.h"

namespace orvanel {

VrmlExpDlg::VrmlExpDlg(wxWindow* parent, Prompter& prompter, const VrmlOptions& options,
                       ColourChooser chooser)
    : wxDialog(parent, wxID_ANY, "VRML Export Options"),
      m_prompter(prompter),
      m_chooser(std::move(chooser)),
      m_options(options) {
    const auto& [sections, steps, shininess, transparency, smoothing, hole] = kVrmlOptionsFields;
    const FieldTexts texts = VrmlOptionsTexts(options);
    const auto field = [&](const FieldRule& rule, int x, int y) {
        AddRuleField(this, rule, texts.at(rule.control), x, y);
    };
    // Boxes first: the controls they frame are their siblings, drawn above them.
    new wxStaticBox(this, wxID_ANY, "Object Geometry", DialogPoint(this, 7, 7),
                    DialogSize(this, 160, 140));
    new wxStaticBox(this, wxID_ANY, "Material", DialogPoint(this, 173, 7),
                    DialogSize(this, 160, 140));

    AddLabel("Sections Number  :", 13, 22, 104, wxALIGN_RIGHT);
    field(sections, 120, 20);
    AddLabel("Steps per spline segment :", 13, 42, 104, wxALIGN_RIGHT);
    field(steps, 120, 40);
    AddLabel("Smoothing Angle :", 13, 62, 104, wxALIGN_RIGHT);
    field(smoothing, 120, 60);
    AddLabel("Center Hole Radius:", 13, 82, 104, wxALIGN_RIGHT);
    field(hole, 120, 80);
    m_pFlipNormals = new wxCheckBox(this, kVrmlFlipNormalsCheckBox, "Flip Normals",
                                    DialogPoint(this, 13, 104), DialogSize(this, 80, 10));
    m_pFlipNormals->SetValue(options.bFlipNormals);

    AddLabel("Pigment (diffuse color)", 179, 20, 140);
    AddColour(kVrmlDiffuseSwatch, kVrmlDiffuseButton, &m_options.clrDiffuse, 179, 30);
    AddLabel("Emitting Color", 179, 48, 140);
    AddColour(kVrmlEmissiveSwatch, kVrmlEmissiveButton, &m_options.clrEmissive, 179, 58);
    AddLabel("Specular Color :", 179, 76, 140);
    AddColour(kVrmlSpecularSwatch, kVrmlSpecularButton, &m_options.clrSpecular, 179, 86);
    AddLabel("Shininess:", 179, 108, 60, wxALIGN_RIGHT);
    field(shininess, 242, 106);
    AddLabel("Trasparency :", 179, 126, 60, wxALIGN_RIGHT);
    field(transparency, 242, 124);

    auto* ok = new wxButton(this, wxID_OK, "Export", DialogPoint(this, 227, 153),
                            DialogSize(this, 50, 14));
    new wxButton(this, wxID_CANCEL, "Cancel", DialogPoint(this, 283, 153),
                 DialogSize(this, 50, 14));
    ok->SetDefault();
    SetClientSize(DialogSize(this, 340, 174));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
    FindWindow(sections.control)->SetFocus();
}

void VrmlExpDlg::AddLabel(const char* text, int x, int y, int w, long style) {
    new wxStaticText(this, wxID_ANY, text, DialogPoint(this, x, y), DialogSize(this, w, 8),
                     style | wxST_NO_AUTORESIZE);
}

void VrmlExpDlg::AddColour(int swatch, int button, Colour* colour, int x, int y) {
    auto* box =
        new ColourSwatch(this, swatch, DialogPoint(this, x, y), DialogSize(this, 30, 14), colour);
    auto* change = new wxButton(this, button, "Change...", DialogPoint(this, x + 36, y),
                                DialogSize(this, 50, 14));
    change->Bind(wxEVT_BUTTON, [this, box, colour](wxCommandEvent&) {
        if (const std::optional<Colour> chosen = m_chooser(this, *colour)) *colour = *chosen;
        box->Refresh();
        box->Update();
    });
}

bool VrmlExpDlg::Accept() {
    VrmlOptions read = m_options;
    if (const std::optional<FieldError> error =
            ReadVrmlOptions(FieldTextsOf(this, kVrmlOptionsFields), read)) {
        RefuseField(m_prompter, this, *error);
        return false;
    }
    read.bFlipNormals = m_pFlipNormals->GetValue();
    m_options = read;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    return true;
}

}  // namespace orvanel
