// The values of the VRML export: their defaults, the ranges the options
// dialog accepts, and the dialog's refusal of a value out of range.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "document/colour.h"
#include "document/ranges.h"

namespace orvanel {

inline constexpr IntRange kVrmlSectionsRange{3, 500};
inline constexpr IntRange kVrmlStepsRange{1, 50};
inline constexpr FloatRange kVrmlShininessRange{0.0f, 1.0f};
inline constexpr FloatRange kVrmlTransparencyRange{0.0f, 1.0f};
inline constexpr IntRange kVrmlSmoothingAngleRange{0, 90};
inline constexpr IntRange kVrmlHoleRadiusRange{0, 1000};

// The spin buttons' own ranges, wider than what the dialog accepts.
inline constexpr IntRange kVrmlSectionsSpin{0, 500};
inline constexpr IntRange kVrmlStepsSpin{0, 50};
inline constexpr IntRange kVrmlSmoothingAngleSpin{0, 90};
inline constexpr IntRange kVrmlHoleRadiusSpin{0, 10000};

inline constexpr Colour kVrmlDefaultDiffuse = Rgb(50, 80, 210);
inline constexpr Colour kVrmlDefaultEmissive = Rgb(0, 0, 0);
inline constexpr Colour kVrmlDefaultSpecular = Rgb(255, 255, 255);

struct VrmlOptions {
    int nSections = 16;
    int nSteps = 6;
    float fShininess = 0.3f;
    float fTransparency = 0.0f;
    int nSmoothingAngle = 30;   // degrees
    bool bFlipNormals = false;  // the document's flag when the dialog opens
    int nHoleRadius = 0;        // editor units
    Colour clrDiffuse = kVrmlDefaultDiffuse;
    Colour clrEmissive = kVrmlDefaultEmissive;
    Colour clrSpecular = kVrmlDefaultSpecular;
};

// The refusal of the first value out of range, in the order the dialog reads
// its fields, or nothing when every value is accepted.
std::optional<std::string> ValidateVrmlOptions(const VrmlOptions& options);

}  // namespace orvanel
