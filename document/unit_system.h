// Real sizes: how many millimetres one editor unit stands for, and the unit
// the program shows sizes in. Every figure in millimetres, centimetres or
// inches that the program shows, prints or writes is converted here.
#pragma once

#include <string>
#include <string_view>

#include "document/settings_store.h"

namespace orvanel {

enum class DisplayUnit { Millimetre, Centimetre, Inch };

// The sizes of one editor unit the program accepts, in millimetres.
inline constexpr double kSmallestUnitSize = 0.01;
inline constexpr double kLargestUnitSize = 100.0;

// 1, 10 or 25.4.
double MillimetresPer(DisplayUnit unit);
// "mm", "cm", "in".
std::string_view UnitSuffix(DisplayUnit unit);
// How many decimals a size is shown with: a tenth of a millimetre, or a
// hundredth of a centimetre or an inch.
int UnitDecimals(DisplayUnit unit);

struct UnitSystem {
    double unitSize = 1.0;  // millimetres per editor unit
    DisplayUnit display = DisplayUnit::Millimetre;

    double ToMillimetres(double units) const { return units * unitSize; }
    double FromMillimetres(double mm) const { return mm / unitSize; }
    // Editor units to the display unit and back.
    double ToDisplay(double units) const { return ToMillimetres(units) / MillimetresPer(display); }
    double FromDisplay(double value) const {
        return FromMillimetres(value * MillimetresPer(display));
    }
    std::string_view Suffix() const { return UnitSuffix(display); }
    // A length in editor units as the display unit shows it: "182.0", and
    // with the suffix "182.0 mm". Always with a decimal point.
    std::string FormatNumber(double units) const;
    std::string Format(double units) const;

    friend bool operator==(const UnitSystem&, const UnitSystem&) = default;
};

// A number with a fixed count of decimals in the C locale; never "-0.0".
std::string FixedText(double value, int decimals);
// The same with its trailing zeros dropped, as a field shows it: "12.5", "240".
std::string TrimmedFixedText(double value, int decimals);

namespace dimension_keys {
inline constexpr std::string_view kSection = "Dimensions";
inline constexpr std::string_view kUnitSize = "UnitSize";
inline constexpr std::string_view kDisplayUnit = "DisplayUnit";
}  // namespace dimension_keys

// The unit size is stored as its shortest decimal text ("1", "0.5"), the
// display unit as its suffix; anything else falls back to the defaults.
UnitSystem ReadUnitSystem(SettingsStore& store);
void WriteUnitSystem(SettingsStore& store, const UnitSystem& units);

}  // namespace orvanel
