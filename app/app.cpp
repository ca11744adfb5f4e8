#include "app/app.h"

#include <wx/stdpaths.h>

#include "app/config_store.h"
#include "app/help_launcher.h"
#include "app/main_frame.h"
#include "app/wx_prompter.h"
#include "editor/wx_picture.h"
#include "resources/strings.h"

namespace orvanel {

CTavrinEditorApp::CTavrinEditorApp(std::filesystem::path profile)
    : m_wxPrompter(std::make_unique<WxPrompter>()), m_profile(std::move(profile)) {}

CTavrinEditorApp::~CTavrinEditorApp() { EndSession(); }

std::unique_ptr<SettingsStore> CTavrinEditorApp::CreateSettings() { return ConfigStore::ForUser(); }

Prompter& CTavrinEditorApp::UserPrompter() { return *m_wxPrompter; }

SavePrompts& CTavrinEditorApp::UserSavePrompts() { return *m_wxPrompter; }

bool CTavrinEditorApp::OnInit() {
    SetVendorName(kVendorName);
    SetAppName(wxString::FromUTF8(text::kAppName.data(), text::kAppName.size()));
    if (!wxApp::OnInit()) return false;
    RegisterPhotoImageHandlers();
    return StartSession(m_profile);
}

bool CTavrinEditorApp::StartSession(const std::filesystem::path& profile) {
    m_settings = CreateSettings();
    m_recentFiles.Load(*m_settings);
    m_help = std::make_unique<HelpLauncher>(HelpLauncher::FindBook());
    if (!m_printData) m_printData = std::make_unique<wxPrintData>();
    m_doc = std::make_unique<CTavrinEditorDoc>(*m_settings, UserPrompter());
    CTavrinEditorDoc& doc = *m_doc;
    m_context = std::make_unique<AppContext>(
        AppContext{*m_settings, UserPrompter(), UserSavePrompts(), doc, m_recentFiles, *m_help,
                   *m_printData, [&doc](MeshSink& sink, bool& closedSurface) {
                       bool closed = false;
                       doc.BuildPreviewList(sink, &closed);
                       closedSurface = closed;
                   }});

    m_pFrame = new CMainFrame(*m_context);
    m_pFrame->Bind(wxEVT_DESTROY, &CTavrinEditorApp::OnFrameDestroyed, this);
    SetTopWindow(m_pFrame);
    m_wxPrompter->SetParent(m_pFrame);

    if (profile.empty()) {
        doc.OnNewDocument();
        m_pFrame->InitialUpdate();
    } else if (!m_pFrame->OpenDocument(profile)) {
        // The document has told the user why; the program ends with a failure.
        m_pFrame->Destroy();
        return false;
    }
    m_pFrame->ShowAtStoredPlacement();
    return true;
}

void CTavrinEditorApp::OnFrameDestroyed(wxWindowDestroyEvent& event) {
    event.Skip();
    if (event.GetEventObject() == m_pFrame) {
        m_pFrame = nullptr;
        m_wxPrompter->SetParent(nullptr);
    }
}

void CTavrinEditorApp::EndSession() {
    if (m_settings) m_recentFiles.Save(*m_settings);
    // The document writes its settings as it goes; the store then writes its file.
    m_doc.reset();
    m_context.reset();
    m_help.reset();
    m_settings.reset();
}

int CTavrinEditorApp::OnExit() {
    EndSession();
    return wxApp::OnExit();
}

}  // namespace orvanel
