// "Dimensions": what one editor unit measures, the unit sizes are shown in,
// and the unit size that gives the profile a wanted height or diameter.
#pragma once

#include <wx/dialog.h>

#include <optional>

#include "document/document.h"
#include "document/prompter.h"
#include "editor/profile_size.h"

class wxChoice;
class wxStaticText;
class wxTextCtrl;

namespace orvanel {

class CDlgDimensions final : public wxDialog {
public:
    static constexpr int kUnitSizeField = 1101;
    static constexpr int kDisplayUnitChoice = 1102;
    static constexpr int kMakeHeightField = 1103;
    static constexpr int kMakeHeightButton = 1104;
    static constexpr int kMakeDiameterField = 1105;
    static constexpr int kMakeDiameterButton = 1106;

    // size is the profile's, in editor units; without it nothing can be made.
    CDlgDimensions(wxWindow* parent, Prompter& prompter, const UnitSystem& units,
                   const std::optional<ProfileSize>& size);

    // The units as OK left them.
    const UnitSystem& Units() const { return m_units; }

    // What OK does: reads and checks the unit size; ends the dialog when it passes.
    bool Accept();
    // What the Set buttons do: the unit size that gives the profile the typed
    // height or diameter goes into its field. False, after telling why, when
    // the typed length is refused.
    bool Make(SizeToMake what);

private:
    DisplayUnit ChosenUnit() const;
    // The make fields and the unit labels for the chosen unit at the unit size.
    void ShowSizes();
    void Refuse(const std::string& message, wxTextCtrl* field);

    Prompter& m_prompter;
    UnitSystem m_units;
    std::optional<ProfileSize> m_size;
    UnitSizeField m_shown;
    wxTextCtrl* m_pUnitSize = nullptr;
    wxChoice* m_pDisplayUnit = nullptr;
    wxTextCtrl* m_pMakeHeight = nullptr;
    wxTextCtrl* m_pMakeDiameter = nullptr;
    wxStaticText* m_pHeightUnit = nullptr;
    wxStaticText* m_pDiameterUnit = nullptr;
};

// The Dimensions command: the dialog on the document's units, and on OK the
// new ones, after which the views update. Returns whether it ended with OK.
bool RunDimensions(wxWindow* parent, CTavrinEditorDoc& doc);

}  // namespace orvanel
