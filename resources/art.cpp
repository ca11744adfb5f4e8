#include "resources/art.h"

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/pen.h>

#include <cmath>
#include <memory>

#include "resources/toolbar_svg.h"

namespace orvanel {

namespace {

constexpr double kPi = 3.14159265358979323846;

template <class Draw>
wxImage PaintImage(int width, int height, Draw draw) {
    wxImage image(width, height);
    image.InitAlpha();
    std::fill_n(image.GetAlpha(), width * height, 0);
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        if (gc) {
            gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
            draw(*gc);
        }
    }
    return image;
}

void Line(wxGraphicsContext& gc, double x1, double y1, double x2, double y2) {
    gc.StrokeLine(x1, y1, x2, y2);
}

// A filled triangle: an arrow head pointing from (bx, by) to the tip.
void Head(wxGraphicsContext& gc, double tipX, double tipY, double angle, double size) {
    wxGraphicsPath p = gc.CreatePath();
    p.MoveToPoint(tipX, tipY);
    p.AddLineToPoint(tipX - size * std::cos(angle - 0.5), tipY - size * std::sin(angle - 0.5));
    p.AddLineToPoint(tipX - size * std::cos(angle + 0.5), tipY - size * std::sin(angle + 0.5));
    p.CloseSubpath();
    gc.FillPath(p);
}

// The profile curve the editor shows, small: the mark of the program.
void Profile(wxGraphicsContext& gc, double x, double y, double s, const wxColour& colour,
             double width) {
    gc.SetPen(wxPen(colour, static_cast<int>(std::lround(width))));
    gc.SetBrush(*wxTRANSPARENT_BRUSH);
    wxGraphicsPath p = gc.CreatePath();
    p.MoveToPoint(x + 2 * s, y + 1 * s);
    p.AddCurveToPoint(x + 2 * s, y + 5 * s, x + 6 * s, y + 6 * s, x + 6 * s, y + 9 * s);
    p.AddCurveToPoint(x + 6 * s, y + 12 * s, x + 3 * s, y + 13 * s, x + 1 * s, y + 14 * s);
    gc.StrokePath(p);
}

// A cursor picture: white-edged black strokes on a transparent 32 x 32.
template <class Draw>
wxCursor MakeCursor(int hotX, int hotY, Draw draw) {
    wxImage image = PaintImage(32, 32, [&](wxGraphicsContext& gc) {
        gc.SetPen(wxPen(*wxWHITE, 5));
        gc.SetBrush(*wxWHITE_BRUSH);
        draw(gc, true);
        gc.SetPen(wxPen(*wxBLACK, 2));
        gc.SetBrush(*wxBLACK_BRUSH);
        draw(gc, false);
    });
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, hotX);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, hotY);
    return wxCursor(image);
}

}  // namespace

wxBitmapBundle ToolbarBitmap(std::string_view icon) {
    const std::string_view svg = ToolbarSvg(icon);
    if (svg.empty()) return {};
    return wxBitmapBundle::FromSVG(reinterpret_cast<const wxByte*>(svg.data()), svg.size(),
                                   wxSize(kToolbarImageWidth, kToolbarImageHeight));
}

wxBitmap MakeProgramIconBitmap(int size) {
    return wxBitmap(PaintImage(size, size, [size](wxGraphicsContext& gc) {
        const double s = size / 16.0;
        // A turned vase: the profile revolved, lit from the upper left.
        wxGraphicsGradientStops stops(wxColour(250, 210, 120), wxColour(150, 90, 10));
        stops.Add(wxColour(231, 169, 24), 0.45f);
        gc.SetBrush(gc.CreateLinearGradientBrush(3 * s, 0, 13 * s, 0, stops));
        gc.SetPen(wxPen(wxColour(110, 65, 5), std::max(1, size / 32)));
        wxGraphicsPath p = gc.CreatePath();
        p.MoveToPoint(6 * s, 1 * s);
        p.AddLineToPoint(10 * s, 1 * s);
        p.AddCurveToPoint(10 * s, 4 * s, 14 * s, 6 * s, 14 * s, 10 * s);
        p.AddCurveToPoint(14 * s, 13 * s, 12 * s, 15 * s, 8 * s, 15 * s);
        p.AddCurveToPoint(4 * s, 15 * s, 2 * s, 13 * s, 2 * s, 10 * s);
        p.AddCurveToPoint(2 * s, 6 * s, 6 * s, 4 * s, 6 * s, 1 * s);
        p.CloseSubpath();
        gc.DrawPath(p);
        Profile(gc, 1 * s, 0.5 * s, 0.55 * s, wxColour(20, 20, 20), std::max(1.0, s * 0.8));
    }));
}

wxIconBundle MakeProgramIcons() {
    wxIconBundle icons;
    for (const int size : {16, 32, 48, 64}) {
        wxIcon icon;
        icon.CopyFromBitmap(MakeProgramIconBitmap(size));
        icons.AddIcon(icon);
    }
    return icons;
}

wxCursor MakeRotateCursor() {
    return MakeCursor(11, 18, [](wxGraphicsContext& gc, bool outline) {
        wxGraphicsPath upper = gc.CreatePath();
        upper.AddArc(15, 16, 10, kPi * 1.05, kPi * 1.85, true);
        wxGraphicsPath lower = gc.CreatePath();
        lower.AddArc(15, 16, 10, kPi * 0.05, kPi * 0.85, true);
        gc.SetBrush(*wxTRANSPARENT_BRUSH);
        gc.StrokePath(upper);
        gc.StrokePath(lower);
        gc.SetBrush(outline ? *wxWHITE_BRUSH : *wxBLACK_BRUSH);
        const double grow = outline ? 2.5 : 0;
        Head(gc, 15 + 10 * std::cos(kPi * 1.85), 16 + 10 * std::sin(kPi * 1.85) + 1, kPi * 0.35,
             7 + grow);
        Head(gc, 15 + 10 * std::cos(kPi * 0.85), 16 + 10 * std::sin(kPi * 0.85) - 1, kPi * 1.35,
             7 + grow);
        gc.DrawEllipse(13, 14, 4, 4);
    });
}

wxCursor MakeZoomCursor() {
    return MakeCursor(15, 16, [](wxGraphicsContext& gc, bool outline) {
        Line(gc, 15, 6, 15, 26);
        const double grow = outline ? 2.5 : 0;
        Head(gc, 15, 1 - grow / 2, -kPi / 2, 8 + grow);
        Head(gc, 15, 31 + grow / 2, kPi / 2, 8 + grow);
    });
}

wxImage MakeEditorCursorImage(const CursorPicture& picture) {
    wxImage image(32, 32);
    image.InitAlpha();
    for (int y = 0; y < 32; ++y) {
        const std::string_view row = picture.rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < 32; ++x) {
            const char c = row[static_cast<std::size_t>(x)];
            const unsigned char v = c == 'o' ? 255 : 0;
            image.SetRGB(x, y, v, v, v);
            image.SetAlpha(x, y, c == '.' ? wxIMAGE_ALPHA_TRANSPARENT : wxIMAGE_ALPHA_OPAQUE);
        }
    }
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, picture.hotSpot.x);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, picture.hotSpot.y);
    return image;
}

wxCursor MakeEditorCursor(int cursorId) {
    const CursorPicture* picture = FindCursorPicture(cursorId);
    if (picture == nullptr) return wxCursor(wxCURSOR_ARROW);
    return wxCursor(MakeEditorCursorImage(*picture));
}

}  // namespace orvanel
