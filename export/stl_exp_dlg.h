// "STL Export Options": the sections around the axis, the steps per spline
// segment and the file's form, binary or text. A refused field is told with
// the program's message and the dialog stays open on it.
#pragma once

#include <wx/dialog.h>

#include "document/prompter.h"
#include "export/stl_writer.h"

class wxRadioButton;

namespace orvanel {

class StlExpDlg final : public wxDialog {
public:
    StlExpDlg(wxWindow* parent, Prompter& prompter, const StlOptions& options);

    const StlOptions& Values() const { return m_options; }

    // What "Export" does: reads and checks the fields; ends the dialog when
    // they pass.
    bool Accept();

private:
    Prompter& m_prompter;
    StlOptions m_options;
    wxRadioButton* m_pAscii = nullptr;
};

}  // namespace orvanel
