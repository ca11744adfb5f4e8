// The preview's camera, lights and materials, and the size of its print
// image: the numbers of the 3D view, with no OpenGL in them.
#pragma once

#include <array>
#include <string>

#include "document/settings_store.h"
#include "editor/canvas.h"

namespace orvanel {

// Which buttons and keys a mouse move carries, as far as the camera cares.
enum class DragButtons { LeftOnly, RightOnly, Other };

// The state of the mouse buttons and modifier keys at a mouse move.
struct PreviewMouse {
    bool left = false;
    bool right = false;
    bool middle = false;
    bool shift = false;
    bool control = false;
};
// Turning takes the left button alone, zooming the right one alone; Shift,
// Ctrl or the middle button make any move do nothing.
DragButtons DragButtonsOf(const PreviewMouse& mouse);

// The preview's keys; the others are left to the main window's accelerators.
enum class PreviewKey { Up, Down, Other };
enum class PreviewKeyEffect {
    ShowRotation,  // show RotationText in a message box
    MovedAway,     // the eye moved: set the projection again and repaint
    Nothing,       // the key is the preview's, but nothing changed
    NotHandled,    // not the preview's key
};

struct PreviewCamera {
    double aspect = 1.0;  // width / height of the view
    float farPlane = 5.2f;
    float nearPlane = 2.8f;
    float eyeDistance = 4.0f;
    float rotY = 0.0f;     // degrees, the second rotation, about y
    float rotX = -94.22f;  // degrees, the first rotation, about x
    float rotZ = 0.0f;     // shown by the Up key only; never applied

    static constexpr double kFieldOfView = 40.0;  // vertical, degrees
    static constexpr float kPixelsPerDegree = 3.6f;
    static constexpr float kPixelsPerUnit = 20.0f;
    static constexpr float kClosestEye = 0.01f;
    static constexpr float kFarthestKeyEye = 12.0f;

    // A mouse move of (dx, dy) pixels while the view holds the capture.
    // Returns whether the projection must be set again.
    bool Drag(DragButtons buttons, int dx, int dy);
    // The Down key: the eye moves one unit away until it is 12 units off.
    // Returns whether anything moved.
    bool StepAway();
    // The view's new size; a zero height keeps the aspect.
    void Resize(int width, int height);
    // What the Up key shows.
    std::string RotationText() const;
    PreviewKeyEffect PressKey(PreviewKey key);
};

// The aspect a view of that size starts with: 1 when it has no height.
double AspectOf(int width, int height);

// A light's direction cell of the settings' 3 x 3 grids (centre left out);
// the back light mirrors the front one through the screen plane.
std::array<float, 4> LightPosition(int cell, bool front);

struct Rgba {
    float r, g, b, a;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct PreviewMaterials {
    Rgba ambient;  // both faces
    float shininess;
    Rgba frontDiffuse;
    Rgba frontSpecular;
    Rgba backDiffuse;
    Rgba backSpecular;
};
PreviewMaterials MaterialsFor(Colour object, Colour frontLight);

// A colour as OpenGL takes it: each component / 255.
Rgba GlColour(Colour c);

// The grid plane's line positions: -1.2 to 1.2 in steps of 0.2, summed in
// single precision as the plane has always been drawn.
std::array<float, 13> GridPlaneStops();

// The preview's look as the settings sheet edits it: its five stored colours
// and the cells of its two lights (LightPosition), which are not stored.
struct PreviewLook {
    Colour background = 0x707070;
    Colour gridPlane = 0x777777;
    Colour object = 0x18A9E7;
    Colour frontLight = 0xFFFFFF;
    Colour backLight = 0x888888;
    int frontLightPos = 2;
    int backLightPos = 5;
    friend bool operator==(const PreviewLook&, const PreviewLook&) = default;
};

namespace preview_keys {
inline constexpr std::string_view kBackground = "PreviewBGcolor";
inline constexpr std::string_view kGridPlane = "PreviewGRIDcolor";
inline constexpr std::string_view kObject = "PreviewOBJECTcolor";
inline constexpr std::string_view kFrontLight = "PreviewFRONTLIGHTcolor";
inline constexpr std::string_view kBackLight = "PreviewBACKLIGHTcolor";
}  // namespace preview_keys

// The stored colours over the default look.
PreviewLook ReadPreviewLook(SettingsStore& store);
void WritePreviewColours(SettingsStore& store, const PreviewLook& look);

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// A view's size in the pixels of its framebuffer: on a scaled display each
// logical unit of the window is scale pixels wide.
PixelSize DevicePixels(int width, int height, double scale);

inline constexpr long long kMaxPrintPixels = 20'000'000;

// The off-screen image printed for a view of the client size on a page of
// the printer size: as wide or as high as the page allows with the view's
// shape, halved until it holds at most 20,000,000 pixels and no side
// exceeds maxSide (what the renderer can draw). A print preview renders at
// the view's own size.
PixelSize PrintImageSize(PixelSize client, PixelSize printer, bool preview, int maxSide);

// Where the image lands on the page: as large as fits with the image's shape,
// centred.
PixelRect PrintTargetRect(PixelSize image, PixelSize printer);

}  // namespace orvanel
