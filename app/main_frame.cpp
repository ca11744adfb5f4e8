#include "app/main_frame.h"

#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/printdlg.h>
#include <wx/statusbr.h>

#include "app/about_dlg.h"
#include "app/document_commands.h"
#include "app/help_launcher.h"
#include "app/help_topics.h"
#include "app/small_dialogs.h"
#include "app/split_wnd.h"
#include "app/wx_prompter.h"
#include "document/commands.h"
#include "editor/editor_view.h"
#include "editor/profile_size.h"
#include "export/template_printout.h"
#include "resources/art.h"
#include "resources/dimension_texts.h"
#include "resources/strings.h"
#include "resources/ui_texts.h"
#include "resources/wx_commands.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

class ProfileDropTarget final : public wxFileDropTarget {
public:
    explicit ProfileDropTarget(CMainFrame& frame) : m_frame(frame) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
        if (files.empty()) return false;
        // Dropped files open like File Open, after the same question; the
        // program holds one profile, so the first one is taken.
        const wxString file = files[0];
        m_frame.CallAfter(
            [this, file] { m_frame.OpenDocument(std::filesystem::path(file.utf8_string())); });
        return true;
    }

private:
    CMainFrame& m_frame;
};

}  // namespace

CMainFrame::CMainFrame(AppContext& context)
    : wxFrame(nullptr, wxID_ANY, Wx(text::kAppName)), m_context(context) {
    SetIcons(MakeProgramIcons());
    m_aui.SetManagedWindow(this);

    // The client area first, so that the views exist before the bars.
    m_pSplitter = new CSplitWndEx(this);
    m_pSplitter->SetPanePercents(100, 50);
    m_pEditorView = new CTavrinEditorView(m_pSplitter, context.doc, context.settings);
    m_pPreviewView = new CGLView(m_pSplitter, context.doc, context.settings, context.prompter,
                                 context.buildMesh);
    SetClientSize(FromDIP(wxSize(1000, 600)));
    m_pSplitter->SplitPercent(m_pEditorView, m_pPreviewView);
    context.doc.SetViews(m_pEditorView, m_pPreviewView);
    m_pCommands = std::make_unique<DocumentCommands>(
        context.doc, *m_pEditorView, *m_pPreviewView, [this](CommandContext& c) {
            c.bEditBarShown = m_pEditBar != nullptr && m_aui.GetPane(m_pEditBar).IsShown();
            c.bPreviewBarShown = m_pPreviewBar != nullptr && m_aui.GetPane(m_pPreviewBar).IsShown();
            c.bStatusBarShown = GetStatusBar() != nullptr && GetStatusBar()->IsShown();
            c.bEditorActive = m_pActiveView == m_pEditorView;
            c.nRecentFiles = static_cast<int>(m_context.recentFiles.Entries().size());
        });
    m_aui.AddPane(m_pSplitter, wxAuiPaneInfo().Name("views").CenterPane());

    BuildMenus();
    BuildToolbars();
    BuildStatusBar();
    BuildAccelerators();
    m_aui.Update();
    m_pEditorView->SetStatusBar(GetStatusBar());
    SetDropTarget(new ProfileDropTarget(*this));

    for (wxWindow* view :
         {static_cast<wxWindow*>(m_pEditorView), static_cast<wxWindow*>(m_pPreviewView)}) {
        view->Bind(wxEVT_SET_FOCUS, [this, view](wxFocusEvent& e) {
            m_pActiveView = view;
            e.Skip();
        });
    }
    m_pActiveView = m_pPreviewView;

    BindCommands();
    Bind(wxEVT_MENU, &CMainFrame::OnRecentFile, this, wxID_FILE2, wxID_FILE6);
    Bind(wxEVT_HELP, &CMainFrame::OnContextHelp, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnMoveOrSize, this);
    Bind(wxEVT_MOVE, &CMainFrame::OnMoveOrSize, this);
}

CMainFrame::~CMainFrame() {
    m_context.doc.SetViews(nullptr, nullptr);
    m_aui.UnInit();
}

