#include "editor/live_dc_canvas.h"

#include <span>
#include <utility>

namespace orvanel {

LiveDcCanvas::LiveDcCanvas(const wxBitmap& frame, std::function<const wxImage&()> frameImage,
                           const wxRect& part, IntPoint frameOrigin)
    : m_frame(frame),
      m_frameImage(std::move(frameImage)),
      m_part(part),
      m_origin{frameOrigin.x + part.x, frameOrigin.y + part.y} {}

LiveDcCanvas::~LiveDcCanvas() { CloseDrawing(); }

std::optional<wxBitmap> LiveDcCanvas::TakeResult() {
    CloseDrawing();
    if (m_image) {
        m_bitmap = wxBitmap(*m_image, 24);
        m_image.reset();
    }
    return std::exchange(m_bitmap, std::nullopt);
}

DcCanvas& LiveDcCanvas::Drawing() {
    if (m_canvas) return *m_canvas;
    if (m_image) {
        m_bitmap = wxBitmap(*m_image, 24);
        m_image.reset();
    } else if (!m_bitmap) {
        m_bitmap = m_frame.GetSubBitmap(m_part);
    }
    m_dc = std::make_unique<wxMemoryDC>(*m_bitmap);
    DcCanvas::UseSharpEdges(*m_dc);
    m_dc->SetDeviceOrigin(-m_origin.x, -m_origin.y);
    m_canvas = std::make_unique<DcCanvas>(*m_dc);
    m_canvas->SelectPen(m_pen);
    m_canvas->SelectBrush(m_brush);
    m_canvas->SetBackgroundColour(m_background);
    m_canvas->MoveTo(m_position.x, m_position.y);
    return *m_canvas;
}

void LiveDcCanvas::CloseDrawing() {
    m_canvas.reset();  // draws what it still holds
    if (m_dc) {
        m_dc->SelectObject(wxNullBitmap);
        m_dc.reset();
    }
}

wxImage& LiveDcCanvas::Pixels() {
    CloseDrawing();
    if (!m_image) {
        m_image = m_bitmap ? m_bitmap->ConvertToImage() : m_frameImage().GetSubImage(m_part);
        m_bitmap.reset();
    }
    return *m_image;
}

void LiveDcCanvas::Mix(const std::function<void(const RgbPicture&, const MixStyle&)>& draw) {
    wxImage& image = Pixels();
    const auto size = static_cast<std::size_t>(image.GetWidth()) *
                      static_cast<std::size_t>(image.GetHeight()) * 3;
    const RgbPicture picture{std::span<std::uint8_t>(image.GetData(), size), image.GetWidth(),
                             image.GetHeight(), m_origin};
    draw(picture, MixStyle{m_mode, m_pen, m_brush, m_background});
}

void LiveDcCanvas::SelectPen(const Pen& pen) {
    m_pen = pen;
    if (m_canvas) m_canvas->SelectPen(pen);
}

void LiveDcCanvas::SelectBrush(const Brush& brush) {
    m_brush = brush;
    if (m_canvas) m_canvas->SelectBrush(brush);
}

void LiveDcCanvas::SetBackgroundColour(Colour colour) {
    m_background = colour;
    if (m_canvas) m_canvas->SetBackgroundColour(colour);
}

void LiveDcCanvas::SetMixMode(MixMode mode) { m_mode = mode; }

void LiveDcCanvas::MoveTo(int x, int y) {
    m_position = {x, y};
    if (m_canvas) m_canvas->MoveTo(x, y);
}

void LiveDcCanvas::LineTo(int x, int y) {
    const IntPoint from = m_position;
    if (m_mode == MixMode::Copy) {
        Drawing().LineTo(x, y);  // a drawing opened here starts at `from`
    } else {
        Mix([&](const RgbPicture& p, const MixStyle& s) { MixLine(p, s, from, {x, y}); });
    }
    m_position = {x, y};
}

void LiveDcCanvas::Ellipse(int left, int top, int right, int bottom) {
    if (m_mode == MixMode::Copy) {
        Drawing().Ellipse(left, top, right, bottom);
        return;
    }
    Mix([&](const RgbPicture& p, const MixStyle& s) {
        MixEllipse(p, s, {left, top, right, bottom});
    });
}

void LiveDcCanvas::Rectangle(int left, int top, int right, int bottom) {
    if (m_mode == MixMode::Copy) {
        Drawing().Rectangle(left, top, right, bottom);
        return;
    }
    Mix([&](const RgbPicture& p, const MixStyle& s) {
        MixRectangle(p, s, {left, top, right, bottom});
    });
}

void LiveDcCanvas::FillRect(int left, int top, int right, int bottom, Colour colour) {
    if (m_mode == MixMode::Copy) {
        Drawing().FillRect(left, top, right, bottom, colour);
        return;
    }
    Mix([&](const RgbPicture& p, const MixStyle& s) {
        MixFill(p, s.mode, {left, top, right, bottom}, colour);
    });
}

}  // namespace orvanel
