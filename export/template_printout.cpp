#include "export/template_printout.h"

#include <wx/dc.h>

#include <utility>

#include "editor/dc_canvas.h"
#include "resources/dimension_texts.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

}  // namespace

TemplatePrintout::TemplatePrintout(const CTavrinEditorDoc& doc)
    : wxPrintout(Wx(text::kTemplateCaption)), m_doc(doc) {}

void TemplatePrintout::OnPreparePrinting() {
    // The paper as the printer has it, in its own pixels, turned to millimetres.
    int ppiX = 0, ppiY = 0;
    GetPPIPrinter(&ppiX, &ppiY);
    const wxRect paper = GetPaperRectPixels();
    if (ppiX <= 0 || ppiY <= 0 || paper.IsEmpty()) return;
    m_pages =
        TemplatePages::Make(m_doc, {paper.width * 25.4 / ppiX, paper.height * 25.4 / ppiY}, false);
    if (m_pages && m_pages->Tiling().TooManyPages()) m_pages.reset();
}

bool TemplatePrintout::HasPage(int page) {
    return m_pages && page >= 1 && page <= m_pages->PageCount();
}

void TemplatePrintout::GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage) {
    *minPage = *fromPage = 1;
    *maxPage = *toPage = m_pages ? m_pages->PageCount() : 0;
}

bool TemplatePrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (dc == nullptr || !HasPage(page)) return false;
    int ppiX = 0, ppiY = 0;
    GetPPIPrinter(&ppiX, &ppiY);
    int pageWidth = 0, pageHeight = 0;
    GetPageSizePixels(&pageWidth, &pageHeight);
    if (ppiX <= 0 || ppiY <= 0 || pageWidth <= 0 || pageHeight <= 0) return false;
    // A print preview draws on a smaller DC than the printer's page.
    const wxSize dcSize = dc->GetSize();
    const double toDcX = static_cast<double>(dcSize.x) / pageWidth;
    const double toDcY = static_cast<double>(dcSize.y) / pageHeight;
    dc->SetUserScale(toDcX * ppiX / 25.4 / kTemplateUnitsPerMm,
                     toDcY * ppiY / 25.4 / kTemplateUnitsPerMm);
    // The pages are drawn from the paper's corner, not the printable area's.
    const wxRect paper = GetPaperRectPixels();
    dc->SetDeviceOrigin(static_cast<wxCoord>(paper.x * toDcX),
                        static_cast<wxCoord>(paper.y * toDcY));
    DcCanvas canvas(*dc);
    m_pages->DrawPage(canvas, page - 1);
    return true;
}

std::optional<std::string_view> TemplateRefusal(const CTavrinEditorDoc& doc,
                                                const wxPrintData& printData) {
    // The paper the print settings name, turned as they say; A4 when they name none.
    const wxSize mm = printData.GetPaperSize();
    PaperSize paper = mm.x > 0 && mm.y > 0 ? PaperSize{double(mm.x), double(mm.y)} : kPaperA4;
    if (printData.GetOrientation() == wxLANDSCAPE) std::swap(paper.width, paper.height);
    const std::optional<TemplatePages> pages = TemplatePages::Make(doc, paper, false);
    if (!pages) return text::kNoSplineToExport;
    if (pages->Tiling().TooManyPages()) return text::kTemplateTooManyPages;
    return std::nullopt;
}

}  // namespace orvanel
