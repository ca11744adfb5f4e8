#include "preview/golden_ruler_3d.h"

#include <algorithm>
#include <memory>

#include "document/document.h"

namespace orvanel {

C3DGoldenRuler::C3DGoldenRuler(const IntRect& viewArea, CTavrinEditorDoc& doc)
    : CGoldenRuler(viewArea), m_pDoc(&doc) {}

void C3DGoldenRuler::SetExtents(double xmin, double xmax, double ymin, double ymax, double zmin,
                                double zmax) {
    m_dXMin = xmin;
    m_dXMax = xmax;
    m_dYMin = ymin;
    m_dYMax = ymax;
    m_dZMin = zmin;
    m_dZMax = zmax;
}

void C3DGoldenRuler::BuildList(RulerLineSink& sink) {
    sink.BeginList(m_nList);
    m_pSink = &sink;
    m_nPlane = 1;
    DrawGoldenRect({m_dZMin, m_dZMax, m_dXMax, m_dXMin}, 0, 0);
    m_nPlane = 2;
    DrawGoldenRect({m_dYMin, m_dYMax, m_dXMax, m_dXMin}, 0, 0);
    m_pSink = nullptr;
    sink.EndList();
}

void C3DGoldenRuler::DrawLine(double x1, double y1, double x2, double y2, int nDepth,
                              bool bDivision, bool bPlain) {
    if (m_pSink == nullptr) {
        CGoldenRuler::DrawLine(x1, y1, x2, y2, nDepth, bDivision, bPlain);
        return;
    }
    Colour colour = kRuler3DPlainColour;
    if (nDepth == 0) {
        if (bDivision && !bPlain) colour = kRuler3DHighlightColour;
    } else {
        // Below level 0 only the cuts show, not the parts' sides.
        if (!bDivision) return;
        colour = kRuler3DDivisionColour;
    }
    m_pSink->Colour(RedOf(colour) / 255.0f, GreenOf(colour) / 255.0f, BlueOf(colour) / 255.0f);
    const auto f = [](double v) { return static_cast<float>(v); };
    switch (m_nPlane) {
        case 1:
            // The 2D y runs along z, on the faces at either end of y.
            for (const double y : {m_dYMin, m_dYMax}) {
                m_pSink->Line({f(x1), f(y), f(-y1)}, {f(x2), f(y), f(-y2)});
            }
            break;
        case 2:
            for (const double z : {m_dZMin, m_dZMax}) {
                m_pSink->Line({f(x1), f(-y1), f(z)}, {f(x2), f(-y2), f(z)});
            }
            break;
        default:
            break;
    }
}

void C3DGoldenRuler::OnFlip() { m_pDoc->UpdateAllViews(); }

std::optional<IntRect> GoldenRulerFit(const CTavrinEditorDoc& doc) {
    const ProfilePoint* head = doc.GetHead();
    if (doc.GetPointCount() <= 1 || head == nullptr) return std::nullopt;
    IntRect box{head->x, head->y, head->x, head->y};
    for (const ProfilePoint* p = head->Next(); p != nullptr; p = p->Next()) {
        box.left = std::min(box.left, p->x);
        box.right = std::max(box.right, p->x);
        box.top = std::min(box.top, p->y);
        box.bottom = std::max(box.bottom, p->y);
    }
    // The turned object: the profile and its mirror image about the axis.
    box.left = -box.right;
    return box;
}

void ToggleGoldenRuler(CTavrinEditorDoc& doc, const IntRect& viewArea) {
    if (doc.m_pGoldenRuler == nullptr) {
        doc.m_pGoldenRuler = std::make_unique<C3DGoldenRuler>(viewArea, doc);
    }
    C3DGoldenRuler& ruler = *doc.m_pGoldenRuler;
    if (ruler.IsVisible()) {
        ruler.Hide();
    } else {
        if (const std::optional<IntRect> box = GoldenRulerFit(doc)) ruler.PlaceOver(*box);
        ruler.Show();
    }
    doc.UpdateAllViews();
}

}  // namespace orvanel
