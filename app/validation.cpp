#include "app/validation.h"

#include <algorithm>
#include <cctype>
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

std::string IntRangeMessage(long long lo, long long hi) {
    return FillBounds(text::kEnterIntegerBetween, FormatIntField(lo), FormatIntField(hi));
}

std::string_view TextOf(const FieldTexts& texts, int control) {
    const auto it = texts.find(control);
    return it == texts.end() ? std::string_view{} : std::string_view{it->second};
}

std::optional<int> ReadInt(const FieldTexts& texts, const FieldRule& field,
                           std::optional<FieldError>& error) {
    if (error) return std::nullopt;
    FieldRead<int> read = ReadIntField(TextOf(texts, field.control), static_cast<int>(field.lo),
                                       static_cast<int>(field.hi));
    if (!read.value) error = FieldError{field.control, read.message};
    return read.value;
}

std::optional<float> ReadNumber(const FieldTexts& texts, const FieldRule& field,
                                std::optional<FieldError>& error) {
    if (error) return std::nullopt;
    FieldRead<float> read = ReadNumberField(
        TextOf(texts, field.control), static_cast<float>(field.lo), static_cast<float>(field.hi));
    if (!read.value) error = FieldError{field.control, read.message};
    return read.value;
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
    const std::string range =
        FillBounds(text::kEnterNumberBetween, FormatNumberField(lo), FormatNumberField(hi));
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

int RadioIndex(std::span<const int, 8> group, int control) {
    const auto it = std::find(group.begin(), group.end(), control);
    return it == group.end() ? -1 : static_cast<int>(it - group.begin());
}

FieldTexts EditorPageTexts(const EditorSettingPageValues& v) {
    return {{kEditorPageFields[0].control, FormatIntField(v.m_nEditorSteps)},
            {kEditorPageFields[1].control, FormatIntField(v.m_nGridSize)},
            {kEditorPageFields[2].control, FormatIntField(v.m_nPenSize)}};
}

FieldTexts ObjectPageTexts(const ObjectPageValues& v) {
    return {{kObjectPageFields[0].control, FormatIntField(v.m_nPreviewSteps)},
            {kObjectPageFields[1].control, FormatIntField(v.m_nSections)},
            {kObjectPageFields[2].control, FormatNumberField(v.m_fExtrusionHeight)}};
}

FieldTexts PhotoPropertiesTexts(const PhotoPropertiesValues& v) {
    return {{kPhotoPropertiesFields[0].control, FormatIntField(v.m_nScaleHeight)},
            {kPhotoPropertiesFields[1].control, FormatIntField(v.m_nScaleWidth)}};
}

std::optional<FieldError> ReadEditorPage(const FieldTexts& texts, EditorSettingPageValues& values) {
    std::optional<FieldError> error;
    const std::optional<int> steps = ReadInt(texts, kEditorPageFields[0], error);
    const std::optional<int> grid = ReadInt(texts, kEditorPageFields[1], error);
    const std::optional<int> pen = ReadInt(texts, kEditorPageFields[2], error);
    if (error) return error;
    values.m_nEditorSteps = *steps;
    values.m_nGridSize = *grid;
    values.m_nPenSize = *pen;
    return std::nullopt;
}

std::optional<FieldError> ReadObjectPage(const FieldTexts& texts, ObjectPageValues& values) {
    std::optional<FieldError> error;
    const std::optional<int> steps = ReadInt(texts, kObjectPageFields[0], error);
    const std::optional<int> sections = ReadInt(texts, kObjectPageFields[1], error);
    const std::optional<float> height = ReadNumber(texts, kObjectPageFields[2], error);
    if (error) return error;
    values.m_nPreviewSteps = *steps;
    values.m_nSections = *sections;
    values.m_fExtrusionHeight = *height;
    return std::nullopt;
}

std::optional<FieldError> ReadPhotoProperties(const FieldTexts& texts,
                                              PhotoPropertiesValues& values) {
    std::optional<FieldError> error;
    std::optional<int> height;
    if (!values.m_bLockAspect) height = ReadInt(texts, kPhotoPropertiesFields[0], error);
    const std::optional<int> width = ReadInt(texts, kPhotoPropertiesFields[1], error);
    if (error) return error;
    if (height) values.m_nScaleHeight = static_cast<unsigned>(*height);
    values.m_nScaleWidth = static_cast<unsigned>(*width);
    return std::nullopt;
}

}  // namespace orvanel
