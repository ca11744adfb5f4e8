#include "editor/point_properties.h"

#include <algorithm>
#include <cmath>

#include "editor/editor_draw.h"
#include "export/field_text.h"

namespace orvanel {

namespace {

double HeightOf(const ProfilePoint& point) {
    return static_cast<double>(kEditorExtent) - static_cast<double>(point.y);
}

// The typed length in editor units, rounded to the nearest unit, or the
// refusal; a text left as the dialog opened it gives `own`.
std::optional<std::string> ReadLength(const std::string& text, const std::string& opened, int own,
                                      const UnitSystem& units, int& result) {
    if (text == opened) {
        result = own;
        return std::nullopt;
    }
    const double hi = units.ToDisplay(kEditorExtent);
    const FieldRead<float> read = ReadNumberField(text, 0.0f, static_cast<float>(hi));
    if (!read.value) return read.message;
    const double v = std::llround(units.FromDisplay(*read.value));
    result = static_cast<int>(std::clamp(v, 0.0, static_cast<double>(kEditorExtent)));
    return std::nullopt;
}

}  // namespace

std::string LengthFieldText(double value) { return TrimmedFixedText(value, 3); }

PointPropertiesValues OpenPointProperties(const ProfilePoint& point, const UnitSystem& units) {
    return {LengthFieldText(units.ToDisplay(point.x)),
            LengthFieldText(units.ToDisplay(HeightOf(point))), point.bAnchor};
}

std::optional<PointFieldError> ReadPointProperties(const PointPropertiesValues& values,
                                                   const ProfilePoint& point,
                                                   const UnitSystem& units,
                                                   PointPlacement& placement) {
    const PointPropertiesValues opened = OpenPointProperties(point, units);
    int x = 0;
    if (auto refusal = ReadLength(values.strDistance, opened.strDistance, point.x, units, x)) {
        return PointFieldError{PointField::Distance, *refusal};
    }
    // The height counts up from the bottom edge; y counts down from the top.
    const int ownHeight = kEditorExtent - point.y;
    int height = 0;
    if (auto refusal = ReadLength(values.strHeight, opened.strHeight, ownHeight, units, height)) {
        return PointFieldError{PointField::Height, *refusal};
    }
    placement = {{x, kEditorExtent - height}, values.bAnchor};
    return std::nullopt;
}

bool ApplyPointProperties(CTavrinEditorDoc& doc, const ProfilePoint* point,
                          const PointPlacement& placement) {
    return doc.PlacePoint(point, placement.at.x, placement.at.y, placement.bAnchor);
}

}  // namespace orvanel
