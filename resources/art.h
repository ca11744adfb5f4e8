// The program's pictures: the toolbar buttons (16 x 15) from their SVG files,
// and, drawn in code, the program icon, the preview's two cursors and the
// editor's five.
#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/cursor.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

#include <string_view>

#include "resources/cursors.h"

namespace orvanel {

inline constexpr int kToolbarImageWidth = 16;
inline constexpr int kToolbarImageHeight = 15;

// A toolbar button's picture by its name in the command table.
wxBitmapBundle ToolbarBitmap(std::string_view icon);
// The icon at 16, 32, 48 and 64 pixels.
wxIconBundle MakeProgramIcons();
wxBitmap MakeProgramIconBitmap(int size);
// Circular arrows, hot spot (11, 18).
wxCursor MakeRotateCursor();
// A vertical double-headed arrow, hot spot (15, 16).
wxCursor MakeZoomCursor();
// The editor's cursors, from their pictures (resources/cursors.h): black,
// white and see-through pixels, the hot spot of the picture. A number
// without a picture gives the standard arrow.
wxImage MakeEditorCursorImage(const CursorPicture& picture);
wxCursor MakeEditorCursor(int cursorId);

}  // namespace orvanel
