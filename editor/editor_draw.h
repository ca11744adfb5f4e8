// The editor's full repaint as drawing calls: background, photo, grid, curve
// and markers, on screen at scale 1 and on paper at the fit-to-page scale.
#pragma once

#include <functional>

#include "document/document.h"
#include "document/settings_store.h"
#include "editor/canvas.h"

namespace orvanel {

// The five stored settings of the editor view.
struct EditorLook {
    Colour background = 0xFFFFFF;
    Colour pen = 0x000000;
    Colour grid = Rgb(0, 255, 128);
    int penSize = 2;    // curve pen width; markers have the radius penSize + 2
    int gridSize = 10;  // grid spacing and snap step, editor units
    friend bool operator==(const EditorLook&, const EditorLook&) = default;
};

namespace editor_keys {
inline constexpr std::string_view kBackground = "BGcolor";
inline constexpr std::string_view kPen = "PENcolor";
inline constexpr std::string_view kGrid = "GRIDcolor";
inline constexpr std::string_view kPenSize = "PenSize";
inline constexpr std::string_view kGridSize = "GridSize";
}  // namespace editor_keys

// Read and written in this order, in the "Settings" section. Values the
// settings sheet could never have produced fall back to the defaults.
EditorLook ReadEditorLook(SettingsStore& store);
void WriteEditorLook(SettingsStore& store, const EditorLook& look);

inline constexpr int kEditorExtent = 1000;  // the scroll area and the grid end here
inline constexpr Colour kSelectedBrushColour = Rgb(200, 50, 50);
inline constexpr Colour kEndBrushColour = Rgb(50, 220, 50);

// The scale that fits the profile on a page of the given printable size in
// device pixels: 0.95 times the smaller whole ratio of page to profile.
double EditorPrintScale(int pageWidth, int pageHeight, int maxX, int maxY);

// Editor units to drawing units: truncated toward zero.
int ToDrawing(int v, double scale);

// The grid lines at every multiple of the grid size up to the editor's extent.
void DrawEditorGrid(Canvas& canvas, int gridSize, Colour colour, double scale);

// The open or the closed drawing: dotted end lines, markers and the curve.
void DrawEditorProfile(Canvas& canvas, const CTavrinEditorDoc& doc, const EditorLook& look,
                       double scale);

struct EditorPaint {
    bool printing = false;
    bool grid = false;
    double scale = 1.0;
    IntRect area;  // on screen the editor-unit rectangle to fill with the background
};

// Whether a full repaint shows the photo: never on paper, never while hidden.
bool ShowsPhoto(const CTavrinEditorDoc& doc, bool printing);

// The full repaint. drawPhoto runs between the background and the grid when
// the photo shows.
void PaintEditor(Canvas& canvas, const CTavrinEditorDoc& doc, const EditorLook& look,
                 const EditorPaint& paint, const std::function<void()>& drawPhoto);

}  // namespace orvanel