void CMainFrame::BindCommands() {
    DocumentCommands& c = *m_pCommands;
    c.Handle(Command::FileNew, [this] { NewDocument(); });
    c.Handle(Command::FileOpen, [this] { OnOpen(); });
    c.Handle(Command::FileSave, [this] { OnSave(false); });
    c.Handle(Command::FileSaveAs, [this] { OnSave(true); });
    c.Handle(Command::RecentFile, [this] { OpenRecentFile(0); });
    c.Handle(Command::Print, [this] { PrintChosenView(false); });
    c.Handle(Command::PrintPreview, [this] { PrintChosenView(true); });
    c.Handle(Command::PrintTemplate, [this] { PrintTemplate(); });
    c.Handle(Command::PrintSetup, [this] { OnPrintSetup(); });
    c.Handle(Command::Exit, [this] { Close(); });
    c.Handle(Command::ViewEditToolbar, [this] { TogglePane(m_pEditBar); });
    c.Handle(Command::ViewPreviewToolbar, [this] { TogglePane(m_pPreviewBar); });
    c.Handle(Command::ViewStatusBar, [this] {
        wxStatusBar* bar = GetStatusBar();
        bar->Show(!bar->IsShown());
        SendSizeEvent();
    });
    c.Handle(Command::Split, [this] { m_pSplitter->StartTracking(); });
    // With two panes the next and the previous pane are the same: the other.
    for (const Command pane : {Command::NextPane, Command::PreviousPane}) {
        c.Handle(pane, [this] {
            ActivateView(m_pActiveView == m_pEditorView ? static_cast<wxWindow*>(m_pPreviewView)
                                                        : m_pEditorView);
        });
    }
    c.Handle(Command::ForceRedraw, [this] { m_pEditorView->InvalidateDrawing(); });
    c.Handle(Command::KeyboardHelp, [this] {
        CKeyDialog dialog(this);
        dialog.ShowModal();
    });
    c.Handle(Command::HelpContents, [this] { m_context.help.ShowContents(); });
    c.Handle(Command::About, [this] {
        CAboutDlg dialog(this, m_context.prompter);
        dialog.ShowModal();
    });
}

void CMainFrame::BuildMenus() {
    wxMenuBar* bar = MakeMenuBar();
    // The recent files take the place of the placeholder item.
    bar->FindItem(wxID_FILE1, &m_pFileMenu);
    m_pFileMenu->FindChildItem(wxID_FILE1, &m_nRecentPosition);
    m_nRecentShown = 1;
    SetMenuBar(bar);
    RefreshRecentMenu();
}

void CMainFrame::RefreshRecentMenu() {
    for (; m_nRecentShown > 0; --m_nRecentShown) {
        m_pFileMenu->Destroy(m_pFileMenu->FindItemByPosition(m_nRecentPosition));
    }
    const auto& entries = m_context.recentFiles.Entries();
    const CommandRow& recent = *FindCommandRow(Command::RecentFile);
    const wxString help = Wx(SplitPrompt(recent.prompt).status);
    if (entries.empty()) {
        m_pFileMenu->Insert(m_nRecentPosition, wxID_FILE1, Wx(recent.label), help);
        m_nRecentShown = 1;
        return;
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        wxString label = wxString::Format("&%zu ", i + 1);
        // A file name's own ampersands are not mnemonics.
        wxString name =
            wxString::FromUTF8(AbbreviatePath(entries[i], RecentFileList::kMenuTextLength));
        name.Replace("&", "&&");
        m_pFileMenu->Insert(m_nRecentPosition + i, wxID_FILE1 + static_cast<int>(i), label + name,
                            help);
    }
    m_nRecentShown = entries.size();
}

