// Where the background photo goes in the editor: placed when it is loaded,
// rescaled by the properties dialog, moved by the drag tool, and the part of
// it that a repaint draws.
#pragma once

#include <optional>

#include "document/profile_point.h"

namespace orvanel {

// Where a newly loaded photo goes: shrunk in steps of 0.05 until it fits
// 999 x 999 (never below the scale 0.05), its bottom edge on y = 1000 and its
// left edge on the lathe axis.
double PhotoFitScale(int width, int height);
IntRect PlacePhoto(int width, int height);

// The rectangle rescaled from the picture's size by the factors, keeping its
// bottom-left corner.
IntRect RescalePhoto(const IntRect& rc, int width, int height, double widthFactor,
                     double heightFactor);

// The rectangle moved by (dx, dy); there is no bound, so the photo may leave
// the drawing area, also towards negative coordinates.
IntRect OffsetPhoto(const IntRect& rc, int dx, int dy);

// What to draw of a picture of source pixels stretched over a rectangle of
// target units of which only the visible part shows (units from the
// rectangle's top-left corner): the source pixels that cover that part and
// the units they land on. Up to kWholeCopyPixels target units the whole
// picture is taken, so that scrolling shows it without scaling again; a
// larger one is taken only where it shows. None when nothing shows.
inline constexpr long long kWholeCopyPixels = 4LL << 20;
struct PhotoPart {
    IntRect source;
    IntRect target;
    bool whole = false;
    friend bool operator==(const PhotoPart&, const PhotoPart&) = default;
};
struct LongSize {
    long long width = 0;
    long long height = 0;
};
std::optional<PhotoPart> PhotoPartToDraw(LongSize source, LongSize target, const IntRect& visible);

}  // namespace orvanel
