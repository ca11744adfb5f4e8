#include "document/unit_system.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace orvanel {

double MillimetresPer(DisplayUnit unit) {
    switch (unit) {
        case DisplayUnit::Centimetre:
            return 10.0;
        case DisplayUnit::Inch:
            return 25.4;
        case DisplayUnit::Millimetre:
            break;
    }
    return 1.0;
}

std::string_view UnitSuffix(DisplayUnit unit) {
    switch (unit) {
        case DisplayUnit::Centimetre:
            return "cm";
        case DisplayUnit::Inch:
            return "in";
        case DisplayUnit::Millimetre:
            break;
    }
    return "mm";
}

int UnitDecimals(DisplayUnit unit) { return unit == DisplayUnit::Millimetre ? 1 : 2; }

std::string FixedText(double value, int decimals) {
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed, decimals);
    if (ec != std::errc{}) return "0";
    std::string text(buffer.data(), end);
    // A small negative value rounds to "-0.0", which no ruler shows.
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos) {
        text.erase(0, 1);
    }
    return text;
}

std::string TrimmedFixedText(double value, int decimals) {
    std::string text = FixedText(value, decimals);
    if (text.find('.') == std::string::npos) return text;
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string UnitSystem::FormatNumber(double units) const {
    return FixedText(ToDisplay(units), UnitDecimals(display));
}

std::string UnitSystem::Format(double units) const {
    std::string text = FormatNumber(units);
    text += ' ';
    text += Suffix();
    return text;
}

UnitSystem ReadUnitSystem(SettingsStore& store) {
    using namespace dimension_keys;
    UnitSystem units;
    const std::string size = store.GetString(kSection, kUnitSize, "");
    double value = 0.0;
    const auto [end, ec] = std::from_chars(size.data(), size.data() + size.size(), value);
    if (ec == std::errc{} && end == size.data() + size.size() && value >= kSmallestUnitSize &&
        value <= kLargestUnitSize) {
        units.unitSize = value;
    }
    const std::string unit = store.GetString(kSection, kDisplayUnit, "");
    for (const DisplayUnit u :
         {DisplayUnit::Millimetre, DisplayUnit::Centimetre, DisplayUnit::Inch}) {
        if (unit == UnitSuffix(u)) units.display = u;
    }
    return units;
}

void WriteUnitSystem(SettingsStore& store, const UnitSystem& units) {
    using namespace dimension_keys;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), units.unitSize);
    store.WriteString(kSection, kUnitSize, std::string_view(buffer.data(), result.ptr));
    store.WriteString(kSection, kDisplayUnit, UnitSuffix(units.display));
}

}  // namespace orvanel
