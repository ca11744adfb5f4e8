#include "editor/raster_mix.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace orvanel {

namespace {

enum class Ink : std::uint8_t { None, Brush, Pen, Gap };

long long Min(long long a, long long b) { return a < b ? a : b; }
long long Max(long long a, long long b) { return a > b ? a : b; }

struct Box {
    long long left, top, right, bottom;  // editor units, right and bottom outside
    bool Empty() const { return left >= right || top >= bottom; }
};

Box Normalised(const IntRect& rc) {
    return {Min(rc.left, rc.right), Min(rc.top, rc.bottom), Max(rc.left, rc.right),
            Max(rc.top, rc.bottom)};
}

int PenWidth(const Pen& pen) { return std::max(pen.width, 1); }

// One pixel combined with a colour.
void MixPixel(MixMode mode, std::uint8_t* p, Colour c) {
    const std::uint8_t rgb[3] = {RedOf(c), GreenOf(c), BlueOf(c)};
    for (int i = 0; i < 3; ++i) {
        switch (mode) {
            case MixMode::Copy:
                p[i] = rgb[i];
                break;
            case MixMode::Invert:
                p[i] = static_cast<std::uint8_t>(~p[i]);
                break;
            case MixMode::NotXorPen:
                p[i] = static_cast<std::uint8_t>(~(rgb[i] ^ p[i]));
                break;
        }
    }
}

// The bytes of the pixel that shows editor position (x, y), which must lie
// in the picture.
std::uint8_t* PixelAt(const RgbPicture& picture, long long x, long long y) {
    const auto px = static_cast<std::size_t>(x - picture.origin.x);
    const auto py = static_cast<std::size_t>(y - picture.origin.y);
    return &picture.bytes[(py * static_cast<std::size_t>(picture.width) + px) * 3];
}

// The part of a box the picture shows.
Box Clipped(const RgbPicture& picture, const Box& box) {
    const long long ox = picture.origin.x, oy = picture.origin.y;
    return {Max(box.left, ox), Max(box.top, oy), Min(box.right, ox + picture.width),
            Min(box.bottom, oy + picture.height)};
}

// Which ink each pixel of one shape takes. A pixel is set once per shape
// whatever overlaps inside it, so an inverting shape never inverts a pixel
// twice.
class Mask {
public:
    Mask(const RgbPicture& picture, const Box& shape) : m_picture(picture) {
        m_box = Clipped(picture, shape);
        if (!m_box.Empty()) {
            m_ink.assign(
                static_cast<std::size_t>((m_box.right - m_box.left) * (m_box.bottom - m_box.top)),
                Ink::None);
        }
    }

    const Box& Area() const { return m_box; }

    void Set(long long x, long long y, Ink ink) {
        if (x < m_box.left || x >= m_box.right || y < m_box.top || y >= m_box.bottom) return;
        m_ink[Index(x, y)] = ink;
    }

    void Apply(MixMode mode, Colour brush, Colour pen, Colour gap) const {
        if (m_box.Empty()) return;
        for (long long y = m_box.top; y < m_box.bottom; ++y) {
            for (long long x = m_box.left; x < m_box.right; ++x) {
                const Ink ink = m_ink[Index(x, y)];
                if (ink == Ink::None) continue;
                const Colour c = ink == Ink::Brush ? brush : ink == Ink::Pen ? pen : gap;
                MixPixel(mode, PixelAt(m_picture, x, y), c);
            }
        }
    }

private:
    std::size_t Index(long long x, long long y) const {
        return static_cast<std::size_t>((y - m_box.top) * (m_box.right - m_box.left) +
                                        (x - m_box.left));
    }

    const RgbPicture& m_picture;
    Box m_box{};
    std::vector<Ink> m_ink;
};

Ink DotInk(const Pen& pen, long long position) {
    if (pen.style != PenStyle::Dot) return Ink::Pen;
    const long long period = 2LL * kDotLength;
    const long long phase = ((position % period) + period) % period;
    return phase < kDotLength ? Ink::Pen : Ink::Gap;
}

void ApplyStyle(const Mask& mask, const MixStyle& style) {
    mask.Apply(style.mode, style.brush.colour, style.pen.colour, style.background);
}

}  // namespace

void MixLine(const RgbPicture& picture, const MixStyle& style, IntPoint from, IntPoint to) {
    if (style.pen.style == PenStyle::Null || from == to) return;
    const int w = PenWidth(style.pen);
    const long long before = (w - 1) / 2, after = w / 2;  // a wide pen's square around each pixel
    const long long x0 = from.x, y0 = from.y, dx = to.x - x0, dy = to.y - y0;
    Mask mask(picture, {Min(x0, to.x) - before, Min(y0, to.y) - before, Max(x0, to.x) + after + 1,
                        Max(y0, to.y) + after + 1});
    const Box& area = mask.Area();
    if (area.Empty()) return;

    // Stepped along the longer axis, the other coordinate rounded from the
    // exact slope, and only over the steps whose pixels can reach the picture.
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long major = alongX ? dx : dy;
    const long long minor = alongX ? dy : dx;
    const long long steps = std::llabs(major);
    const long long sign = major > 0 ? 1 : -1;
    const long long start = alongX ? x0 : y0;
    const long long lo = (alongX ? area.left : area.top) - after;
    const long long hi = (alongX ? area.right : area.bottom) - 1 + before;
    long long first = sign > 0 ? lo - start : start - hi;
    long long last = sign > 0 ? hi - start : start - lo;
    first = Max(first, 0);
    last = Min(last, steps - 1);
    for (long long i = first; i <= last; ++i) {
        const long long offset = static_cast<long long>(std::floor(
            static_cast<double>(i) * static_cast<double>(minor) / static_cast<double>(steps) +
            0.5));
        const long long x = alongX ? x0 + sign * i : x0 + offset;
        const long long y = alongX ? y0 + offset : y0 + sign * i;
        const Ink ink = DotInk(style.pen, i);
        for (long long sy = y - before; sy <= y + after; ++sy) {
            for (long long sx = x - before; sx <= x + after; ++sx) mask.Set(sx, sy, ink);
        }
    }
    ApplyStyle(mask, style);
}

