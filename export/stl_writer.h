// The STL export: the revolved surface of the preview mesh as triangles, in
// millimetres through the unit size, z up with the lathe axis on z, the base
// of the curve at z = 0, and the faces turned outwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "document/document.h"
#include "document/prompter.h"
#include "document/ranges.h"
#include "export/export_outcome.h"
#include "export/vrml_options.h"

namespace orvanel {

// The preview's own limits.
inline constexpr IntRange kStlSectionsRange = kSectionsRange;
inline constexpr IntRange kStlStepsRange = kPreviewStepsRange;

struct StlOptions {
    int nSections = 24;
    int nSteps = 5;
    bool bAscii = false;
    std::string strSolidName = "untitled";
    double dUnitSize = 1.0;  // millimetres per editor unit

    // The document's preview sections and steps, and its unit size.
    static StlOptions Of(const CTavrinEditorDoc& doc);
};

// Writes the surface: a quad that collapses on the axis becomes one triangle,
// and no triangle without area is written. A closed profile, or an open one
// whose curve starts and ends on the axis, gives a watertight solid.
// *pTriangles, when given, receives the number written.
ExportOutcome WriteStlFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const StlOptions& options, Prompter& prompter,
                           std::uint64_t* pTriangles = nullptr);

}  // namespace orvanel
