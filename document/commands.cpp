#include "document/commands.h"

#include "editor/edit_tools.h"
#include "editor/photo_commands.h"
#include "preview/camera.h"
#include "resources/ids.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

std::string WithNumber(std::string_view pattern, long long value) {
    std::string text(pattern);
    text.replace(text.find("%d"), 2, std::to_string(value));
    return text;
}

CommandState Enabled(bool enabled) { return {enabled, false, false}; }
CommandState Checked(bool checked, bool enabled = true) { return {enabled, true, checked}; }

}  // namespace

CommandContext CommandContextOf(const CTavrinEditorDoc& doc, const EditTools& tools) {
    CommandContext context;
    context.bCanUndo = doc.CanUndo();
    context.bCanRedo = doc.CanRedo();
    context.nPoints = doc.GetPointCount();
    context.nTool = tools.GetTool();
    context.bPhotoLoaded = doc.IsPhotoLoaded();
    context.bPhotoHidden = doc.m_bPhotoHidden;
    context.bRulerVisible = doc.m_pGoldenRuler && doc.m_pGoldenRuler->IsVisible();
    return context;
}

CommandState CommandRule(Command command, const CommandContext& c) {
    switch (command) {
        case Command::Undo:
            return Enabled(c.bCanUndo);
        case Command::Redo:
            return Enabled(c.bCanRedo);
        // Nothing is ever put on the clipboard.
        case Command::Cut:
        case Command::Copy:
        case Command::Paste:
            return Enabled(false);
        case Command::Print:
        case Command::PrintPreview:
        case Command::PrintTemplate:
            return Enabled(c.nPoints > 0);
        case Command::RecentFile:
            return Enabled(c.nRecentFiles > 0);
        case Command::ViewEditToolbar:
            return Checked(c.bEditBarShown);
        case Command::ViewPreviewToolbar:
            return Checked(c.bPreviewBarShown);
        case Command::ViewStatusBar:
            return Checked(c.bStatusBarShown);
        // It belongs to the editor: with the preview active nothing handles it.
        case Command::ForceRedraw:
            return Enabled(c.bEditorActive);
        case Command::OpenCloseProfile:
            return Enabled(c.nPoints > 2);
        case Command::ToolPencil:
            return Checked(c.nTool == id::kToolIdPencil);
        case Command::ToolInsert:
            return Checked(c.nTool == id::kToolIdInsert);
        case Command::ToolMove:
            return Checked(c.nTool == id::kToolIdMove);
        case Command::ToolDragPhoto:
            return Checked(c.nTool == id::kToolIdDragPhoto, c.bPhotoLoaded);
        case Command::ToggleGrid:
            return Checked(c.bGrid);
        case Command::ViewGridPlane:
            return Checked(c.bShowGridPlane);
        case Command::ToggleSmoothing:
            return Checked(c.bSmooth);
        case Command::Transfer:
            return Enabled(c.bSiblingFound);
        case Command::PhotoProperties:
        case Command::PhotoRemove:
        case Command::CalibratePhoto:
            return Enabled(c.bPhotoLoaded);
        case Command::PhotoHide:
            return Checked(c.bPhotoHidden, c.bPhotoLoaded);
        case Command::GoldenRatio:
            return Checked(c.bRulerVisible, c.bRulerVisible || c.nPoints >= 2);
        case Command::SelectAll:
        case Command::Deselect:
        case Command::AnchorSelected:
        case Command::AnchorMenuPoint:
        case Command::DeleteMenuPoint:
        case Command::MenuPointProperties:
        case Command::FlipNormals:
        case Command::Settings:
        case Command::Dimensions:
        case Command::ExportPov:
        case Command::ExportVrml:
        case Command::ExportStl:
        case Command::ExportSvg:
        case Command::ExportDxf:
        case Command::PhotoAdd:
        case Command::FileNew:
        case Command::FileOpen:
        case Command::FileSave:
        case Command::FileSaveAs:
        case Command::PrintSetup:
        case Command::Exit:
        case Command::Split:
        case Command::NextPane:
        case Command::PreviousPane:
        case Command::HelpContents:
        case Command::KeyboardHelp:
        case Command::About:
        case Command::None:
            return Enabled(true);
    }
    return Enabled(true);
}

bool IsDocumentCommand(Command command) {
    switch (command) {
        case Command::Undo:
        case Command::Redo:
        case Command::Copy:
        case Command::SelectAll:
        case Command::Deselect:
        case Command::OpenCloseProfile:
        case Command::AnchorSelected:
        case Command::AnchorMenuPoint:
        case Command::DeleteMenuPoint:
        case Command::ToolPencil:
        case Command::ToolInsert:
        case Command::ToolMove:
        case Command::ToolDragPhoto:
        case Command::FlipNormals:
        case Command::PhotoRemove:
        case Command::PhotoHide:
            return true;
        default:
            return false;
    }
}

