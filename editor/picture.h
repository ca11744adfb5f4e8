// The background photo's picture: the decoder the platform gives, and the
// loaded photo as the document holds it.
#pragma once

#include <filesystem>
#include <memory>
#include <span>

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

}  // namespace orvanel
