// What the splash screen and the About box say: the program's version as the
// build stamps it, the maker's link and the texts made of them.
#pragma once

#include <string>
#include <string_view>

#include "document/colour.h"

namespace orvanel {

// The file version, "3.1.1.0".
std::string_view ProgramVersion();

// The splash's two lines: the program's name, then its version as the splash
// has always written it, with the last two parts run together ("v3.1.10").
std::string SplashText(std::string_view version = ProgramVersion());

inline constexpr std::string_view kAboutTitle = "About Orvanel...";
inline constexpr std::string_view kAboutVersionLabel = "Version";
inline constexpr std::string_view kAboutLegalNotice = "Copyright \u00A9 Kestavin, LLC";
inline constexpr std::string_view kMakerLinkText = "A Kestavin Product";
inline constexpr std::string_view kMakerLinkTarget = "https://kestavin.example.com/";

inline constexpr Colour kLinkColour = 0xEE0000;         // blue 238
inline constexpr Colour kVisitedLinkColour = 0x8B1A55;  // red 85, green 26, blue 139

// Why a link's target could not be opened.
enum class LinkFailure {
    NoBrowser,      // nothing on the desktop opens web addresses
    BrowserFailed,  // a browser was there but did not start
};

// "Unable to open hyperlink:", a blank line and the reason.
std::string HyperlinkErrorText(LinkFailure failure);

}  // namespace orvanel
