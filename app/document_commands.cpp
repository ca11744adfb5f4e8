#include "app/document_commands.h"

#include "editor/editor_view.h"
#include "preview/gl_view.h"
#include "resources/ids.h"

namespace orvanel {

const std::vector<int>& DocumentCommands::PendingCommands() {
    static const std::vector<int> pending{
        wxID_SELECTALL,
        id::Ui(id::kDeselect),
        id::Ui(id::kOpenCloseProfile),
        id::Ui(id::kAnchorSelected),
        id::Ui(id::kToolPencil),
        id::Ui(id::kToolInsert),
        id::Ui(id::kToolMove),
        id::Ui(id::kToolDragPhoto),
        id::Ui(id::kSettings),
        id::Ui(id::kTransfer),
        id::Ui(id::kGoldenRatio),
        id::Ui(id::kPhotoAdd),
        id::Ui(id::kPhotoRemove),
        id::Ui(id::kPhotoProperties),
        id::Ui(id::kPhotoHide),
        wxID_ABOUT,
    };
    return pending;
}

DocumentCommands::DocumentCommands(CTavrinEditorDoc& doc, CTavrinEditorView& editor,
                                   CGLView& preview)
    : m_doc(doc), m_editor(editor), m_preview(preview) {
    Bind(wxEVT_MENU, &DocumentCommands::OnUndo, this, wxID_UNDO);
    Bind(wxEVT_MENU, &DocumentCommands::OnRedo, this, wxID_REDO);
    Bind(wxEVT_MENU, &DocumentCommands::OnFlipNormals, this, id::Ui(id::kFlipNormals));
    Bind(wxEVT_MENU, &DocumentCommands::OnViewGridPlane, this, id::Ui(id::kViewGridPlane));
    Bind(wxEVT_MENU, &DocumentCommands::OnToggleSmoothing, this, id::Ui(id::kToggleSmoothing));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(m_doc.CanUndo()); }, wxID_UNDO);
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(m_doc.CanRedo()); }, wxID_REDO);
    // Nothing is ever put on the clipboard.
    for (const int command : {wxID_CUT, wxID_COPY, wxID_PASTE}) {
        Bind(
            wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(false); }, command);
    }
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(m_preview.m_bShowGridPlane); },
        id::Ui(id::kViewGridPlane));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(m_preview.m_bSmooth); },
        id::Ui(id::kToggleSmoothing));
    for (const int command : PendingCommands()) {
        Bind(
            wxEVT_UPDATE_UI,
            [this, command](wxUpdateUIEvent& e) {
                e.Enable(false);
                // The tools show which one is current even before they work.
                if (command == id::Ui(id::kToolPencil))
                    e.Check(m_editor.Tool() == id::kToolIdPencil);
                if (command == id::Ui(id::kToolInsert))
                    e.Check(m_editor.Tool() == id::kToolIdInsert);
                if (command == id::Ui(id::kToolMove)) e.Check(m_editor.Tool() == id::kToolIdMove);
                if (command == id::Ui(id::kToolDragPhoto)) {
                    e.Check(m_editor.Tool() == id::kToolIdDragPhoto);
                }
            },
            command);
    }
}

void DocumentCommands::OnUndo(wxCommandEvent&) { m_doc.OnEditUndo(); }

void DocumentCommands::OnRedo(wxCommandEvent&) { m_doc.OnEditRedo(); }

// The walk direction changes, so the mesh is rebuilt; the profile itself is
// untouched: no undo step, no modified mark.
void DocumentCommands::OnFlipNormals(wxCommandEvent&) {
    m_doc.m_bFlipNormals = !m_doc.m_bFlipNormals;
    m_doc.UpdateAllViews();
}

void DocumentCommands::OnViewGridPlane(wxCommandEvent&) {
    m_preview.m_bShowGridPlane = !m_preview.m_bShowGridPlane;
    m_doc.RepaintPreview();
}

void DocumentCommands::OnToggleSmoothing(wxCommandEvent&) { m_preview.ToggleSmoothing(); }

}  // namespace orvanel
