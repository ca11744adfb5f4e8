#include "editor/photo_layout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "document/archive.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

constexpr long long kMaxPictureSide = 32767;
constexpr long long kMaxPicturePixels = 128LL << 20;

std::int32_t Saturate(long long v) {
    return static_cast<std::int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

// A percentage as the dialog's unsigned field takes it.
unsigned CeilPercent(double v) {
    const double c = std::ceil(v);
    if (!(c >= 0.0)) return 0;
    if (c >= static_cast<double>(UINT_MAX)) return UINT_MAX;
    return static_cast<unsigned>(c);
}

long long Truncated(double v) {
    if (!(std::fabs(v) < 9.0e18)) return v > 0 ? LLONG_MAX : LLONG_MIN;
    return static_cast<long long>(v);
}

void ShowPictureError(Prompter& prompter, std::string_view text) {
    prompter.ShowMessage(text, MessageIcon::Stop, text::kPictureErrorCaption);
}

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

void CPicture::Free() {
    m_pPicture.reset();
    m_nHeight = 0;
    m_nSize = 0;
    m_nWidth = 0;
}

bool CPicture::Load(const std::filesystem::path& path, PictureDecoder& decoder,
                    Prompter& prompter) {
    Free();
    std::vector<std::uint8_t> bytes;
    std::uint64_t length = 0;
    try {
        CDiskFile file(path);
        length = file.GetLength();
        if (length > static_cast<std::uint64_t>(INT_MAX)) {
            ShowPictureError(prompter, text::kPictureNoMemory);
            return false;
        }
        bytes.resize(static_cast<std::size_t>(length));
        bytes.resize(file.Read(bytes.data(), bytes.size()));
    } catch (const CFileException& e) {
        ShowPictureError(prompter, e.Reason());
        return false;
    } catch (const std::bad_alloc&) {
        ShowPictureError(prompter, text::kPictureNoMemory);
        return false;
    }
    if (!bytes.empty()) LoadFromBuffer(bytes, decoder, prompter);
    m_nSize = static_cast<int>(length);
    if (!IsLoaded()) {
        m_nHeight = m_nWidth = 0;
        return false;
    }
    return true;
}

bool CPicture::LoadFromBuffer(std::span<const std::uint8_t> bytes, PictureDecoder& decoder,
                              Prompter& prompter) {
    m_pPicture.reset();
    m_nHeight = m_nWidth = 0;
    if (bytes.empty()) return false;
    // Refused before the decoder tries to allocate it.
    if (const std::optional<PictureSize> size = ProbePictureSize(bytes);
        size && size->width > 0 && size->height > 0 &&
        !PictureSizeIsHoldable(size->width, size->height)) {
        ShowPictureError(prompter, text::kPictureNoMemory);
        return false;
    }
    DecodeResult result;
    try {
        result = decoder.Decode(bytes);
    } catch (const std::bad_alloc&) {
        result = {nullptr, DecodeFailure::TooLarge};
    }
    if (result.picture != nullptr &&
        (result.picture->Width() <= 0 || result.picture->Height() <= 0)) {
        return false;  // a picture of no size is no picture
    }
    if (result.failure == DecodeFailure::TooLarge ||
        (result.picture != nullptr &&
         !PictureSizeIsHoldable(result.picture->Width(), result.picture->Height()))) {
        ShowPictureError(prompter, text::kPictureNoMemory);
        return false;
    }
    if (result.picture == nullptr) return false;
    m_nWidth = result.picture->Width();
    m_nHeight = result.picture->Height();
    m_pPicture = std::move(result.picture);
    return true;
}

double PhotoFitScale(int width, int height) {
    double s = 1.0;
    while (height * s > 999 || width * s > 999) {
        s -= 0.05;
        if (!(s > 0.05)) break;
    }
    return s;
}

IntRect PlacePhoto(int width, int height) {
    const double s = PhotoFitScale(width, height);
    return {0, Saturate(1000 - Truncated(height * s)), Saturate(Truncated(width * s)), 1000};
}

PhotoPropertiesValues OpenPhotoProperties(const IntRect& rc, int width, int height) {
    PhotoPropertiesValues values;
    values.m_strHeight = std::to_string(height);
    values.m_strWidth = std::to_string(width);
    if (height > 0) {
        values.m_nScaleHeight = CeilPercent(
            static_cast<double>(static_cast<long long>(rc.bottom) - rc.top) / height * 100);
    }
    if (width > 0) {
        values.m_nScaleWidth = CeilPercent(
            static_cast<double>(static_cast<long long>(rc.right) - rc.left) / width * 100);
    }
    values.m_bLockAspect = true;
    return values;
}

PhotoPropertiesValues OpenPhotoProperties(const CTavrinEditorDoc& doc) {
    if (!doc.IsPhotoLoaded()) return {};
    return OpenPhotoProperties(doc.m_rcPhoto, doc.m_picture->Width(), doc.m_picture->Height());
}

IntRect ApplyPhotoProperties(const IntRect& rc, int width, int height,
                             const PhotoPropertiesValues& values) {
    const double w = values.m_nScaleWidth / 100.0;
    const double h = values.m_bLockAspect ? w : values.m_nScaleHeight / 100.0;
    IntRect out = rc;
    out.right = Saturate(Truncated(width * w) + rc.left);
    out.top = Saturate(rc.bottom - Truncated(height * h));
    return out;
}

IntRect OffsetPhoto(const IntRect& rc, int dx, int dy) {
    return {Saturate(static_cast<long long>(rc.left) + dx),
            Saturate(static_cast<long long>(rc.top) + dy),
            Saturate(static_cast<long long>(rc.right) + dx),
            Saturate(static_cast<long long>(rc.bottom) + dy)};
}

bool AddPhoto(CTavrinEditorDoc& doc, const std::filesystem::path& path, PictureDecoder& decoder,
              CommandHost& host) {
    doc.m_bPhotoHidden = false;
    doc.m_picture.reset();
    auto picture = std::make_unique<CPicture>();
    picture->Load(path, decoder, doc.GetPrompter());
    if (!picture->IsLoaded()) {
        // The old photo is gone as well: the editor must not go on showing it.
        host.InvalidateEditor();
        doc.GetPrompter().ShowMessage(text::kUnableToLoadImage);
        return false;
    }
    doc.m_rcPhoto = PlacePhoto(picture->Width(), picture->Height());
    doc.m_picture = std::move(picture);
    host.InvalidateEditor();
    host.PostCommand(Command::ToolDragPhoto);
    host.PostCommand(Command::PhotoProperties);
    return true;
}

void RemovePhoto(CTavrinEditorDoc& doc, CommandHost& host) {
    doc.m_picture.reset();
    host.PostCommand(Command::ToolPencil);
    doc.UpdateAllViews();
}

void ToggleHidePhoto(CTavrinEditorDoc& doc) {
    doc.m_bPhotoHidden = !doc.m_bPhotoHidden;
    doc.UpdateAllViews();
}

void ApplyPhotoProperties(CTavrinEditorDoc& doc, const PhotoPropertiesValues& values) {
    if (!doc.IsPhotoLoaded()) return;
    doc.m_rcPhoto = ApplyPhotoProperties(doc.m_rcPhoto, doc.m_picture->Width(),
                                         doc.m_picture->Height(), values);
    doc.UpdateAllViews();
}

}  // namespace orvanel
