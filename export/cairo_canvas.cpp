#include "export/cairo_canvas.h"

#include <algorithm>
#include <string>

namespace orvanel {

CairoCanvas::CairoCanvas(cairo_t* cr, double unitsPerMm) : m_cr(cr), m_dUnitsPerMm(unitsPerMm) {
    cairo_save(m_cr);
    const double pointsPerUnit = 72.0 / 25.4 / unitsPerMm;
    cairo_scale(m_cr, pointsPerUnit, pointsPerUnit);
    cairo_set_line_cap(m_cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(m_cr, CAIRO_LINE_JOIN_ROUND);
}

CairoCanvas::~CairoCanvas() {
    StrokeLines();
    cairo_restore(m_cr);
}

void CairoCanvas::UseColour(Colour c) {
    cairo_set_source_rgb(m_cr, RedOf(c) / 255.0, GreenOf(c) / 255.0, BlueOf(c) / 255.0);
}

void CairoCanvas::Stroke() {
    if (m_pen.style == PenStyle::Null) {
        cairo_new_path(m_cr);
        return;
    }
    const double width = std::max(m_pen.width, 1);
    cairo_set_line_width(m_cr, width);
    const double mm = m_dUnitsPerMm;
    switch (m_pen.style) {
        case PenStyle::Dot: {
            const double dots[] = {width, 2 * width};
            cairo_set_dash(m_cr, dots, 2, 0);
            break;
        }
        case PenStyle::DashDot: {
            const double dashes[] = {6 * mm, 1.5 * mm, 1 * mm, 1.5 * mm};
            cairo_set_dash(m_cr, dashes, 4, 0);
            break;
        }
        case PenStyle::Solid:
        case PenStyle::Null:
            cairo_set_dash(m_cr, nullptr, 0, 0);
            break;
    }
    UseColour(m_pen.colour);
    cairo_stroke(m_cr);
}

void CairoCanvas::StrokeLines() {
    if (!m_bLines) return;
    m_bLines = false;
    Stroke();
}

void CairoCanvas::SelectPen(const Pen& pen) {
    StrokeLines();
    m_pen = pen;
}

void CairoCanvas::SelectBrush(const Brush& brush) { m_brush = brush; }

// Paper shows no background under dotted lines.
void CairoCanvas::SetBackgroundColour(Colour) {}

void CairoCanvas::MoveTo(int x, int y) {
    StrokeLines();
    m_x = x;
    m_y = y;
}

void CairoCanvas::LineTo(int x, int y) {
    if (!m_bLines) cairo_move_to(m_cr, m_x, m_y);
    m_bLines = true;
    m_x = x;
    m_y = y;
    cairo_line_to(m_cr, m_x, m_y);
}

void CairoCanvas::Ellipse(int left, int top, int right, int bottom) {
    StrokeLines();
    const double w = right - left, h = bottom - top;
    if (w <= 0 || h <= 0) return;
    cairo_save(m_cr);
    cairo_translate(m_cr, left + w / 2, top + h / 2);
    cairo_scale(m_cr, w / 2, h / 2);
    cairo_arc(m_cr, 0, 0, 1, 0, 2 * 3.14159265358979323846);
    cairo_restore(m_cr);
    if (!m_brush.hollow) {
        UseColour(m_brush.colour);
        cairo_fill_preserve(m_cr);
    }
    Stroke();
}

void CairoCanvas::FillRect(int left, int top, int right, int bottom, Colour colour) {
    StrokeLines();
    cairo_rectangle(m_cr, left, top, right - left, bottom - top);
    UseColour(colour);
    cairo_fill(m_cr);
}

void CairoCanvas::Text(int x, int y, std::string_view text, int height, Colour colour) {
    StrokeLines();
    cairo_select_font_face(m_cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    // The size that makes the line, ascent and descent, `height` high.
    cairo_set_font_size(m_cr, height);
    cairo_font_extents_t font;
    cairo_font_extents(m_cr, &font);
    const double line = font.ascent + font.descent;
    if (line <= 0 || height <= 0) return;
    cairo_set_font_size(m_cr, height * height / line);
    cairo_font_extents(m_cr, &font);
    UseColour(colour);
    cairo_move_to(m_cr, x, y + font.ascent);
    const std::string zeroEnded(text);
    cairo_show_text(m_cr, zeroEnded.c_str());
    cairo_new_path(m_cr);
}

void CairoCanvas::SetClip(int left, int top, int right, int bottom) {
    StrokeLines();
    cairo_reset_clip(m_cr);
    cairo_rectangle(m_cr, left, top, right - left, bottom - top);
    cairo_clip(m_cr);
}

void CairoCanvas::ResetClip() {
    StrokeLines();
    cairo_reset_clip(m_cr);
}

}  // namespace orvanel
