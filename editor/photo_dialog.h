// The background photo's dialogs: the choice of an image file, and the
// properties dialog that rescales the photo.
#pragma once

#include <wx/dialog.h>

#include <filesystem>
#include <optional>
#include <string>

#include "document/prompter.h"
#include "editor/photo_properties.h"

class wxCheckBox;
class wxTextCtrl;

namespace orvanel {

// The image file filter in wx's syntax: every extension also in capitals,
// since GTK matches them case by case, and "*" for all files.
wxString PhotoFileWildcard();

// The File Open dialog of Add/Replace photo; none when the user cancels.
std::optional<std::filesystem::path> ChoosePhotoFile(wxWindow* parent);

// "Picture Properties": the picture's size, the two scale percentages and
// the aspect lock. A refused percentage is told with the program's message
// and the dialog stays open on that field.
class CDlgPhotoProperties final : public wxDialog {
public:
    CDlgPhotoProperties(wxWindow* parent, Prompter& prompter, const PhotoPropertiesValues& values);

    // The values as OK left them.
    const PhotoPropertiesValues& Values() const { return m_values; }

    // What OK does: reads and checks the fields; ends the dialog when they pass.
    bool Accept();

private:
    void OnOk(wxCommandEvent& event);
    void OnLockAspect(wxCommandEvent& event);

    Prompter& m_prompter;
    PhotoPropertiesValues m_values;
    wxTextCtrl* m_pScaleHeight = nullptr;
    wxTextCtrl* m_pScaleWidth = nullptr;
    wxCheckBox* m_pLockAspect = nullptr;
};

// The Photo properties command on the document's photo: the dialog, and on
// OK the new rectangle. Returns whether it ended with OK.
bool RunPhotoProperties(wxWindow* parent, CTavrinEditorDoc& doc);

}  // namespace orvanel
