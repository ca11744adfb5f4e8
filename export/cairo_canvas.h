// The page canvas on a Cairo context: the template's PDF pages. Cairo alone,
// without any window system, so that the batch mode needs no display.
#pragma once

#include <cairo.h>

#include "editor/canvas.h"

namespace orvanel {

class CairoCanvas final : public PageCanvas {
public:
    // Draws in units of which unitsPerMm make a millimetre, on a context
    // whose own unit is the point (1/72 inch), as a PDF surface's is.
    CairoCanvas(cairo_t* cr, double unitsPerMm);
    ~CairoCanvas() override;
    CairoCanvas(const CairoCanvas&) = delete;
    CairoCanvas& operator=(const CairoCanvas&) = delete;

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SetBackgroundColour(Colour colour) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom, Colour colour) override;
    void Text(int x, int y, std::string_view text, int height, Colour colour) override;
    void SetClip(int left, int top, int right, int bottom) override;
    void ResetClip() override;

private:
    // Strokes the lines drawn since the last MoveTo.
    void StrokeLines();
    void Stroke();
    void UseColour(Colour colour);

    cairo_t* m_cr;
    double m_dUnitsPerMm;
    Pen m_pen;
    Brush m_brush;
    bool m_bLines = false;
    double m_x = 0, m_y = 0;
};

}  // namespace orvanel
