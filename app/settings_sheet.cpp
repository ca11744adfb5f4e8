#include "app/settings_sheet.h"

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

}  // namespace

// --- the pages

CSettingPage::CSettingPage(wxWindow* book, const ColourChooser& chooser)
    : wxPanel(book, wxID_ANY), m_chooser(chooser) {
    SetMinSize(Size(183, 94));
}

void CSettingPage::AddLabel(const char* text, int x, int y, int w, int h, long style) {
    const bool sized = w >= 0;
    auto* label =
        new wxStaticText(this, wxID_ANY, text, At(x, y), sized ? Size(w, h) : wxDefaultSize,
                         style | (sized ? wxST_NO_AUTORESIZE : 0));
    if (sized) label->Wrap(Size(w, h).x);
}

void CSettingPage::AddSwatch(int id, Colour* colour, int x, int y, int w, int h) {
    auto* swatch = new ColourSwatch(this, id, At(x, y), Size(w, h), colour);
    swatch->Bind(wxEVT_LEFT_UP, [this, swatch, colour](wxMouseEvent& event) {
        if (const std::optional<Colour> chosen = m_chooser(this, *colour)) *colour = *chosen;
        swatch->Refresh();
        swatch->Update();
        event.Skip();
    });
}

CEditorSettingPage::CEditorSettingPage(wxWindow* book, const ColourChooser& chooser,
                                       const EditorSettingPageValues& values)
    : CSettingPage(book, chooser), m_values(values) {
    const auto& [steps, grid, pen] = kEditorPageFields;
    AddLabel("Pen", 45, 10);
    AddLabel("Grid", 85, 10);
    AddLabel("Background", 115, 10);
    AddLabel("Color", 10, 25, 20, 8, wxALIGN_RIGHT);
    AddSwatch(id::kPenSwatch, &m_values.m_clrPen, 35, 20, 35, 15);
    AddSwatch(id::kGridSwatch, &m_values.m_clrGrid, 75, 20, 35, 15);
    AddSwatch(id::kEditorBackgroundSwatch, &m_values.m_clrBackground, 115, 20, 35, 15);
    AddLabel("Size", 10, 45, 20, 8, wxALIGN_RIGHT);
    const FieldTexts texts = EditorPageTexts(values);
    AddField(pen, texts.at(pen.control), 40, 40);
    AddField(grid, texts.at(grid.control), 80, 40);
    AddLabel("Curve steps", 15, 70, 40, 10, wxALIGN_RIGHT);
    AddField(steps, texts.at(steps.control), 60, 65);
}

std::optional<FieldError> CEditorSettingPage::ReadFields() {
    const auto& [steps, grid, pen] = kEditorPageFields;
    return ReadEditorPage(FieldTextsOf(this, {steps, grid, pen}), m_values);
}

CObjectPage::CObjectPage(wxWindow* book, const ColourChooser& chooser,
                         const ObjectPageValues& values)
    : CSettingPage(book, chooser), m_values(values) {
    const auto& [steps, sections, height] = kObjectPageFields;
    const FieldTexts texts = ObjectPageTexts(values);
    AddLabel("Curve steps", 5, 10);
    AddField(steps, texts.at(steps.control), 50, 5);
    AddLabel("Color", 25, 30);
    AddSwatch(id::kObjectSwatch, &m_values.m_clrObject, 50, 25, 34, 16);
    m_pSmooth = new wxCheckBox(this, id::kSmoothShadingCheckBox, "Smooth Shading", At(95, 30),
                               Size(75, 10));
    m_pSmooth->SetValue(values.m_bSmooth);
    AddLabel("Segments\nper row", 7, 43, 38, 17);
    AddField(sections, texts.at(sections.control), 50, 45);
    // The extrusion height is carried through unseen, and still checked.
    const size_t before = GetChildren().size();
    AddLabel("Extrusion Height", 15, 65, 30, 20);
    AddField(height, texts.at(height.control), 50, 65);
    for (size_t i = before; i < GetChildren().size(); ++i) GetChildren()[i]->Hide();
}

std::optional<FieldError> CObjectPage::ReadFields() {
    const auto& [steps, sections, height] = kObjectPageFields;
    std::optional<FieldError> error =
        ReadObjectPage(FieldTextsOf(this, {steps, sections, height}), m_values);
    if (!error) m_values.m_bSmooth = m_pSmooth->GetValue();
    return error;
}

