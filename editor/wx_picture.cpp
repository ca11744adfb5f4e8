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

#include "editor/editor_draw.h"
#include "editor/photo_placement.h"

namespace orvanel {

namespace {

// The formats the photo's file filter offers, and no others: every decoder
// more is one more parser that untrusted files reach.
constexpr wxBitmapType kPhotoTypes[] = {wxBITMAP_TYPE_JPEG, wxBITMAP_TYPE_PNG, wxBITMAP_TYPE_BMP,
                                        wxBITMAP_TYPE_TIFF, wxBITMAP_TYPE_GIF};

template <class Handler>
void AddHandlerOnce(wxBitmapType type) {
    // wxImage owns its handlers and deletes them at exit.
    if (wxImage::FindHandler(type) == nullptr) wxImage::AddHandler(new Handler);
}

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
    const auto relative = [](long long v, int origin) {
        return static_cast<std::int32_t>(std::clamp<long long>(v - origin, INT32_MIN, INT32_MAX));
    };
    const IntRect visible{relative(dc.DeviceToLogicalX(0), rc.left),
                          relative(dc.DeviceToLogicalY(0), rc.top),
                          relative(dc.DeviceToLogicalX(surface.x), rc.left),
                          relative(dc.DeviceToLogicalY(surface.y), rc.top)};
    const std::optional<PhotoPart> plan =
        PhotoPartToDraw({sourceWidth, sourceHeight}, {width, height}, visible);
    if (!plan) return true;  // out of view
    const IntRect& s = plan->source;
    const IntRect& t = plan->target;
    const wxRect part(t.left, t.top, t.right - t.left, t.bottom - t.top);
    const wxSize size(static_cast<int>(width), static_cast<int>(height));

    if (!m_stretched.IsOk() || m_stretchedSize != size || m_stretchedPart != part) {
        m_stretched = wxBitmap();
        try {
            const bool whole = plan->whole;
            const wxImage source = whole ? m_image
                                         : m_image.GetSubImage(wxRect(
                                               s.left, s.top, s.right - s.left, s.bottom - s.top));
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
    if (!ShowsPhoto(doc, false)) return false;
    const auto* picture = dynamic_cast<const CPicture*>(doc.m_picture.get());
    const auto* image =
        picture != nullptr ? dynamic_cast<const WxPicture*>(picture->Picture()) : nullptr;
    return image != nullptr && image->Draw(dc, doc.m_rcPhoto);
}

}  // namespace orvanel
