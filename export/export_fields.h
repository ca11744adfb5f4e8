// The fields of the two export options dialogs: their controls, the ranges
// they accept and the ranges their spin buttons move in, and the options read
// back from their texts with the program's own refusals.
#pragma once

#include <array>
#include <optional>

#include "app/validation.h"
#include "export/stl_writer.h"
#include "export/vrml_options.h"

namespace orvanel {

// VRML Export Options, in the order the fields are read on "Export".
inline constexpr std::array<FieldRule, 6> kVrmlOptionsFields{{
    {1004, FieldKind::Integer, kVrmlSectionsRange.lo, kVrmlSectionsRange.hi, 1013,
     kVrmlSectionsSpin.lo, kVrmlSectionsSpin.hi},
    {1005, FieldKind::Integer, kVrmlStepsRange.lo, kVrmlStepsRange.hi, 1068, kVrmlStepsSpin.lo,
     kVrmlStepsSpin.hi},
    {1007, FieldKind::Number, kVrmlShininessRange.lo, kVrmlShininessRange.hi},
    {1008, FieldKind::Number, kVrmlTransparencyRange.lo, kVrmlTransparencyRange.hi},
    {1069, FieldKind::Integer, kVrmlSmoothingAngleRange.lo, kVrmlSmoothingAngleRange.hi, 1015,
     kVrmlSmoothingAngleSpin.lo, kVrmlSmoothingAngleSpin.hi},
    {1010, FieldKind::Integer, kVrmlHoleRadiusRange.lo, kVrmlHoleRadiusRange.hi, 1016,
     kVrmlHoleRadiusSpin.lo, kVrmlHoleRadiusSpin.hi},
}};
inline constexpr int kVrmlFlipNormalsCheckBox = 1011;
// The colours' "Change..." buttons and their swatches.
inline constexpr int kVrmlDiffuseButton = 1053;
inline constexpr int kVrmlEmissiveButton = 1003;
inline constexpr int kVrmlSpecularButton = 1002;
inline constexpr int kVrmlDiffuseSwatch = 1018;
inline constexpr int kVrmlEmissiveSwatch = 1019;
inline constexpr int kVrmlSpecularSwatch = 1020;

// STL Export Options.
inline constexpr std::array<FieldRule, 2> kStlOptionsFields{{
    {1100, FieldKind::Integer, kStlSectionsRange.lo, kStlSectionsRange.hi, 1101,
     kStlSectionsRange.lo, kStlSectionsRange.hi},
    {1102, FieldKind::Integer, kStlStepsRange.lo, kStlStepsRange.hi, 1103, kStlStepsRange.lo,
     kStlStepsRange.hi},
}};
inline constexpr int kStlBinaryButton = 1104;
inline constexpr int kStlAsciiButton = 1105;

FieldTexts VrmlOptionsTexts(const VrmlOptions& options);
FieldTexts StlOptionsTexts(const StlOptions& options);

// Each reads the fields in order and stores them only when all pass;
// otherwise returns the first refusal and leaves the options alone. The check
// box, the radio buttons and the colours are the dialog's to copy.
std::optional<FieldError> ReadVrmlOptions(const FieldTexts& texts, VrmlOptions& options);
std::optional<FieldError> ReadStlOptions(const FieldTexts& texts, StlOptions& options);

}  // namespace orvanel
