// Closed ranges of accepted values, and the ranges of the settings the user
// edits in the settings sheet and the program stores: the sheet refuses a
// value outside them, a stored value outside them falls back to its default.
#pragma once

namespace orvanel {

struct IntRange {
    int lo, hi;
    constexpr bool Contains(int v) const { return lo <= v && v <= hi; }
};
struct FloatRange {
    float lo, hi;
    constexpr bool Contains(float v) const { return lo <= v && v <= hi; }
};

// The document's.
inline constexpr IntRange kEditorStepsRange{1, 20};
inline constexpr IntRange kPreviewStepsRange{1, 40};
inline constexpr IntRange kSectionsRange{3, 200};
inline constexpr FloatRange kExtrusionHeightRange{0.001f, 20.0f};
// The editor view's.
inline constexpr IntRange kPenSizeRange{1, 10};
inline constexpr IntRange kGridSizeRange{3, 500};

}  // namespace orvanel
