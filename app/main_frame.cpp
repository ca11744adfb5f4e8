#include "app/main_frame.h"

#include <wx/accel.h>
#include <wx/display.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/menu.h>
#include <wx/printdlg.h>
#include <wx/statusbr.h>

#include "app/document_commands.h"
#include "app/help_launcher.h"
#include "app/help_topics.h"
#include "app/small_dialogs.h"
#include "app/split_wnd.h"
#include "app/wx_prompter.h"
#include "document/commands.h"
#include "editor/editor_view.h"
#include "editor/profile_size.h"
#include "resources/art.h"
#include "resources/dimension_texts.h"
#include "resources/ids.h"
#include "resources/strings.h"
#include "resources/ui_texts.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

// A command's prompt: the status-bar text, then after a newline the tooltip.
struct Prompt {
    wxString status;
    wxString tooltip;
};
Prompt SplitPrompt(std::string_view prompt) {
    const wxString text = Wx(prompt);
    return {text.BeforeFirst('\n'), text.AfterFirst('\n').BeforeFirst('\n')};
}

struct MenuEntry {
    int id;
    const char* text;
    const char* prompt;
    wxItemKind kind = wxITEM_NORMAL;
};

void AddItems(wxMenu* menu, std::initializer_list<MenuEntry> entries) {
    for (const MenuEntry& e : entries) {
        if (e.id == wxID_SEPARATOR) {
            menu->AppendSeparator();
            continue;
        }
        menu->Append(e.id, wxString::FromUTF8(e.text), SplitPrompt(e.prompt).status, e.kind);
    }
}

struct ToolEntry {
    int id;
    ToolbarArt art;
    const char* prompt;
    wxItemKind kind = wxITEM_NORMAL;
};

void AddTools(wxAuiToolBar* bar, std::initializer_list<ToolEntry> entries) {
    for (const ToolEntry& e : entries) {
        if (e.id == wxID_SEPARATOR) {
            bar->AddSeparator();
            continue;
        }
        const Prompt prompt = SplitPrompt(e.prompt);
        bar->AddTool(e.id, prompt.tooltip, MakeToolbarBitmap(e.art), prompt.tooltip, e.kind);
        bar->SetToolLongHelp(e.id, prompt.status);
    }
    bar->Realize();
}

constexpr const char* kPromptNew = "Create a new document\nNew";
constexpr const char* kPromptOpen = "Open an existing document\nOpen";
constexpr const char* kPromptPrint = "Print the active document.\nPrint";
constexpr const char* kPromptPrintPreview = "Preview the active document.\nPrint Preview";
constexpr const char* kPromptUndo = "Undo the last action\nUndo";
constexpr const char* kPromptRedo = "Redo the previously undone action\nRedo";
constexpr const char* kPromptDrag =
    "Selects the dragging tool.  To drag, hold down the left mouse button.\nDrag\n";
