#include "app/about_dlg.h"

#include <wx/button.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "app/about_info.h"
#include "editor/dc_canvas.h"
#include "resources/art.h"
#include "resources/svg_art.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

// Whether the desktop has the program that hands web addresses to the user's
// browser, when the toolkit's own way has failed.
bool HasLinkOpener() {
    wxString path, opener;
    return wxGetEnv("PATH", &path) && wxFindFileInPath(&opener, path, "xdg-open");
}

}  // namespace

CHyperLink::CHyperLink(wxWindow* parent, wxWindowID id, const wxString& text, Prompter& prompter)
    : wxGenericStaticText(parent, id, text), m_prompter(prompter), m_strTarget(text) {
    SetFont(GetFont().Underlined());
    SetForegroundColour(ToWx(kLinkColour));
    SetToolTip(m_strTarget);
    SetCursor(wxCursor(wxCURSOR_ARROW));
    Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
        if (GetClientRect().Contains(e.GetPosition())) OpenTarget();
    });
}

void CHyperLink::SetLinkTarget(const wxString& target) {
    m_strTarget = target;
    SetToolTip(target);
}

void CHyperLink::MarkVisited(bool visited) {
    m_bVisited = visited;
    SetForegroundColour(ToWx(visited ? kVisitedLinkColour : kLinkColour));
    Refresh();
}

void CHyperLink::OpenTarget() {
    bool opened = false;
    {
        // The failure is told below, in the program's own words.
        wxLogNull quiet;
        opened = wxLaunchDefaultBrowser(m_strTarget);
    }
    if (opened) {
        MarkVisited(true);
        return;
    }
    wxBell();
    m_prompter.ShowMessage(
        HyperlinkErrorText(HasLinkOpener() ? LinkFailure::BrowserFailed : LinkFailure::NoBrowser));
}

CAboutDlg::CAboutDlg(wxWindow* parent, Prompter& prompter)
    : wxDialog(parent, wxID_ANY, Wx(kAboutTitle)), m_strVersion(Wx(ProgramVersion())) {
    const int gap = FromDIP(7);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticBitmap(this, wxID_ANY, MakeAboutBitmap(), wxDefaultPosition, wxDefaultSize,
                                wxBORDER_SUNKEN),
             0, wxALL, gap);

    m_pLink = new CHyperLink(this, kLinkId, Wx(kMakerLinkText), prompter);
    m_pLink->SetLinkTarget(Wx(kMakerLinkTarget));
    m_pLink->SetLinkCursor(MakeLinkCursor());
    top->Add(m_pLink, 0, wxALIGN_CENTRE_HORIZONTAL | wxLEFT | wxRIGHT, gap);

    auto* facts = new wxBoxSizer(wxHORIZONTAL);
    facts->Add(new wxStaticBitmap(this, wxID_ANY, MakeProgramIconBitmap(32)), 0, wxRIGHT, gap);
    auto* lines = new wxBoxSizer(wxVERTICAL);
    auto* version = new wxBoxSizer(wxHORIZONTAL);
    version->Add(new wxStaticText(this, wxID_ANY, Wx(kAboutVersionLabel)), 0, wxRIGHT, gap);
    version->Add(new wxStaticText(this, kVersionId, m_strVersion));
    lines->Add(version);
    lines->Add(new wxStaticText(this, wxID_ANY, Wx(kAboutLegalNotice)), 0, wxTOP, gap / 2);
    facts->Add(lines, 0, wxALIGN_CENTRE_VERTICAL);
    top->Add(facts, 0, wxALL, gap);

    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    top->Add(ok, 0, wxALIGN_CENTRE_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, gap);
    SetSizerAndFit(top);
    CentreOnParent();
}

}  // namespace orvanel
