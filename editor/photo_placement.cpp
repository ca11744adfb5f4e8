#include "editor/photo_placement.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "editor/editor_draw.h"

namespace orvanel {

namespace {

std::int32_t Saturate(long long v) {
    return static_cast<std::int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

long long Truncated(double v) {
    if (!(std::fabs(v) < 9.0e18)) return v > 0 ? LLONG_MAX : LLONG_MIN;
    return static_cast<long long>(v);
}

}  // namespace

double PhotoFitScale(int width, int height) {
    double s = 1.0;
    // It fits inside the area, short of its last row and column.
    while (height * s > kEditorExtent - 1 || width * s > kEditorExtent - 1) {
        s -= 0.05;
        if (!(s > 0.05)) break;
    }
    return s;
}

std::optional<PhotoPart> PhotoPartToDraw(LongSize source, LongSize target, const IntRect& visible) {
    const long long left = std::max<long long>(0, visible.left);
    const long long top = std::max<long long>(0, visible.top);
    const long long right = std::min<long long>(target.width, visible.right);
    const long long bottom = std::min<long long>(target.height, visible.bottom);
    if (source.width <= 0 || source.height <= 0 || left >= right || top >= bottom) {
        return std::nullopt;
    }
    long long x0 = 0, y0 = 0, x1 = source.width, y1 = source.height;
    if (target.width * target.height > kWholeCopyPixels) {
        x0 = FloorDiv(left * source.width, target.width);
        y0 = FloorDiv(top * source.height, target.height);
        x1 = std::min(source.width, CeilDiv(right * source.width, target.width));
        y1 = std::min(source.height, CeilDiv(bottom * source.height, target.height));
    }
    PhotoPart part;
    part.source = {Saturate(x0), Saturate(y0), Saturate(x1), Saturate(y1)};
    part.target = {Saturate(FloorDiv(x0 * target.width, source.width)),
                   Saturate(FloorDiv(y0 * target.height, source.height)),
                   Saturate(CeilDiv(x1 * target.width, source.width)),
                   Saturate(CeilDiv(y1 * target.height, source.height))};
    part.whole = x0 == 0 && y0 == 0 && x1 == source.width && y1 == source.height;
    return part;
}

IntRect PlacePhoto(int width, int height) {
    const double s = PhotoFitScale(width, height);
    return {0, Saturate(kEditorExtent - Truncated(height * s)), Saturate(Truncated(width * s)),
            kEditorExtent};
}

IntRect RescalePhoto(const IntRect& rc, int width, int height, double widthFactor,
                     double heightFactor) {
    IntRect out = rc;
    out.right = Saturate(Truncated(width * widthFactor) + rc.left);
    out.top = Saturate(rc.bottom - Truncated(height * heightFactor));
    return out;
}

IntRect OffsetPhoto(const IntRect& rc, int dx, int dy) {
    return {Saturate(static_cast<long long>(rc.left) + dx),
            Saturate(static_cast<long long>(rc.top) + dy),
            Saturate(static_cast<long long>(rc.right) + dx),
            Saturate(static_cast<long long>(rc.bottom) + dy)};
}

}  // namespace orvanel
