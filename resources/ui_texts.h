// The texts of the main window, its dialogs and help, used exactly as they
// stand.
#pragma once

#include <string_view>

namespace orvanel::text {

inline constexpr std::string_view kIdleStatus = "Left edge of window is the center of the Lathe.";
inline constexpr std::string_view kCoordinatesPaneInitial = "Coordinates        ";
inline constexpr std::string_view kEditBarTitle = "EditBar";
inline constexpr std::string_view kPreviewBarTitle = "PreviewBar";

inline constexpr std::string_view kKeyboardCaption = "Keyboard Reference";
inline constexpr std::string_view kKeyHeading = "Key";
inline constexpr std::string_view kFunctionHeading = "Function";

inline constexpr std::string_view kSelectViewCaption = "Select View";
inline constexpr std::string_view kSelectViewGroup = "View";
inline constexpr std::string_view kDesignView = "&Design view";
inline constexpr std::string_view k3DView = "&3D view";

}  // namespace orvanel::text
