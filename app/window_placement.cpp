#include "app/window_placement.h"

#include <cstdio>

namespace orvanel {

std::string FormatPlacementRect(const IntRect& r) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d %04d %04d %04d", r.left, r.top, r.right, r.bottom);
    return text;
}

namespace {

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
