// Pieces the program's dialogs share: colour swatches and the colour dialog,
// edit fields with spin arrows laid out in dialog units, a refused field told
// and given the focus, and file filters in the toolkit's syntax.
#pragma once

#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/window.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/validation.h"
#include "document/colour.h"
#include "document/prompter.h"

namespace orvanel {

// Asks the user for a colour, starting from the given one; none on Cancel.
using ColourChooser = std::function<std::optional<Colour>(wxWindow* parent, Colour initial)>;

// The platform's colour dialog, opened in full and preset to the colour.
std::optional<Colour> ChooseColourWithDialog(wxWindow* parent, Colour initial);

// A static frame filled with a colour. It takes no focus and no input of its
// own: a click on it reaches whoever handles it.
class ColourSwatch final : public wxWindow {
public:
    ColourSwatch(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                 const Colour* colour);
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);

    const Colour* m_pColour;
};

// The two arrows beside an edit field, its buddy: each click, each repeat
// while held, and the Up and Down keys in the field step the field's integer
// by one within the range and write it back.
class SpinArrows final : public wxWindow {
public:
    SpinArrows(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, wxTextCtrl* buddy,
               int lo, int hi);
    bool AcceptsFocus() const override { return false; }
    void Step(int delta);

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnRepeat(wxTimerEvent& event);
    void Release();
    void OnBuddyKey(wxKeyEvent& event);

    wxTextCtrl* m_pBuddy;
    int m_nLo, m_nHi, m_nPos;
    int m_nHeld = 0;  // +1 while the upper arrow is held, -1 for the lower one
    wxTimer m_repeat;
};

// Dialog units of a window's font to pixels.
wxPoint DialogPoint(wxWindow* window, int x, int y);
wxSize DialogSize(wxWindow* window, int w, int h);

// An edit field of the rule's control, 25 x 14 dialog units at (x, y), with
// its spin arrows at its right edge when the rule has them.
wxTextCtrl* AddRuleField(wxWindow* parent, const FieldRule& rule, const std::string& text, int x,
                         int y);

// The texts of the rules' edit fields among the window's children.
FieldTexts FieldTextsOf(const wxWindow* window, std::span<const FieldRule> rules);
FieldTexts FieldTextsOf(const wxWindow* window, std::initializer_list<FieldRule> rules);

// A refused field: the message, then the focus on the field, its text selected.
void RefuseField(Prompter& prompter, wxWindow* window, const FieldError& error);

// A filter of the program's ("text|*.a;*.b|text|*.*") in wx's syntax: every
// extension also in capitals, since GTK matches them case by case, and "*"
// for all files.
wxString WxWildcard(std::string_view filter);

}  // namespace orvanel
