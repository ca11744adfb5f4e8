// Where the main window comes back: its normal rectangle and whether it was
// minimized or maximized, kept in the "WindowPos" section.
#pragma once

#include <string>
#include <string_view>

#include "document/profile_point.h"
#include "document/settings_store.h"

namespace orvanel {

namespace placement_keys {
inline constexpr std::string_view kSection = "WindowPos";
inline constexpr std::string_view kRect = "Rect";
inline constexpr std::string_view kIconized = "iconized";
inline constexpr std::string_view kMaximized = "maximized";
}  // namespace placement_keys

inline constexpr IntRect kDefaultNormalRect{10, 10, 610, 410};

// "%04d %04d %04d %04d" of left, top, right and bottom.
std::string FormatPlacementRect(const IntRect& r);
// The four numbers at offsets 0, 5, 10 and 15, each read as atoi reads: a
// field that is missing or holds no digits reads as 0. Empty text gives the
// default rectangle.
IntRect ParsePlacementRect(std::string_view text);

enum class ShowState { Normal, Maximized, Minimized };

struct WindowPlacement {
    IntRect normal = kDefaultNormalRect;
    bool iconized = false;
    bool maximized = false;  // or minimized from the maximized state
    friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;

    // How the window is first shown.
    ShowState InitialShow() const;
    // The stored flags of a window in that state; restoresToMaximized says
    // whether a minimized window came from the maximized state.
    static WindowPlacement Of(const IntRect& normal, ShowState state, bool restoresToMaximized);
};

WindowPlacement ReadWindowPlacement(SettingsStore& store);
void WriteWindowPlacement(SettingsStore& store, const WindowPlacement& placement);

}  // namespace orvanel
