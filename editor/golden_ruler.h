// The golden-ratio ruler over the editor: a rectangle cut by the golden
// section, each part cut again, three levels deep, in a small frame with a
// caption, a sizing border and a button marked with a Phi that mirrors the
// cuts. Clicks anywhere else inside it reach the editor beneath.
//
// A see-through child window is not to be had on every window system (GTK
// child windows always paint a background), so the editor draws the ruler
// into its own picture and hands it the mouse first. The frame, and the way
// a window manager moves and sizes a framed window, therefore live here too.
#pragma once

#include <string_view>

#include "document/profile_point.h"
#include "editor/canvas.h"

namespace orvanel {

// The share of the larger part: 1 / phi.
inline constexpr double kGoldenSection = 0.6180339887498949;

// Top, bottom, right, left: the order in which the cuts are worked out.
struct GoldenRect {
    double top = 0, bottom = 0, right = 0, left = 0;
    friend bool operator==(const GoldenRect&, const GoldenRect&) = default;
};

// The frame around the ruler's client area, in pixels.
inline constexpr int kRulerBorder = 4;    // the sizing border on every side
inline constexpr int kRulerCaption = 18;  // the caption bar under the top border
// The sizing corners reach this far along each edge.
inline constexpr int kRulerCornerReach = kRulerBorder + kRulerCaption;
// The smallest frame a drag leaves, the least a framed window keeps.
inline constexpr int kRulerMinWidth = 112;
inline constexpr int kRulerMinHeight = 27;

inline constexpr std::string_view kRulerCaptionText = "Phi Golden Ratio";

inline constexpr Colour kRulerDotColour = Rgb(206, 162, 57);  // level 1 and 2 lines, the Phi
inline constexpr Colour kRulerHighlightColour = Rgb(0, 255, 0);
inline constexpr Colour kPhiButtonFace = 0xE0E0E0;

struct RulerFont {
    int pointTenths = 90;
    bool bold = false;
    friend bool operator==(const RulerFont&, const RulerFont&) = default;
};
// The Phi is a tall I through a small O.
inline constexpr RulerFont kPhiLargeFont{180, false};
inline constexpr RulerFont kPhiSmallFont{120, false};
inline constexpr RulerFont kRulerCaptionFont{90, true};

struct TextSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TextSize&, const TextSize&) = default;
};

// The ruler paints lines, fills and a few letters.
class RulerCanvas : public Canvas {
public:
    virtual TextSize TextExtent(std::string_view text, const RulerFont& font) = 0;
    // The text's top-left corner at (x, y), on a transparent background.
    virtual void TextOut(int x, int y, std::string_view text, const RulerFont& font,
                         Colour colour) = 0;
};

// The parts of the frame a press can land on.
enum class RulerPart {
    None,  // outside the ruler
    Client,
    PhiButton,
    Caption,
    Left,
    Right,
    Top,
    Bottom,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

bool IsSizingBorder(RulerPart part);

class CGoldenRuler {
public:
    // viewArea: the part of the editor its window shows now, in editor
    // units. The ruler starts hidden over the middle 90 % of it.
    explicit CGoldenRuler(const IntRect& viewArea);
    virtual ~CGoldenRuler() = default;
    CGoldenRuler(const CGoldenRuler&) = delete;
    CGoldenRuler& operator=(const CGoldenRuler&) = delete;

    // One line of the divisions, in client coordinates (y downwards). nDepth
    // is the level (0 to 2), bDivision false for a rectangle's side, bPlain
    // false only for the highlighted middle of a level-0 division line.
    virtual void DrawLine(double x1, double y1, double x2, double y2, int nDepth, bool bDivision,
                          bool bPlain);
    // After the Phi button has inverted m_bFlip.
    virtual void OnFlip() {}

    // One rectangle and its subdivisions through DrawLine. nQuadrant 0 draws
    // all parts, 1 top left, 2 top right, 3 bottom left, 4 bottom right.
    void DrawGoldenRect(const GoldenRect& r, int nDepth, int nQuadrant);

    // The frame, the divisions and the Phi button, in client coordinates:
    // the frame lies at negative coordinates and beyond the client size.
    // Sets m_rcPhiBox.
    void Paint(RulerCanvas& canvas);

    bool IsVisible() const { return m_bVisible; }
    void Show() { m_bVisible = true; }
    void Hide() { m_bVisible = false; }

    // In editor units: the ruler scrolls with the editor's content, as a
    // child window of a scrolled view does.
    const IntRect& WindowRect() const { return m_rcWindow; }
    IntRect ClientRect() const;
    void SetWindowRect(const IntRect& rect) { m_rcWindow = rect; }
    // Moves and sizes the frame so that its client area covers rect.
    void PlaceOver(const IntRect& rect);

    // Which part of the shown ruler lies under p (editor units).
    RulerPart HitTest(IntPoint p) const;
    // A left press at p (editor units): on the Phi button, edges included,
    // it mirrors the divisions and returns true.
    bool PressPhiButton(IntPoint p);

    double m_dRatio = kGoldenSection;
    bool m_bFlip = false;
    // The Phi button in client coordinates, as the last paint placed it.
    IntRect m_rcPhiBox;

protected:
    // The canvas DrawLine draws on; set while painting.
    Canvas* m_pCanvas = nullptr;

private:
    void PaintFrame(RulerCanvas& canvas, int width, int height);
    void PaintPhiButton(RulerCanvas& canvas, int width);

    IntRect m_rcWindow;
    bool m_bVisible = false;
};

// Moving the ruler by its caption or sizing it by its border with the mouse.
class RulerDrag {
public:
    RulerDrag(RulerPart part, const IntRect& window, IntPoint start);
    RulerPart Part() const { return m_part; }
    // The window rectangle with the mouse at p. Sizing keeps the frame's
    // horizontal centre: the opposite side moves the other way. Top and
    // bottom are free. No drag makes the frame smaller than the least size.
    IntRect RectAt(IntPoint p) const;

private:
    RulerPart m_part;
    IntRect m_start;
    IntPoint m_ptStart;
};

}  // namespace orvanel