void CMainFrame::BuildToolbars() {
    const long style = wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_HORIZONTAL;
    m_pEditBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
    AddToolbarButtons(*m_pEditBar, Toolbar::Edit);
    m_pPreviewBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
    AddToolbarButtons(*m_pPreviewBar, Toolbar::Preview);
    // A button's prompt shows in the status bar while the mouse is over it.
    for (wxAuiToolBar* bar : {m_pEditBar, m_pPreviewBar}) {
        bar->Bind(wxEVT_MOTION, [this, bar](wxMouseEvent& e) {
            e.Skip();
            const wxAuiToolBarItem* item = bar->FindToolByPosition(e.GetX(), e.GetY());
            if (item != nullptr && item->GetKind() != wxITEM_SEPARATOR) {
                DoGiveHelp(item->GetLongHelp(), true);
            } else {
                DoGiveHelp(wxString(), false);
            }
        });
        bar->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& e) {
            e.Skip();
            DoGiveHelp(wxString(), false);
        });
    }
    // Side by side in the top row; the edit bar docks only at the top or the bottom.
    m_aui.AddPane(m_pEditBar, wxAuiPaneInfo()
                                  .Name(Wx(text::kEditBarTitle))
                                  .Caption(Wx(text::kEditBarTitle))
                                  .ToolbarPane()
                                  .Top()
                                  .Row(0)
                                  .Position(0)
                                  .LeftDockable(false)
                                  .RightDockable(false));
    m_aui.AddPane(m_pPreviewBar, wxAuiPaneInfo()
                                     .Name(Wx(text::kPreviewBarTitle))
                                     .Caption(Wx(text::kPreviewBarTitle))
                                     .ToolbarPane()
                                     .Top()
                                     .Row(0)
                                     .Position(1));
}

void CMainFrame::BuildStatusBar() {
    wxStatusBar* bar = CreateStatusBar(5);
    // The trailing blanks of the initial texts reserve room for the numbers;
    // in a proportional font blanks are narrow, so the widest figures the
    // panes show size them too. The size pane starts empty.
    const std::pair<std::string_view, std::string_view> panes[] = {
        {text::kCoordinatesPaneInitial, "X:9999 ; Y:9999"},
        {text::kPolygonsPaneInitial, "Polygons: 9999999"},
        {text::kPointsPaneInitial, "Points: 99999"},
        {"", text::kSizePaneInitial}};
    int widths[5] = {-1, 0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const int text = std::max(bar->GetTextExtent(Wx(panes[i].first)).x,
                                  bar->GetTextExtent(Wx(panes[i].second)).x);
        widths[i + 1] = text + FromDIP(16);
    }
    bar->SetStatusWidths(5, widths);
    for (int i = 0; i < 4; ++i) bar->SetStatusText(Wx(panes[i].first), i + 1);
    SetStatusBarPane(0);
    SetStatusText(Wx(text::kIdleStatus), 0);
}

void CMainFrame::BuildAccelerators() { SetAcceleratorTable(MakeAcceleratorTable()); }

bool CMainFrame::TryBefore(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    // Every command goes to its rule and its handler, wherever it came from.
    if (m_pCommands && (type == wxEVT_MENU || type == wxEVT_UPDATE_UI) &&
        m_pCommands->ProcessEventLocally(event)) {
        return true;
    }
    return wxFrame::TryBefore(event);
}

void CMainFrame::ActivateView(wxWindow* view) {
    if (view == nullptr) return;
    m_pActiveView = view;
    view->SetFocus();
}

CDlgSelectView& CMainFrame::SelectViewDialog() {
    if (m_pSelectView == nullptr) m_pSelectView = new CDlgSelectView(this);
    return *m_pSelectView;
}

void CMainFrame::UpdateStatusPanes() {
    wxStatusBar* bar = GetStatusBar();
    if (bar == nullptr) return;
    const CTavrinEditorDoc& doc = m_context.doc;
    const wxString polygons = wxString::FromUTF8(PolygonsPaneText(doc));
    const wxString points = wxString::FromUTF8(PointsPaneText(doc));
    if (bar->GetStatusText(2) != polygons) bar->SetStatusText(polygons, 2);
    if (bar->GetStatusText(3) != points) bar->SetStatusText(points, 3);
    // The object's size, with a drag's points where the drag has them.
    const wxString size = wxString::FromUTF8(
        SizePaneText(MeasureProfileSize(doc, m_pEditorView->Tools().MovedPoints()), doc.m_units));
    if (bar->GetStatusText(4) != size) bar->SetStatusText(size, 4);
}

void CMainFrame::UpdateTitle() { SetTitle(wxString::FromUTF8(WindowTitle(m_context.doc))); }

void CMainFrame::InitialUpdate() {
    m_pEditorView->OnInitialUpdate();
    m_pPreviewView->OnUpdate();
    UpdateTitle();
    UpdateStatusPanes();
}

