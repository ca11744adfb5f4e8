// The program's pictures, drawn in code: toolbar buttons (16 x 15), the
// program icon and the preview's two cursors.
#pragma once

#include <wx/bitmap.h>
#include <wx/cursor.h>
#include <wx/iconbndl.h>

namespace orvanel {

enum class ToolbarArt {
    New,
    Open,
    Print,
    PrintPreview,
    Undo,
    Redo,
    DragPhoto,
    Pencil,
    Insert,
    Move,
    OpenClose,
    Transfer,
    FlipNormals,
    GridPlane,
    GoldenRatio,
    Smoothing,
};

inline constexpr int kToolbarImageWidth = 16;
inline constexpr int kToolbarImageHeight = 15;

wxBitmap MakeToolbarBitmap(ToolbarArt art);
// The icon at 16, 32, 48 and 64 pixels.
wxIconBundle MakeProgramIcons();
wxBitmap MakeProgramIconBitmap(int size);
// Circular arrows, hot spot (11, 18).
wxCursor MakeRotateCursor();
// A vertical double-headed arrow, hot spot (15, 16).
wxCursor MakeZoomCursor();

}  // namespace orvanel
