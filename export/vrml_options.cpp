#include "export/vrml_options.h"

#include "export/field_text.h"

namespace orvanel {

namespace {

std::string IntegerRangeMessage(IntRange range) { return IntRangeMessage(range.lo, range.hi); }
std::string NumberRangeMessage(FloatRange range) {
    return orvanel::NumberRangeMessage(range.lo, range.hi);
}

}  // namespace

std::optional<std::string> ValidateVrmlOptions(const VrmlOptions& o) {
    if (!kVrmlSectionsRange.Contains(o.nSections)) return IntegerRangeMessage(kVrmlSectionsRange);
    if (!kVrmlStepsRange.Contains(o.nSteps)) return IntegerRangeMessage(kVrmlStepsRange);
    if (!kVrmlShininessRange.Contains(o.fShininess)) {
        return NumberRangeMessage(kVrmlShininessRange);
    }
    if (!kVrmlTransparencyRange.Contains(o.fTransparency)) {
        return NumberRangeMessage(kVrmlTransparencyRange);
    }
    if (!kVrmlSmoothingAngleRange.Contains(o.nSmoothingAngle)) {
        return IntegerRangeMessage(kVrmlSmoothingAngleRange);
    }
    if (!kVrmlHoleRadiusRange.Contains(o.nHoleRadius)) {
        return IntegerRangeMessage(kVrmlHoleRadiusRange);
    }
    return std::nullopt;
}

}  // namespace orvanel
