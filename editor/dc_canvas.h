// The drawing calls on a wxDC: the editor on the screen's off-screen bitmap,
// a printer page or a print preview; the 1:1 template's pages.
#pragma once

#include <wx/dc.h>

#include <vector>

#include "editor/canvas.h"

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

private:
    // Consecutive LineTo calls are drawn as one polyline, so that a thick
    // curve has clean joins.
    void FlushLines();

    wxDC& m_dc;
    Pen m_pen;
    Colour m_background = 0xFFFFFF;
    wxPoint m_position;
    std::vector<wxPoint> m_polyline;
};

}  // namespace orvanel
