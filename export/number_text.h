// Numbers as the exported files carry them: always with a decimal point,
// whatever the user's locale, since a decimal comma would break every file.
#pragma once

#include <string>

namespace orvanel {

// Appends v with six decimals, as "%f" does in the C locale.
void AppendFixed(std::string& out, double v);

// Appends v in the shortest form that reads back as the same float.
void AppendShortest(std::string& out, float v);

}  // namespace orvanel
