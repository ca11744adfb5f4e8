// The 1:1 template on the printer and in the print preview: the pages of
// TemplatePages drawn through the wxDC canvas, at true size on the paper the
// print settings name.
#pragma once

#include <wx/cmndata.h>
#include <wx/print.h>

#include <optional>
#include <string_view>

#include "document/document.h"
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

// Why Print Template cannot show the pages on the paper the print data names:
// the profile has no curve, or would take too many pages. None when it can.
std::optional<std::string_view> TemplateRefusal(const CTavrinEditorDoc& doc,
                                                const wxPrintData& printData);

}  // namespace orvanel
