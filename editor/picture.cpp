#include "editor/picture.h"

#include <climits>
#include <cstdint>
#include <new>
#include <vector>

#include "document/archive.h"
#include "editor/picture_probe.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

void ShowPictureError(Prompter& prompter, std::string_view text) {
    prompter.ShowMessage(text, MessageIcon::Stop, text::kPictureErrorCaption);
}

}  // namespace

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

}  // namespace orvanel
