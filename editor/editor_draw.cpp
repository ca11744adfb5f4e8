#include "editor/editor_draw.h"

#include <algorithm>
#include <cmath>

#include "editor/curve.h"

namespace orvanel {

namespace {

// Draws with the pen and brush the drawing needs; each marker is a circle of
// radius penSize + 2 around the converted point.
class ProfilePainter {
public:
    ProfilePainter(Canvas& canvas, const EditorLook& look, double scale)
        : m_canvas(canvas),
          m_scale(scale),
          m_radius(look.penSize + 2),
          m_pointBrush{false, look.grid},
          m_dottedPen{PenStyle::Dot, 0, look.grid},
          m_curvePen{PenStyle::Solid, look.penSize, look.pen} {}

    void MoveTo(const ProfilePoint* p) {
        m_canvas.MoveTo(ToDrawing(p->x, m_scale), ToDrawing(p->y, m_scale));
    }
    void LineTo(const ProfilePoint* p) {
        m_canvas.LineTo(ToDrawing(p->x, m_scale), ToDrawing(p->y, m_scale));
    }
    void Marker(const ProfilePoint* p) {
        const int x = ToDrawing(p->x, m_scale);
        const int y = ToDrawing(p->y, m_scale);
        m_canvas.Ellipse(x - m_radius, y - m_radius, x + m_radius, y + m_radius);
    }
    void Outline() { m_canvas.SelectPen(kBlackPen); }
    void PointBrush() { m_canvas.SelectBrush(m_pointBrush); }
    void EndBrush() { m_canvas.SelectBrush(Brush{false, kEndBrushColour}); }
    void SelectedBrush() { m_canvas.SelectBrush(Brush{false, kSelectedBrushColour}); }
    void DottedPen() { m_canvas.SelectPen(m_dottedPen); }
    void CurvePen() { m_canvas.SelectPen(m_curvePen); }

    void Curve(const CTavrinEditorDoc& doc) {
        const CurveSampling sampling = CurveSampling::EditorDrawing(doc.m_nEditorSteps, m_scale);
        ForEachCurveSegment(doc.GetHead(), doc.GetTail(), doc.IsClosed(), WalkDirection::FromHead,
                            [&](const CurveWindow& w) {
                                MoveTo(w.b);
                                SampleCurveSegment(w, sampling, [&](const CurveSample& s) {
                                    m_canvas.LineTo(SampleToInt(s.x), SampleToInt(s.y));
                                });
                            });
    }

