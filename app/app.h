// The application: the settings location, the recent files, the one
// document kept for the whole run, the command line and the main window.
#pragma once

#include <wx/app.h>
#include <wx/cmndata.h>

#include <filesystem>
#include <memory>

#include "app/document_life.h"
#include "app/recent_files.h"
#include "document/document.h"

namespace orvanel {

class CMainFrame;
class HelpLauncher;
struct AppContext;

class CTavrinEditorApp : public wxApp {
public:
    // The profile the command line named (none: a new document); the
    // command line itself is read before wx starts.
    explicit CTavrinEditorApp(std::filesystem::path profile = {});
    ~CTavrinEditorApp() override;

    bool OnInit() override;
    int OnExit() override;

    // The run's settings, document and main window, started with a profile
    // (none: a new document). Returns false, after the user was told, when
    // the profile cannot be opened; nothing of the session is shown then.
    bool StartSession(const std::filesystem::path& profile);
    // After the main window is gone: the document and the recent files write
    // their settings, and the settings file is written.
    void EndSession();

    CMainFrame* Frame() const { return m_pFrame; }
    CTavrinEditorDoc* Document() const { return m_doc.get(); }
    SettingsStore* Settings() const { return m_settings.get(); }
    RecentFileList& RecentFiles() { return m_recentFiles; }
    // The page set-up and printer choice of the run; none before the first session.
    wxPrintData* PrintData() const { return m_printData.get(); }

protected:
    // Where the settings live and how the user is asked: the user's own file
    // and real boxes, unless a test says otherwise.
    virtual std::unique_ptr<SettingsStore> CreateSettings();
    virtual Prompter& UserPrompter();
    virtual SavePrompts& UserSavePrompts();

private:
    void OnFrameDestroyed(wxWindowDestroyEvent& event);

    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<class WxPrompter> m_wxPrompter;
    RecentFileList m_recentFiles;
    // Made once wx is initialised: one made before holds the native data of
    // the PostScript printing, which the GTK print dialogs cannot use. Kept
    // for the run, so the page set-up carries from one dialog to the next.
    std::unique_ptr<wxPrintData> m_printData;
    std::unique_ptr<HelpLauncher> m_help;
    std::unique_ptr<CTavrinEditorDoc> m_doc;
    std::unique_ptr<AppContext> m_context;
    CMainFrame* m_pFrame = nullptr;
    std::filesystem::path m_profile;
};

}  // namespace orvanel
