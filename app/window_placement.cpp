#include "app/window_placement.h"

#include <algorithm>
#include <cstdio>

namespace orvanel {

namespace {

constexpr int kMinField = -999;
constexpr int kMaxField = 9999;

int Field(std::int32_t v) { return std::clamp<int>(v, kMinField, kMaxField); }

struct Span {
    long long lo, hi;
    long long Size() const { return hi - lo; }
    long long Overlap(const Span& o) const { return std::min(hi, o.hi) - std::max(lo, o.lo); }
    // The span of `size` inside this one nearest to starting at `start`.
    long long Nearest(long long start, long long size) const {
        return std::clamp(start, lo, hi - size);
    }
};

Span Horizontal(const IntRect& r) { return {r.left, r.right}; }
Span Vertical(const IntRect& r) { return {r.top, r.bottom}; }

// atoi on the text from the offset on, without reading past its end; a value
// beyond 32 bits saturates instead of overflowing.
int NumberAt(std::string_view text, std::size_t offset) {
    if (offset >= text.size()) return 0;
    std::size_t i = offset;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) value = 2147483648LL;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) value = 2147483647LL;
    return static_cast<int>(value);
}

}  // namespace

std::string FormatPlacementRect(const IntRect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d %04d %04d %04d", Field(r.left), Field(r.top),
                  Field(r.right), Field(r.bottom));
    return text;
}

IntRect FitPlacementRect(const IntRect& r, std::span<const IntRect> workAreas) {
    const Span x = Horizontal(r);
    const Span y = Vertical(r);
    const IntRect* area = nullptr;
    long long bestOverlap = -1;
    for (const IntRect& a : workAreas) {
        if (Horizontal(a).Size() <= 0 || Vertical(a).Size() <= 0) continue;
        const long long ox = std::max(0LL, x.Overlap(Horizontal(a)));
        const long long oy = std::max(0LL, y.Overlap(Vertical(a)));
        if (ox * oy > bestOverlap) {
            bestOverlap = ox * oy;
            area = &a;
        }
    }
    if (area == nullptr) return r;
    const Span ax = Horizontal(*area);
    const Span ay = Vertical(*area);
    const bool fits = x.Size() >= kMinPlacementSide && y.Size() >= kMinPlacementSide &&
                      x.Size() <= ax.Size() && y.Size() <= ay.Size() &&
                      x.Overlap(ax) >= kMinPlacementSide && y.Overlap(ay) >= kMinPlacementSide;
    if (fits) return r;
    // A usable side leaves the window system room for the menus and bars,
    // which it keeps whole whatever size it is asked for.
    const auto side = [](long long stored, long long usable, long long room) {
        return std::min(stored < kMinPlacementSide ? usable : stored, room);
    };
    const long long width = side(x.Size(), Horizontal(kDefaultNormalRect).Size(), ax.Size());
    const long long height = side(y.Size(), Vertical(kDefaultNormalRect).Size(), ay.Size());
    const long long left = ax.Nearest(x.lo, width);
    const long long top = ay.Nearest(y.lo, height);
    return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
            static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)};
}

IntRect ParsePlacementRect(std::string_view text) {
    if (text.empty()) return kDefaultNormalRect;
    return {NumberAt(text, 0), NumberAt(text, 5), NumberAt(text, 10), NumberAt(text, 15)};
}

ShowState WindowPlacement::InitialShow() const {
    if (iconized) return ShowState::Minimized;
    return maximized ? ShowState::Maximized : ShowState::Normal;
}

WindowPlacement WindowPlacement::Of(const IntRect& normal, ShowState state,
                                    bool restoresToMaximized) {
    WindowPlacement p;
    p.normal = normal;
    p.iconized = state == ShowState::Minimized;
    p.maximized = state == ShowState::Maximized || (p.iconized && restoresToMaximized);
    return p;
}

WindowPlacement ReadWindowPlacement(SettingsStore& store) {
    using namespace placement_keys;
    WindowPlacement p;
    p.normal = ParsePlacementRect(store.GetString(kSection, kRect, ""));
    p.iconized = store.GetInt(kSection, kIconized, 0) != 0;
    p.maximized = store.GetInt(kSection, kMaximized, 0) != 0;
    return p;
}

void WriteWindowPlacement(SettingsStore& store, const WindowPlacement& p) {
    using namespace placement_keys;
    store.WriteString(kSection, kRect, FormatPlacementRect(p.normal));
    store.WriteInt(kSection, kIconized, p.iconized ? 1 : 0);
    store.WriteInt(kSection, kMaximized, p.maximized ? 1 : 0);
}

}  // namespace orvanel
