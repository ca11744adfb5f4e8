// A colour as the program stores it in settings and passes it around:
// 0x00BBGGRR, red in the low byte.
#pragma once

#include <cstdint>

namespace orvanel {

using Colour = std::uint32_t;

constexpr Colour Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Colour{r} | Colour{g} << 8 | Colour{b} << 16;
}
constexpr std::uint8_t RedOf(Colour c) { return c & 0xFF; }
constexpr std::uint8_t GreenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(Colour c) { return (c >> 16) & 0xFF; }

}  // namespace orvanel
