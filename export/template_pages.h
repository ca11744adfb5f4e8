// The 1:1 template: the half profile (or the whole silhouette) at true size,
// its axis, its height and largest diameter and the file's title, tiled over
// as many pages as it needs with an overlap, crop marks, a scale bar and the
// page's place on each page, so that the pages can be taped together and the
// template cut from card or plywood. The printout and the PDF draw the same
// pages through a PageCanvas.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/document.h"
#include "editor/canvas.h"
#include "export/profile_outline.h"

namespace orvanel {

struct PaperSize {
    double width;  // millimetres, as the page lies
    double height;
    friend bool operator==(const PaperSize&, const PaperSize&) = default;
};

inline constexpr PaperSize kPaperA4{210.0, 297.0};
inline constexpr PaperSize kPaperLetter{215.9, 279.4};

inline constexpr double kPageMargin = 10.0;      // kept free on every side of a page, mm
inline constexpr double kPageOverlap = 10.0;     // what neighbouring pages both show, mm
inline constexpr double kPageFooter = 16.0;      // the scale bar and the page's place, mm
inline constexpr int kTemplateUnitsPerMm = 100;  // the pages are drawn in hundredths of a mm
// More pages than these are refused: a unit size typed wrong would otherwise
// print a wall's worth of paper.
inline constexpr int kMostTemplatePages = 500;

// How a drawing of the given size is cut into pages: each page shows a tile
// of the drawing, the tiles of neighbouring pages overlapping. Rows and
// columns are counted up to one beyond kMostTemplatePages.
struct PageTiling {
    int rows = 1;
    int columns = 1;
    double tileWidth = 0;  // mm of the drawing a page shows
    double tileHeight = 0;
    friend bool operator==(const PageTiling&, const PageTiling&) = default;

    int PageCount() const { return rows * columns; }
    bool TooManyPages() const { return PageCount() > kMostTemplatePages; }
    double StepX() const { return tileWidth - kPageOverlap; }
    double StepY() const { return tileHeight - kPageOverlap; }
};

PageTiling TilePages(double drawingWidth, double drawingHeight, PaperSize paper);

// Where the template's parts lie in its drawing, mm from its top-left corner,
// y downwards.
struct TemplateLayout {
    double width = 0;
    double height = 0;
    double axisX = 0;     // the axis; the curve's x are measured from here
    double curveTop = 0;  // where the curve's top edge lies
    double textX = 0;     // the title and the sizes, beside the curve
    double textY = 0;
};

class TemplatePages {
public:
    // None when the profile has no curve. Throws std::bad_alloc.
    static std::optional<TemplatePages> Make(const CTavrinEditorDoc& doc, PaperSize paper,
                                             bool mirror);

    const PageTiling& Tiling() const { return m_tiling; }
    const TemplateLayout& Layout() const { return m_layout; }
    PaperSize Paper() const { return m_paper; }
    int PageCount() const { return m_tiling.PageCount(); }
    // The lines of text beside the curve.
    const std::vector<std::string>& Legend() const { return m_legend; }

    // Page 0 ... PageCount() - 1, row by row from the top left, in
    // hundredths of a millimetre from the paper's top-left corner.
    void DrawPage(PageCanvas& canvas, int page) const;

private:
    TemplatePages() = default;
    void DrawCurves(PageCanvas& canvas, double originX, double originY) const;
    void DrawMarks(PageCanvas& canvas, int row, int column) const;
    void DrawFooter(PageCanvas& canvas, int row, int column) const;

    ProfileOutline m_outline;
    bool m_bMirror = false;
    PaperSize m_paper{};
    PageTiling m_tiling;
    TemplateLayout m_layout;
    std::vector<std::string> m_legend;
    bool m_bInches = false;
};

}  // namespace orvanel