void MixEllipse(const RgbPicture& picture, const MixStyle& style, const IntRect& rc) {
    const Box box = Normalised(rc);
    if (box.Empty()) return;
    Mask mask(picture, box);
    const Box& area = mask.Area();
    const double cx = (static_cast<double>(box.left) + static_cast<double>(box.right)) / 2;
    const double cy = (static_cast<double>(box.top) + static_cast<double>(box.bottom)) / 2;
    const double a = (static_cast<double>(box.right) - static_cast<double>(box.left)) / 2;
    const double b = (static_cast<double>(box.bottom) - static_cast<double>(box.top)) / 2;
    const bool outline = style.pen.style != PenStyle::Null;
    const double w = outline ? PenWidth(style.pen) : 0;
    const double ia = a - w, ib = b - w;  // the inside of the edge
    const auto within = [](double u, double v, double ra, double rb) {
        return ra > 0 && rb > 0 && (u / ra) * (u / ra) + (v / rb) * (v / rb) <= 1.0;
    };
    for (long long y = area.top; y < area.bottom; ++y) {
        for (long long x = area.left; x < area.right; ++x) {
            const double u = static_cast<double>(x) + 0.5 - cx;
            const double v = static_cast<double>(y) + 0.5 - cy;
            if (!within(u, v, a, b)) continue;
            if (within(u, v, ia, ib)) {
                if (!style.brush.hollow) mask.Set(x, y, Ink::Brush);
            } else if (outline) {
                // Dots counted along the edge, from the right going down.
                const double along = std::atan2(v, u) * (a + b) / 2;
                mask.Set(x, y, DotInk(style.pen, static_cast<long long>(std::floor(along))));
            }
        }
    }
    ApplyStyle(mask, style);
}

void MixRectangle(const RgbPicture& picture, const MixStyle& style, const IntRect& rc) {
    const Box box = Normalised(rc);
    if (box.Empty()) return;
    // The edge and the inside do not overlap, so each pixel is mixed once
    // without a mask; inside a hollow band only the edge is visited.
    const Box area = Clipped(picture, box);
    const bool outline = style.pen.style != PenStyle::Null;
    const long long w = outline ? PenWidth(style.pen) : 0;
    const long long width = box.right - box.left, height = box.bottom - box.top;
    const auto edge = [&](long long x, long long y) {
        // Dots counted clockwise round the edge from the top-left corner,
        // each corner pixel counted once.
        long long along = 0;
        if (y < box.top + w) {
            along = x - box.left;
        } else if (x >= box.right - w) {
            along = width - 1 + (y - box.top);
        } else if (y >= box.bottom - w) {
            along = width - 1 + height - 1 + (box.right - 1 - x);
        } else {
            along = 2 * (width - 1) + height - 1 + (box.bottom - 1 - y);
        }
        const Colour c = DotInk(style.pen, along) == Ink::Pen ? style.pen.colour : style.background;
        MixPixel(style.mode, PixelAt(picture, x, y), c);
    };
    const auto span = [&](long long y, long long from, long long to, bool onEdge) {
        for (long long x = Max(from, area.left); x < Min(to, area.right); ++x) {
            if (onEdge) {
                edge(x, y);
            } else {
                MixPixel(style.mode, PixelAt(picture, x, y), style.brush.colour);
            }
        }
    };
    for (long long y = area.top; y < area.bottom; ++y) {
        if (y < box.top + w || y >= box.bottom - w) {
            span(y, box.left, box.right, true);
            continue;
        }
        const long long insideLeft = Min(box.left + w, box.right);
        const long long insideRight = Max(box.right - w, insideLeft);
        span(y, box.left, insideLeft, true);
        if (!style.brush.hollow) span(y, insideLeft, insideRight, false);
        span(y, insideRight, box.right, true);
    }
}

void MixFill(const RgbPicture& picture, MixMode mode, const IntRect& rc, Colour colour) {
    const Box box = Normalised(rc);
    if (box.Empty()) return;
    Mask mask(picture, box);
    const Box& area = mask.Area();
    for (long long y = area.top; y < area.bottom; ++y) {
        for (long long x = area.left; x < area.right; ++x) mask.Set(x, y, Ink::Brush);
    }
    mask.Apply(mode, colour, colour, colour);
}

}  // namespace orvanel
