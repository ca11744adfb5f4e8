// The editor's live marks painted onto a copy of part of the last full
// repaint: the plain drawing through a wxDC, exactly as the full repaint
// draws, and the inverting and NOT-XOR drawing on the copy's pixels, which
// GTK cannot do on a window.
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
    // Paints over `part` (pixels) of the last full repaint, whose top-left
    // pixel shows the editor position frameOrigin. frameImage gives the same
    // picture as an image; it is asked for only when pixels are mixed, and
    // the copy is taken from whichever form the first drawing call needs.
    LiveDcCanvas(const wxBitmap& frame, std::function<const wxImage&()> frameImage,
                 const wxRect& part, IntPoint frameOrigin);
    ~LiveDcCanvas() override;
    LiveDcCanvas(const LiveDcCanvas&) = delete;
    LiveDcCanvas& operator=(const LiveDcCanvas&) = delete;

    // The part with the marks on it; none when nothing was drawn.
    std::optional<wxBitmap> TakeResult();

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
    // The copy is drawn on either through the DC or as pixels; switching
    // hands the picture over.
    DcCanvas& Drawing();
    wxImage& Pixels();
    void CloseDrawing();
    void Mix(const std::function<void(const RgbPicture&, const MixStyle&)>& draw);

    const wxBitmap& m_frame;
    std::function<const wxImage&()> m_frameImage;
    wxRect m_part;
    IntPoint m_origin;  // the editor position of the part's top-left pixel
    MixMode m_mode = MixMode::Copy;
    Pen m_pen;
    Brush m_brush = kWhiteBrush;
    Colour m_background = 0xFFFFFF;
    IntPoint m_position;

    std::optional<wxBitmap> m_bitmap;
    std::unique_ptr<wxMemoryDC> m_dc;
    std::unique_ptr<DcCanvas> m_canvas;
    std::optional<wxImage> m_image;
};

}  // namespace orvanel
