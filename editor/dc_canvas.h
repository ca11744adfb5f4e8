// The editor's drawing calls on a wxDC: the screen's off-screen bitmap, a
// printer page or a print preview.
#pragma once

#include <wx/dc.h>

#include <vector>

#include "editor/canvas.h"

namespace orvanel {

wxColour ToWx(Colour c);

class DcCanvas final : public Canvas {
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
