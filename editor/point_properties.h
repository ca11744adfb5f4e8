// Exact coordinates of one point: the values of the Point Properties dialog,
// their range check, and the move they make.
#pragma once

#include <optional>
#include <string>

#include "document/document.h"
#include "document/unit_system.h"

namespace orvanel {

// The dialog's fields: the distance from the axis and the height above the
// bottom edge of the editor area, in the display unit, and the anchor flag.
struct PointPropertiesValues {
    std::string strDistance;
    std::string strHeight;
    bool bAnchor = false;
    friend bool operator==(const PointPropertiesValues&, const PointPropertiesValues&) = default;
};

PointPropertiesValues OpenPointProperties(const ProfilePoint& point, const UnitSystem& units);

// A length as a field shows it: up to three decimals, no trailing zeros.
std::string LengthFieldText(double value);

enum class PointField { Distance, Height };

struct PointFieldError {
    PointField field;
    std::string message;
    friend bool operator==(const PointFieldError&, const PointFieldError&) = default;
};

// Where OK puts the point.
struct PointPlacement {
    IntPoint at;
    bool bAnchor = false;
    friend bool operator==(const PointPlacement&, const PointPlacement&) = default;
};

// Reads both fields, distance first. A value outside the editor area is
// refused with the range message; a field left as it opened keeps the
// point's own coordinate, whatever the rounding of its text.
std::optional<PointFieldError> ReadPointProperties(const PointPropertiesValues& values,
                                                   const ProfilePoint& point,
                                                   const UnitSystem& units,
                                                   PointPlacement& placement);

// OK: the point moves there as one undo step. Returns whether anything changed.
bool ApplyPointProperties(CTavrinEditorDoc& doc, const ProfilePoint* point,
                          const PointPlacement& placement);

}  // namespace orvanel
