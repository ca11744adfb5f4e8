// The raster operations of the editor's live marks, done on the pixels of a
// picture: for window systems that draw only into bitmaps and cannot invert or
// XOR what is on the window (LiveCanvas, MixMode).
#pragma once

#include <cstdint>
#include <span>

#include "document/profile_point.h"
#include "editor/canvas.h"

namespace orvanel {

// Three bytes a pixel (red, green, blue), rows top to bottom without padding.
struct RgbPicture {
    std::span<std::uint8_t> bytes;  // width * height * 3
    int width = 0;
    int height = 0;
    IntPoint origin;  // the editor position the top-left pixel shows
};

struct MixStyle {
    MixMode mode = MixMode::Copy;
    Pen pen;
    Brush brush;
    Colour background = 0xFFFFFF;  // what the gaps of a dotted pen are drawn in
};

// A dotted pen draws this many pixels, then leaves as many as a gap, as the
// toolkit's own dotted lines do.
inline constexpr int kDotLength = 2;

// Every call touches each pixel of its shape once, so that the same call
// twice in Invert, or in NotXorPen with a black pen, gives the picture back.
// Parts of a shape outside the picture are left out; coordinates may be any.

// A line from `from` towards `to`; `to` itself is not drawn.
void MixLine(const RgbPicture& picture, const MixStyle& style, IntPoint from, IntPoint to);
// In the box [left, right) x [top, bottom), corners in any order: the inside
// with the brush (nothing when hollow), the edge as wide as the pen (nothing
// with the null pen).
void MixEllipse(const RgbPicture& picture, const MixStyle& style, const IntRect& box);
void MixRectangle(const RgbPicture& picture, const MixStyle& style, const IntRect& box);
// The box in one colour, no outline.
void MixFill(const RgbPicture& picture, MixMode mode, const IntRect& box, Colour colour);

}  // namespace orvanel
