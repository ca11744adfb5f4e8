// Where the main window comes back: its normal rectangle and whether it was
// minimized or maximized, kept in the "WindowPos" section.
#pragma once

#include <span>
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

// "%04d %04d %04d %04d" of left, top, right and bottom, each held to
// -999..9999: a wider number would push the next off its offset, so that
// what is read back would not be what was written.
std::string FormatPlacementRect(const IntRect& r);
// The four numbers at offsets 0, 5, 10 and 15, each read as atoi reads: a
// field that is missing or holds no digits reads as 0. Empty text gives the
// default rectangle.
IntRect ParsePlacementRect(std::string_view text);

// The smallest window side the user can still take hold of.
inline constexpr int kMinPlacementSide = 100;

// The stored rectangle as the window is put on the screens, whose work areas
// are given with the primary one first. A rectangle smaller than
// kMinPlacementSide either way, larger than its screen's work area, or with
// less than that much of it on any screen, is fitted into the work area of
// the screen it is most on (else the primary one), as near its place as it
// goes; a side too short to use takes the first run's length. Any other
// rectangle is left as it is.
IntRect FitPlacementRect(const IntRect& r, std::span<const IntRect> workAreas);

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
