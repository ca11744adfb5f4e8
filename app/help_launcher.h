// Help: the user guide in the HTML help viewer, and the small pop-up a
// context-help request shows.
#pragma once

#include <wx/gdicmn.h>

#include <filesystem>
#include <memory>
#include <optional>

class wxHtmlHelpController;
class wxWindow;

namespace orvanel {

class HelpLauncher {
public:
    // The help book's project file; when it does not exist, help does nothing.
    explicit HelpLauncher(std::filesystem::path book);
    ~HelpLauncher();
    HelpLauncher(const HelpLauncher&) = delete;
    HelpLauncher& operator=(const HelpLauncher&) = delete;

    // Looks beside the program (the build tree) and in the installed share folder.
    static std::filesystem::path FindBook();

    bool IsReady() const;
    // Opens the guide at its first page, in a window of its own.
    bool ShowContents();
    // The pop-up of a context-help request, at the point or at the mouse.
    bool ShowContextPopup(wxWindow* caller, unsigned contextNumber,
                          std::optional<wxPoint> screenPoint);
    const std::filesystem::path& Book() const { return m_book; }

private:
    std::filesystem::path m_book;
    std::unique_ptr<wxHtmlHelpController> m_controller;
};

}  // namespace orvanel
