// The pictures drawn as SVG (resources/art) as bitmaps and cursors: the
// splash picture, the About box's picture and the pointing hand over a link.
#pragma once

#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/image.h>

#include <string_view>

namespace orvanel {

// The SVG text of a picture in resources/art by its file name without the
// extension ("splash"), built into the program; empty for any other name.
std::string_view ArtSvg(std::string_view name);

inline constexpr int kSplashWidth = 334;
inline constexpr int kSplashHeight = 402;
inline constexpr int kAboutPictureWidth = 287;
inline constexpr int kAboutPictureHeight = 81;

// An invalid bitmap when the picture cannot be made.
wxBitmap MakeSplashBitmap();
wxBitmap MakeAboutBitmap();
// The pointing hand, 32 x 32, its hot spot at the finger's tip: in the
// image's cursor options, and the standard hand when the picture cannot be
// made.
wxImage MakeLinkCursorImage();
wxCursor MakeLinkCursor();

}  // namespace orvanel
