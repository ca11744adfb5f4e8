// The background photo: the loaded picture as the document holds it, where a
// new photo is placed, the properties dialog's arithmetic, and the photo
// commands' effect on the document.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "document/commands.h"
#include "document/document.h"
#include "document/prompter.h"

namespace orvanel {

// A decoded image as the platform keeps it (a wxImage in the application).
class DecodedPicture {
public:
    virtual ~DecodedPicture() = default;
    virtual int Width() const = 0;  // pixels, which are the picture's 96-dpi size
    virtual int Height() const = 0;
};

enum class DecodeFailure {
    None,
    NotAnImage,  // no decoder of the program reads these bytes
    TooLarge,    // the picture is larger than the program can hold
};

struct DecodeResult {
    std::unique_ptr<DecodedPicture> picture;
    DecodeFailure failure = DecodeFailure::None;
};

// Turns the bytes of an image file into a picture. It is asked only after the
// header's size has passed PictureSizeIsHoldable. Implementations must not
// throw for bad input; running out of memory may surface as std::bad_alloc.
class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    virtual DecodeResult Decode(std::span<const std::uint8_t> bytes) = 0;
};

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

// The background photo: its pixel size, the size of its file and the decoded
// picture. Loaded exactly while it holds a picture.
class CPicture final : public PhotoImage {
public:
    // Releases any loaded picture, then reads and decodes the file. A file
    // that cannot be opened or held is reported under the caption
    // "CPicture Error"; a file the decoder cannot read is not.
    bool Load(const std::filesystem::path& path, PictureDecoder& decoder, Prompter& prompter);
    bool LoadFromBuffer(std::span<const std::uint8_t> bytes, PictureDecoder& decoder,
                        Prompter& prompter);
    void Free();

    bool IsLoaded() const override { return m_pPicture != nullptr; }
    int Width() const override { return m_nWidth; }
    int Height() const override { return m_nHeight; }
    int FileSize() const { return m_nSize; }
    // The decoded picture, for the application to draw; null when none.
    const DecodedPicture* Picture() const { return m_pPicture.get(); }

private:
    int m_nHeight = 0;
    int m_nSize = 0;
    int m_nWidth = 0;
    std::unique_ptr<DecodedPicture> m_pPicture;
};

// Where a newly loaded photo goes: shrunk in steps of 0.05 until it fits
// 999 x 999 (never below the scale 0.05), its bottom edge on y = 1000 and its
// left edge on the lathe axis.
double PhotoFitScale(int width, int height);
IntRect PlacePhoto(int width, int height);

// The values the photo properties dialog exchanges with its controls.
struct PhotoPropertiesValues {
    unsigned m_nScaleHeight = 100;  // percent
    unsigned m_nScaleWidth = 100;   // percent
    std::string m_strHeight;        // the picture's size in pixels, as text
    std::string m_strWidth;
    bool m_bLockAspect = true;
};

// The dialog's values as it opens on a photo of the given size drawn into rc,
// or on the document's photo (which must be loaded).
PhotoPropertiesValues OpenPhotoProperties(const IntRect& rc, int width, int height);
PhotoPropertiesValues OpenPhotoProperties(const CTavrinEditorDoc& doc);
// The rectangle after OK: rescaled from the picture's size, keeping the
// bottom-left corner; with the aspect locked the width's factor serves both.
IntRect ApplyPhotoProperties(const IntRect& rc, int width, int height,
                             const PhotoPropertiesValues& values);
// The height field can be edited only while the aspect is not locked.
inline bool PhotoHeightFieldEnabled(bool lockAspect) { return !lockAspect; }

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

// Add/Replace after the user chose a file: the old photo goes first (also
// when the new one fails), the hidden flag is cleared, the new photo is placed
// and the drag tool and the properties dialog follow. Returns whether a photo
// is loaded now.
bool AddPhoto(CTavrinEditorDoc& doc, const std::filesystem::path& path, PictureDecoder& decoder,
              CommandHost& host);
// Remove: the photo goes, its rectangle stays for the next one, the editor
// leaves the drag tool.
void RemovePhoto(CTavrinEditorDoc& doc, CommandHost& host);
// Hide or show again.
void ToggleHidePhoto(CTavrinEditorDoc& doc);
// The properties dialog ended with OK.
void ApplyPhotoProperties(CTavrinEditorDoc& doc, const PhotoPropertiesValues& values);

}  // namespace orvanel
