// The 2D drawing calls the editor's pictures are made of. The core issues them;
// a wxDC adapter draws them on screen and on paper, tests record them.
#pragma once

#include <cstdint>
#include <string_view>

#include "document/colour.h"

namespace orvanel {

enum class PenStyle {
    Solid,
    Dot,
    Null,
    DashDot,  // a centre line: long dash, gap, short dash, gap
};

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;  // pixels; 0 draws one pixel wide, as 1 does
    Colour colour = 0;
    friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
    bool hollow = false;
    Colour colour = 0;
    friend bool operator==(const Brush&, const Brush&) = default;
};

inline constexpr Pen kBlackPen{PenStyle::Solid, 1, 0x000000};
inline constexpr Pen kWhitePen{PenStyle::Solid, 1, 0xFFFFFF};
inline constexpr Pen kNullPen{PenStyle::Null, 1, 0};
inline constexpr Brush kBlackBrush{false, 0x000000};
inline constexpr Brush kWhiteBrush{false, 0xFFFFFF};
inline constexpr Brush kGrayBrush{false, 0x808080};
inline constexpr Brush kHollowBrush{true, 0};

class Canvas {
public:
    virtual ~Canvas() = default;
    virtual void SelectPen(const Pen& pen) = 0;
    virtual void SelectBrush(const Brush& brush) = 0;
    // The colour of the gaps of dotted lines.
    virtual void SetBackgroundColour(Colour colour) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // A line from the current position, which then moves to (x, y). As on
    // every raster device of the program, the end point itself is not drawn.
    virtual void LineTo(int x, int y) = 0;
    // Outlined with the pen and filled with the brush, in the bounding box.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // A solid fill of [left, right) x [top, bottom) with no outline; the
    // selected pen and brush stay as they are.
    virtual void FillRect(int left, int top, int right, int bottom, Colour colour) = 0;
};

// A canvas on paper, where the 1:1 template is drawn: text, and drawing held
// to a part of the page.
class PageCanvas : public Canvas {
public:
    // UTF-8 text, the top-left corner of its line at (x, y), its font
    // `height` units from the top of the line to the bottom.
    virtual void Text(int x, int y, std::string_view text, int height, Colour colour) = 0;
    // Nothing is drawn outside [left, right) x [top, bottom) until ResetClip.
    virtual void SetClip(int left, int top, int right, int bottom) = 0;
    virtual void ResetClip() = 0;
};

// How the live marks of the editor (rubber band, dragged group markers, grid
// cursor) combine with what is already on the window.
enum class MixMode {
    Copy,       // the pen and the brush are drawn as they are
    Invert,     // every pixel the shape covers is inverted; pen and brush colours do not matter
    NotXorPen,  // pixel = NOT (colour XOR pixel): a black pen or brush inverts, white leaves alone
};

// The canvas the editor's live marks are painted on: a Canvas that can also
// invert what lies underneath and outline rectangles.
//
// Inverting twice restores a pixel, which is how these marks used to erase
// themselves on screen. A window system without raster operations (GTK 3 draws
// only in paint handlers and has no XOR) paints them this way instead: it keeps
// a bitmap of the last full repaint, and at each paint copies the damaged part
// of it, applies the calls to the copy in order (Invert: invert the pixels the
// shape covers, so two shapes over one pixel cancel; NotXorPen: combine each
// drawn pixel with the copy as NOT (colour XOR pixel), the gaps of a dotted pen
// drawn in the background colour) and shows the copy. The marks are painted
// from the editor's live state every time, so nothing needs erasing.
class LiveCanvas : public Canvas {
public:
    virtual void SetMixMode(MixMode mode) = 0;
    // The outline of the box with the pen and its inside with the brush; the
    // corners may come in any order, and as for Ellipse the right and bottom
    // edges lie outside.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
};

}  // namespace orvanel