    void SelectedMarkers(const CTavrinEditorDoc& doc) {
        for (const ProfilePoint* p = doc.GetHead(); p != nullptr; p = p->Next()) {
            if (!p->bSelected) continue;
            SelectedBrush();
            Outline();
            Marker(p);
        }
    }

private:
    Canvas& m_canvas;
    double m_scale;
    int m_radius;
    Brush m_pointBrush;
    Pen m_dottedPen;
    Pen m_curvePen;
};

void DrawOpen(ProfilePainter& draw, const CTavrinEditorDoc& doc) {
    const int n = doc.GetPointCount();
    const ProfilePoint* first = doc.GetHead();
    const ProfilePoint* last = doc.GetTail();
    if (n == 0 || first == nullptr) return;
    draw.MoveTo(first);
    draw.Outline();
    draw.PointBrush();
    draw.Marker(first);
    if (n >= 2) {
        draw.DottedPen();
        draw.LineTo(first->Next());
    }
    if (n >= 3) {
        draw.MoveTo(last);
        draw.LineTo(last->Prev());
        draw.Outline();
        draw.Marker(last->Prev());
    }
    if (n >= 4) {
        const ProfilePoint* second = first->Next();
        draw.MoveTo(second);
        draw.Outline();
        // P1 .. Pn-3: the markers under the curve.
        for (const ProfilePoint* p = second; p != last->Prev(); p = p->Next()) draw.Marker(p);
        draw.CurvePen();
        draw.Curve(doc);
    }
    draw.EndBrush();
    draw.Outline();
    draw.Marker(last);
    draw.SelectedMarkers(doc);
}

void DrawClosed(ProfilePainter& draw, const CTavrinEditorDoc& doc) {
    const ProfilePoint* first = doc.GetHead();
    if (first == nullptr) return;
    draw.MoveTo(first);
    draw.Outline();
    draw.PointBrush();
    for (const ProfilePoint* p = first; p != nullptr; p = p->Next()) draw.Marker(p);
    draw.CurvePen();
    draw.Curve(doc);
    draw.SelectedMarkers(doc);
}

}  // namespace

EditorLook ReadEditorLook(SettingsStore& store) {
    using namespace editor_keys;
    const EditorLook defaults;
    EditorLook look;
    look.background =
        GetColourSetting(store, settings_keys::kSection, kBackground, defaults.background);
    look.pen = GetColourSetting(store, settings_keys::kSection, kPen, defaults.pen);
    look.grid = GetColourSetting(store, settings_keys::kSection, kGrid, defaults.grid);
    look.penSize =
        GetIntInRange(store, settings_keys::kSection, kPenSize, defaults.penSize, kPenSizeRange);
    look.gridSize =
        GetIntInRange(store, settings_keys::kSection, kGridSize, defaults.gridSize, kGridSizeRange);
    return look;
}

void WriteEditorLook(SettingsStore& store, const EditorLook& look) {
    using namespace editor_keys;
    const auto section = settings_keys::kSection;
    store.WriteInt(section, kBackground, static_cast<int>(look.background));
    store.WriteInt(section, kPen, static_cast<int>(look.pen));
    store.WriteInt(section, kGrid, static_cast<int>(look.grid));
    store.WriteInt(section, kPenSize, look.penSize);
    store.WriteInt(section, kGridSize, look.gridSize);
}

double EditorPrintScale(int pageWidth, int pageHeight, int maxX, int maxY) {
    maxX = std::max(maxX, 1);
    maxY = std::max(maxY, 1);
    const int sx = pageWidth / maxX;
    const int sy = pageHeight / maxY;
    const int whole = sy > sx ? sx : sy;
    if (whole > 0) return 0.95 * whole;
    // A profile larger than the page: the whole ratio would be 0 and print
    // nothing, so it shrinks to fit instead.
    return 0.95 *
           std::min(static_cast<double>(pageWidth) / maxX, static_cast<double>(pageHeight) / maxY);
}

int ToDrawing(int v, double scale) { return SampleToInt(std::trunc(scale * v)); }

void DrawEditorGrid(Canvas& canvas, int gridSize, Colour colour, double scale) {
    if (gridSize < 1) return;
    canvas.SelectPen(Pen{PenStyle::Solid, 1, colour});
    const int end = ToDrawing(kEditorExtent, scale);
    for (int s = 0; s <= kEditorExtent; s += gridSize) {
        const int d = ToDrawing(s, scale);
        canvas.MoveTo(d, 0);
        canvas.LineTo(d, end);
        canvas.MoveTo(0, d);
        canvas.LineTo(end, d);
    }
}

void DrawEditorProfile(Canvas& canvas, const CTavrinEditorDoc& doc, const EditorLook& look,
                       double scale) {
    // The gaps of the dotted end lines show the background.
    canvas.SetBackgroundColour(look.background);
    ProfilePainter draw(canvas, look, scale);
    if (doc.IsClosed()) {
        DrawClosed(draw, doc);
    } else {
        DrawOpen(draw, doc);
    }
}

bool ShowsPhoto(const CTavrinEditorDoc& doc, bool printing) {
    return !printing && doc.IsPhotoLoaded() && !doc.m_bPhotoHidden;
}

void PaintEditor(Canvas& canvas, const CTavrinEditorDoc& doc, const EditorLook& look,
                 const EditorPaint& paint, const std::function<void()>& drawPhoto) {
    if (!paint.printing) {
        canvas.FillRect(paint.area.left, paint.area.top, paint.area.right, paint.area.bottom,
                        look.background);
    }
    if (ShowsPhoto(doc, paint.printing) && drawPhoto) drawPhoto();
    if (paint.grid) DrawEditorGrid(canvas, look.gridSize, look.grid, paint.scale);
    DrawEditorProfile(canvas, doc, look, paint.scale);
}

}  // namespace orvanel
