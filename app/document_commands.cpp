#include "app/document_commands.h"

#include "editor/editor_view.h"
#include "preview/gl_view.h"
#include "resources/command_ids.h"
#include "resources/ids.h"

namespace orvanel {

namespace {

// Every command of the document that the program runs now.
constexpr Command kCommands[] = {
    Command::Undo,
    Command::Redo,
    Command::Copy,
    Command::SelectAll,
    Command::Deselect,
    Command::OpenCloseProfile,
    Command::AnchorSelected,
    Command::AnchorMenuPoint,
    Command::DeleteMenuPoint,
    Command::ToolPencil,
    Command::ToolInsert,
    Command::ToolMove,
    Command::ToolDragPhoto,
    Command::ToggleGrid,
    Command::ToggleSmoothing,
    Command::FlipNormals,
    Command::ViewGridPlane,
    Command::PhotoRemove,
    Command::PhotoHide,
};

}  // namespace

const std::vector<int>& DocumentCommands::PendingCommands() {
    static const std::vector<int> pending{
        id::Ui(id::kSettings), id::Ui(id::kTransfer),        id::Ui(id::kGoldenRatio),
        id::Ui(id::kPhotoAdd), id::Ui(id::kPhotoProperties), wxID_ABOUT,
    };
    return pending;
}

DocumentCommands::DocumentCommands(CTavrinEditorDoc& doc, CTavrinEditorView& editor,
                                   CGLView& preview)
    : m_doc(doc), m_editor(editor), m_preview(preview) {
    for (const Command command : kCommands) {
        const int id = WxIdOf(command);
        Bind(
            wxEVT_UPDATE_UI,
            [this, command](wxUpdateUIEvent& e) {
                const CommandState state = CommandRule(command, Context());
                e.Enable(state.enabled);
                if (state.hasCheck) e.Check(state.checked);
            },
            id);
        Bind(
            wxEVT_MENU, [this, command](wxCommandEvent&) { Run(command); }, id);
    }
    // Cut and Paste have no handler: nothing is ever put on the clipboard.
    for (const int command : {wxID_CUT, wxID_PASTE}) {
        Bind(
            wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(false); }, command);
    }
    for (const int command : PendingCommands()) {
        Bind(
            wxEVT_UPDATE_UI, [](wxUpdateUIEvent& e) { e.Enable(false); }, command);
    }
}

CommandContext DocumentCommands::Context() const {
    CommandContext context = CommandContextOf(m_doc, m_editor.Tools());
    context.bGrid = m_editor.IsGridOn();
    context.bShowGridPlane = m_preview.m_bShowGridPlane;
    context.bSmooth = m_preview.m_bSmooth;
    context.bRulerVisible = m_doc.m_pGoldenRuler && m_doc.m_pGoldenRuler->IsVisible();
    return context;
}

void DocumentCommands::Run(Command command) {
    if (RunDocumentCommand(command, m_doc, m_editor.Tools(), *this) != CommandOutcome::NotHandled)
        return;
    // An accelerator fires a command whatever its menu item shows.
    if (!CommandRule(command, Context()).enabled) return;
    RunInApplication(command);
}

void DocumentCommands::RunInApplication(Command command) {
    switch (command) {
        case Command::ToggleGrid:
            m_editor.ToggleGrid();
            break;
        case Command::ToggleSmoothing:
            m_preview.ToggleSmoothing();
            break;
        case Command::ViewGridPlane:
            m_preview.m_bShowGridPlane = !m_preview.m_bShowGridPlane;
            m_doc.RepaintPreview();
            break;
        default:
            break;
    }
}

void DocumentCommands::PostCommand(Command command) {
    // Through the editor window, so that it takes the route of a menu command.
    CTavrinEditorView& editor = m_editor;
    const int id = WxIdOf(command);
    m_editor.CallAfter([&editor, id] {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(&editor);
        editor.ProcessWindowEvent(event);
    });
}

void DocumentCommands::InvalidateEditor() { m_editor.InvalidateDrawing(); }

}  // namespace orvanel
