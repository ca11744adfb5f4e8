// The VRML 2.0 export: one Shape whose Extrusion sweeps the sampled profile,
// as its cross-section, along a closed circle around the vertical axis.
#pragma once

#include <filesystem>
#include <string>

#include "document/document.h"
#include "document/prompter.h"
#include "export/export_outcome.h"
#include "export/vrml_options.h"

namespace orvanel {

// The centre and size the cross-section is written in, from all the points.
struct VrmlGeometry {
    float cx = 0.0f;
    float cy = 0.0f;
    float scale = 1.0f;  // a tenth of the larger of width and height; never 0
};

VrmlGeometry VrmlGeometryOf(const CTavrinEditorDoc& doc);

// Whether the cross-section is walked from the head (else from the tail):
// chosen so that the faces point outwards, turned by the flip option.
bool VrmlWalksFromHead(const CTavrinEditorDoc& doc, bool flipNormals);

struct VrmlText {
    std::string text;
    bool bLeftOfAxis = false;  // some sample has x < 0 or y < 0
};

// The file for a profile of at least four points; the options are taken as
// they are (ValidateVrmlOptions is the dialog's check).
VrmlText VrmlFileText(const CTavrinEditorDoc& doc, const std::string& objectName,
                      const VrmlOptions& options);

// Writes the file; a curve left of the axis is written too, and the user is
// warned afterwards. Fewer than four points write nothing.
ExportOutcome WriteVrmlFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                            const std::string& objectName, const VrmlOptions& options,
                            Prompter& prompter);

}  // namespace orvanel