bool CMainFrame::NewDocument() {
    if (!SaveModified(m_context.doc, m_context.savePrompts)) return false;
    m_context.doc.OnNewDocument();
    InitialUpdate();
    return true;
}

bool CMainFrame::OpenDocument(const std::filesystem::path& path) {
    if (!SaveModified(m_context.doc, m_context.savePrompts)) return false;
    std::error_code ec;
    std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    if (ec) absolute = path;
    if (!m_context.doc.OnOpenDocument(absolute)) {
        // A recent file that has gone away leaves the list.
        if (!std::filesystem::exists(absolute, ec)) {
            m_context.recentFiles.Remove(absolute);
            RefreshRecentMenu();
        }
        return false;
    }
    m_context.recentFiles.Add(absolute);
    RefreshRecentMenu();
    InitialUpdate();
    return true;
}

void CMainFrame::OnOpen() {
    wxFileDialog dialog(this, "Open", wxString(), wxString(), kProfileFileFilter,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    OpenDocument(std::filesystem::path(dialog.GetPath().utf8_string()));
}

void CMainFrame::OnSave(bool askName) {
    const bool saved = askName ? SaveDocumentAs(m_context.doc, m_context.savePrompts)
                               : SaveDocument(m_context.doc, m_context.savePrompts);
    if (saved) {
        m_context.recentFiles.Add(m_context.doc.GetPathName());
        RefreshRecentMenu();
    }
    UpdateTitle();
}

void CMainFrame::OnRecentFile(wxCommandEvent& event) {
    OpenRecentFile(static_cast<std::size_t>(event.GetId() - wxID_FILE1));
}

void CMainFrame::OpenRecentFile(std::size_t index) {
    const auto& entries = m_context.recentFiles.Entries();
    if (index >= entries.size()) return;
    const std::filesystem::path path = entries[index];
    OpenDocument(path);
}

namespace {

// Prints through the print dialog with the run's print data, which keeps what
// the user chose there for the next dialog.
bool PrintThroughDialog(wxWindow* parent, wxPrintout& printout, wxPrintData& printData,
                        Prompter& prompter) {
    wxPrintDialogData data(printData);
    wxPrinter printer(&data);
    if (printer.Print(parent, &printout, true)) {
        printData = printer.GetPrintDialogData().GetPrintData();
        return true;
    }
    if (wxPrinter::GetLastError() == wxPRINTER_ERROR) {
        prompter.ShowMessage("There was a problem printing.");
    }
    return false;
}

// The preview's Print button takes the same road as File > Print.
class SharedDataPrintPreview final : public wxPrintPreview {
public:
    SharedDataPrintPreview(std::unique_ptr<wxPrintout> shown, std::unique_ptr<wxPrintout> printed,
                           wxPrintData& printData, Prompter& prompter)
        : wxPrintPreview(shown.release(), printed.release(), &printData),
          m_printData(printData),
          m_prompter(prompter) {}

    bool Print(bool) override {
        wxPrintout* printout = GetPrintoutForPrinting();
        return printout != nullptr &&
               PrintThroughDialog(GetFrame(), *printout, m_printData, m_prompter);
    }

private:
    wxPrintData& m_printData;
    Prompter& m_prompter;
};

}  // namespace

void CMainFrame::PrintChosenView(bool preview) {
    if (m_context.doc.GetHead() == nullptr) return;
    CDlgSelectView& dialog = SelectViewDialog();
    if (dialog.ShowModal() != wxID_OK) return;
    const bool threeD = dialog.m_nView == CDlgSelectView::k3DView;
    ActivateView(threeD ? static_cast<wxWindow*>(m_pPreviewView) : m_pEditorView);
    auto makePrintout = [this, threeD] {
        return threeD ? m_pPreviewView->CreatePrintout() : m_pEditorView->CreatePrintout();
    };
    if (preview) {
        ShowPrintPreview(makePrintout(), makePrintout(), "Print Preview");
        return;
    }
    const std::unique_ptr<wxPrintout> printout = makePrintout();
    PrintThroughDialog(this, *printout, m_context.printData, m_context.prompter);
}

// The template's pages are shown first: how many sheets it takes is worth
// seeing before they are printed, and the preview's Print button prints them.
void CMainFrame::PrintTemplate() {
    if (const auto refusal = TemplateRefusal(m_context.doc, m_context.printData)) {
        m_context.prompter.ShowMessage(*refusal);
        return;
    }
    ShowPrintPreview(std::make_unique<TemplatePrintout>(m_context.doc),
                     std::make_unique<TemplatePrintout>(m_context.doc), Wx(text::kTemplateCaption));
}

void CMainFrame::ShowPrintPreview(std::unique_ptr<wxPrintout> shown,
                                  std::unique_ptr<wxPrintout> printed, const wxString& title) {
    // The preview owns both printouts: one to show, one to print from it.
    auto* printPreview = new SharedDataPrintPreview(std::move(shown), std::move(printed),
                                                    m_context.printData, m_context.prompter);
    if (!printPreview->IsOk()) {
        delete printPreview;
        m_context.prompter.ShowMessage("There was a problem previewing.");
        return;
    }
    auto* frame = new wxPreviewFrame(printPreview, this, title);
    frame->Initialize();
    frame->Show();
}

void CMainFrame::OnPrintSetup() {
    wxPageSetupDialogData data(m_context.printData);
    wxPageSetupDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK) {
        m_context.printData = dialog.GetPageSetupDialogData().GetPrintData();
    }
}

