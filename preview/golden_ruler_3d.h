// The golden ruler in 3D as well: the same divisions as over the editor, drawn
// on four faces of the preview mesh's bounding box, two perpendicular to the y
// axis and two to the z axis. The document's ruler is always one of these.
#pragma once

#include <optional>

#include "editor/golden_ruler.h"
#include "preview/mesh.h"
#include "preview/mesh_sink.h"

namespace orvanel {

class CTavrinEditorDoc;

// The lines' colours in the 3D list.
inline constexpr Colour kRuler3DPlainColour = Rgb(238, 224, 176);  // level-0 sides and plain parts
inline constexpr Colour kRuler3DDivisionColour = Rgb(145, 145, 145);  // levels 1 and 2
inline constexpr Colour kRuler3DHighlightColour = Rgb(0, 255, 0);

class C3DGoldenRuler final : public CGoldenRuler {
public:
    // The document owns the ruler and must outlive it.
    C3DGoldenRuler(const IntRect& viewArea, CTavrinEditorDoc& doc);

    void DrawLine(double x1, double y1, double x2, double y2, int nDepth, bool bDivision,
                  bool bPlain) override;
    // The preview rebuilds the mesh, and with it this ruler's list.
    void OnFlip() override;

    void SetExtents(double xmin, double xmax, double ymin, double ymax, double zmin, double zmax);
    void SetExtents(const MeshExtents& e) {
        SetExtents(e.xMin, e.xMax, e.yMin, e.yMax, e.zMin, e.zMax);
    }
    // Recompiles m_nList from the extents and the flip.
    void BuildList(RulerLineSink& sink);

    // The display list; 0 until the first BuildList.
    unsigned m_nList = 0;

private:
    CTavrinEditorDoc* m_pDoc;
    // Set while BuildList runs: DrawLine's lines go there, not on a canvas.
    RulerLineSink* m_pSink = nullptr;
    double m_dXMin = 0, m_dXMax = 0, m_dYMin = 0, m_dYMax = 0, m_dZMin = 0, m_dZMax = 0;
    int m_nPlane = 0;  // 1: the faces perpendicular to y; 2: those perpendicular to z
};

// Command 32807: creates the ruler on first use; hides it when it shows;
// otherwise fits it around the profile and its mirror image about the lathe
// axis (with more than one point) and shows it; then both views update.
// viewArea is the part of the editor its window shows now, in editor units.
void ToggleGoldenRuler(CTavrinEditorDoc& doc, const IntRect& viewArea);

// The box command 32807 fits the ruler to: the points' bounding box widened
// to the left to the mirror image of its right edge. None with fewer than two
// points.
std::optional<IntRect> GoldenRulerFit(const CTavrinEditorDoc& doc);

}  // namespace orvanel
