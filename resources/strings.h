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

// --- editing: tools, drag preview, photo, settings, validation
inline constexpr std::string_view kCoordinatesPane = "X:%d ; Y:%d";
inline constexpr std::string_view kPencilOnClosedProfile =
    "You can't create new isolated points. Use Insert to add points to a closed spline!";
inline constexpr std::string_view kNodeMoveError =
    "   Error in function disegnaspostnodo()!\nCase %d";

inline constexpr std::string_view kPictureErrorCaption = "CPicture Error";
inline constexpr std::string_view kPictureNoMemory = "Can not allocate enough memory\t";
inline constexpr std::string_view kUnableToLoadImage = "Unable to load image";
inline constexpr std::string_view kPhotoFileFilter =
    "IMAGE FILES (*.jpg;*.jpeg;*.bmp;*.png;*.tif;*.tiff;*.gif)|"
    "*.jpg;*.jpeg;*.bmp;*.png;*.tif;*.tiff;*.gif|"
    "JPEG IMAGE (*.jpg;*.jpeg)|*.jpg;*.jpeg|BITMAP (*.bmp)|*.bmp|All Files (*.*)|*.*";
inline constexpr std::string_view kPhotoDefaultExtension = "jpg";
inline constexpr std::string_view kPhotoPropertiesCaption = "Picture Properties";

inline constexpr std::string_view kSettingsTitle = "Settings...";

inline constexpr std::string_view kEnterInteger = "Enter an integer.";
inline constexpr std::string_view kEnterIntegerBetween = "Enter an integer between %1 and %2.";
inline constexpr std::string_view kEnterNumber = "Enter a number.";
inline constexpr std::string_view kEnterNumberBetween = "Enter a number between %1 and %2.";

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

}  // namespace orvanel::text