CPreviewPage::CPreviewPage(wxWindow* book, const ColourChooser& chooser,
                           const PreviewPageValues& values)
    : CSettingPage(book, chooser), m_values(values) {
    AddLabel("Colors", 40, 0);
    AddLabel("Front Light", 10, 10, 23, 16, wxALIGN_RIGHT);
    AddLabel("Back Light", 10, 30, 23, 16, wxALIGN_RIGHT);
    AddLabel("Grid Plane", 10, 50, 23, 16, wxALIGN_RIGHT);
    AddLabel("Back Ground", 5, 70, 28, 16, wxALIGN_RIGHT);
    AddSwatch(id::kFrontLightSwatch, &m_values.m_clrFrontLight, 35, 10, 34, 16);
    AddSwatch(id::kBackLightSwatch, &m_values.m_clrBackLight, 35, 30, 34, 16);
    AddSwatch(id::kGridPlaneSwatch, &m_values.m_clrGridPlane, 35, 50, 34, 16);
    AddSwatch(id::kPreviewBackgroundSwatch, &m_values.m_clrBackground, 35, 70, 34, 16);
    AddLabel("Lights Position", 80, 15, 90, 8, wxALIGN_CENTRE_HORIZONTAL);
    AddLabel("Front", 90, 45);
    AddLabel("Back", 140, 45);
    // Each group's buttons follow one another, with nothing between them:
    // that is what makes them one group.
    m_front = AddLightGroup(id::kFrontLightButtons,
                            {At(80, 30), At(95, 30), At(110, 30), At(80, 46), At(110, 45),
                             At(80, 60), At(95, 60), At(110, 60)},
                            values.m_nFrontLightPos);
    m_back = AddLightGroup(id::kBackLightButtons,
                           {At(130, 30), At(145, 30), At(160, 30), At(130, 46), At(160, 46),
                            At(130, 60), At(145, 60), At(160, 60)},
                           values.m_nBackLightPos);
}

CPreviewPage::LightGroup CPreviewPage::AddLightGroup(const std::array<int, 8>& ids,
                                                     const std::array<wxPoint, 8>& cells,
                                                     int selected) {
    LightGroup group{};
    for (size_t i = 0; i < ids.size(); ++i) {
        group[i] = new wxRadioButton(this, ids[i], wxString(), cells[i], wxDefaultSize,
                                     i == 0 ? wxRB_GROUP : 0);
        // No smaller than the theme draws a button.
        wxSize size = group[i]->GetBestSize();
        size.IncTo(Size(10, 8));
        group[i]->SetSize(size);
    }
    group[8] = new wxRadioButton(this, wxID_ANY, wxString(), cells[0]);
    group[8]->Hide();
    const bool valid = selected >= 0 && selected < static_cast<int>(ids.size());
    group[valid ? static_cast<size_t>(selected) : 8]->SetValue(true);
    return group;
}

int CPreviewPage::SelectedIndex(const LightGroup& group, std::span<const int, 8> ids) {
    // The hidden button of no position is none of the ids: -1.
    for (const wxRadioButton* button : group) {
        if (button->GetValue()) return RadioIndex(ids, button->GetId());
    }
    return -1;
}

std::optional<FieldError> CPreviewPage::ReadFields() {
    m_values.m_nBackLightPos = SelectedIndex(m_back, id::kBackLightButtons);
    m_values.m_nFrontLightPos = SelectedIndex(m_front, id::kFrontLightButtons);
    return std::nullopt;
}

// --- the sheet

CSettingSheet::CSettingSheet(wxWindow* parent, Prompter& prompter, const SettingSheetValues& values,
                             ColourChooser chooser)
    : m_prompter(prompter), m_chooser(std::move(chooser)) {
    Create(parent, wxID_ANY, "Property Sheet");
    CreateButtons(wxOK | wxCANCEL);
    wxBookCtrlBase* book = GetBookCtrl();
    m_pEditor = new CEditorSettingPage(book, m_chooser, values.editor);
    m_pObject = new CObjectPage(book, m_chooser, values.object);
    m_pPreview = new CPreviewPage(book, m_chooser, values.preview);
    book->AddPage(m_pEditor, "Editor", true);
    book->AddPage(m_pObject, "3D Object");
    book->AddPage(m_pPreview, "3D Environment");
    LayoutDialog();
    book->Bind(wxEVT_BOOKCTRL_PAGE_CHANGING, &CSettingSheet::OnPageChanging, this);
    Bind(wxEVT_BUTTON, &CSettingSheet::OnOk, this, wxID_OK);
}

SettingSheetValues CSettingSheet::Values() const {
    return {m_pEditor->m_values, m_pObject->m_values, m_pPreview->m_values};
}

bool CSettingSheet::LeavePage(int index) {
    auto* page = dynamic_cast<CSettingPage*>(GetBookCtrl()->GetPage(index));
    if (page == nullptr) return true;
    const std::optional<FieldError> error = page->ReadFields();
    if (error) RefuseField(m_prompter, page, *error);
    return !error;
}

void CSettingSheet::OnPageChanging(wxBookCtrlEvent& event) {
    const int leaving = event.GetOldSelection();
    if (leaving == wxNOT_FOUND) return;
    auto* page = dynamic_cast<CSettingPage*>(GetBookCtrl()->GetPage(leaving));
    if (page == nullptr) return;
    std::optional<FieldError> error = page->ReadFields();
    if (!error) return;
    event.Veto();
    // Told once the tab click is over: a box opened inside the switch would
    // leave the tab strip in the middle of its click.
    CallAfter([this, page, error = std::move(*error)] { RefuseField(m_prompter, page, error); });
}

bool CSettingSheet::Accept() {
    const int shown = GetBookCtrl()->GetSelection();
    if (shown != wxNOT_FOUND && !LeavePage(shown)) return false;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    return true;
}

void CSettingSheet::OnOk(wxCommandEvent&) { Accept(); }

bool WxSettingSheetRunner::RunModal(std::string_view title, SettingSheetValues& values) {
    CSettingSheet sheet(m_pParent, m_prompter, values);
    sheet.SetTitle(Wx(title));
    if (sheet.ShowModal() != wxID_OK) return false;
    values = sheet.Values();
    return true;
}

}  // namespace orvanel
