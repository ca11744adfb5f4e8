// The DXF profile, for a CNC router or a CAD program: the curve as a POLYLINE
// on the layer "PROFILE" (closed for a closed profile) and the axis as a LINE
// on the layer "AXIS", in millimetres ($INSUNITS 4) in CAD's direction: X from
// the axis, Y upwards with the curve's lowest point at 0. The file is DXF R12,
// whose entities every reader takes.
#pragma once

#include <filesystem>
#include <string>

#include "document/document.h"
#include "document/prompter.h"
#include "export/export_outcome.h"
#include "export/profile_outline.h"

namespace orvanel {

std::string DxfFileText(const ProfileOutline& outline, bool mirror);

// Fewer points than make a curve write nothing.
ExportOutcome WriteDxfFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const OutlineExportOptions& options, Prompter& prompter);

}  // namespace orvanel
