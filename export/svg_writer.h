// The SVG profile, for a laser cutter or a drawing program: the curve as one
// polyline (a polygon for a closed profile) and the axis as a line of its own,
// in millimetres in the editor's direction (x from the axis, y downwards, the
// curve's top at 0), with the page's width, height and view box in mm.
#pragma once

#include <filesystem>
#include <string>

#include "document/document.h"
#include "document/prompter.h"
#include "export/export_outcome.h"
#include "export/profile_outline.h"

namespace orvanel {

std::string SvgFileText(const ProfileOutline& outline, bool mirror);

// Fewer points than make a curve write nothing.
ExportOutcome WriteSvgFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                           const OutlineExportOptions& options, Prompter& prompter);

}  // namespace orvanel
