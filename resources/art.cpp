#include "resources/art.h"

#include <wx/brush.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/pen.h>

#include <cmath>
#include <memory>

namespace orvanel {

namespace {

constexpr double kPi = 3.14159265358979323846;

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

wxColour Ink() { return wxColour(40, 40, 40); }

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

void Page(wxGraphicsContext& gc) {
    gc.SetPen(wxPen(Ink(), 1));
    gc.SetBrush(*wxWHITE_BRUSH);
    wxGraphicsPath p = gc.CreatePath();
    p.MoveToPoint(3.5, 1.5);
    p.AddLineToPoint(9.5, 1.5);
    p.AddLineToPoint(12.5, 4.5);
    p.AddLineToPoint(12.5, 13.5);
    p.AddLineToPoint(3.5, 13.5);
    p.CloseSubpath();
    gc.DrawPath(p);
    Line(gc, 9.5, 1.5, 9.5, 4.5);
    Line(gc, 9.5, 4.5, 12.5, 4.5);
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

void DrawArt(wxGraphicsContext& gc, ToolbarArt art) {
    const wxColour ink = Ink();
    const wxColour blue(30, 90, 200), green(0, 160, 70), red(200, 50, 50), amber(231, 169, 24);
    gc.SetPen(wxPen(ink, 1));
    gc.SetBrush(wxBrush(ink));
    switch (art) {
        case ToolbarArt::New:
            Page(gc);
            gc.SetBrush(wxBrush(amber));
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.DrawEllipse(9, 9, 6, 6);
            break;
        case ToolbarArt::Open: {
            gc.SetBrush(wxBrush(wxColour(240, 200, 80)));
            wxGraphicsPath back = gc.CreatePath();
            back.MoveToPoint(1.5, 3.5);
            back.AddLineToPoint(5.5, 3.5);
            back.AddLineToPoint(7.0, 5.0);
            back.AddLineToPoint(13.5, 5.0);
            back.AddLineToPoint(13.5, 12.5);
            back.AddLineToPoint(1.5, 12.5);
            back.CloseSubpath();
            gc.DrawPath(back);
            gc.SetBrush(wxBrush(wxColour(250, 225, 130)));
            wxGraphicsPath front = gc.CreatePath();
            front.MoveToPoint(3.5, 7.5);
            front.AddLineToPoint(15.5, 7.5);
            front.AddLineToPoint(13.5, 12.5);
            front.AddLineToPoint(1.5, 12.5);
            front.CloseSubpath();
            gc.DrawPath(front);
            break;
        }
        case ToolbarArt::Print:
            gc.SetBrush(*wxWHITE_BRUSH);
            gc.DrawRectangle(4.5, 1.5, 7, 5);
            gc.SetBrush(wxBrush(wxColour(170, 170, 170)));
            gc.DrawRectangle(1.5, 6.5, 13, 5);
            gc.SetBrush(*wxWHITE_BRUSH);
            gc.DrawRectangle(4.5, 9.5, 7, 4);
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(green));
            gc.DrawRectangle(12, 8, 2, 1);
            break;
        case ToolbarArt::PrintPreview:
            Page(gc);
            gc.SetPen(wxPen(blue, 2));
            gc.SetBrush(wxBrush(wxColour(210, 230, 255)));
            gc.DrawEllipse(4.5, 4.5, 6, 6);
            Line(gc, 9.8, 9.8, 13.5, 13.5);
            break;
        case ToolbarArt::Undo:
        case ToolbarArt::Redo: {
            const bool undo = art == ToolbarArt::Undo;
            gc.PushState();
            if (!undo) {
                gc.Translate(16, 0);
                gc.Scale(-1, 1);
            }
            gc.SetPen(wxPen(blue, 2));
            gc.SetBrush(*wxTRANSPARENT_BRUSH);
            wxGraphicsPath p = gc.CreatePath();
            p.MoveToPoint(5, 6);
            p.AddCurveToPoint(10, 3, 15, 6, 13, 11);
            p.AddLineToPoint(11, 13);
            gc.StrokePath(p);
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(blue));
            Head(gc, 1.5, 7.5, kPi * 0.85, 6);
            gc.PopState();
            break;
        }
        case ToolbarArt::DragPhoto:
            gc.SetBrush(wxBrush(wxColour(180, 215, 245)));
            gc.DrawRectangle(2.5, 3.5, 11, 8);
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(green));
            {
                wxGraphicsPath hill = gc.CreatePath();
                hill.MoveToPoint(3, 11);
                hill.AddLineToPoint(7, 6);
                hill.AddLineToPoint(10, 9);
                hill.AddLineToPoint(11.5, 7.5);
                hill.AddLineToPoint(13, 11);
                hill.CloseSubpath();
                gc.FillPath(hill);
            }
            gc.SetBrush(wxBrush(ink));
            Head(gc, 8, 0.2, -kPi / 2, 4);
            Head(gc, 8, 14.8, kPi / 2, 4);
            Head(gc, 0.2, 7.5, kPi, 4);
            Head(gc, 15.8, 7.5, 0, 4);
            break;
        case ToolbarArt::Pencil:
        case ToolbarArt::Insert: {
            gc.PushState();
            gc.Translate(art == ToolbarArt::Insert ? 10 : 8, 7.5);
            gc.Rotate(kPi / 4);
            gc.SetBrush(wxBrush(wxColour(250, 200, 60)));
            gc.DrawRectangle(-2.5, -8, 5, 10);
            gc.SetBrush(wxBrush(wxColour(240, 210, 170)));
            wxGraphicsPath tip = gc.CreatePath();
            tip.MoveToPoint(-2.5, 2);
            tip.AddLineToPoint(2.5, 2);
            tip.AddLineToPoint(0, 7);
            tip.CloseSubpath();
            gc.DrawPath(tip);
            gc.PopState();
            if (art == ToolbarArt::Insert) {
                gc.SetPen(wxPen(green, 2));
                Line(gc, 1, 4.5, 7, 4.5);
                Line(gc, 4, 1.5, 4, 7.5);
            }
            break;
        }
        case ToolbarArt::Move:
            gc.SetPen(wxPen(ink, 2));
            Line(gc, 8, 2, 8, 13);
            Line(gc, 2, 7.5, 14, 7.5);
            gc.SetPen(*wxTRANSPARENT_PEN);
            Head(gc, 8, 0, -kPi / 2, 4.5);
            Head(gc, 8, 15, kPi / 2, 4.5);
            Head(gc, 0, 7.5, kPi, 4.5);
            Head(gc, 16, 7.5, 0, 4.5);
            break;
        case ToolbarArt::OpenClose:
            gc.SetPen(wxPen(ink, 2));
            gc.SetBrush(*wxTRANSPARENT_BRUSH);
            {
                wxGraphicsPath p = gc.CreatePath();
                p.AddArc(8, 7.5, 5.5, kPi * 0.25, kPi * 1.75, true);
                gc.StrokePath(p);
            }
            gc.SetPen(wxPen(*wxBLACK, 1));
            gc.SetBrush(wxBrush(wxColour(0, 255, 128)));
            gc.DrawEllipse(10.5, 1.5, 4, 4);
            gc.SetBrush(wxBrush(wxColour(50, 220, 50)));
            gc.DrawEllipse(10.5, 9.5, 4, 4);
            break;
        case ToolbarArt::Transfer:
            gc.SetBrush(wxBrush(wxColour(225, 225, 225)));
            gc.DrawRectangle(8.5, 3.5, 6, 10);
            gc.SetPen(wxPen(red, 2));
            Line(gc, 1, 8.5, 9, 8.5);
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(red));
            Head(gc, 13, 8.5, 0, 5.5);
            break;
        case ToolbarArt::FlipNormals:
            gc.SetPen(wxPen(ink, 2));
            Line(gc, 1, 7.5, 15, 7.5);
            gc.SetPen(wxPen(blue, 1));
            Line(gc, 5, 7, 5, 3);
            Line(gc, 11, 8, 11, 12);
            gc.SetPen(*wxTRANSPARENT_PEN);
            gc.SetBrush(wxBrush(blue));
            Head(gc, 5, 0, -kPi / 2, 4);
            Head(gc, 11, 15, kPi / 2, 4);
            break;
        case ToolbarArt::GridPlane:
            gc.SetPen(wxPen(wxColour(90, 90, 90), 1));
            for (int i = 0; i <= 4; ++i) {
                const double t = i / 4.0;
                Line(gc, 4 + t * 8, 3.5, 0.5 + t * 15, 13.5);
                const double y = 3.5 + t * 10;
                const double inset = 3.5 * (1 - t);
                Line(gc, 0.5 + inset, y, 15.5 - inset, y);
            }
            break;
        case ToolbarArt::GoldenRatio: {
            // A golden rectangle split into its square and the smaller golden rectangle.
            gc.SetPen(wxPen(wxColour(206, 162, 57), 1));
            gc.SetBrush(*wxTRANSPARENT_BRUSH);
            gc.DrawRectangle(0.5, 3.5, 15, 9);
            Line(gc, 9.5, 3.5, 9.5, 12.5);
            Line(gc, 9.5, 9.5, 15.5, 9.5);
            gc.SetPen(wxPen(ink, 1));
            wxGraphicsPath p = gc.CreatePath();
            p.AddArc(9.5, 12.5, 9, kPi, kPi * 1.5, true);
            p.AddArc(9.5, 9.5, 6, kPi * 1.5, kPi * 2, true);
            gc.StrokePath(p);
            break;
        }
        case ToolbarArt::Smoothing: {
            wxGraphicsGradientStops stops(wxColour(255, 230, 170), wxColour(150, 90, 0));
            gc.SetBrush(gc.CreateRadialGradientBrush(6, 5, 8, 7.5, 8, stops));
            gc.SetPen(wxPen(wxColour(120, 70, 0), 1));
            gc.DrawEllipse(1, 0.5, 14, 14);
            break;
        }
    }
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
    static constexpr std::pair<std::string_view, ToolbarArt> kNames[] = {
        {"new", ToolbarArt::New},
        {"open", ToolbarArt::Open},
        {"print", ToolbarArt::Print},
        {"print_preview", ToolbarArt::PrintPreview},
        {"undo", ToolbarArt::Undo},
        {"redo", ToolbarArt::Redo},
        {"drag_photo", ToolbarArt::DragPhoto},
        {"pencil", ToolbarArt::Pencil},
        {"insert", ToolbarArt::Insert},
        {"move", ToolbarArt::Move},
        {"open_close", ToolbarArt::OpenClose},
        {"transfer", ToolbarArt::Transfer},
        {"flip_normals", ToolbarArt::FlipNormals},
        {"grid_plane", ToolbarArt::GridPlane},
        {"golden_ratio", ToolbarArt::GoldenRatio},
        {"smoothing", ToolbarArt::Smoothing},
    };
    for (const auto& [name, art] : kNames) {
        if (name == icon) {
            return wxBitmap(PaintImage(kToolbarImageWidth, kToolbarImageHeight,
                                       [art](wxGraphicsContext& gc) { DrawArt(gc, art); }));
        }
    }
    return {};
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
