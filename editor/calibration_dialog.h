// "Calibrate Photo": the real distance between the two ends the user clicked
// on the photo, in the display unit.
#pragma once

#include <wx/dialog.h>

#include "document/document.h"
#include "editor/photo_calibration.h"

class wxTextCtrl;

namespace orvanel {

class CDlgCalibrateDistance final : public wxDialog {
public:
    static constexpr int kDistanceField = 1121;

    // The calibration must have both ends; both references must outlive the dialog.
    CDlgCalibrateDistance(wxWindow* parent, CTavrinEditorDoc& doc,
                          const PhotoCalibration& calibration);

    // What OK does: scales the document's photo, or tells why the distance
    // is refused and stays open on the field.
    bool Accept();

private:
    CTavrinEditorDoc& m_doc;
    const PhotoCalibration& m_calibration;
    wxTextCtrl* m_pDistance = nullptr;
};

}  // namespace orvanel
