// The toolbar pictures' SVG text, built into the program from the files in
// resources/toolbar/, by the name the command table gives them; empty for a
// name without a file.
#pragma once

#include <string_view>

namespace orvanel {

std::string_view ToolbarSvg(std::string_view icon);

}  // namespace orvanel
