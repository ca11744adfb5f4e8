#include "export/template_pdf.h"

#include <cairo-pdf.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>

#include "document/safe_file.h"
#include "export/cairo_canvas.h"
#include "resources/dimension_texts.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};

// Cairo hands the PDF's bytes over as it makes them.
struct Sink {
    CSafeFileWriter& file;
    std::string reason;  // why the file could not be written; empty while it could
};

cairo_status_t WriteBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<Sink*>(closure);
    try {
        sink->file.Write(data, length);
    } catch (const CFileException& e) {
        sink->reason = e.Reason();
        return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
}

// Draws every page; false, with the reason in the sink, when Cairo or the
// file failed.
bool DrawPages(const TemplatePages& pages, const std::string& title, Sink& sink) {
    auto failed = [&sink](cairo_status_t status) {
        if (sink.reason.empty()) sink.reason = cairo_status_to_string(status);
        return false;
    };
    const PaperSize paper = pages.Paper();
    const std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(
        cairo_pdf_surface_create_for_stream(WriteBytes, &sink, paper.width * kPointsPerMm,
                                            paper.height * kPointsPerMm));
    if (const cairo_status_t status = cairo_surface_status(surface.get())) return failed(status);
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, "Orvanel");
    {
        const std::unique_ptr<cairo_t, ContextDeleter> cr(cairo_create(surface.get()));
        for (int page = 0; page < pages.PageCount(); ++page) {
            {
                CairoCanvas canvas(cr.get(), kTemplateUnitsPerMm);
                pages.DrawPage(canvas, page);
            }
            cairo_show_page(cr.get());
        }
        if (const cairo_status_t status = cairo_status(cr.get())) return failed(status);
    }
    cairo_surface_finish(surface.get());
    if (const cairo_status_t status = cairo_surface_status(surface.get())) return failed(status);
    return sink.reason.empty();
}

}  // namespace

ExportOutcome WriteTemplatePdf(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                               PaperSize paper, bool mirror, Prompter& prompter) {
    std::string reason;
    try {
        const std::optional<TemplatePages> pages = TemplatePages::Make(doc, paper, mirror);
        if (!pages) {
            prompter.ShowMessage(text::kNoSplineToExport);
            return ExportOutcome::Refused;
        }
        if (pages->Tiling().TooManyPages()) {
            prompter.ShowMessage(text::kTemplateTooManyPages);
            return ExportOutcome::Refused;
        }
        CSafeFileWriter file(path, doc.ExportRules());
        Sink sink{file, {}};
        if (DrawPages(*pages, doc.GetTitle(), sink)) {
            file.Commit();
            return ExportOutcome::Written;
        }
        reason = sink.reason;
    } catch (const CFileException& e) {
        reason = e.Reason();
    } catch (const std::bad_alloc&) {
        reason = std::strerror(ENOMEM);
    }
    prompter.ShowError(text::kErrorSaving, reason);
    return ExportOutcome::Failed;
}

}  // namespace orvanel
