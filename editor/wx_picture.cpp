#include "editor/wx_picture.h"

#include <wx/imaggif.h>
#include <wx/imagjpeg.h>
#include <wx/imagpng.h>
#include <wx/imagtiff.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>
#include <climits>
#include <new>

namespace orvanel {

namespace {

// The formats the photo's file filter offers, and no others: every decoder
// more is one more parser that untrusted files reach.
constexpr wxBitmapType kPhotoTypes[] = {wxBITMAP_TYPE_JPEG, wxBITMAP_TYPE_PNG, wxBITMAP_TYPE_BMP,
                                        wxBITMAP_TYPE_TIFF, wxBITMAP_TYPE_GIF};

// Up to this many destination pixels the whole stretched photo is kept, so
// that scrolling draws it without scaling; a larger one is scaled only where
// it shows.
constexpr long long kWholeCopyPixels = 4LL << 20;

template <class Handler>
void AddHandlerOnce(wxBitmapType type) {
    // wxImage owns its handlers and deletes them at exit.
    if (wxImage::FindHandler(type) == nullptr) wxImage::AddHandler(new Handler);
}

long long FloorDiv(long long a, long long b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

}  // namespace

void RegisterPhotoImageHandlers() {
    AddHandlerOnce<wxJPEGHandler>(wxBITMAP_TYPE_JPEG);
    AddHandlerOnce<wxPNGHandler>(wxBITMAP_TYPE_PNG);
    AddHandlerOnce<wxTIFFHandler>(wxBITMAP_TYPE_TIFF);
    AddHandlerOnce<wxGIFHandler>(wxBITMAP_TYPE_GIF);
}

WxPictureDecoder::WxPictureDecoder() { RegisterPhotoImageHandlers(); }

DecodeResult WxPictureDecoder::Decode(std::span<const std::uint8_t> bytes) {
    // The handlers report bad files through wx's log, which would open a
    // window of its own; the caller tells the user instead.
    const wxLogNull quiet;
    try {
        wxMemoryInputStream stream(bytes.data(), bytes.size());
        for (const wxBitmapType type : kPhotoTypes) {
            wxImageHandler* handler = wxImage::FindHandler(type);
            if (handler == nullptr || !handler->CanRead(stream)) continue;
            // The file claims this format: it decodes as one or not at all.
            stream.SeekI(0);
            wxImage image;
            if (!image.LoadFile(stream, type) || !image.IsOk()) return {};
            return {std::make_unique<WxPicture>(std::move(image)), DecodeFailure::None};
        }
    } catch (const std::bad_alloc&) {
        return {nullptr, DecodeFailure::TooLarge};
    } catch (...) {
        return {};
    }
    return {};
}

bool WxPicture::Draw(wxDC& dc, const IntRect& rc) const {
    const long long width = static_cast<long long>(rc.right) - rc.left;
    const long long height = static_cast<long long>(rc.bottom) - rc.top;
    const long long sourceWidth = m_image.IsOk() ? m_image.GetWidth() : 0;
    const long long sourceHeight = m_image.IsOk() ? m_image.GetHeight() : 0;
    if (width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX || sourceWidth <= 0 ||
        sourceHeight <= 0) {
        return false;
    }
    // The DC's whole surface in logical units, relative to the photo.
    const wxSize surface = dc.GetSize();
    const long long visibleLeft = std::max<long long>(0, dc.DeviceToLogicalX(0) - rc.left);
    const long long visibleTop = std::max<long long>(0, dc.DeviceToLogicalY(0) - rc.top);
    const long long visibleRight = std::min<long long>(
        width, dc.DeviceToLogicalX(surface.x) - static_cast<long long>(rc.left));
    const long long visibleBottom = std::min<long long>(
        height, dc.DeviceToLogicalY(surface.y) - static_cast<long long>(rc.top));
    if (visibleLeft >= visibleRight || visibleTop >= visibleBottom) return true;  // out of view

    // The source pixels that cover the part to draw, and where they land.
    long long x0 = 0, y0 = 0, x1 = sourceWidth, y1 = sourceHeight;
    if (width * height > kWholeCopyPixels) {
        x0 = FloorDiv(visibleLeft * sourceWidth, width);
        y0 = FloorDiv(visibleTop * sourceHeight, height);
        x1 = std::min(sourceWidth, CeilDiv(visibleRight * sourceWidth, width));
        y1 = std::min(sourceHeight, CeilDiv(visibleBottom * sourceHeight, height));
    }
    const wxRect part(
        static_cast<int>(FloorDiv(x0 * width, sourceWidth)),
        static_cast<int>(FloorDiv(y0 * height, sourceHeight)),
        static_cast<int>(CeilDiv(x1 * width, sourceWidth) - FloorDiv(x0 * width, sourceWidth)),
        static_cast<int>(CeilDiv(y1 * height, sourceHeight) - FloorDiv(y0 * height, sourceHeight)));
    const wxSize size(static_cast<int>(width), static_cast<int>(height));

    if (!m_stretched.IsOk() || m_stretchedSize != size || m_stretchedPart != part) {
        m_stretched = wxBitmap();
        try {
            const bool whole = x0 == 0 && y0 == 0 && x1 == sourceWidth && y1 == sourceHeight;
            const wxImage source =
                whole ? m_image
                      : m_image.GetSubImage(wxRect(static_cast<int>(x0), static_cast<int>(y0),
                                                   static_cast<int>(x1 - x0),
                                                   static_cast<int>(y1 - y0)));
            // A whole copy is made once per size and may take its time; a
            // partial one follows the scrolling.
            const wxImage scaled = source.IsOk() ? source.Scale(part.width, part.height,
                                                                whole ? wxIMAGE_QUALITY_HIGH
                                                                      : wxIMAGE_QUALITY_BILINEAR)
                                                 : wxImage();
            if (scaled.IsOk()) m_stretched = wxBitmap(scaled);
        } catch (const std::bad_alloc&) {
            m_stretched = wxBitmap();
        }
        if (!m_stretched.IsOk()) return false;
        m_stretchedSize = size;
        m_stretchedPart = part;
        ++m_nRescales;
    }
    dc.DrawBitmap(m_stretched, rc.left + part.x, rc.top + part.y, true);
    return true;
}

bool DrawDocumentPhoto(wxDC& dc, const CTavrinEditorDoc& doc) {
    if (!doc.IsPhotoLoaded() || doc.m_bPhotoHidden) return false;
    const auto* picture = dynamic_cast<const CPicture*>(doc.m_picture.get());
    const auto* image =
        picture != nullptr ? dynamic_cast<const WxPicture*>(picture->Picture()) : nullptr;
    return image != nullptr && image->Draw(dc, doc.m_rcPhoto);
}

}  // namespace orvanel
