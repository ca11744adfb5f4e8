#include "editor/golden_ruler.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace orvanel {

namespace {

constexpr Colour kFrameFace = Rgb(212, 208, 200);
constexpr Colour kFrameLight = 0xFFFFFF;
constexpr Colour kFrameShadow = Rgb(128, 128, 128);
constexpr Colour kFrameDark = Rgb(64, 64, 64);
constexpr Colour kCaptionColour = Rgb(10, 36, 106);

constexpr Pen kThickBlackPen{PenStyle::Solid, 3, 0x000000};
constexpr Pen kThickHighlightPen{PenStyle::Solid, 3, kRulerHighlightColour};
constexpr Pen kDottedPen{PenStyle::Dot, 1, kRulerDotColour};

bool Contains(const IntRect& r, IntPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// A window manager's caption: cut with an ellipsis where it does not fit.
std::string FittedCaption(RulerCanvas& canvas, int width) {
    std::string text(kRulerCaptionText);
    if (canvas.TextExtent(text, kRulerCaptionFont).cx <= width) return text;
    while (!text.empty() && canvas.TextExtent(text + "...", kRulerCaptionFont).cx > width) {
        text.pop_back();
    }
    return text.empty() ? text : text + "...";
}

}  // namespace

bool IsSizingBorder(RulerPart part) {
    switch (part) {
        case RulerPart::Left:
        case RulerPart::Right:
        case RulerPart::Top:
        case RulerPart::Bottom:
        case RulerPart::TopLeft:
        case RulerPart::TopRight:
        case RulerPart::BottomLeft:
        case RulerPart::BottomRight:
            return true;
        case RulerPart::None:
        case RulerPart::Client:
        case RulerPart::PhiButton:
        case RulerPart::Caption:
            break;
    }
    return false;
}

CGoldenRuler::CGoldenRuler(const IntRect& viewArea) {
    const double width = viewArea.right - viewArea.left;
    const double height = viewArea.bottom - viewArea.top;
    const int left = viewArea.left + static_cast<int>(0.05 * width);
    const int top = viewArea.top + static_cast<int>(0.05 * height);
    m_rcWindow = {left, top, left + static_cast<int>(0.9 * width),
                  top + static_cast<int>(0.9 * height)};
}

IntRect CGoldenRuler::ClientRect() const {
    return {m_rcWindow.left + kRulerBorder, m_rcWindow.top + kRulerBorder + kRulerCaption,
            m_rcWindow.right - kRulerBorder, m_rcWindow.bottom - kRulerBorder};
}

void CGoldenRuler::PlaceOver(const IntRect& rect) {
    m_rcWindow = {rect.left - kRulerBorder, rect.top - kRulerBorder - kRulerCaption,
                  rect.right + kRulerBorder, rect.bottom + kRulerBorder};
}

RulerPart CGoldenRuler::HitTest(IntPoint p) const {
    const IntRect& w = m_rcWindow;
    if (!m_bVisible || !Contains(w, p)) return RulerPart::None;
    const IntRect client = ClientRect();
    if (Contains(client, p)) {
        const IntPoint c{p.x - client.left, p.y - client.top};
        const IntRect& box = m_rcPhiBox;
        const bool onPhi = box.right > box.left && c.x >= box.left && c.x <= box.right &&
                           c.y >= box.top && c.y <= box.bottom;
        return onPhi ? RulerPart::PhiButton : RulerPart::Client;
    }
    const bool leftBand = p.x < w.left + kRulerBorder;
    const bool rightBand = p.x >= w.right - kRulerBorder;
    const bool topBand = p.y < w.top + kRulerBorder;
    const bool bottomBand = p.y >= w.bottom - kRulerBorder;
    if (!leftBand && !rightBand && !topBand && !bottomBand) return RulerPart::Caption;
    const bool nearLeft = p.x < w.left + kRulerCornerReach;
    const bool nearRight = p.x >= w.right - kRulerCornerReach;
    const bool nearTop = p.y < w.top + kRulerCornerReach;
    const bool nearBottom = p.y >= w.bottom - kRulerCornerReach;
    if (leftBand || rightBand) {
        if (nearTop) return leftBand ? RulerPart::TopLeft : RulerPart::TopRight;
        if (nearBottom) return leftBand ? RulerPart::BottomLeft : RulerPart::BottomRight;
        return leftBand ? RulerPart::Left : RulerPart::Right;
    }
    if (nearLeft) return topBand ? RulerPart::TopLeft : RulerPart::BottomLeft;
    if (nearRight) return topBand ? RulerPart::TopRight : RulerPart::BottomRight;
    return topBand ? RulerPart::Top : RulerPart::Bottom;
}

bool CGoldenRuler::PressPhiButton(IntPoint p) {
    if (HitTest(p) != RulerPart::PhiButton) return false;
    m_bFlip = !m_bFlip;
    OnFlip();
    return true;
}

void CGoldenRuler::DrawLine(double x1, double y1, double x2, double y2, int nDepth, bool,
                            bool bPlain) {
    if (m_pCanvas == nullptr) return;
    m_pCanvas->SelectPen(nDepth > 0 ? kDottedPen : bPlain ? kThickBlackPen : kThickHighlightPen);
    m_pCanvas->MoveTo(static_cast<int>(x1), static_cast<int>(y1));
    m_pCanvas->LineTo(static_cast<int>(x2), static_cast<int>(y2));
}

void CGoldenRuler::DrawGoldenRect(const GoldenRect& r, int nDepth, int nQuadrant) {
    if (nDepth == 3) return;
    const double T = r.top, B = r.bottom, R = r.right, L = r.left;
    const double H = std::abs(B - T);
    const double W = std::abs(R - L);
    const double rh = m_dRatio * H;
    const double rw = m_dRatio * W;

    DrawLine(L, T, R, T, nDepth, false, true);
    const double Y = m_bFlip ? T + rh : B - rh;
    if (nDepth > 0 || rh >= W) {
        DrawLine(L, Y, R, Y, nDepth, true, nDepth > 0);
    } else {
        // Highlighted over the larger part's height, centred on the line.
        const double C = L + W / 2;
        const double X1 = C - rh / 2, X2 = C + rh / 2;
        DrawLine(L, Y, X1, Y, 0, true, true);
        DrawLine(X1, Y, X2, Y, 0, true, false);
        DrawLine(X2, Y, R, Y, 0, true, true);
    }

    DrawLine(L, B, R, B, nDepth, false, true);
    DrawLine(L, T, L, B, nDepth, false, true);
    DrawLine(R, T, R, B, nDepth, false, true);

    const double X = m_bFlip ? L + rw : R - rw;
    if (nDepth > 0 || rw >= H) {
        DrawLine(X, T, X, B, nDepth, true, nDepth > 0);
    } else {
        const double M = T + H / 2;
        const double Y1 = M - rw / 2, Y2 = M + rw / 2;
        DrawLine(X, T, X, Y1, 0, true, true);
        DrawLine(X, Y1, X, Y2, 0, true, false);
        DrawLine(X, Y2, X, B, 0, true, true);
    }

    // Each part in turn, and below level 1 only the part in the same corner.
    const struct {
        int number;
        GoldenRect part;
    } parts[] = {
        {1, {T, Y, X, L}},
        {3, {Y, B, X, L}},
        {4, {Y, B, R, X}},
        {2, {T, Y, R, X}},
    };
    for (const auto& [number, part] : parts) {
        if (nQuadrant == 0 || nQuadrant == number) DrawGoldenRect(part, nDepth + 1, number);
    }
}

void CGoldenRuler::Paint(RulerCanvas& canvas) {
    const IntRect client = ClientRect();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    PaintFrame(canvas, width, height);
    // The gaps of the dotted lines take the white background of a new
    // paint context.
    canvas.SetBackgroundColour(0xFFFFFF);
    m_pCanvas = &canvas;
    DrawGoldenRect({1.0, height - 2.0, width - 2.0, 1.0}, 0, 0);
    m_pCanvas = nullptr;
    PaintPhiButton(canvas, width);
}

void CGoldenRuler::PaintFrame(RulerCanvas& canvas, int width, int height) {
    const int l = -kRulerBorder, t = -kRulerBorder - kRulerCaption;
    const int r = width + kRulerBorder, b = height + kRulerBorder;
    canvas.FillRect(l, t, r, -kRulerCaption, kFrameFace);
    canvas.FillRect(l, height, r, b, kFrameFace);
    canvas.FillRect(l, -kRulerCaption, 0, height, kFrameFace);
    canvas.FillRect(width, -kRulerCaption, r, height, kFrameFace);
    // A raised edge: lit from the top left.
    canvas.FillRect(l, t, r - 1, t + 1, kFrameLight);
    canvas.FillRect(l, t, l + 1, b - 1, kFrameLight);
    canvas.FillRect(l + 1, b - 2, r - 1, b - 1, kFrameShadow);
    canvas.FillRect(r - 2, t + 1, r - 1, b - 1, kFrameShadow);
    canvas.FillRect(l, b - 1, r, b, kFrameDark);
    canvas.FillRect(r - 1, t, r, b, kFrameDark);

    canvas.FillRect(0, -kRulerCaption, width, 0, kCaptionColour);
    const std::string caption = FittedCaption(canvas, width - 8);
    if (caption.empty()) return;
    const TextSize size = canvas.TextExtent(caption, kRulerCaptionFont);
    canvas.TextOut(4, -kRulerCaption + (kRulerCaption - size.cy) / 2, caption, kRulerCaptionFont,
                   0xFFFFFF);
}

void CGoldenRuler::PaintPhiButton(RulerCanvas& canvas, int width) {
    const TextSize I = canvas.TextExtent("I", kPhiLargeFont);
    const TextSize O = canvas.TextExtent("O", kPhiSmallFont);
    m_rcPhiBox = {width - O.cx - 5, 3, width - 4, 3 + I.cy};
    const IntRect& box = m_rcPhiBox;
    canvas.FillRect(box.left, box.top, box.right, box.bottom, kPhiButtonFace);
    canvas.SelectPen(kWhitePen);
    canvas.MoveTo(box.left + 1, box.bottom - 1);
    canvas.LineTo(box.left + 1, box.top + 1);
    canvas.LineTo(box.right - 1, box.top + 1);
    canvas.SelectPen(kBlackPen);
    canvas.MoveTo(box.left + 1, box.bottom - 1);
    canvas.LineTo(box.right - 1, box.bottom - 1);
    canvas.LineTo(box.right - 1, box.top + 1);
    canvas.TextOut(width - O.cx - 4, 3 + (I.cy - O.cy) / 2, "O", kPhiSmallFont, kRulerDotColour);
    canvas.TextOut(width - 4 - O.cx / 2 - I.cx / 2, 3, "I", kPhiLargeFont, kRulerDotColour);
}

RulerDrag::RulerDrag(RulerPart part, const IntRect& window, IntPoint start)
    : m_part(part), m_start(window), m_ptStart(start) {}

IntRect RulerDrag::RectAt(IntPoint p) const {
    const int dx = p.x - m_ptStart.x, dy = p.y - m_ptStart.y;
    IntRect r = m_start;
    if (m_part == RulerPart::Caption) {
        return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    }
    if (!IsSizingBorder(m_part)) return r;
    const bool left = m_part == RulerPart::Left || m_part == RulerPart::TopLeft ||
                      m_part == RulerPart::BottomLeft;
    const bool right = m_part == RulerPart::Right || m_part == RulerPart::TopRight ||
                       m_part == RulerPart::BottomRight;
    const bool top =
        m_part == RulerPart::Top || m_part == RulerPart::TopLeft || m_part == RulerPart::TopRight;
    const bool bottom = m_part == RulerPart::Bottom || m_part == RulerPart::BottomLeft ||
                        m_part == RulerPart::BottomRight;
    // The side opposite the dragged one moves as far the other way.
    const int sum = m_start.left + m_start.right;
    if (left) {
        r.left += dx;
        const int excess = kRulerMinWidth - (sum - 2 * r.left);
        if (excess > 0) r.left -= (excess + 1) / 2;
        r.right = sum - r.left;
    } else if (right) {
        r.right += dx;
        const int excess = kRulerMinWidth - (2 * r.right - sum);
        if (excess > 0) r.right += (excess + 1) / 2;
        r.left = sum - r.right;
    }
    if (top) r.top = std::min(r.top + dy, r.bottom - kRulerMinHeight);
    if (bottom) r.bottom = std::max(r.bottom + dy, r.top + kRulerMinHeight);
    return r;
}

}  // namespace orvanel
