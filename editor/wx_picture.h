// The background photo decoded by wxImage and drawn stretched into its
// rectangle of the editor.
#pragma once

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/image.h>

#include "document/document.h"
#include "editor/picture.h"

namespace orvanel {

// Adds the JPEG, PNG, TIFF and GIF handlers to wxImage's list when they are
// not there yet (BMP is always there). No other handler is added.
void RegisterPhotoImageHandlers();

// Decodes with the JPEG, PNG, BMP, TIFF and GIF handlers only, whatever else
// wxImage has registered, without log windows and without letting any
// failure escape.
class WxPictureDecoder final : public PictureDecoder {
public:
    WxPictureDecoder();
    DecodeResult Decode(std::span<const std::uint8_t> bytes) override;
};

// A decoded photo and the last stretched copy drawn of it.
class WxPicture final : public DecodedPicture {
public:
    explicit WxPicture(wxImage image) : m_image(std::move(image)) {}
    int Width() const override { return m_image.GetWidth(); }
    int Height() const override { return m_image.GetHeight(); }
    const wxImage& Image() const { return m_image; }

    // Draws the picture stretched into rc (logical units of the DC); only
    // the part that falls on the DC is scaled. The copy is kept, so that a
    // repaint at the same size and place does not scale again. False when
    // there is nothing to draw or the copy could not be made.
    bool Draw(wxDC& dc, const IntRect& rc) const;
    // How many times a stretched copy has been made.
    int Rescales() const { return m_nRescales; }

private:
    wxImage m_image;
    // What the kept copy shows: the destination size and the part of it drawn.
    mutable wxBitmap m_stretched;
    mutable wxSize m_stretchedSize;
    mutable wxRect m_stretchedPart;
    mutable int m_nRescales = 0;
};

// The document's photo, as the editor's off-screen paint draws it: only
// when one is loaded and not hidden. Returns whether it was drawn.
bool DrawDocumentPhoto(wxDC& dc, const CTavrinEditorDoc& doc);

}  // namespace orvanel
