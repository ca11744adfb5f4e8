#include "export/vrml_options.h"

#include "export/number_text.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

std::string Fill(std::string_view pattern, const std::string& lo, const std::string& hi) {
    std::string out(pattern);
    out.replace(out.find("%1"), 2, lo);
    out.replace(out.find("%2"), 2, hi);
    return out;
}

// A limit as the dialog shows it: the shortest digits, with a point.
std::string Limit(float v) {
    std::string out;
    AppendShortest(out, v);
    return out;
}

}  // namespace

std::string IntegerRangeMessage(IntRange range) {
    return Fill(text::kEnterIntegerBetween, std::to_string(range.lo), std::to_string(range.hi));
}

std::string NumberRangeMessage(FloatRange range) {
    return Fill(text::kEnterNumberBetween, Limit(range.lo), Limit(range.hi));
}

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
