// The pictures drawn as SVG files under resources/art, built into the program
// so that it shows them without any file beside it.
#pragma once

#include <span>
#include <string_view>

namespace orvanel {

// A picture's bytes by its file name ("splash.svg"); empty for a name that
// is not there.
std::span<const unsigned char> EmbeddedArt(std::string_view fileName);

}  // namespace orvanel
