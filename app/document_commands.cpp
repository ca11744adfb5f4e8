#include "app/document_commands.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <filesystem>
#include <optional>

#include "app/dimensions_dialog.h"
#include "app/settings_sheet.h"
#include "editor/editor_view.h"
#include "editor/photo_commands.h"
#include "editor/photo_dialog.h"
#include "editor/point_properties_dialog.h"
#include "export/dxf_writer.h"
#include "export/export_commands.h"
#include "export/svg_writer.h"
#include "export/transfer.h"
#include "export/wx_export_dialogs.h"
#include "preview/gl_view.h"
#include "preview/golden_ruler_3d.h"
#include "resources/wx_commands.h"

namespace orvanel {

namespace {

// The two views as the Settings flow reads and writes them.
class ViewSettings final : public SettingsFlowViews {
public:
    ViewSettings(CTavrinEditorView& editor, CGLView& preview)
        : m_editor(editor), m_preview(preview) {}

    EditorLook GetEditorLook() const override { return m_editor.Look(); }
    void SetEditorLook(const EditorLook& look) override { m_editor.SetLook(look); }
    PreviewLook GetPreviewLook() const override { return m_preview.m_look; }
    void SetPreviewLook(const PreviewLook& look) override { m_preview.m_look = look; }
    bool IsPreviewSmooth() const override { return m_preview.m_bSmooth; }
    void TogglePreviewSmoothing() override { m_preview.ToggleSmoothing(); }
    void ResetPreviewGLState() override { m_preview.ResetGLState(); }

private:
    CTavrinEditorView& m_editor;
    CGLView& m_preview;
};

// The file an outline export writes: asked beside the profile, under its
// name; a name typed without the extension gets it.
std::optional<std::filesystem::path> ChooseOutlineFile(wxWindow* parent,
                                                       const CTavrinEditorDoc& doc,
                                                       const wxString& filter,
                                                       const wxString& extension) {
    wxFileName suggested(wxString::FromUTF8(doc.GetTitle()));
    suggested.SetExt(extension);
    const wxString folder = wxString::FromUTF8(doc.GetPathName().parent_path().string());
    wxFileDialog dialog(parent, "Export", folder, suggested.GetFullName(),
                        filter + "|All Files (*.*)|*", wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    wxFileName chosen(dialog.GetPath());
    if (chosen.GetExt().empty() && dialog.GetFilterIndex() == 0) chosen.SetExt(extension);
    return std::filesystem::path(chosen.GetFullPath().utf8_string());
}

}  // namespace

DocumentCommands::DocumentCommands(CTavrinEditorDoc& doc, CTavrinEditorView& editor,
                                   CGLView& preview, WindowState windowState)
    : m_doc(doc),
      m_editor(editor),
      m_preview(preview),
      m_windowState(std::move(windowState)),
      m_sibling(SiblingLink::OfThisSession()),
      m_siblingPresence([this] { return m_sibling.Find().has_value(); },
                        // From the search's thread: the next idle update
                        // asks again and gets the answer.
                        [] { wxWakeUpIdle(); }) {
    for (const CommandRow& row : CommandTable()) {
        if (row.command == Command::None) continue;
        const Command command = row.command;
        const int id = WxIdOf(command);
        Bind(
            wxEVT_UPDATE_UI,
            [this, command](wxUpdateUIEvent& e) {
                const CommandState state = CommandRule(command, Context());
                e.Enable(state.enabled && Handles(command));
                if (state.hasCheck) e.Check(state.checked);
            },
            id);
        Bind(
            wxEVT_MENU, [this, command](wxCommandEvent&) { Run(command); }, id);
    }

    wxWindow* frame = wxGetTopLevelParent(&m_editor);
    Handle(Command::Settings, [this, frame] {
        ViewSettings views(m_editor, m_preview);
        WxSettingSheetRunner sheet(frame, m_doc.GetPrompter());
        RunSettingsFlow(m_doc, views, sheet);
    });
    Handle(Command::ExportPov, [this, frame] {
        ViewSettings views(m_editor, m_preview);
        WxSettingSheetRunner sheet(frame, m_doc.GetPrompter());
        WxExportDialogs dialogs(frame, m_doc.GetPrompter());
        RunPovExport(m_doc, dialogs, views, sheet);
    });
    Handle(Command::ExportVrml, [this, frame] {
        WxExportDialogs dialogs(frame, m_doc.GetPrompter());
        RunVrmlExport(m_doc, dialogs);
    });
    Handle(Command::ExportStl, [this, frame] {
        WxExportDialogs dialogs(frame, m_doc.GetPrompter());
        RunStlExport(m_doc, dialogs);
    });
    Handle(Command::Transfer, [this] {
        // The sibling is told which window sent the profile; it waits here
        // for the sibling's answer, as long as the link allows.
        const wxBusyCursor busy;
        TransferToSibling(m_doc, m_sibling, static_cast<std::uint64_t>(m_editor.GetId()));
    });
    Handle(Command::PhotoAdd, [this] {
        if (const auto path = ChoosePhotoFile(&m_editor)) AddPhoto(m_doc, *path, m_decoder, *this);
    });
    Handle(Command::PhotoProperties, [this, frame] { RunPhotoProperties(frame, m_doc); });
    Handle(Command::GoldenRatio, [this] { ToggleGoldenRuler(m_doc, m_editor.VisibleArea()); });
    Handle(Command::CalibratePhoto, [this] { m_editor.StartCalibration(); });
    Handle(Command::Dimensions, [this, frame] { RunDimensions(frame, m_doc); });
    Handle(Command::MenuPointProperties, [this, frame] { RunPointProperties(frame, m_doc); });
    Handle(Command::ExportSvg, [this, frame] {
        if (const auto path = ChooseOutlineFile(frame, m_doc, "SVG Files (*.svg)|*.svg", "svg")) {
            WriteSvgFile(m_doc, *path, {}, m_doc.GetPrompter());
        }
    });
    Handle(Command::ExportDxf, [this, frame] {
        if (const auto path = ChooseOutlineFile(frame, m_doc, "DXF Files (*.dxf)|*.dxf", "dxf")) {
            WriteDxfFile(m_doc, *path, {}, m_doc.GetPrompter());
        }
    });
    Handle(Command::ToggleGrid, [this] { m_editor.ToggleGrid(); });
    Handle(Command::ToggleSmoothing, [this] { m_preview.ToggleSmoothing(); });
    Handle(Command::ViewGridPlane, [this] {
        m_preview.m_bShowGridPlane = !m_preview.m_bShowGridPlane;
        m_doc.RepaintPreview();
    });
}

void DocumentCommands::Handle(Command command, Handler handler) {
    m_handlers[command] = std::move(handler);
}

bool DocumentCommands::Handles(Command command) const {
    return IsDocumentCommand(command) || m_handlers.contains(command);
}

CommandContext DocumentCommands::Context() const {
    CommandContext context = CommandContextOf(m_doc, m_editor.Tools());
    context.bGrid = m_editor.IsGridOn();
    context.bShowGridPlane = m_preview.m_bShowGridPlane;
    context.bSmooth = m_preview.m_bSmooth;
    context.bSiblingFound = m_siblingPresence.IsRunning();
    if (m_windowState) m_windowState(context);
    return context;
}

void DocumentCommands::Run(Command command) {
    if (IsDocumentCommand(command)) {
        RunDocumentCommand(command, m_doc, m_editor.Tools(), *this);
        return;
    }
    const auto handler = m_handlers.find(command);
    // An accelerator fires a command whatever its menu item shows.
    if (handler == m_handlers.end() || !CommandRule(command, Context()).enabled) return;
    handler->second();
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
