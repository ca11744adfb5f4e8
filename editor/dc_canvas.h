// The drawing calls on a wxDC: the editor on the screen's off-screen bitmap,
// a printer page or a print preview; the 1:1 template's pages.
#pragma once

#include <wx/bitmap.h>
#include <wx/dc.h>

#include <vector>

#include "editor/canvas.h"
#include "editor/golden_ruler.h"

namespace orvanel {

wxColour ToWx(Colour c);

class DcCanvas final : public PageCanvas {
public:
    explicit DcCanvas(wxDC& dc);
    ~DcCanvas() override;
    DcCanvas(const DcCanvas&) = delete;
    DcCanvas& operator=(const DcCanvas&) = delete;

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
    // Outlined with the pen and filled with the brush, corners in any order,
    // the right and bottom edges outside as for Ellipse.
    void Rectangle(int left, int top, int right, int bottom);
    // Drawn as the screen and the off-screen pictures are: without smoothing,
    // so that drawing a piece again in the background colour wipes it out.
    static void UseSharpEdges(wxDC& dc);
    // Consecutive LineTo calls are drawn as one polyline, so that a thick
    // curve has clean joins; this draws what is collected.
    void FlushLines();

private:
    wxDC& m_dc;
    Pen m_pen;
    Colour m_background = 0xFFFFFF;
    wxPoint m_position;
    std::vector<wxPoint> m_polyline;
};

// The golden ruler's canvas: the drawing of DcCanvas and the ruler's letters
// in the sans-serif face.
class RulerDcCanvas final : public RulerCanvas {
public:
    explicit RulerDcCanvas(wxDC& dc) : m_dc(dc), m_canvas(dc) {}

    void SelectPen(const Pen& pen) override { m_canvas.SelectPen(pen); }
    void SelectBrush(const Brush& brush) override { m_canvas.SelectBrush(brush); }
    void SetBackgroundColour(Colour colour) override { m_canvas.SetBackgroundColour(colour); }
    void MoveTo(int x, int y) override { m_canvas.MoveTo(x, y); }
    void LineTo(int x, int y) override { m_canvas.LineTo(x, y); }
    void Ellipse(int left, int top, int right, int bottom) override {
        m_canvas.Ellipse(left, top, right, bottom);
    }
    void FillRect(int left, int top, int right, int bottom, Colour colour) override {
        m_canvas.FillRect(left, top, right, bottom, colour);
    }
    TextSize TextExtent(std::string_view text, const RulerFont& font) override;
    void TextOut(int x, int y, std::string_view text, const RulerFont& font,
                 Colour colour) override;

private:
    wxDC& m_dc;
    DcCanvas m_canvas;
};

// The ruler's frame, cuts and Phi button on a see-through bitmap the size of
// its window, drawn without smoothing as the editor's picture is. Invalid
// for a window without area.
wxBitmap MakeRulerPicture(CGoldenRuler& ruler);

}  // namespace orvanel
