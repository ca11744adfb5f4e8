#include "app/about_info.h"

#include "resources/strings.h"

namespace orvanel {

std::string_view ProgramVersion() { return ORVANEL_VERSION; }

std::string SplashText(std::string_view version) {
    std::string text = "v";
    int dots = 0;
    for (const char c : version) {
        if (c == '.' && ++dots == 3) continue;
        text += c;
    }
    return std::string(text::kAppName) + "\n" + text;
}

std::string HyperlinkErrorText(LinkFailure failure) {
    std::string text(text::kUnableToOpenHyperlink);
    switch (failure) {
        case LinkFailure::NoBrowser:
            text += text::kNoBrowserForLinks;
            break;
        case LinkFailure::BrowserFailed:
            text += text::kBrowserDidNotStart;
            break;
    }
    return text;
}

}  // namespace orvanel