CommandOutcome RunDocumentCommand(Command command, CTavrinEditorDoc& doc, EditTools& tools,
                                  CommandHost& host) {
    if (!IsDocumentCommand(command)) return CommandOutcome::NotHandled;
    // A disabled command never reaches its handler, whatever sent it.
    if (!CommandRule(command, CommandContextOf(doc, tools)).enabled) {
        return CommandOutcome::Disabled;
    }
    switch (command) {
        case Command::Undo:
            doc.OnEditUndo();
            break;
        case Command::Redo:
            doc.OnEditRedo();
            break;
        case Command::SelectAll:
            doc.SelectAll();
            break;
        case Command::Deselect:
            doc.DeselectAll();
            break;
        case Command::OpenCloseProfile:
            doc.ToggleClosed();
            break;
        case Command::AnchorSelected:
            doc.SetAnchorOnSelected();
            break;
        case Command::AnchorMenuPoint:
            doc.ToggleAnchor(doc.GetMenuPoint());
            break;
        case Command::DeleteMenuPoint:
            doc.DeleteMenuPoint();
            break;
        case Command::ToolPencil:
            tools.SetTool(id::kToolIdPencil);
            break;
        case Command::ToolInsert:
            tools.SetTool(id::kToolIdInsert);
            break;
        case Command::ToolMove:
            tools.SetTool(id::kToolIdMove);
            break;
        case Command::ToolDragPhoto:
            tools.SetTool(id::kToolIdDragPhoto);
            break;
        case Command::FlipNormals:
            // A view option kept in the file: no undo step, no modified flag.
            doc.m_bFlipNormals = !doc.m_bFlipNormals;
            doc.UpdateAllViews();
            break;
        case Command::PhotoRemove:
            RemovePhoto(doc, host);
            break;
        case Command::PhotoHide:
            ToggleHidePhoto(doc);
            break;
        default:
            break;
    }
    return CommandOutcome::Done;
}

std::string PointsPaneText(const CTavrinEditorDoc& doc) {
    return WithNumber(text::kPointsPane, doc.GetPointCount());
}

std::string PolygonsPaneText(const CTavrinEditorDoc& doc) {
    return WithNumber(text::kPolygonsPane, doc.PolygonCount());
}

SettingSheetValues FillSettingSheet(const CTavrinEditorDoc& doc, const SettingsFlowViews& views) {
    const EditorLook editor = views.GetEditorLook();
    const PreviewLook preview = views.GetPreviewLook();
    SettingSheetValues values;
    values.editor = {editor.pen,         editor.grid,     editor.background,
                     doc.m_nEditorSteps, editor.gridSize, editor.penSize};
    values.object = {preview.object, doc.m_nPreviewSteps, doc.m_nSections, doc.m_fExtrusionHeight,
                     views.IsPreviewSmooth()};
    values.preview = {preview.background, preview.gridPlane,    preview.backLight,
                      preview.frontLight, preview.backLightPos, preview.frontLightPos};
    return values;
}

void ApplySettingSheet(const SettingSheetValues& values, CTavrinEditorDoc& doc,
                       SettingsFlowViews& views) {
    const EditorSettingPageValues& e = values.editor;
    views.SetEditorLook({.background = e.m_clrBackground,
                         .pen = e.m_clrPen,
                         .grid = e.m_clrGrid,
                         .penSize = e.m_nPenSize,
                         .gridSize = e.m_nGridSize});
    doc.m_nEditorSteps = e.m_nEditorSteps;
    doc.m_nPreviewSteps = values.object.m_nPreviewSteps;
    doc.m_nSections = values.object.m_nSections;
    doc.m_fExtrusionHeight = values.object.m_fExtrusionHeight;
    // Through the preview's own command, so that the shading changes exactly
    // as the toolbar button changes it.
    if (values.object.m_bSmooth != views.IsPreviewSmooth()) views.TogglePreviewSmoothing();
    const PreviewPageValues& p = values.preview;
    views.SetPreviewLook({.background = p.m_clrBackground,
                          .gridPlane = p.m_clrGridPlane,
                          .object = values.object.m_clrObject,
                          .frontLight = p.m_clrFrontLight,
                          .backLight = p.m_clrBackLight,
                          .frontLightPos = p.m_nFrontLightPos,
                          .backLightPos = p.m_nBackLightPos});
    views.ResetPreviewGLState();
    doc.UpdateAllViews();
}

bool RunSettingsFlow(CTavrinEditorDoc& doc, SettingsFlowViews& views, SettingSheetRunner& sheet) {
    SettingSheetValues values = FillSettingSheet(doc, views);
    if (!sheet.RunModal(text::kSettingsTitle, values)) return false;
    ApplySettingSheet(values, doc, views);
    return true;
}

}  // namespace orvanel
