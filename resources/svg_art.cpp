#include "resources/svg_art.h"

#include <wx/bmpbndl.h>

namespace orvanel {

namespace {

wxBitmap ArtBitmap(std::string_view name, const wxSize& size) {
    const std::string_view svg = ArtSvg(name);
    if (svg.empty()) return wxBitmap();
    return wxBitmapBundle::FromSVG(reinterpret_cast<const wxByte*>(svg.data()), svg.size(), size)
        .GetBitmap(size);
}

}  // namespace

wxBitmap MakeSplashBitmap() {
    // Opaque, as the picture has always been: 24 bits a pixel.
    const wxBitmap art = ArtBitmap("splash", wxSize(kSplashWidth, kSplashHeight));
    if (!art.IsOk()) return art;
    wxImage image = art.ConvertToImage();
    image.ClearAlpha();
    return wxBitmap(image, 24);
}

wxBitmap MakeAboutBitmap() {
    return ArtBitmap("about", wxSize(kAboutPictureWidth, kAboutPictureHeight));
}

wxImage MakeLinkCursorImage() {
    const wxBitmap art = ArtBitmap("link_cursor", wxSize(32, 32));
    if (!art.IsOk()) return wxImage();
    wxImage image = art.ConvertToImage();
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 9);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 1);
    return image;
}

wxCursor MakeLinkCursor() {
    const wxImage image = MakeLinkCursorImage();
    return image.IsOk() ? wxCursor(image) : wxCursor(wxCURSOR_HAND);
}

}  // namespace orvanel
