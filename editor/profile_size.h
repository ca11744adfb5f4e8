// The real size of the turned object: the largest diameter and the overall
// height of the curve as the preview samples it, for the status bar, the
// template and the Dimensions dialog, and the unit size that gives the
// profile a wanted size.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "document/document.h"
#include "document/unit_system.h"
#include "export/field_text.h"

namespace orvanel {

// A point shown somewhere else than where the document has it: the points of
// a drag that has not ended yet.
struct MovedPoint {
    const ProfilePoint* point;
    IntPoint at;
};

// Editor units.
struct ProfileSize {
    double diameter = 0.0;  // twice the largest distance of the curve from the axis
    double height = 0.0;    // from the curve's top to its bottom
    friend bool operator==(const ProfileSize&, const ProfileSize&) = default;
};

// The size of the curve with the preview's steps and anchor rule, the moved
// points (sorted by their address) at their new places. None when the profile
// has no curve.
std::optional<ProfileSize> MeasureProfileSize(const CTavrinEditorDoc& doc,
                                              std::span<const MovedPoint> moved = {});

// The status bar's size pane, "Ø 182.0 × 240.0 mm"; empty without a curve.
std::string SizePaneText(const std::optional<ProfileSize>& size, const UnitSystem& units);

// The unit size that makes the profile's height or diameter (`extent`, in
// editor units) the length typed in `text`, in the display unit. Refused with
// the range message when the unit size would fall outside what is accepted,
// and with its own message when the profile has no such extent.
enum class SizeToMake { Height, Diameter };
FieldRead<double> UnitSizeToMake(SizeToMake what, std::string_view text, double extent,
                                 DisplayUnit unit);

// The Dimensions dialog's unit size field: the size as the field shows it,
// to six decimals, and the field read back. A text left as shown keeps the
// exact size it stands for, so that opening and closing the dialog never
// changes the unit size by its rounding.
std::string UnitSizeText(double unitSize);
struct UnitSizeField {
    double unitSize = 1.0;
    std::string text;  // UnitSizeText(unitSize)
};
UnitSizeField ShowUnitSize(double unitSize);
// Refused with the range message outside 0.01 ... 100 mm.
FieldRead<double> ReadUnitSize(std::string_view text, const UnitSizeField& shown);

}  // namespace orvanel