void CMainFrame::TogglePane(wxWindow* bar) {
    wxAuiPaneInfo& pane = m_aui.GetPane(bar);
    pane.Show(!pane.IsShown());
    m_aui.Update();
}

void CMainFrame::OnContextHelp(wxHelpEvent& event) {
    const std::optional<wxPoint> at = event.GetPosition() == wxDefaultPosition
                                          ? std::nullopt
                                          : std::optional<wxPoint>(event.GetPosition());
    m_context.help.ShowContextPopup(this, kHelpResourceBase + kMainWindowResource, at);
}

void CMainFrame::OnMoveOrSize(wxEvent& event) {
    event.Skip();
    if (IsIconized()) return;
    m_bWasMaximized = IsMaximized();
    if (!m_bWasMaximized) {
        const wxRect r = GetRect();
        m_normalRect = {r.x, r.y, r.x + r.width, r.y + r.height};
    }
}

namespace {

// Each screen's work area, the primary screen's first.
std::vector<IntRect> ScreenWorkAreas() {
    std::vector<IntRect> areas;
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        const wxDisplay display(i);
        const wxRect a = display.GetClientArea();
        const IntRect area{a.x, a.y, a.x + a.width, a.y + a.height};
        areas.insert(display.IsPrimary() ? areas.begin() : areas.end(), area);
    }
    return areas;
}

}  // namespace

void CMainFrame::ShowAtStoredPlacement() {
    const WindowPlacement placement = ReadWindowPlacement(m_context.settings);
    const IntRect r = FitPlacementRect(placement.normal, ScreenWorkAreas());
    m_normalRect = r;
    SetSize(r.left, r.top, r.right - r.left, r.bottom - r.top);
    switch (placement.InitialShow()) {
        case ShowState::Minimized:
            m_bWasMaximized = placement.maximized;
            if (placement.maximized) Maximize(true);
            Iconize(true);
            ShowWithoutActivating();
            break;
        case ShowState::Maximized:
            Maximize(true);
            Show();
            break;
        case ShowState::Normal:
            Show();
            break;
    }
    m_normalRect = r;
    ActivateView(m_pPreviewView);
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    if (event.CanVeto() && !SaveModified(m_context.doc, m_context.savePrompts)) {
        event.Veto();
        return;
    }
    const ShowState state = IsIconized()    ? ShowState::Minimized
                            : IsMaximized() ? ShowState::Maximized
                                            : ShowState::Normal;
    WriteWindowPlacement(m_context.settings,
                         WindowPlacement::Of(m_normalRect, state, m_bWasMaximized));
    m_context.doc.SetViews(nullptr, nullptr);
    Destroy();
}

void CMainFrame::OnIdle(wxIdleEvent& event) {
    event.Skip();
    UpdateStatusPanes();
}

}  // namespace orvanel