constexpr const char* kPromptPencil = "Switch to pencil mode\nPencil";
constexpr const char* kPromptInsert = "Switch to insertion mode\nInsert";
constexpr const char* kPromptMove = "Switch to move mode\nMove";
constexpr const char* kPromptOpenClose = "Opens/close wall profile.\nOpen/Close wall profile";
constexpr const char* kPromptTransfer = "Transfer to KST program.\nTransfer to KST program";
constexpr const char* kPromptFlip = "Flip the polygon normals\nFlip Normals";
constexpr const char* kPromptGridPlane = "View grid plane.\nView grid plane";
constexpr const char* kPromptGolden = "Show/Hide golden ratio (Phi)\nShow/Hide golden ratio (Phi)";
constexpr const char* kPromptSmoothing = "Toggle smoothing.\nToggle smoothing";

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
    m_pCommands = std::make_unique<DocumentCommands>(context.doc, *m_pEditorView, *m_pPreviewView);
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

    Bind(wxEVT_MENU, &CMainFrame::OnNew, this, wxID_NEW);
    Bind(wxEVT_MENU, &CMainFrame::OnOpen, this, wxID_OPEN);
    Bind(wxEVT_MENU, &CMainFrame::OnSave, this, wxID_SAVE);
    Bind(wxEVT_MENU, &CMainFrame::OnSaveAs, this, wxID_SAVEAS);
    Bind(wxEVT_MENU, &CMainFrame::OnRecentFile, this, wxID_FILE1, wxID_FILE6);
    Bind(wxEVT_MENU, &CMainFrame::OnPrint, this, id::Ui(id::kPrint));
    Bind(wxEVT_MENU, &CMainFrame::OnPrint, this, id::Ui(id::kPrintPreview));
    Bind(wxEVT_MENU, &CMainFrame::OnPrintSetup, this, wxID_PRINT_SETUP);
    Bind(wxEVT_MENU, &CMainFrame::OnExit, this, wxID_EXIT);
    Bind(wxEVT_MENU, &CMainFrame::OnToggleEditBar, this, id::Ui(id::kViewEditToolbar));
    Bind(wxEVT_MENU, &CMainFrame::OnTogglePreviewBar, this, id::Ui(id::kViewPreviewToolbar));
    Bind(wxEVT_MENU, &CMainFrame::OnToggleStatusBar, this, id::Ui(id::kViewStatusBar));
    Bind(wxEVT_MENU, &CMainFrame::OnSplit, this, id::Ui(id::kSplit));
    Bind(wxEVT_MENU, &CMainFrame::OnNextPane, this, id::Ui(id::kNextPane));
    Bind(wxEVT_MENU, &CMainFrame::OnNextPane, this, id::Ui(id::kPreviousPane));
    Bind(wxEVT_MENU, &CMainFrame::OnKeyboardHelp, this, id::Ui(id::kKeyboardHelp));
    Bind(wxEVT_MENU, &CMainFrame::OnHelpContents, this, id::Ui(id::kHelpContents));
    Bind(wxEVT_HELP, &CMainFrame::OnContextHelp, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    Bind(wxEVT_SIZE, &CMainFrame::OnMoveOrSize, this);
    Bind(wxEVT_MOVE, &CMainFrame::OnMoveOrSize, this);

    const auto hasPoint = [this](wxUpdateUIEvent& e) {
        e.Enable(m_context.doc.GetHead() != nullptr);
    };
    Bind(wxEVT_UPDATE_UI, hasPoint, id::Ui(id::kPrint));
    Bind(wxEVT_UPDATE_UI, hasPoint, id::Ui(id::kPrintPreview));
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& e) { e.Check(m_aui.GetPane(m_pEditBar).IsShown()); },
        id::Ui(id::kViewEditToolbar));
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& e) { e.Check(m_aui.GetPane(m_pPreviewBar).IsShown()); },
        id::Ui(id::kViewPreviewToolbar));
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(GetStatusBar()->IsShown()); },
        id::Ui(id::kViewStatusBar));
    // Force Redraw belongs to the editor: with the preview active nothing handles it.
    Bind(
        wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Enable(m_pActiveView == m_pEditorView); },
        id::Ui(id::kForceRedraw));
    Bind(
        wxEVT_UPDATE_UI,
        [this](wxUpdateUIEvent& e) {
            e.Enable(static_cast<std::size_t>(e.GetId() - wxID_FILE1) <
                     m_context.recentFiles.Entries().size());
        },
        wxID_FILE1, wxID_FILE6);
}

CMainFrame::~CMainFrame() {
    m_context.doc.SetViews(nullptr, nullptr);
    m_aui.UnInit();
}

