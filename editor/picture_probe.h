// The pixel size an image file announces in its header, and the largest
// picture the program keeps: read before anything is decoded, so that a
// picture too large to hold is refused without trying.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace orvanel {

// The largest picture the program keeps: each side at most 32767 pixels (the
// largest surface the drawing back ends take) and at most 128 Mi pixels in all.
bool PictureSizeIsHoldable(long long width, long long height);

struct PictureSize {
    long long width = 0;
    long long height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The pixel size a JPEG, PNG, BMP, GIF or TIFF file announces in its header,
// read before anything is decoded so that a picture too large to hold can be
// refused without trying; none when the header is not one of these or is cut
// short.
std::optional<PictureSize> ProbePictureSize(std::span<const std::uint8_t> bytes);

}  // namespace orvanel
