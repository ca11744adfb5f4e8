// The program's own texts that the core shows or writes. They are used exactly
// as they stand: several begin with three blanks on purpose.
#pragma once

#include <string_view>

namespace orvanel::text {

inline constexpr std::string_view kAppName = "Orvanel";
inline constexpr std::string_view kUntitled = "Untitled";

inline constexpr std::string_view kNotOurFile = "   This is not a Orvanel file!";
inline constexpr std::string_view kErrorSaving = "   Error while saving file!";
inline constexpr std::string_view kErrorReading = "   Error while reading file!";
inline constexpr std::string_view kInsufficientMemoryPreview = "   Insufficient Memory for Preview!";

inline constexpr std::string_view kPointsPane = "Points: %d";
inline constexpr std::string_view kPolygonsPane = "Polygons: %d";
inline constexpr std::string_view kPointsPaneInitial = "Points:      ";
inline constexpr std::string_view kPolygonsPaneInitial = "Polygons:          ";

// The exports.
inline constexpr std::string_view kNoSplineToExport = "No spline to export!";
inline constexpr std::string_view kPovLeftOfAxis =
    "Some segments extends to the left of the rotation axis.\nPerhaps there will be rendering "
    "errors!\nContine ?";
inline constexpr std::string_view kVrmlLeftOfAxis =
    "Some segments extends to the left of the rotation axis.\nPerhaps there will be anomalies in "
    "the object!";
inline constexpr std::string_view kTooManyTriangles =
    "The surface has more triangles than a binary STL file can count.";
// The refusals of a dialog field out of range; %1 and %2 are the limits.
inline constexpr std::string_view kEnterIntegerBetween = "Enter an integer between %1 and %2.";
inline constexpr std::string_view kEnterNumberBetween = "Enter a number between %1 and %2.";

}  // namespace orvanel::text