void CMainFrame::BuildMenus() {
    auto* file = new wxMenu;
    AddItems(file,
             {{wxID_NEW, "&New\tCtrl+N", kPromptNew},
              {wxID_OPEN, "&Open...\tCtrl+O", kPromptOpen},
              {wxID_SAVE, "&Save\tCtrl+S", "Save the active document\nSave"},
              {wxID_SAVEAS, "Save &As...", "Save the active document with a new name\nSave As"},
              {wxID_SEPARATOR, "", ""},
              {id::Ui(id::kPrint), "&Print...", kPromptPrint},
              {id::Ui(id::kPrintPreview), "Print Pre&view...", kPromptPrintPreview},
              {wxID_PRINT_SETUP, "P&rint Setup...",
               "Change the printer and printing options\nPrint Setup"},
              {wxID_SEPARATOR, "", ""}});
    m_pFileMenu = file;
    m_nRecentPosition = file->GetMenuItemCount();
    AddItems(file, {{wxID_SEPARATOR, "", ""},
                    {id::Ui(id::kTransfer), "&Transfer to Kestavin", kPromptTransfer},
                    {wxID_SEPARATOR, "", ""},
                    {wxID_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit"}});

    auto* edit = new wxMenu;
    AddItems(edit,
             {{wxID_UNDO, "&Undo\tCtrl+Z", kPromptUndo},
              {wxID_REDO, "&Redo\tCtrl+Y", kPromptRedo},
              {wxID_SEPARATOR, "", ""},
              {wxID_CUT, "Cu&t\tCtrl+X", "Cut the selection and put it on the Clipboard\nCut"},
              {wxID_COPY, "&Copy\tCtrl+C", "Copy the selection and put it on the Clipboard\nCopy"},
              {wxID_PASTE, "&Paste\tCtrl+V", "Insert Clipboard contents\nPaste"},
              {wxID_SEPARATOR, "", ""},
              {wxID_SELECTALL, "Select All\tCtrl+A", "Select the entire document\nSelect All"},
              {id::Ui(id::kDeselect), "Deselect\tCtrl+D", "Deselect all points"}});

    auto* view = new wxMenu;
    AddItems(view, {{id::Ui(id::kViewEditToolbar), "Edit &Toolbar",
                     "Show or hide the edit toolbar\nToggle EditBar", wxITEM_CHECK},
                    {id::Ui(id::kViewPreviewToolbar), "&Preview Toolbar",
                     "Show or hide the preview bar\nToggle PreviewBar", wxITEM_CHECK},
                    {id::Ui(id::kViewStatusBar), "&Status Bar",
                     "Show or hide the status bar\nToggle StatusBar", wxITEM_CHECK},
                    {id::Ui(id::kSplit), "S&plit", "Split the active window into panes\nSplit"},
                    {wxID_SEPARATOR, "", ""},
                    {id::Ui(id::kSettings), "Se&ttings...", "Modify the program settings."}});

    auto* photo = new wxMenu;
    AddItems(photo, {{id::Ui(id::kPhotoAdd), "&Add/Replace...",
                      "Add a photo to the background\nAdd Photo Background"},
                     {id::Ui(id::kPhotoRemove), "&Remove",
                      "Remove background photo.\nRemove background photo."},
                     {id::Ui(id::kPhotoProperties), "&Properties...",
                      "Adjust properties of background photo.\nPhoto properties."},
                     {wxID_SEPARATOR, "", ""},
                     {id::Ui(id::kPhotoHide), "&Hide", "Hides the background photo.\nHide",
                      wxITEM_CHECK}});

    auto* tools = new wxMenu;
    AddItems(tools,
             {{id::Ui(id::kToolPencil), "&Pencil\tP", kPromptPencil, wxITEM_CHECK},
              {id::Ui(id::kToolInsert), "&Insert\tI", kPromptInsert, wxITEM_CHECK},
              {id::Ui(id::kToolMove), "&Move\tM", kPromptMove, wxITEM_CHECK},
              {id::Ui(id::kToolDragPhoto), "&Drag photo\tD", kPromptDrag, wxITEM_CHECK},
              {wxID_SEPARATOR, "", ""},
              {id::Ui(id::kOpenCloseProfile), "Open/Close wall profile", kPromptOpenClose},
              {id::Ui(id::kAnchorSelected), "Anchor Point", ""},
              {wxID_SEPARATOR, "", ""},
              {id::Ui(id::kGoldenRatio), "Show Phi &Golden Ratio", kPromptGolden, wxITEM_CHECK}});
    tools->AppendSubMenu(photo, "Background &Photo");
    // The grid has no other way in: without this item it could not be turned on.
    AddItems(tools, {{wxID_SEPARATOR, "", ""},
                     {id::Ui(id::kToggleGrid), "&Grid and Snap",
                      "Turn the Grid and the Snap on and off\nToggle Grid", wxITEM_CHECK},
                     {id::Ui(id::kForceRedraw), "Force Re&draw", "Forces window redraw."}});

    auto* help = new wxMenu;
    AddItems(help, {{id::Ui(id::kHelpContents), "Orvanel Help", ""},
                    {wxID_SEPARATOR, "", ""},
                    {id::Ui(id::kKeyboardHelp), "&Keyboard Help...",
                     "Shows the functions accessible via the keyboard."},
                    {wxID_ABOUT, "&About Orvanel...",
                     "Display program information, version number and copyright\nAbout"}});

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(view, "&View");
    bar->Append(tools, "&Tools");
    bar->Append(help, "&Help");
    SetMenuBar(bar);
    RefreshRecentMenu();
}

void CMainFrame::RefreshRecentMenu() {
    for (; m_nRecentShown > 0; --m_nRecentShown) {
        m_pFileMenu->Destroy(m_pFileMenu->FindItemByPosition(m_nRecentPosition));
    }
    const auto& entries = m_context.recentFiles.Entries();
    if (entries.empty()) {
        m_pFileMenu->Insert(m_nRecentPosition, wxID_FILE1, Wx(text::kRecentFilePlaceholder),
                            "Open this document");
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
                            "Open this document");
    }
    m_nRecentShown = entries.size();
}

void CMainFrame::BuildToolbars() {
    const long style = wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_HORIZONTAL;
    m_pEditBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
    AddTools(m_pEditBar,
             {{wxID_NEW, ToolbarArt::New, kPromptNew},
              {wxID_OPEN, ToolbarArt::Open, kPromptOpen},
              {wxID_SEPARATOR, ToolbarArt::New, ""},
              {id::Ui(id::kPrint), ToolbarArt::Print, kPromptPrint},
              {id::Ui(id::kPrintPreview), ToolbarArt::PrintPreview, kPromptPrintPreview},
              {wxID_SEPARATOR, ToolbarArt::New, ""},
              {wxID_UNDO, ToolbarArt::Undo, kPromptUndo},
              {wxID_REDO, ToolbarArt::Redo, kPromptRedo},
              {wxID_SEPARATOR, ToolbarArt::New, ""},
              {id::Ui(id::kToolDragPhoto), ToolbarArt::DragPhoto, kPromptDrag, wxITEM_CHECK},
              {id::Ui(id::kToolPencil), ToolbarArt::Pencil, kPromptPencil, wxITEM_CHECK},
              {id::Ui(id::kToolInsert), ToolbarArt::Insert, kPromptInsert, wxITEM_CHECK},
              {id::Ui(id::kToolMove), ToolbarArt::Move, kPromptMove, wxITEM_CHECK},
              {id::Ui(id::kOpenCloseProfile), ToolbarArt::OpenClose, kPromptOpenClose},
              {wxID_SEPARATOR, ToolbarArt::New, ""},
              {id::Ui(id::kTransfer), ToolbarArt::Transfer, kPromptTransfer}});
    m_pPreviewBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, style);
    AddTools(
        m_pPreviewBar,
        {{id::Ui(id::kFlipNormals), ToolbarArt::FlipNormals, kPromptFlip},
         {id::Ui(id::kViewGridPlane), ToolbarArt::GridPlane, kPromptGridPlane, wxITEM_CHECK},
         {id::Ui(id::kGoldenRatio), ToolbarArt::GoldenRatio, kPromptGolden, wxITEM_CHECK},
         {id::Ui(id::kToggleSmoothing), ToolbarArt::Smoothing, kPromptSmoothing, wxITEM_CHECK}});
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

void CMainFrame::BuildAccelerators() {
    const wxAcceleratorEntry entries[] = {
        {wxACCEL_CTRL, 'N', wxID_NEW},
        {wxACCEL_CTRL, 'O', wxID_OPEN},
        {wxACCEL_CTRL, 'S', wxID_SAVE},
        {wxACCEL_CTRL, 'Z', wxID_UNDO},
        {wxACCEL_ALT, WXK_BACK, wxID_UNDO},
        {wxACCEL_CTRL, 'Y', wxID_REDO},
        {wxACCEL_CTRL, 'X', wxID_CUT},
        {wxACCEL_SHIFT, WXK_DELETE, wxID_CUT},
        {wxACCEL_CTRL, 'C', wxID_COPY},
        {wxACCEL_CTRL, WXK_INSERT, wxID_COPY},
        {wxACCEL_CTRL, 'V', wxID_PASTE},
        {wxACCEL_SHIFT, WXK_INSERT, wxID_PASTE},
        {wxACCEL_CTRL, 'A', wxID_SELECTALL},
        {wxACCEL_CTRL, 'D', id::Ui(id::kDeselect)},
        {wxACCEL_NORMAL, 'D', id::Ui(id::kToolDragPhoto)},
        {wxACCEL_NORMAL, 'P', id::Ui(id::kToolPencil)},
        // Ctrl+P selects the pencil: printing has no key.
        {wxACCEL_CTRL, 'P', id::Ui(id::kToolPencil)},
        {wxACCEL_NORMAL, 'I', id::Ui(id::kToolInsert)},
        {wxACCEL_CTRL, 'I', id::Ui(id::kToolInsert)},
        {wxACCEL_NORMAL, 'M', id::Ui(id::kToolMove)},
        {wxACCEL_CTRL, 'M', id::Ui(id::kToolMove)},
        {wxACCEL_NORMAL, WXK_F6, id::Ui(id::kNextPane)},
        {wxACCEL_SHIFT, WXK_F6, id::Ui(id::kPreviousPane)},
    };
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(std::size(entries)), entries));
}

