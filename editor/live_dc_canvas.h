// The editor's live marks painted onto a copy of the last full repaint: the
// plain drawing through a wxDC, exactly as the full repaint draws, and the
// inverting and NOT-XOR drawing on the copy's pixels, which GTK cannot do on a
// window.
#pragma once

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <functional>
#include <memory>
#include <optional>

#include "editor/canvas.h"
#include "editor/dc_canvas.h"
#include "editor/raster_mix.h"

namespace orvanel {

class LiveDcCanvas final : public LiveCanvas {
public:
    // Draws into the bitmap, whose top-left pixel shows the editor position
    // origin. The bitmap holds the result once the canvas is gone.
    LiveDcCanvas(wxBitmap& bitmap, IntPoint origin);
    ~LiveDcCanvas() override;
    LiveDcCanvas(const LiveDcCanvas&) = delete;
    LiveDcCanvas& operator=(const LiveDcCanvas&) = delete;

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SetBackgroundColour(Colour colour) override;
    void SetMixMode(MixMode mode) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void FillRect(int left, int top, int right, int bottom, Colour colour) override;

private:
    // The bitmap is drawn on either through the DC or as pixels; switching
    // hands the picture over.
    DcCanvas& Drawing();
    wxImage& Pixels();
    void CloseDrawing();
    void ClosePixels();
    void Mix(const std::function<void(const RgbPicture&, const MixStyle&)>& draw);

    wxBitmap& m_bitmap;
    IntPoint m_origin;
    MixMode m_mode = MixMode::Copy;
    Pen m_pen;
    Brush m_brush = kWhiteBrush;
    Colour m_background = 0xFFFFFF;
    IntPoint m_position;

    std::unique_ptr<wxMemoryDC> m_dc;
    std::unique_ptr<DcCanvas> m_canvas;
    std::optional<wxImage> m_image;
};

}  // namespace orvanel
