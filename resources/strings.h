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
inline constexpr std::string_view kInsufficientMemoryPreview =
    "   Insufficient Memory for Preview!";

inline constexpr std::string_view kPointsPane = "Points: %d";
inline constexpr std::string_view kPolygonsPane = "Polygons: %d";
inline constexpr std::string_view kPointsPaneInitial = "Points:      ";
inline constexpr std::string_view kPolygonsPaneInitial = "Polygons:          ";

}  // namespace orvanel::text
