#include "app/settings_sheet.h"

#include <wx/bookctrl.h>
#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/radiobut.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <algorithm>
#include <climits>

#include "editor/dc_canvas.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

// A static frame filled with a colour. It takes no focus and no input of its
// own: its page handles the click.
class ColourSwatch final : public wxWindow {
public:
    ColourSwatch(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                 const Colour* colour)
        : wxWindow(parent, id, pos, size, wxBORDER_SUNKEN), m_pColour(colour) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &ColourSwatch::OnPaint, this);
    }
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(wxBrush(ToWx(*m_pColour)));
        const wxSize size = GetClientSize();
        dc.DrawRectangle(0, 0, size.x, size.y);
    }

    const Colour* m_pColour;
};

// The two arrows beside an edit field, its buddy: each click, each repeat
// while held, and the Up and Down keys in the field step the field's integer
// by one within the range and write it back.
class SpinArrows final : public wxWindow {
public:
    SpinArrows(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, wxTextCtrl* buddy,
               int lo, int hi)
        : wxWindow(parent, id, pos, size), m_pBuddy(buddy), m_nLo(lo), m_nHi(hi), m_nPos(lo) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, &SpinArrows::OnPaint, this);
        Bind(wxEVT_LEFT_DOWN, &SpinArrows::OnLeftDown, this);
        Bind(wxEVT_LEFT_DCLICK, &SpinArrows::OnLeftDown, this);
        Bind(wxEVT_LEFT_UP, &SpinArrows::OnLeftUp, this);
        Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { Release(); });
        m_repeat.Bind(wxEVT_TIMER, &SpinArrows::OnRepeat, this);
        buddy->Bind(wxEVT_KEY_DOWN, &SpinArrows::OnBuddyKey, this);
    }
    bool AcceptsFocus() const override { return false; }

    void Step(int delta) {
        // A field that holds no integer steps from where the arrows last were.
        const FieldRead<int> read =
            ReadIntField(m_pBuddy->GetValue().utf8_string(), INT_MIN, INT_MAX);
        const long long from = std::clamp(read.value.value_or(m_nPos), m_nLo, m_nHi);
        m_nPos = static_cast<int>(std::clamp<long long>(from + delta, m_nLo, m_nHi));
        m_pBuddy->ChangeValue(Wx(FormatIntField(m_nPos)));
    }

private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        const wxSize size = GetClientSize();
        const int half = size.y / 2;
        const wxRect up(0, 0, size.x, half), down(0, half, size.x, size.y - half);
        wxRendererNative& renderer = wxRendererNative::Get();
        dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
        dc.Clear();
        renderer.DrawPushButton(this, dc, up, m_nHeld > 0 ? int{wxCONTROL_PRESSED} : 0);
        renderer.DrawPushButton(this, dc, down, m_nHeld < 0 ? int{wxCONTROL_PRESSED} : 0);
        const wxColour ink =
            wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
        dc.SetPen(wxPen(ink));
        dc.SetBrush(wxBrush(ink));
        DrawArrow(dc, up, true);
        DrawArrow(dc, down, false);
    }

    static void DrawArrow(wxDC& dc, const wxRect& rc, bool up) {
        const int w = std::max(1, std::min(rc.width - 4, (rc.height - 2) * 2) / 2);
        const int cx = rc.x + rc.width / 2, cy = rc.y + rc.height / 2;
        const int h = std::max(1, w / 2);
        const wxPoint points[3] = {{cx - w / 2 - 1, up ? cy + h / 2 : cy - h / 2},
                                   {cx + w / 2 + 1, up ? cy + h / 2 : cy - h / 2},
                                   {cx, up ? cy - h / 2 - 1 : cy + h / 2 + 1}};
        dc.DrawPolygon(3, points);
    }

    void OnLeftDown(wxMouseEvent& event) {
        m_nHeld = event.GetY() < GetClientSize().y / 2 ? 1 : -1;
        Step(m_nHeld);
        if (!HasCapture()) CaptureMouse();
        m_repeat.StartOnce(400);
        Refresh();
    }

    void OnLeftUp(wxMouseEvent&) { Release(); }

    void OnRepeat(wxTimerEvent&) {
        if (m_nHeld == 0) return;
        Step(m_nHeld);
        if (!m_repeat.IsRunning()) m_repeat.Start(60);
    }

    void Release() {
        m_repeat.Stop();
        m_nHeld = 0;
        if (HasCapture()) ReleaseMouse();
        Refresh();
    }

    void OnBuddyKey(wxKeyEvent& event) {
        switch (event.GetKeyCode()) {
            case WXK_UP:
            case WXK_NUMPAD_UP:
                Step(1);
                break;
            case WXK_DOWN:
            case WXK_NUMPAD_DOWN:
                Step(-1);
                break;
            default:
                event.Skip();
        }
    }

    wxTextCtrl* m_pBuddy;
    int m_nLo, m_nHi, m_nPos;
    int m_nHeld = 0;  // +1 while the upper arrow is held, -1 for the lower one
    wxTimer m_repeat;
};

}  // namespace

std::optional<Colour> ChooseColourWithDialog(wxWindow* parent, Colour initial) {
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(ToWx(initial));
    wxColourDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    const wxColour chosen = dialog.GetColourData().GetColour();
    return Rgb(chosen.Red(), chosen.Green(), chosen.Blue());
}

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

void CSettingPage::AddField(const FieldRule& rule, const std::string& text, int x, int y) {
    auto* field = new wxTextCtrl(this, rule.control, Wx(text), At(x, y), Size(25, 14));
    new SpinArrows(this, rule.spin, At(x + 25, y), Size(11, 14), field, rule.spinLo, rule.spinHi);
}

FieldTexts CSettingPage::FieldTextsOf(std::initializer_list<FieldRule> rules) const {
    FieldTexts texts;
    for (const FieldRule& rule : rules) {
        if (const auto* field = dynamic_cast<const wxTextCtrl*>(FindWindow(rule.control))) {
            texts[rule.control] = field->GetValue().utf8_string();
        }
    }
    return texts;
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
    return ReadEditorPage(FieldTextsOf({steps, grid, pen}), m_values);
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
        ReadObjectPage(FieldTextsOf({steps, sections, height}), m_values);
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
    if (error) Refuse(*page, *error);
    return !error;
}

void CSettingSheet::Refuse(CSettingPage& page, const FieldError& error) {
    m_prompter.ShowMessage(error.message);
    if (auto* field = dynamic_cast<wxTextCtrl*>(page.FindWindow(error.control))) {
        field->SetFocus();
        field->SelectAll();
    }
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
    CallAfter([this, page, error = std::move(*error)] { Refuse(*page, error); });
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
