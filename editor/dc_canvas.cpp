#include "editor/dc_canvas.h"

#include <wx/dcgraph.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <algorithm>

namespace orvanel {

wxColour ToWx(Colour c) { return wxColour(RedOf(c), GreenOf(c), BlueOf(c)); }

namespace {

wxPen ToWxPen(const Pen& pen) {
    switch (pen.style) {
        case PenStyle::Null:
            return *wxTRANSPARENT_PEN;
        case PenStyle::Dot:
            return wxPen(ToWx(pen.colour), std::max(pen.width, 1), wxPENSTYLE_DOT);
        case PenStyle::DashDot: {
            // In pen widths: at the template's quarter millimetre a 6 mm dash,
            // 1.5 mm gaps and a 1 mm dot, as the PDF draws it.
            static wxDash dashes[] = {24, 6, 4, 6};
            wxPen p(ToWx(pen.colour), std::max(pen.width, 1), wxPENSTYLE_USER_DASH);
            p.SetDashes(4, dashes);
            p.SetCap(wxCAP_BUTT);
            return p;
        }
        case PenStyle::Solid:
            break;
    }
    wxPen p(ToWx(pen.colour), std::max(pen.width, 1), wxPENSTYLE_SOLID);
    // Wide curve pens end and join round, as a plotted curve does.
    p.SetCap(wxCAP_ROUND);
    p.SetJoin(wxJOIN_ROUND);
    return p;
}

}  // namespace

DcCanvas::DcCanvas(wxDC& dc) : m_dc(dc) {
    m_dc.SetPen(ToWxPen(m_pen));
    m_dc.SetBrush(*wxWHITE_BRUSH);
}

DcCanvas::~DcCanvas() { FlushLines(); }

void DcCanvas::FlushLines() {
    if (m_polyline.size() < 2) {
        m_polyline.clear();
        return;
    }
    if (m_pen.style == PenStyle::Dot) {
        // The gaps of a dotted line show the background colour, over a photo too.
        m_dc.SetPen(wxPen(ToWx(m_background), std::max(m_pen.width, 1), wxPENSTYLE_SOLID));
        m_dc.DrawLines(static_cast<int>(m_polyline.size()), m_polyline.data());
        m_dc.SetPen(ToWxPen(m_pen));
    }
    m_dc.DrawLines(static_cast<int>(m_polyline.size()), m_polyline.data());
    m_polyline.clear();
}

void DcCanvas::SelectPen(const Pen& pen) {
    FlushLines();
    m_pen = pen;
    m_dc.SetPen(ToWxPen(pen));
}

void DcCanvas::SelectBrush(const Brush& brush) {
    FlushLines();
    m_dc.SetBrush(brush.hollow ? *wxTRANSPARENT_BRUSH : wxBrush(ToWx(brush.colour)));
}

void DcCanvas::SetBackgroundColour(Colour colour) {
    FlushLines();
    m_background = colour;
    m_dc.SetTextBackground(ToWx(colour));
}

void DcCanvas::MoveTo(int x, int y) {
    FlushLines();
    m_position = wxPoint(x, y);
}

void DcCanvas::LineTo(int x, int y) {
    if (m_polyline.empty()) m_polyline.push_back(m_position);
    m_position = wxPoint(x, y);
    m_polyline.push_back(m_position);
}

void DcCanvas::Ellipse(int left, int top, int right, int bottom) {
    FlushLines();
    m_dc.DrawEllipse(left, top, right - left, bottom - top);
}

void DcCanvas::FillRect(int left, int top, int right, int bottom, Colour colour) {
    FlushLines();
    const wxPen pen = m_dc.GetPen();
    const wxBrush brush = m_dc.GetBrush();
    m_dc.SetPen(*wxTRANSPARENT_PEN);
    m_dc.SetBrush(wxBrush(ToWx(colour)));
    m_dc.DrawRectangle(left, top, right - left, bottom - top);
    m_dc.SetPen(pen);
    m_dc.SetBrush(brush);
}

void DcCanvas::Rectangle(int left, int top, int right, int bottom) {
    FlushLines();
    const int x = std::min(left, right), y = std::min(top, bottom);
    const int w = std::abs(right - left), h = std::abs(bottom - top);
    if (m_pen.style == PenStyle::Dot) {
        // The gaps of the dotted outline show the background colour.
        const wxBrush brush = m_dc.GetBrush();
        m_dc.SetPen(wxPen(ToWx(m_background), std::max(m_pen.width, 1), wxPENSTYLE_SOLID));
        m_dc.SetBrush(*wxTRANSPARENT_BRUSH);
        m_dc.DrawRectangle(x, y, w, h);
        m_dc.SetPen(ToWxPen(m_pen));
        m_dc.SetBrush(brush);
    }
    m_dc.DrawRectangle(x, y, w, h);
}

void DcCanvas::Text(int x, int y, std::string_view text, int height, Colour colour) {
    FlushLines();
    // The font's size in points means a different height on each device and
    // scale: it is measured in this DC's own units and scaled to fit.
    constexpr double kProbe = 12.0;
    wxFont font(wxFontInfo(kProbe).Family(wxFONTFAMILY_SWISS));
    m_dc.SetFont(font);
    const wxCoord probe = m_dc.GetCharHeight();
    if (probe <= 0 || height <= 0) return;
    font.SetFractionalPointSize(kProbe * height / probe);
    m_dc.SetFont(font);
    m_dc.SetTextForeground(ToWx(colour));
    m_dc.DrawText(wxString::FromUTF8(text.data(), text.size()), x, y);
}

void DcCanvas::SetClip(int left, int top, int right, int bottom) {
    FlushLines();
    m_dc.DestroyClippingRegion();
    m_dc.SetClippingRegion(left, top, right - left, bottom - top);
}

void DcCanvas::ResetClip() {
    FlushLines();
    m_dc.DestroyClippingRegion();
}

void DcCanvas::UseSharpEdges(wxDC& dc) {
    if (wxGraphicsContext* gc = dc.GetGraphicsContext()) gc->SetAntialiasMode(wxANTIALIAS_NONE);
}

namespace {

wxFont RulerWxFont(const RulerFont& font) {
    return wxFont(wxFontInfo(font.pointTenths / 10.0).Family(wxFONTFAMILY_SWISS).Bold(font.bold));
}

wxString Wx(std::string_view s) { return wxString::FromUTF8(s.data(), s.size()); }

}  // namespace

TextSize RulerDcCanvas::TextExtent(std::string_view text, const RulerFont& font) {
    const wxFont wxfont = RulerWxFont(font);
    wxCoord width = 0, height = 0;
    m_dc.GetTextExtent(Wx(text), &width, &height, nullptr, nullptr, &wxfont);
    return {width, height};
}

void RulerDcCanvas::TextOut(int x, int y, std::string_view text, const RulerFont& font,
                            Colour colour) {
    m_canvas.FlushLines();
    const wxFont previousFont = m_dc.GetFont();
    const wxColour previousColour = m_dc.GetTextForeground();
    const int previousMode = m_dc.GetBackgroundMode();
    m_dc.SetFont(RulerWxFont(font));
    m_dc.SetTextForeground(ToWx(colour));
    m_dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    m_dc.DrawText(Wx(text), x, y);
    m_dc.SetBackgroundMode(previousMode);
    m_dc.SetTextForeground(previousColour);
    m_dc.SetFont(previousFont);
}

wxBitmap MakeRulerPicture(CGoldenRuler& ruler) {
    const IntRect w = ruler.WindowRect();
    const IntRect c = ruler.ClientRect();
    const int width = w.right - w.left, height = w.bottom - w.top;
    if (width <= 0 || height <= 0) return wxBitmap();
    wxImage image(width, height);
    image.InitAlpha();
    std::fill_n(image.GetAlpha(), static_cast<std::size_t>(width) * height, 0);
    {
        wxGCDC dc(wxGraphicsContext::Create(image));
        DcCanvas::UseSharpEdges(dc);
        dc.SetDeviceOrigin(c.left - w.left, c.top - w.top);
        RulerDcCanvas canvas(dc);
        ruler.Paint(canvas);
    }
    return wxBitmap(image);
}

}  // namespace orvanel
