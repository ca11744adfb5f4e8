#include "app/help_launcher.h"

#include <wx/html/helpctrl.h>
#include <wx/popupwin.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>

#include "app/help_topics.h"

namespace orvanel {

namespace {

constexpr const char* kBookName = "orvanel.hhp";

// Pale yellow text on black, where the mouse is.
class HelpPopup final : public wxPopupTransientWindow {
public:
    HelpPopup(wxWindow* parent, const wxString& text) : wxPopupTransientWindow(parent) {
        SetBackgroundColour(*wxBLACK);
        auto* label = new wxStaticText(this, wxID_ANY, text);
        label->SetForegroundColour(wxColour(255, 255, 208));
        label->SetBackgroundColour(*wxBLACK);
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        sizer->Add(label, 0, wxALL, 6);
        SetSizerAndFit(sizer);
    }

private:
    // One pop-up per request: gone once it is dismissed.
    void OnDismiss() override { Destroy(); }
};

}  // namespace

HelpLauncher::HelpLauncher(std::filesystem::path book) : m_book(std::move(book)) {}

HelpLauncher::~HelpLauncher() = default;

std::filesystem::path HelpLauncher::FindBook() {
    const std::filesystem::path exeDir =
        std::filesystem::path(wxStandardPaths::Get().GetExecutablePath().utf8_string())
            .parent_path();
    for (const auto& candidate :
         {exeDir / "help" / kBookName,
          exeDir.parent_path() / "share" / "orvanel" / "help" / kBookName}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
    return {};
}

bool HelpLauncher::IsReady() const {
    std::error_code ec;
    return !m_book.empty() && std::filesystem::is_regular_file(m_book, ec);
}

bool HelpLauncher::ShowContents() {
    if (!IsReady()) return false;
    if (!m_controller) {
        // Not owned by the main window: the guide stays open beside it.
        m_controller = std::make_unique<wxHtmlHelpController>(wxHF_DEFAULT_STYLE);
        if (!m_controller->AddBook(wxFileName(wxString::FromUTF8(m_book.string())))) {
            m_controller.reset();
            return false;
        }
    }
    return m_controller->DisplayContents();
}

bool HelpLauncher::ShowContextPopup(wxWindow* caller, unsigned contextNumber,
                                    std::optional<wxPoint> screenPoint) {
    if (!IsReady() || caller == nullptr) return false;
    const wxPoint at = screenPoint.value_or(wxGetMousePosition());
    // No context has a topic of its own: every request says so.
    if (ContextHelpTopic(contextNumber) == 0) {
        auto* popup = new HelpPopup(caller, wxString::FromUTF8(NoHelpTopicText(contextNumber)));
        popup->Position(at, wxSize(0, 0));
        popup->Popup();
    }
    return true;
}

}  // namespace orvanel
