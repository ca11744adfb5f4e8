// The texts of the main window, its dialogs and help, used exactly as they
// stand.
#pragma once

#include <array>
#include <string_view>
#include <utility>

namespace orvanel::text {

inline constexpr std::string_view kIdleStatus = "Left edge of window is the center of the Lathe.";
inline constexpr std::string_view kCoordinatesPaneInitial = "Coordinates        ";
inline constexpr std::string_view kEditBarTitle = "EditBar";
inline constexpr std::string_view kPreviewBarTitle = "PreviewBar";

inline constexpr std::string_view kKeyboardCaption = "Keyboard Reference";
inline constexpr std::string_view kKeyHeading = "Key";
inline constexpr std::string_view kFunctionHeading = "Function";
inline constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kKeyboardPairs{{
    {"DELETE", "Delete selected point(s)"},
    {"TAB", "Selects the next node circularly."},
    {"^P or P", "Change to pencil tool."},
    {"^I or I", "Change to insert pencil tool."},
    {"^M or M", "Change to move tool."},
    {"^A", "Select all points."},
    {"^D", "Deselect all points."},
    {"Left mouse/drag", "Rotates image in 3D window."},
    {"Right mouse/drag", "Zooms image in 3D window."},
}};

inline constexpr std::string_view kSelectViewCaption = "Select View";
inline constexpr std::string_view kSelectViewGroup = "View";
inline constexpr std::string_view kDesignView = "&Design view";
inline constexpr std::string_view k3DView = "&3D view";

inline constexpr std::string_view kRecentFilePlaceholder = "Recent File";

}  // namespace orvanel::text
