// The main window: the splitter with the two views, the menu bar, the two
// toolbars in one row, the status bar, printing, help, and the document's
// life (New, Open, Save, recent files, dropped files, closing).
#pragma once

#include <wx/aui/aui.h>
#include <wx/aui/auibar.h>
#include <wx/cmndata.h>
#include <wx/frame.h>
#include <wx/print.h>

#include <filesystem>
#include <memory>

#include "app/document_life.h"
#include "app/recent_files.h"
#include "app/window_placement.h"
#include "preview/gl_view.h"

namespace orvanel {

class CDlgSelectView;
class CSplitWndEx;
class CTavrinEditorView;
class DocumentCommands;
class HelpLauncher;

// What the main window works with; the application owns all of it.
struct AppContext {
    SettingsStore& settings;
    Prompter& prompter;
    SavePrompts& savePrompts;
    CTavrinEditorDoc& doc;
    RecentFileList& recentFiles;
    HelpLauncher& help;
    wxPrintData& printData;
    CGLView::MeshBuilder buildMesh;
};

class CMainFrame final : public wxFrame {
public:
    explicit CMainFrame(AppContext& context);
    ~CMainFrame() override;

    // Shows the window where it was last time, in the state it was in.
    void ShowAtStoredPlacement();

    // New and Open as the File menu runs them, after the question about
    // unsaved changes. Each returns whether the document changed.
    bool NewDocument();
    bool OpenDocument(const std::filesystem::path& path);
    // Refreshes both views and the title for the document now open.
    void InitialUpdate();

    CTavrinEditorView* EditorView() const { return m_pEditorView; }
    CGLView* PreviewView() const { return m_pPreviewView; }
    CSplitWndEx* Splitter() const { return m_pSplitter; }
    wxAuiToolBar* EditBar() const { return m_pEditBar; }
    wxAuiToolBar* PreviewBar() const { return m_pPreviewBar; }
    wxAuiManager& Docking() { return m_aui; }
    wxWindow* ActiveView() const { return m_pActiveView; }
    void ActivateView(wxWindow* view);
    CDlgSelectView& SelectViewDialog();
    // The texts of the status bar's panes, as they should be now.
    void UpdateStatusPanes();
    void RefreshRecentMenu();

private:
    bool TryBefore(wxEvent& event) override;
    void BindCommands();
    void BuildMenus();
    void BuildToolbars();
    void BuildStatusBar();
    void BuildAccelerators();

    void OnOpen();
    void OnSave(bool askName);
    void OnRecentFile(wxCommandEvent& event);
    void OpenRecentFile(std::size_t index);
    void OnPrintSetup();
    void TogglePane(wxWindow* bar);
    void OnContextHelp(wxHelpEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnMoveOrSize(wxEvent& event);
    void PrintChosenView(bool preview);
    // File > Print Template: the 1:1 template's pages in the print preview.
    void PrintTemplate();
    void ShowPrintPreview(std::unique_ptr<wxPrintout> shown, std::unique_ptr<wxPrintout> printed,
                          const wxString& title);
    void UpdateTitle();

    AppContext& m_context;
    wxAuiManager m_aui;
    CSplitWndEx* m_pSplitter = nullptr;
    CTavrinEditorView* m_pEditorView = nullptr;
    CGLView* m_pPreviewView = nullptr;
    wxAuiToolBar* m_pEditBar = nullptr;
    wxAuiToolBar* m_pPreviewBar = nullptr;
    wxWindow* m_pActiveView = nullptr;
    wxMenu* m_pFileMenu = nullptr;
    std::size_t m_nRecentPosition = 0;  // where the recent files sit in the File menu
    std::size_t m_nRecentShown = 0;
    CDlgSelectView* m_pSelectView = nullptr;  // made on first use, kept for the run
    std::unique_ptr<DocumentCommands> m_pCommands;
    IntRect m_normalRect = kDefaultNormalRect;
    bool m_bWasMaximized = false;
};

}  // namespace orvanel
