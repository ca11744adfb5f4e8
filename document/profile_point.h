// One control point of the profile and the links of the point list.
#pragma once

#include <cstdint>
#include <memory>

namespace orvanel {

struct ProfilePoint {
    std::int32_t x = 0;  // editor units; 0 is the lathe axis; never negative
    std::int32_t y = 0;  // editor units, growing downwards; never negative
    bool bSelected = false;
    bool bAnchor = false;                 // the curve turns into straight chords here
    std::unique_ptr<ProfilePoint> pNext;  // owns the rest of the list
    ProfilePoint* pPrev = nullptr;

    ProfilePoint() = default;
    ProfilePoint(std::int32_t px, std::int32_t py) : x(px), y(py) {}
    ProfilePoint(const ProfilePoint&) = delete;
    ProfilePoint& operator=(const ProfilePoint&) = delete;

    // Frees the rest of the chain one link at a time: letting each unique_ptr
    // free its successor would recurse once per point.
    ~ProfilePoint() {
        std::unique_ptr<ProfilePoint> next = std::move(pNext);
        while (next) next = std::move(next->pNext);
    }

    ProfilePoint* Next() const { return pNext.get(); }
    ProfilePoint* Prev() const { return pPrev; }
};

struct IntPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

struct IntRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const IntRect&, const IntRect&) = default;
};

}  // namespace orvanel
