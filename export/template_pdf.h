// The 1:1 template as a PDF, one page of the paper for each page of the
// template, drawn through Cairo's PDF surface and written by the safe save.
#pragma once

#include <filesystem>

#include "document/document.h"
#include "document/prompter.h"
#include "export/export_outcome.h"
#include "export/template_pages.h"

namespace orvanel {

// Without a curve nothing is written and the user is told.
ExportOutcome WriteTemplatePdf(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                               PaperSize paper, bool mirror, Prompter& prompter);

}  // namespace orvanel
