// The context-help table and the text shown for a request it has no topic for.
#pragma once

#include <string>

namespace orvanel {

// The pop-up topic of a help context number; 0 means none.
int ContextHelpTopic(unsigned contextNumber);
// "No help topic is associated with this item #<number in upper-case hex>."
std::string NoHelpTopicText(unsigned contextNumber);

// Help context numbers of commands and of windows.
inline constexpr unsigned kHelpCommandBase = 0x10000;
inline constexpr unsigned kHelpResourceBase = 0x20000;
inline constexpr unsigned kMainWindowResource = 128;

}  // namespace orvanel
