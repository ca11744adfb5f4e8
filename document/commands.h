// The document's commands: what each one does when the core can do it, the
// enable and check rule the menus and toolbars show, the two status panes the
// document fills, and the Settings flow.
#pragma once

#include <string>
#include <string_view>

#include "document/document.h"
#include "editor/canvas.h"
#include "resources/ids.h"

namespace orvanel {

class EditTools;
struct EditorLook;
struct PreviewLook;

// What the command handlers ask of the application.
class CommandHost {
public:
    virtual ~CommandHost() = default;
    // Queued: the command runs after the current one has returned.
    virtual void PostCommand(Command command) = 0;
    // The whole editor window, with erasing.
    virtual void InvalidateEditor() = 0;
};

// Everything the enable and check rules look at.
struct CommandContext {
    bool bCanUndo = false;  // the undo list holds more than one state
    bool bCanRedo = false;
    int nPoints = 0;
    int nTool = 1;  // the editor's tool
    bool bPhotoLoaded = false;
    bool bPhotoHidden = false;
    bool bGrid = false;           // the editor view's grid
    bool bShowGridPlane = false;  // the preview view's grid plane
    bool bSmooth = false;         // the preview view's smooth shading
    bool bRulerVisible = false;   // the golden-ratio ruler window
    bool bSiblingFound = false;   // a window of the sibling application
    // The main window's.
    bool bEditBarShown = false;
    bool bPreviewBarShown = false;
    bool bStatusBarShown = false;
    bool bEditorActive = false;  // the editor, not the preview, is the active view
    int nRecentFiles = 0;
};

// The part of the context the document and the tools know; the application
// adds the views' and the main window's flags.
CommandContext CommandContextOf(const CTavrinEditorDoc& doc, const EditTools& tools);

struct CommandState {
    bool enabled = true;
    bool hasCheck = false;  // the rule sets the check mark
    bool checked = false;
    friend bool operator==(const CommandState&, const CommandState&) = default;
};

CommandState CommandRule(Command command, const CommandContext& context);

enum class CommandOutcome {
    Done,
    Disabled,    // its rule does not allow it now: nothing happened
    NotHandled,  // the application runs it (a dialog, a view's own command, a file command)
};

// Whether RunDocumentCommand runs the command: its handler needs neither a
// dialog nor a view of its own.
bool IsDocumentCommand(Command command);
// Runs a command whose handler needs neither a dialog nor a view of its own.
CommandOutcome RunDocumentCommand(Command command, CTavrinEditorDoc& doc, EditTools& tools,
                                  CommandHost& host);

// The status panes: "Points: %d" and "Polygons: %d".
std::string PointsPaneText(const CTavrinEditorDoc& doc);
std::string PolygonsPaneText(const CTavrinEditorDoc& doc);

// --- the Settings flow

// The settings sheet's three pages. The page constructors set the counts, the
// height and the shading flag to 0 and the light positions to none (-1); the
// flow fills every value before the sheet is shown.
struct EditorSettingPageValues {
    Colour m_clrPen = 0;
    Colour m_clrGrid = 0;
    Colour m_clrBackground = 0;
    int m_nEditorSteps = 0;
    int m_nGridSize = 0;
    int m_nPenSize = 0;
    friend bool operator==(const EditorSettingPageValues&,
                           const EditorSettingPageValues&) = default;
};

struct ObjectPageValues {
    Colour m_clrObject = 0;
    int m_nPreviewSteps = 0;
    int m_nSections = 0;
    float m_fExtrusionHeight = 0;
    bool m_bSmooth = false;
    friend bool operator==(const ObjectPageValues&, const ObjectPageValues&) = default;
};

struct PreviewPageValues {
    Colour m_clrBackground = 0;
    Colour m_clrGridPlane = 0;
    Colour m_clrBackLight = 0;
    Colour m_clrFrontLight = 0;
    int m_nBackLightPos = -1;  // 0 ... 7, -1 for none
    int m_nFrontLightPos = -1;
    friend bool operator==(const PreviewPageValues&, const PreviewPageValues&) = default;
};

struct SettingSheetValues {
    EditorSettingPageValues editor;
    ObjectPageValues object;
    PreviewPageValues preview;
    friend bool operator==(const SettingSheetValues&, const SettingSheetValues&) = default;
};

// The two views as the Settings flow reads and writes them.
class SettingsFlowViews {
public:
    virtual ~SettingsFlowViews() = default;
    virtual EditorLook GetEditorLook() const = 0;
    virtual void SetEditorLook(const EditorLook& look) = 0;
    virtual PreviewLook GetPreviewLook() const = 0;
    virtual void SetPreviewLook(const PreviewLook& look) = 0;
    virtual bool IsPreviewSmooth() const = 0;
    // The preview's own "Toggle smoothing" command.
    virtual void TogglePreviewSmoothing() = 0;
    virtual void ResetPreviewGLState() = 0;
};

// Shows the settings sheet modally on the values, which it edits; true for OK.
class SettingSheetRunner {
public:
    virtual ~SettingSheetRunner() = default;
    virtual bool RunModal(std::string_view title, SettingSheetValues& values) = 0;
};

SettingSheetValues FillSettingSheet(const CTavrinEditorDoc& doc, const SettingsFlowViews& views);
// Copies the sheet back: the editor view, the document's four values, the
// shading through the preview's own toggle when it changed, the preview's
// other settings and its GL state; then both views update. No undo step, no
// modified flag.
void ApplySettingSheet(const SettingSheetValues& values, CTavrinEditorDoc& doc,
                       SettingsFlowViews& views);
// The whole command: fill, show under the title "Settings...", and on OK
// apply. Returns whether the sheet ended with OK.
bool RunSettingsFlow(CTavrinEditorDoc& doc, SettingsFlowViews& views, SettingSheetRunner& sheet);

}  // namespace orvanel
