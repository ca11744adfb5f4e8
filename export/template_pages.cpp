#include "export/template_pages.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "editor/profile_size.h"
#include "resources/dimension_texts.h"

namespace orvanel {

namespace {

// The drawing's parts, mm.
constexpr double kPadding = 10.0;     // around everything drawn
constexpr double kOverhang = 5.0;     // the axis beyond the curve's ends
constexpr double kLegendGap = 12.0;   // between the curve and the text beside it
constexpr double kTextHeight = 4.0;   // the text beside the curve
constexpr double kLineSpacing = 7.0;  // its lines
// A generous width of one character of a sans-serif font, in font heights: the
// drawing must hold the text whatever font the page gets.
constexpr double kCharWidth = 0.62;
constexpr double kCurvePen = 0.35;
constexpr double kAxisPen = 0.25;
constexpr double kMarkPen = 0.15;
// Crop marks start this far from the tile's corner and reach this far.
constexpr double kMarkGap = 1.0;
constexpr double kMarkLength = 5.0;
constexpr double kTickLength = 3.0;  // where a neighbour's tile begins
// The footer: the bar from its left, its words under it, the page's place beside it.
constexpr double kBarTop = 5.0;
constexpr double kBarThickness = 1.5;
constexpr double kFooterText = 3.5;
constexpr double kFooterGap = 8.0;

constexpr Colour kInk = 0x000000;

int U(double mm) { return static_cast<int>(std::lround(mm * kTemplateUnitsPerMm)); }

// A drawing that fits a tile to within a micrometre takes no more pages for
// the rounding of its millimetres.
constexpr double kFit = 1e-3;

int Pages(double extent, double tile) {
    // A paper too small to hold more than the overlap shows its one tile.
    if (extent <= tile + kFit || tile <= kPageOverlap) return 1;
    const double pages = std::ceil((extent - kPageOverlap - kFit) / (tile - kPageOverlap));
    return pages > kMostTemplatePages ? kMostTemplatePages + 1 : static_cast<int>(pages);
}

std::size_t CodePoints(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string PageLabel(int row, int column, int rows, int columns) {
    std::string text(text::kTemplatePage);
    const std::string values[] = {std::to_string(row), std::to_string(column), std::to_string(rows),
                                  std::to_string(columns)};
    for (int i = 0; i < 4; ++i) {
        const std::string mark = "%" + std::to_string(i + 1);
        if (const auto at = text.find(mark); at != std::string::npos) {
            text.replace(at, mark.size(), values[i]);
        }
    }
    return text;
}

void Line(PageCanvas& canvas, double x1, double y1, double x2, double y2) {
    canvas.MoveTo(U(x1), U(y1));
    canvas.LineTo(U(x2), U(y2));
}

}  // namespace

PageTiling TilePages(double drawingWidth, double drawingHeight, PaperSize paper) {
    PageTiling t;
    t.tileWidth = paper.width - 2 * kPageMargin;
    t.tileHeight = paper.height - 2 * kPageMargin - kPageFooter;
    t.columns = Pages(drawingWidth, t.tileWidth);
    t.rows = Pages(drawingHeight, t.tileHeight);
    return t;
}

std::optional<TemplatePages> TemplatePages::Make(const CTavrinEditorDoc& doc, PaperSize paper,
                                                 bool mirror) {
    std::optional<ProfileOutline> outline =
        SampleProfileOutline(doc, kDefaultOutlineSteps, doc.m_units);
    const std::optional<ProfileSize> size = MeasureProfileSize(doc);
    if (!outline || !size) return std::nullopt;
    TemplatePages pages;
    pages.m_outline = std::move(*outline);
    pages.m_bMirror = mirror;
    pages.m_paper = paper;
    pages.m_bInches = doc.m_units.display == DisplayUnit::Inch;
    pages.m_legend = {doc.GetTitle(),
                      std::string(text::kTemplateHeight) + doc.m_units.Format(size->height),
                      std::string(text::kTemplateDiameter) + doc.m_units.Format(size->diameter)};

    const ProfileOutline& o = pages.m_outline;
    const double left = mirror ? std::min({o.left, -o.right, 0.0}) : std::min(o.left, 0.0);
    const double right = mirror ? std::max({o.right, -o.left, 0.0}) : std::max(o.right, 0.0);
    TemplateLayout& l = pages.m_layout;
    l.axisX = kPadding - left;
    l.curveTop = kPadding + kOverhang;
    l.textX = l.axisX + right + kLegendGap;
    l.textY = l.curveTop;
    std::size_t longest = 0;
    for (const std::string& line : pages.m_legend) longest = std::max(longest, CodePoints(line));
    l.width = l.textX + static_cast<double>(longest) * kCharWidth * kTextHeight + kPadding;
    l.height =
        std::max(l.curveTop + o.Height() + kOverhang + kPadding,
                 l.textY + static_cast<double>(pages.m_legend.size()) * kLineSpacing + kPadding);
    pages.m_tiling = TilePages(l.width, l.height, paper);
    return pages;
}

void TemplatePages::DrawPage(PageCanvas& canvas, int page) const {
    const int row = page / m_tiling.columns;
    const int column = page % m_tiling.columns;
    // Where the drawing's origin lands on this page.
    const double originX = kPageMargin - column * m_tiling.StepX();
    const double originY = kPageMargin - row * m_tiling.StepY();
    canvas.SetBackgroundColour(0xFFFFFF);
    canvas.SetClip(U(kPageMargin), U(kPageMargin), U(kPageMargin + m_tiling.tileWidth),
                   U(kPageMargin + m_tiling.tileHeight));
    DrawCurves(canvas, originX, originY);
    for (std::size_t i = 0; i < m_legend.size(); ++i) {
        canvas.Text(U(originX + m_layout.textX),
                    U(originY + m_layout.textY + static_cast<double>(i) * kLineSpacing),
                    m_legend[i], U(kTextHeight), kInk);
    }
    canvas.ResetClip();
    DrawMarks(canvas, row, column);
    DrawFooter(canvas, row, column);
}

void TemplatePages::DrawCurves(PageCanvas& canvas, double originX, double originY) const {
    const ProfileOutline& o = m_outline;
    const double axisX = originX + m_layout.axisX;
    const double top = originY + m_layout.curveTop;
    canvas.SelectPen({PenStyle::DashDot, U(kAxisPen), kInk});
    Line(canvas, axisX, top - kOverhang, axisX, top + o.Height() + kOverhang);
    canvas.SelectPen({PenStyle::Solid, U(kCurvePen), kInk});
    for (const double side : {1.0, -1.0}) {
        if (side < 0 && !m_bMirror) break;
        auto at = [&](const OutlinePoint& p) {
            return std::pair{U(axisX + side * p.x), U(top + p.y - o.top)};
        };
        const auto [x0, y0] = at(o.points.front());
        canvas.MoveTo(x0, y0);
        for (const OutlinePoint& p : o.points) {
            const auto [x, y] = at(p);
            canvas.LineTo(x, y);
        }
        if (o.closed) canvas.LineTo(x0, y0);
    }
}

void TemplatePages::DrawMarks(PageCanvas& canvas, int row, int column) const {
    const double left = kPageMargin, top = kPageMargin;
    const double right = left + m_tiling.tileWidth, bottom = top + m_tiling.tileHeight;
    canvas.SelectPen({PenStyle::Solid, U(kMarkPen), kInk});
    // Crop marks at the tile's corners, pointing away from it.
    for (const auto& [x, y, dx, dy] :
         {std::tuple{left, top, -1.0, -1.0}, std::tuple{right, top, 1.0, -1.0},
          std::tuple{left, bottom, -1.0, 1.0}, std::tuple{right, bottom, 1.0, 1.0}}) {
        Line(canvas, x + dx * kMarkGap, y, x + dx * (kMarkGap + kMarkLength), y);
        Line(canvas, x, y + dy * kMarkGap, x, y + dy * (kMarkGap + kMarkLength));
    }
    // Where the next page's tile begins: its cut edge goes onto these ticks.
    if (column + 1 < m_tiling.columns) {
        const double x = left + m_tiling.StepX();
        Line(canvas, x, top - kMarkGap, x, top - kMarkGap - kTickLength);
        Line(canvas, x, bottom + kMarkGap, x, bottom + kMarkGap + kTickLength);
    }
    if (row + 1 < m_tiling.rows) {
        const double y = top + m_tiling.StepY();
        Line(canvas, left - kMarkGap, y, left - kMarkGap - kTickLength, y);
        Line(canvas, right + kMarkGap, y, right + kMarkGap + kTickLength, y);
    }
}

void TemplatePages::DrawFooter(PageCanvas& canvas, int row, int column) const {
    const double x = kPageMargin;
    const double y = kPageMargin + m_tiling.tileHeight;
    const double length = m_bInches ? 4 * 25.4 : 100.0;
    canvas.FillRect(U(x), U(y + kBarTop), U(x + length), U(y + kBarTop + kBarThickness), kInk);
    canvas.SelectPen({PenStyle::Solid, U(kMarkPen), kInk});
    for (const double end : {x, x + length}) {
        Line(canvas, end, y + kBarTop - 1.5, end, y + kBarTop + kBarThickness + 1.5);
    }
    canvas.Text(U(x), U(y + kBarTop + kBarThickness + 2.0),
                m_bInches ? text::kTemplateBarInches : text::kTemplateBarMillimetres,
                U(kFooterText), kInk);
    const double beside = x + length + kFooterGap;
    canvas.Text(U(beside), U(y + kBarTop - 1.5),
                PageLabel(row + 1, column + 1, m_tiling.rows, m_tiling.columns), U(kFooterText),
                kInk);
    canvas.Text(U(beside), U(y + kBarTop + kBarThickness + 2.0), m_legend.front(), U(kFooterText),
                kInk);
}

}  // namespace orvanel
