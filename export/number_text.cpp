#include "export/number_text.h"

#include <charconv>

namespace orvanel {

void AppendFixed(std::string& out, double v) {
    // The largest double has 309 integer digits.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

void AppendShortest(std::string& out, float v) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}

}  // namespace orvanel
