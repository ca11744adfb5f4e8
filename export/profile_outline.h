// The profile's curve as a polyline in millimetres, for the SVG and DXF
// exports and the 1:1 template: the editor's walk and anchor rule, in double
// precision with no rounding, a chosen number of steps per segment.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/prompter.h"
#include "document/unit_system.h"
#include "export/export_outcome.h"
#include "export/vrml_options.h"

namespace orvanel {

inline constexpr IntRange kOutlineStepsRange{1, 100};
inline constexpr int kDefaultOutlineSteps = 20;

struct OutlinePoint {
    double x;  // millimetres from the axis
    double y;  // millimetres, growing downwards as in the editor
    friend bool operator==(const OutlinePoint&, const OutlinePoint&) = default;
};

struct ProfileOutline {
    // The first segment's start, then every sample. A closed profile's last
    // sample, which comes back to the start, is left out: the polyline closes.
    std::vector<OutlinePoint> points;
    bool closed = false;
    // The bounds of the points.
    double left = 0, top = 0, right = 0, bottom = 0;

    double Height() const { return bottom - top; }
};

// None when the profile has no curve. Throws std::bad_alloc.
std::optional<ProfileOutline> SampleProfileOutline(const CTavrinEditorDoc& doc, int steps,
                                                   const UnitSystem& units);

struct OutlineExportOptions {
    int nSteps = kDefaultOutlineSteps;  // per curve segment
    bool bMirror = false;               // the mirror image about the axis as well
};

// Samples the outline and writes the file `text` makes of it through the safe
// save. Without a curve nothing is written and the user is told.
ExportOutcome WriteOutlineFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                               int steps, Prompter& prompter,
                               const std::function<std::string(const ProfileOutline&)>& text);

}  // namespace orvanel
