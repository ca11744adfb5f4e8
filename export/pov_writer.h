// The POV-Ray export: the profile's control points as the cubic spline of a
// lathe, in one #declare that a scene includes.
#pragma once

#include <filesystem>
#include <string>

#include "document/document.h"
#include "document/prompter.h"
#include "export/export_outcome.h"

namespace orvanel {

// The curve as the editor samples it, measured for the normalised mapping.
struct ProfileExtent {
    bool bLeftOfAxis = false;  // some sample has x < 0 or y < 0
    float fExtent = 0.0f;      // the larger of the samples' width and height
    int nBottom = 0;           // the largest sample y, rounded
};

ProfileExtent GetProfileExtent(const CTavrinEditorDoc& doc);

struct PovOptions {
    bool bPropMapping = true;  // proportional, else normalised to the extent
    int nProportionalFactor = 1;
    std::string strObjectName = "untitled";  // the file's title; written as a valid name

    // The document's stored mapping settings and object name.
    static PovOptions Of(const CTavrinEditorDoc& doc);
};

// The file's text for a profile of at least three points.
std::string PovFileText(const CTavrinEditorDoc& doc, const PovOptions& options,
                        const ProfileExtent& extent);

// Asks before writing a curve that crosses the axis or the top edge; on No,
// and for fewer than four points (three when closed), nothing is written.
ExportOutcome WritePovFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const PovOptions& options, Prompter& prompter);

}  // namespace orvanel
