// The commands the document answers, with their enable and check rules, in
// the route after the active view and before the main window.
#pragma once

#include <wx/event.h>

#include "document/document.h"

namespace orvanel {

class CGLView;
class CTavrinEditorView;

class DocumentCommands final : public wxEvtHandler {
public:
    DocumentCommands(CTavrinEditorDoc& doc, CTavrinEditorView& editor, CGLView& preview);

    // Commands whose handlers are not in the program yet: shown, disabled.
    static const std::vector<int>& PendingCommands();

private:
    void OnUndo(wxCommandEvent& event);
    void OnRedo(wxCommandEvent& event);
    void OnFlipNormals(wxCommandEvent& event);
    void OnViewGridPlane(wxCommandEvent& event);
    void OnToggleSmoothing(wxCommandEvent& event);

    CTavrinEditorDoc& m_doc;
    CTavrinEditorView& m_editor;
    CGLView& m_preview;
};

}  // namespace orvanel
