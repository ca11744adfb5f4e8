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

// Finer than the preview allows: a printed vase 300 mm across shows 5 mm
// facets at the preview's 200 sections, under 0.7 mm at 1440.
inline constexpr IntRange kStlSectionsRange{3, 1440};
inline constexpr IntRange kStlStepsRange{1, 100};

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
// whose curve starts and ends on the axis, gives a watertight solid; before
// writing any other surface the user is asked, and No writes nothing.
// *pTriangles, when given, receives the number written.
ExportOutcome WriteStlFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const StlOptions& options, Prompter& prompter,
                           std::uint64_t* pTriangles = nullptr);

}  // namespace orvanel
