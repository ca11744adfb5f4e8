// The texts of the real-size features: the size pane, the Dimensions dialog,
// Point Properties, the photo calibration and the 1:1 template.
#pragma once

#include <string_view>

namespace orvanel::text {

inline constexpr std::string_view kSizePaneInitial = "Ø 9999.9 × 9999.9 mm";

inline constexpr std::string_view kDimensionsCaption = "Dimensions";
inline constexpr std::string_view kUnitSizeLabel = "Size of one editor unit:";
inline constexpr std::string_view kDisplayUnitLabel = "Show sizes in:";
inline constexpr std::string_view kUnitMillimetres = "millimetres";
inline constexpr std::string_view kUnitCentimetres = "centimetres";
inline constexpr std::string_view kUnitInches = "inches";
inline constexpr std::string_view kMakeHeightLabel = "Make the overall height";
inline constexpr std::string_view kMakeDiameterLabel = "Make the largest diameter";
inline constexpr std::string_view kMakeButton = "&Set";
inline constexpr std::string_view kNoHeightToMake = "The curve has no height to scale.";
inline constexpr std::string_view kNoDiameterToMake = "The curve has no diameter to scale.";

inline constexpr std::string_view kPointPropertiesCaption = "Point Properties";
inline constexpr std::string_view kPointDistanceLabel = "Distance from the axis:";
inline constexpr std::string_view kPointHeightLabel = "Height above the bottom edge:";
inline constexpr std::string_view kPointAnchorLabel = "Anchor point";

inline constexpr std::string_view kCalibrateCaption = "Calibrate Photo";
inline constexpr std::string_view kCalibrateFirstPoint =
    "Click the first end of a known distance on the photo (Esc cancels).";
inline constexpr std::string_view kCalibrateSecondPoint =
    "Click the second end of the distance (Esc cancels).";
inline constexpr std::string_view kCalibrateSamePoint =
    "The two ends must lie apart: click the second end elsewhere.";
inline constexpr std::string_view kCalibrateDistanceLabel = "Distance between the two points:";

inline constexpr std::string_view kTemplateCaption = "Print Template";
inline constexpr std::string_view kTemplateHeight = "Overall height: ";
inline constexpr std::string_view kTemplateDiameter = "Largest diameter: ";
inline constexpr std::string_view kTemplateUnitSize = "One editor unit: ";
inline constexpr std::string_view kTemplateBarMillimetres = "This bar must measure 100 mm";
inline constexpr std::string_view kTemplateBarInches = "This bar must measure 4 in";
inline constexpr std::string_view kTemplateTooManyPages =
    "The template would take more than 500 pages: check the size of one editor unit.";
// "row r, column c of R × C"
inline constexpr std::string_view kTemplatePage = "row %1, column %2 of %3 × %4";

}  // namespace orvanel::text
