// "Point Properties": one point's distance from the axis and height above the
// bottom edge of the editor area in the display unit, and its anchor flag.
#pragma once

#include <wx/dialog.h>

#include "document/document.h"
#include "document/prompter.h"
#include "editor/point_properties.h"

class wxCheckBox;
class wxTextCtrl;

namespace orvanel {

class CDlgPointProperties final : public wxDialog {
public:
    static constexpr int kDistanceField = 1111;
    static constexpr int kHeightField = 1112;
    static constexpr int kAnchorCheckBox = 1113;

    // The point must outlive the dialog.
    CDlgPointProperties(wxWindow* parent, Prompter& prompter, const ProfilePoint& point,
                        const UnitSystem& units);

    // Where OK puts the point.
    const PointPlacement& Placement() const { return m_placement; }

    // What OK does: a value outside the editor area is told with the range
    // message and the dialog stays open on its field.
    bool Accept();

private:
    Prompter& m_prompter;
    const ProfilePoint& m_point;
    UnitSystem m_units;
    PointPlacement m_placement;
    wxTextCtrl* m_pDistance = nullptr;
    wxTextCtrl* m_pHeight = nullptr;
    wxCheckBox* m_pAnchor = nullptr;
};

// The command on the context menu's point: the dialog, and on OK the move as
// one undo step. Returns whether the point changed.
bool RunPointProperties(wxWindow* parent, CTavrinEditorDoc& doc);

}  // namespace orvanel
