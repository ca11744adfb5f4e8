#include "editor/picture_probe.h"

#include <algorithm>
#include <string_view>

namespace orvanel {

namespace {

constexpr long long kMaxPictureSide = 32767;
constexpr long long kMaxPicturePixels = 128LL << 20;

// Reads fixed-width numbers out of a header, failing softly past its end.
class HeaderReader {
public:
    explicit HeaderReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    bool Has(std::size_t at, std::size_t n) const {
        return at <= m_bytes.size() && n <= m_bytes.size() - at;
    }
    std::uint8_t U8(std::size_t at) const { return m_bytes[at]; }
    std::uint32_t Unsigned(std::size_t at, std::size_t n, bool bigEndian) const {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint32_t byte = m_bytes[at + (bigEndian ? i : n - 1 - i)];
            v = v << 8 | byte;
        }
        return v;
    }
    bool Starts(std::string_view magic) const {
        return Has(0, magic.size()) &&
               std::equal(magic.begin(), magic.end(), m_bytes.begin(),
                          [](char c, std::uint8_t b) { return static_cast<std::uint8_t>(c) == b; });
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

std::optional<PictureSize> ProbePng(const HeaderReader& r) {
    if (!r.Has(16, 8)) return std::nullopt;
    return PictureSize{r.Unsigned(16, 4, true), r.Unsigned(20, 4, true)};
}

std::optional<PictureSize> ProbeGif(const HeaderReader& r) {
    if (!r.Has(6, 4)) return std::nullopt;
    return PictureSize{r.Unsigned(6, 2, false), r.Unsigned(8, 2, false)};
}

std::optional<PictureSize> ProbeBmp(const HeaderReader& r) {
    if (!r.Has(14, 4)) return std::nullopt;
    if (r.Unsigned(14, 4, false) == 12) {  // the old core header
        if (!r.Has(18, 4)) return std::nullopt;
        return PictureSize{r.Unsigned(18, 2, false), r.Unsigned(20, 2, false)};
    }
    if (!r.Has(18, 8)) return std::nullopt;
    const auto width = static_cast<std::int32_t>(r.Unsigned(18, 4, false));
    const auto height = static_cast<std::int32_t>(r.Unsigned(22, 4, false));
    // A negative height means the rows run top down.
    return PictureSize{std::llabs(width), std::llabs(static_cast<long long>(height))};
}

std::optional<PictureSize> ProbeJpeg(const HeaderReader& r) {
    std::size_t at = 2;
    while (r.Has(at, 4)) {
        if (r.U8(at) != 0xFF) return std::nullopt;
        const std::uint8_t marker = r.U8(at + 1);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const bool standalone = marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
        if (standalone) {
            at += 2;
            continue;
        }
        const std::size_t length = r.Unsigned(at + 2, 2, true);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (!r.Has(at + 5, 4)) return std::nullopt;
            return PictureSize{r.Unsigned(at + 7, 2, true), r.Unsigned(at + 5, 2, true)};
        }
        if (marker == 0xDA || marker == 0xD9 || length < 2) return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<PictureSize> ProbeTiff(const HeaderReader& r, bool bigEndian) {
    if (!r.Has(4, 4)) return std::nullopt;
    const std::size_t ifd = r.Unsigned(4, 4, bigEndian);
    if (!r.Has(ifd, 2)) return std::nullopt;
    const std::size_t count = r.Unsigned(ifd, 2, bigEndian);
    std::optional<long long> width, height;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + 12 * i;
        if (!r.Has(entry, 12)) return std::nullopt;
        const std::uint32_t tag = r.Unsigned(entry, 2, bigEndian);
        const std::uint32_t type = r.Unsigned(entry + 2, 2, bigEndian);
        if (tag != 256 && tag != 257) continue;
        long long value;
        if (type == 3) {
            value = r.Unsigned(entry + 8, 2, bigEndian);  // SHORT
        } else if (type == 4) {
            value = r.Unsigned(entry + 8, 4, bigEndian);  // LONG
        } else {
            return std::nullopt;
        }
        (tag == 256 ? width : height) = value;
        if (width && height) return PictureSize{*width, *height};
    }
    return std::nullopt;
}

}  // namespace

std::optional<PictureSize> ProbePictureSize(std::span<const std::uint8_t> bytes) {
    const HeaderReader r(bytes);
    if (r.Starts("\x89PNG\r\n\x1a\n")) return ProbePng(r);
    if (r.Starts("GIF87a") || r.Starts("GIF89a")) return ProbeGif(r);
    if (r.Starts("BM")) return ProbeBmp(r);
    if (r.Starts("\xff\xd8")) return ProbeJpeg(r);
    if (r.Starts("II*")) return r.Has(3, 1) && r.U8(3) == 0 ? ProbeTiff(r, false) : std::nullopt;
    if (r.Starts("MM"))
        return r.Has(2, 2) && r.U8(2) == 0 && r.U8(3) == 42 ? ProbeTiff(r, true) : std::nullopt;
    return std::nullopt;
}

bool PictureSizeIsHoldable(long long width, long long height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

}  // namespace orvanel
