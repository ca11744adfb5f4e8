// The live picture of one point being dragged with the Move tool: only the
// curve pieces and dotted end lines next to the point are redrawn while the
// button is held; the document is not touched until the release.
#pragma once

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "document/document.h"
#include "document/prompter.h"
#include "editor/canvas.h"
#include "editor/curve.h"

namespace orvanel {

// Copies of the dragged point and of up to two neighbours on each side, in
// list order. Coordinates only: the preview never reaches the document's
// points, so nothing the document frees can be left dangling here.
struct DragWindow {
    std::array<IntPoint, 5> m_ptWindow{};  // W1 ... W5
    int m_nWindowIndex = 0;                // k, 1 ... 5; 0 when no point is dragged

    IntPoint& W(int k) { return m_ptWindow[static_cast<std::size_t>(k - 1)]; }
    const IntPoint& W(int k) const { return m_ptWindow[static_cast<std::size_t>(k - 1)]; }
    friend bool operator==(const DragWindow&, const DragWindow&) = default;
};

// The editor view's settings the preview draws with.
struct DragPreviewStyle {
    int nPenSize = 2;
    int nEditorSteps = 10;
    Colour clrPen = 0x000000;
    Colour clrGrid = 0x80FF00;
    Colour clrBackground = 0xFFFFFF;
};

// Fills the window around the document's current point; leaves it alone when
// there is no current point.
void PrepareNodeMove(const CTavrinEditorDoc& doc, DragWindow& window);

// The document's points PrepareNodeMove copies, W1 first, null beyond the end
// of a short profile; k is 0 when there is no current point.
struct NodeMovePoints {
    std::array<const ProfilePoint*, 5> points{};
    int k = 0;
};
NodeMovePoints NodeMoveWindowPoints(const CTavrinEditorDoc& doc);

// Whether k is a position the window can have in a profile of n points.
bool NodeMoveIndexFits(int nPoints, int k);

// The end lines (from an end point to its neighbour) that one preview step of
// the point at k in a window of n points redraws: erased in the background
// colour from W[eraseFrom] to W[eraseTo], then dotted from W[dottedFrom] to
// the new position; for the middle of three points both go on to W3.
struct EndLineStep {
    int eraseFrom;
    int eraseTo;
    int dottedFrom;
    bool onToThird = false;
};
std::optional<EndLineStep> EndLineStepFor(int n, int k);

// How many curve segments of the window a preview step redraws: 2 for the
// windows (W1 ... W4) and (W2 ... W5), 1 for the first of them, or 0.
int NodeMoveSegmentCount(int nPoints, int k);

// The pieces next to the dragged point as the full repaint drew them when the
// drag started: the dotted end lines of an open profile that end at the
// point, and the curve segments a preview step redraws, with their anchors.
struct RepaintedPieces {
    std::vector<std::pair<IntPoint, IntPoint>> endLines;
    std::vector<SegmentControls> segments;
    friend bool operator==(const RepaintedPieces&, const RepaintedPieces&) = default;
};
RepaintedPieces RepaintedPiecesAround(const CTavrinEditorDoc& doc);

// Draws the pieces again in the background colour with the pens and the
// sampling of the full repaint. A window system that paints the preview over
// the last full repaint erases them this way first: erased with the
// preview's own sampling, and as curves where the repaint drew chords, they
// would leave pixels behind.
void EraseRepaintedPieces(Canvas& canvas, const RepaintedPieces& pieces,
                          const DragPreviewStyle& style);

// The curve segments of the windows (W1, W2, W3, W4) and, for a count of 2,
// (W2, W3, W4, W5), sampled as the drag preview samples them; in the
// background colour when erasing.
void DrawWindowSegments(Canvas& canvas, const DragWindow& window, int count, bool erase,
                        const DragPreviewStyle& style);

// Draws, for a profile of n points, the pieces next to W[k] of `before` erased
// and the same pieces with W[k] at p. Draws nothing when k does not fit n.
void DrawNodeMove(Canvas& canvas, const DragWindow& before, int nPoints, IntPoint p,
                  const DragPreviewStyle& style);

// One preview step: draws as DrawNodeMove and stores p as the dragged point's
// position. When k does not fit n it tells the user, draws nothing, leaves the
// window as it is and returns false.
bool disegnaspostnodo(Canvas& canvas, DragWindow& window, int nPoints, IntPoint p,
                      const DragPreviewStyle& style, Prompter& prompter);

}  // namespace orvanel
