// "VRML Export Options": the sampling, the spine, the crease angle, the centre
// hole, the facing and the material of one VRML export, laid out in dialog
// units. A refused field is told with the program's message and the dialog
// stays open on it.
#pragma once

#include <wx/dialog.h>

#include "app/dialog_parts.h"
#include "document/prompter.h"
#include "export/vrml_options.h"

class wxCheckBox;

namespace orvanel {

class VrmlExpDlg final : public wxDialog {
public:
    VrmlExpDlg(wxWindow* parent, Prompter& prompter, const VrmlOptions& options,
               ColourChooser chooser = ChooseColourWithDialog);

    // The options as "Export" left them, the colours as picked.
    const VrmlOptions& Values() const { return m_options; }

    // What "Export" does: reads and checks the fields; ends the dialog when
    // they pass.
    bool Accept();

private:
    void AddLabel(const char* text, int x, int y, int w, long style = 0);
    // A colour swatch with its "Change..." button, which picks *colour.
    void AddColour(int swatch, int button, Colour* colour, int x, int y);

    Prompter& m_prompter;
    ColourChooser m_chooser;
    VrmlOptions m_options;
    wxCheckBox* m_pFlipNormals = nullptr;
};

}  // namespace orvanel
