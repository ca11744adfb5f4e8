// A printout of one page that a view draws itself: both views print that way.
#pragma once

#include <wx/print.h>

#include <functional>
#include <utility>

namespace orvanel {

class OnePagePrintout final : public wxPrintout {
public:
    // Draws the page into the device context, given the page's size in pixels
    // and whether it is for the print preview.
    using PagePainter = std::function<void(wxDC& dc, wxSize page, bool preview)>;

    explicit OnePagePrintout(PagePainter paint)
        : wxPrintout("Orvanel"), m_paint(std::move(paint)) {}

    bool HasPage(int page) override { return page == 1; }
    void GetPageInfo(int* minPage, int* maxPage, int* fromPage, int* toPage) override {
        *minPage = *maxPage = *fromPage = *toPage = 1;
    }
    bool OnPrintPage(int page) override {
        wxDC* dc = GetDC();
        if (page != 1 || dc == nullptr) return false;
        int width = 0, height = 0;
        GetPageSizePixels(&width, &height);
        m_paint(*dc, wxSize(width, height), IsPreview());
        return true;
    }

private:
    PagePainter m_paint;
};

}  // namespace orvanel
