// Profiles of a given number of points for the benchmarks: an open vase wall
// and a closed ring, both smooth and well inside the editor area.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "document/document.h"

namespace orvanel::bench {

// The profile's bytes as a file holds them.
inline std::vector<std::uint8_t> ProfileBytes(int points, bool closed) {
    CMemFile file;
    CArchive ar(file, CArchive::Mode::store);
    ar.WriteString(kMagicCurrent);
    ar.WriteInt32(closed ? 1 : 0);
    ar.WriteInt32(points);
    ar.WriteInt32(10);  // editor steps
    ar.WriteInt32(0);   // flip normals
    for (int i = 0; i < points; ++i) {
        const double t = static_cast<double>(i) / points;
        double x, y;
        if (closed) {
            const double angle = 2 * std::numbers::pi * t;
            const double radius = 100 * (1 + 0.2 * std::sin(5 * angle));
            x = 300 + radius * std::cos(angle);
            y = 500 + radius * std::sin(angle);
        } else {
            x = 120 + 80 * std::sin(3 * t + 0.5);
            y = 50 + 900 * t;
        }
        ar.WriteInt32(static_cast<std::int32_t>(std::lround(x)));
        ar.WriteInt32(static_cast<std::int32_t>(std::lround(y)));
        ar.WriteInt32(0);
        ar.WriteInt32(0);
    }
    ar.Close();
    return file.Bytes();
}

inline void LoadProfile(CTavrinEditorDoc& doc, int points, bool closed) {
    CMemFile file(ProfileBytes(points, closed));
    CArchive ar(file, CArchive::Mode::load);
    if (!doc.Serialize(ar)) throw std::runtime_error("benchmark profile did not load");
}

}  // namespace orvanel::bench
