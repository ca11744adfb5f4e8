#include "app/dialog_parts.h"

#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/renderer.h>
#include <wx/settings.h>
#include <wx/tokenzr.h>

#include <algorithm>
#include <climits>

#include "editor/dc_canvas.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

void DrawArrow(wxDC& dc, const wxRect& rc, bool up) {
    const int w = std::max(1, std::min(rc.width - 4, (rc.height - 2) * 2) / 2);
    const int cx = rc.x + rc.width / 2, cy = rc.y + rc.height / 2;
    const int h = std::max(1, w / 2);
    const wxPoint points[3] = {{cx - w / 2 - 1, up ? cy + h / 2 : cy - h / 2},
                               {cx + w / 2 + 1, up ? cy + h / 2 : cy - h / 2},
                               {cx, up ? cy - h / 2 - 1 : cy + h / 2 + 1}};
    dc.DrawPolygon(3, points);
}

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

// --- the colour swatch

ColourSwatch::ColourSwatch(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                           const Colour* colour)
    : wxWindow(parent, id, pos, size, wxBORDER_SUNKEN), m_pColour(colour) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &ColourSwatch::OnPaint, this);
}

void ColourSwatch::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(ToWx(*m_pColour)));
    const wxSize size = GetClientSize();
    dc.DrawRectangle(0, 0, size.x, size.y);
}

// --- the spin arrows

SpinArrows::SpinArrows(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                       wxTextCtrl* buddy, int lo, int hi)
    : wxWindow(parent, id, pos, size), m_pBuddy(buddy), m_nLo(lo), m_nHi(hi), m_nPos(lo) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &SpinArrows::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &SpinArrows::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &SpinArrows::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { Release(); });
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { Release(); });
    m_repeat.Bind(wxEVT_TIMER, &SpinArrows::OnRepeat, this);
    buddy->Bind(wxEVT_KEY_DOWN, &SpinArrows::OnBuddyKey, this);
}

void SpinArrows::Step(int delta) {
    // A field that holds no integer steps from where the arrows last were.
    const FieldRead<int> read = ReadIntField(m_pBuddy->GetValue().utf8_string(), INT_MIN, INT_MAX);
    const long long from = std::clamp(read.value.value_or(m_nPos), m_nLo, m_nHi);
    m_nPos = static_cast<int>(std::clamp<long long>(from + delta, m_nLo, m_nHi));
    m_pBuddy->ChangeValue(Wx(FormatIntField(m_nPos)));
}

void SpinArrows::OnPaint(wxPaintEvent&) {
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

void SpinArrows::OnLeftDown(wxMouseEvent& event) {
    m_nHeld = event.GetY() < GetClientSize().y / 2 ? 1 : -1;
    Step(m_nHeld);
    if (!HasCapture()) CaptureMouse();
    m_repeat.StartOnce(400);
    Refresh();
}

void SpinArrows::OnRepeat(wxTimerEvent&) {
    if (m_nHeld == 0) return;
    Step(m_nHeld);
    if (!m_repeat.IsRunning()) m_repeat.Start(60);
}

void SpinArrows::Release() {
    m_repeat.Stop();
    m_nHeld = 0;
    if (HasCapture()) ReleaseMouse();
    Refresh();
}

void SpinArrows::OnBuddyKey(wxKeyEvent& event) {
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

// --- fields in dialog units

wxPoint DialogPoint(wxWindow* window, int x, int y) {
    return window->ConvertDialogToPixels(wxPoint(x, y));
}

wxSize DialogSize(wxWindow* window, int w, int h) {
    return window->ConvertDialogToPixels(wxSize(w, h));
}

wxTextCtrl* AddRuleField(wxWindow* parent, const FieldRule& rule, const std::string& text, int x,
                         int y) {
    auto* field = new wxTextCtrl(parent, rule.control, Wx(text), DialogPoint(parent, x, y),
                                 DialogSize(parent, 25, 14));
    if (rule.spin != 0) {
        new SpinArrows(parent, rule.spin, DialogPoint(parent, x + 25, y),
                       DialogSize(parent, 11, 14), field, rule.spinLo, rule.spinHi);
    }
    return field;
}

FieldTexts FieldTextsOf(const wxWindow* window, std::span<const FieldRule> rules) {
    FieldTexts texts;
    for (const FieldRule& rule : rules) {
        if (const auto* field = dynamic_cast<const wxTextCtrl*>(window->FindWindow(rule.control))) {
            texts[rule.control] = field->GetValue().utf8_string();
        }
    }
    return texts;
}

FieldTexts FieldTextsOf(const wxWindow* window, std::initializer_list<FieldRule> rules) {
    return FieldTextsOf(window, std::span<const FieldRule>(rules.begin(), rules.size()));
}

void RefuseField(Prompter& prompter, wxWindow* window, const FieldError& error) {
    prompter.ShowMessage(error.message);
    if (auto* field = dynamic_cast<wxTextCtrl*>(window->FindWindow(error.control))) {
        field->SetFocus();
        field->SelectAll();
    }
}

wxString WxWildcard(std::string_view filter) {
    const wxArrayString parts = wxStringTokenize(Wx(filter), "|", wxTOKEN_RET_EMPTY);
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

}  // namespace orvanel
