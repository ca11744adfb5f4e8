// The 1:1 template on the printer and in the print preview: the pages of
// TemplatePages drawn through the wxDC canvas, at true size on the paper the
// print settings name.
#pragma once

#include <wx/cmndata.h>
#include <wx/print.h>

#include <optional>

#include "document/document.h"
#include "document/prompter.h"
#include "export/template_pages.h"

namespace orvanel {

class TemplatePrintout final : public wxPrintout {
public:
    // The document must outlive the printout.
    explicit TemplatePrintout(const CTavrinEditorDoc& doc);

    void OnPreparePrinting() override;
    bool HasPage(int page) override;
    void GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage) override;
    bool OnPrintPage(int page) override;

    // The pages for the paper of the DC, once the printing has been prepared.
    const std::optional<TemplatePages>& Pages() const { return m_pages; }

private:
    const CTavrinEditorDoc& m_doc;
    std::optional<TemplatePages> m_pages;
};

// Print Template: the pages in the print preview, from which they print. A
// profile without a curve is refused with the exports' message. Returns the
// preview's frame, or null.
wxFrame* PreviewTemplate(wxWindow* parent, const CTavrinEditorDoc& doc, wxPrintData& printData,
                         Prompter& prompter);

}  // namespace orvanel