bool CMainFrame::TryBefore(wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (!m_bRouting && (type == wxEVT_MENU || type == wxEVT_UPDATE_UI)) {
        // The route of a command: the active view, then the document, then
        // this window and the application.
        m_bRouting = true;
        bool handled = m_pActiveView != nullptr &&
                       m_pActiveView->GetEventHandler()->ProcessEventLocally(event);
        if (!handled && m_pCommands) handled = m_pCommands->ProcessEventLocally(event);
        m_bRouting = false;
        if (handled) return true;
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

void CMainFrame::OnNew(wxCommandEvent&) { NewDocument(); }

void CMainFrame::OnOpen(wxCommandEvent&) {
    wxFileDialog dialog(this, "Open", wxString(), wxString(), kProfileFileFilter,
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    OpenDocument(std::filesystem::path(dialog.GetPath().utf8_string()));
}

void CMainFrame::OnSave(wxCommandEvent&) {
    if (SaveDocument(m_context.doc, m_context.savePrompts)) {
        m_context.recentFiles.Add(m_context.doc.GetPathName());
        RefreshRecentMenu();
    }
    UpdateTitle();
}

void CMainFrame::OnSaveAs(wxCommandEvent&) {
    if (SaveDocumentAs(m_context.doc, m_context.savePrompts)) {
        m_context.recentFiles.Add(m_context.doc.GetPathName());
        RefreshRecentMenu();
    }
    UpdateTitle();
}

void CMainFrame::OnRecentFile(wxCommandEvent& event) {
    const auto index = static_cast<std::size_t>(event.GetId() - wxID_FILE1);
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
        // The preview owns both printouts: one to show, one to print from it.
        auto* printPreview = new SharedDataPrintPreview(makePrintout(), makePrintout(),
                                                        m_context.printData, m_context.prompter);
        if (!printPreview->IsOk()) {
            delete printPreview;
            m_context.prompter.ShowMessage("There was a problem previewing.");
            return;
        }
        auto* frame = new wxPreviewFrame(printPreview, this, "Print Preview");
        frame->Initialize();
        frame->Show();
        return;
    }
    const std::unique_ptr<wxPrintout> printout = makePrintout();
    PrintThroughDialog(this, *printout, m_context.printData, m_context.prompter);
}

void CMainFrame::OnPrint(wxCommandEvent& event) {
    PrintChosenView(event.GetId() == id::Ui(id::kPrintPreview));
}

void CMainFrame::OnPrintSetup(wxCommandEvent&) {
    wxPageSetupDialogData data(m_context.printData);
    wxPageSetupDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK) {
        m_context.printData = dialog.GetPageSetupDialogData().GetPrintData();
    }
}

void CMainFrame::OnExit(wxCommandEvent&) { Close(); }

void CMainFrame::OnToggleEditBar(wxCommandEvent&) {
    wxAuiPaneInfo& pane = m_aui.GetPane(m_pEditBar);
    pane.Show(!pane.IsShown());
    m_aui.Update();
}

void CMainFrame::OnTogglePreviewBar(wxCommandEvent&) {
    wxAuiPaneInfo& pane = m_aui.GetPane(m_pPreviewBar);
    pane.Show(!pane.IsShown());
    m_aui.Update();
}

void CMainFrame::OnToggleStatusBar(wxCommandEvent&) {
    wxStatusBar* bar = GetStatusBar();
    bar->Show(!bar->IsShown());
    SendSizeEvent();
}

void CMainFrame::OnSplit(wxCommandEvent&) { m_pSplitter->StartTracking(); }

void CMainFrame::OnNextPane(wxCommandEvent&) {
    // With two panes the next and the previous pane are the same: the other.
    ActivateView(m_pActiveView == m_pEditorView ? static_cast<wxWindow*>(m_pPreviewView)
                                                : m_pEditorView);
}

void CMainFrame::OnKeyboardHelp(wxCommandEvent&) {
    CKeyDialog dialog(this);
    dialog.ShowModal();
}

void CMainFrame::OnHelpContents(wxCommandEvent&) { m_context.help.ShowContents(); }

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
