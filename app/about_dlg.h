// The About box: the program's picture, icon and version, a legal notice and
// the maker's link.
#pragma once

#include <wx/cursor.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

// After the platform's own static text, which it would leave out otherwise.
#include <wx/generic/stattextg.h>

#include "document/prompter.h"

namespace orvanel {

// A line of text that opens a web address when clicked: coloured and
// underlined, blue until the address was opened and purple after, with the
// address as its tooltip. A failure to open it is told in a box and leaves
// the colour as it was. Drawn by wx itself, so that it gets the mouse on
// every platform.
class CHyperLink final : public wxGenericStaticText {
public:
    // Without a target of its own the link opens its text.
    CHyperLink(wxWindow* parent, wxWindowID id, const wxString& text, Prompter& prompter);

    void SetLinkTarget(const wxString& target);
    const wxString& LinkTarget() const { return m_strTarget; }
    void MarkVisited(bool visited);
    bool IsVisited() const { return m_bVisited; }
    // The pointer over the link; the arrow until one is set.
    void SetLinkCursor(const wxCursor& cursor) { SetCursor(cursor); }
    // What a click does: the desktop's web browser opens the target.
    void OpenTarget();

private:
    Prompter& m_prompter;
    wxString m_strTarget;
    bool m_bVisited = false;
};

class CAboutDlg final : public wxDialog {
public:
    static constexpr wxWindowID kVersionId = 1000;
    static constexpr wxWindowID kLinkId = 1054;

    CAboutDlg(wxWindow* parent, Prompter& prompter);

    CHyperLink& Link() const { return *m_pLink; }
    // The file version shown beside "Version".
    wxString m_strVersion;

private:
    CHyperLink* m_pLink = nullptr;
};

}  // namespace orvanel
