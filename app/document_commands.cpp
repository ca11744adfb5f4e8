#include "app/document_commands.h"

#include <wx/toplevel.h>

#include "app/settings_sheet.h"
#include "editor/editor_view.h"
#include "editor/photo_dialog.h"
#include "editor/photo_layout.h"
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
    Command::Settings,
    Command::PhotoAdd,
    Command::PhotoProperties,
    Command::PhotoRemove,
    Command::PhotoHide,
};

// The two views as the Settings flow reads and writes them.
class ViewSettings final : public SettingsFlowViews {
public:
    ViewSettings(CTavrinEditorView& editor, CGLView& preview)
        : m_editor(editor), m_preview(preview) {}

    EditorLook GetEditorLook() const override { return m_editor.Look(); }
    void SetEditorLook(const EditorLook& look) override { m_editor.SetLook(look); }
    PreviewLook GetPreviewLook() const override {
        const PreviewColours& c = m_preview.m_colours;
        return {c.object,
                c.background,
                c.gridPlane,
                c.backLight,
                c.frontLight,
                m_preview.m_nBackLightPos,
                m_preview.m_nFrontLightPos};
    }
    void SetPreviewLook(const PreviewLook& look) override {
        PreviewColours& c = m_preview.m_colours;
        c.object = look.m_clrObject;
        c.background = look.m_clrBackground;
        c.gridPlane = look.m_clrGridPlane;
        c.backLight = look.m_clrBackLight;
        c.frontLight = look.m_clrFrontLight;
        m_preview.m_nBackLightPos = look.m_nBackLightPos;
        m_preview.m_nFrontLightPos = look.m_nFrontLightPos;
    }
    bool IsPreviewSmooth() const override { return m_preview.m_bSmooth; }
    void TogglePreviewSmoothing() override { m_preview.ToggleSmoothing(); }
    void ResetPreviewGLState() override { m_preview.ResetGLState(); }

private:
    CTavrinEditorView& m_editor;
    CGLView& m_preview;
};

}  // namespace

const std::vector<int>& DocumentCommands::PendingCommands() {
    static const std::vector<int> pending{id::Ui(id::kTransfer), id::Ui(id::kGoldenRatio),
                                          wxID_ABOUT};
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
    wxWindow* frame = wxGetTopLevelParent(&m_editor);
    switch (command) {
        case Command::Settings: {
            ViewSettings views(m_editor, m_preview);
            WxSettingSheetRunner sheet(frame, m_doc.GetPrompter());
            RunSettingsFlow(m_doc, views, sheet);
            break;
        }
        case Command::PhotoAdd:
            if (const auto path = ChoosePhotoFile(&m_editor)) {
                AddPhoto(m_doc, *path, m_decoder, *this);
            }
            break;
        case Command::PhotoProperties:
            RunPhotoProperties(frame, m_doc);
            break;
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
