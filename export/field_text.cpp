#include "export/field_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <system_error>

#include "resources/strings.h"

namespace orvanel {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits at `at`; returns how many there were.
std::size_t Digits(std::string_view text, std::size_t& at) {
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at - start;
}

}  // namespace

std::string FillBounds(std::string_view pattern, std::string_view lo, std::string_view hi) {
    std::string text(pattern);
    if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, lo);
    if (const auto at = text.find("%2"); at != std::string::npos) text.replace(at, 2, hi);
    return text;
}

std::string FormatIntField(long long value) { return std::to_string(value); }

std::string FormatNumberField(float value) {
    // The shortest text that reads back as the same float, in the C locale.
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (ec != std::errc{}) return "0";
    return std::string(buffer.data(), end);
}

FieldRead<int> ReadIntField(std::string_view text, int lo, int hi) {
    const std::string_view t = Trimmed(text);
    std::size_t at = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) ++at;
    const std::size_t first = at;
    if (Digits(t, at) == 0 || at != t.size())
        return {std::nullopt, std::string(text::kEnterInteger)};
    // Far beyond any range: saturating keeps the comparison honest.
    long long v = 0;
    for (std::size_t i = first; i < t.size(); ++i) {
        v = std::min<long long>(v * 10 + (t[i] - '0'), static_cast<long long>(INT_MAX) + 1);
    }
    if (negative) v = -v;
    if (v < lo || v > hi) return {std::nullopt, IntRangeMessage(lo, hi)};
    return {static_cast<int>(v), {}};
}

FieldRead<float> ReadNumberField(std::string_view text, float lo, float hi) {
    std::string_view t = Trimmed(text);
    const std::string range = NumberRangeMessage(lo, hi);
    // The shape of a decimal number first: from_chars alone would also take
    // "inf", "nan" and hexadecimal forms.
    std::size_t at = 0;
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) ++at;
    std::size_t mantissa = Digits(t, at);
    if (at < t.size() && t[at] == '.') {
        ++at;
        mantissa += Digits(t, at);
    }
    bool shaped = mantissa > 0;
    if (shaped && at < t.size() && (t[at] == 'e' || t[at] == 'E')) {
        ++at;
        if (at < t.size() && (t[at] == '-' || t[at] == '+')) ++at;
        shaped = Digits(t, at) > 0;
    }
    if (!shaped || at != t.size()) return {std::nullopt, std::string(text::kEnterNumber)};
    if (t[0] == '+') t.remove_prefix(1);
    double v = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec == std::errc::result_out_of_range) return {std::nullopt, range};
    if (ec != std::errc{} || end != t.data() + t.size()) {
        return {std::nullopt, std::string(text::kEnterNumber)};
    }
    const float f = static_cast<float>(std::clamp(v, -3.0e38, 3.0e38));
    if (!(f >= lo && f <= hi)) return {std::nullopt, range};
    return {f, {}};
}

std::string IntRangeMessage(long long lo, long long hi) {
    return FillBounds(text::kEnterIntegerBetween, FormatIntField(lo), FormatIntField(hi));
}

std::string NumberRangeMessage(float lo, float hi) {
    return FillBounds(text::kEnterNumberBetween, FormatNumberField(lo), FormatNumberField(hi));
}

}  // namespace orvanel
