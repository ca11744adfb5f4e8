#include "app/small_dialogs.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "resources/command_table.h"
#include "resources/ui_texts.h"

namespace orvanel {

namespace {
wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }
}  // namespace

CKeyDialog::CKeyDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, Wx(text::kKeyboardCaption)) {
    wxString keys, functions;
    for (const auto& [key, function] : KeyboardReference()) {
        if (!keys.empty()) {
            keys += "\n";
            functions += "\n";
        }
        keys += Wx(key);
        functions += Wx(function);
    }
    // Two columns whose lines pair up, keys right-aligned against the rule.
    auto* table = new wxFlexGridSizer(2, 3, 4, 8);
    table->Add(new wxStaticText(this, wxID_ANY, Wx(text::kKeyHeading)), 0, wxALIGN_RIGHT);
    table->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL), 0,
               wxEXPAND);
    table->Add(new wxStaticText(this, wxID_ANY, Wx(text::kFunctionHeading)));
    table->Add(
        new wxStaticText(this, wxID_ANY, keys, wxDefaultPosition, wxDefaultSize, wxALIGN_RIGHT), 0,
        wxALIGN_RIGHT);
    table->Add(new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_VERTICAL), 0,
               wxEXPAND);
    table->Add(new wxStaticText(this, wxID_ANY, functions));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(table, 0, wxALL, 12);
    auto* ok = new wxButton(this, wxID_OK);
    ok->SetDefault();
    sizer->Add(ok, 0, wxALIGN_CENTER | wxBOTTOM, 12);
    SetSizerAndFit(sizer);
    SetEscapeId(wxID_OK);
}

CDlgSelectView::CDlgSelectView(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, Wx(text::kSelectViewCaption)) {
    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, Wx(text::kSelectViewGroup));
    m_pDesign = new wxRadioButton(group->GetStaticBox(), wxID_ANY, Wx(text::kDesignView),
                                  wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_p3D = new wxRadioButton(group->GetStaticBox(), wxID_ANY, Wx(text::k3DView));
    group->Add(m_pDesign, 0, wxALL, 4);
    group->Add(m_p3D, 0, wxALL, 4);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(group, 0, wxEXPAND | wxALL, 10);
    sizer->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);
}

int CDlgSelectView::ShowModal() {
    (m_nView == k3DView ? m_p3D : m_pDesign)->SetValue(true);
    return wxDialog::ShowModal();
}

bool CDlgSelectView::TransferDataFromWindow() {
    m_nView = m_p3D->GetValue() ? k3DView : kDesignView;
    return true;
}

}  // namespace orvanel
