#include "preview/camera.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "document/document.h"

namespace orvanel {

bool PreviewCamera::Drag(DragButtons buttons, int dx, int dy) {
    switch (buttons) {
        case DragButtons::LeftOnly:
            rotY = static_cast<float>(rotY + dx / static_cast<double>(kPixelsPerDegree));
            rotX = static_cast<float>(rotX + dy / static_cast<double>(kPixelsPerDegree));
            return false;
        case DragButtons::RightOnly: {
            const float d = static_cast<float>(dy) / kPixelsPerUnit;
            // The eye stops short of the origin; the clipping planes are not bounded.
            eyeDistance = std::max(eyeDistance + d, kClosestEye);
            nearPlane += d;
            farPlane += d;
            return true;
        }
        case DragButtons::Other:
            break;
    }
    return false;
}

bool PreviewCamera::StepAway() {
    if (!(eyeDistance < kFarthestKeyEye)) return false;
    eyeDistance += 1.0f;
    nearPlane += 1.0f;
    farPlane += 1.0f;
    return true;
}

void PreviewCamera::Resize(int width, int height) {
    if (height > 0) aspect = static_cast<double>(width) / height;
}

DragButtons DragButtonsOf(const PreviewMouse& m) {
    if (m.shift || m.control || m.middle) return DragButtons::Other;
    if (m.left && !m.right) return DragButtons::LeftOnly;
    if (m.right && !m.left) return DragButtons::RightOnly;
    return DragButtons::Other;
}

PreviewKeyEffect PreviewCamera::PressKey(PreviewKey key) {
    switch (key) {
        case PreviewKey::Up:
            return PreviewKeyEffect::ShowRotation;
        case PreviewKey::Down:
            return StepAway() ? PreviewKeyEffect::MovedAway : PreviewKeyEffect::Nothing;
        case PreviewKey::Other:
            break;
    }
    return PreviewKeyEffect::NotHandled;
}

std::string PreviewCamera::RotationText() const {
    char text[96];
    std::snprintf(text, sizeof text, "x=%3.2f, y=%3.2f, z=%3.2f", rotX, rotY, rotZ);
    return text;
}

double AspectOf(int width, int height) {
    return height == 0 ? 1.0 : static_cast<double>(static_cast<float>(width) / height);
}

std::array<float, 4> LightPosition(int cell, bool front) {
    static constexpr float kCells[8][2] = {{-10, 10}, {0, 10},    {10, 10}, {-10, 0},
                                           {10, 0},   {-10, -10}, {0, -10}, {10, -10}};
    const float z = front ? 5.0f : -5.0f;
    if (cell < 0 || cell > 7) return {0.0f, 0.0f, z, 0.0f};
    return {kCells[cell][0], kCells[cell][1], z, 0.0f};
}

Rgba GlColour(Colour c) {
    return {RedOf(c) / 255.0f, GreenOf(c) / 255.0f, BlueOf(c) / 255.0f, 1.0f};
}

PreviewMaterials MaterialsFor(Colour object, Colour frontLight) {
    const float r = RedOf(object), g = GreenOf(object), b = BlueOf(object);
    PreviewMaterials m;
    m.ambient = {r / 510.0f, g / 510.0f, b / 510.0f, 1.0f};
    m.shininess = 50.0f;
    m.frontDiffuse = GlColour(object);
    m.frontSpecular = {RedOf(frontLight) / 270.0f, GreenOf(frontLight) / 270.0f,
                       BlueOf(frontLight) / 270.0f, 1.0f};
    // Darker and a little blue: the inside of a shell reads as inside.
    m.backDiffuse = {r / 765.0f, g / 765.0f, b / 510.0f, 1.0f};
    m.backSpecular = {0.2f, 0.2f, 0.2f, 1.0f};
    return m;
}

std::array<float, 13> GridPlaneStops() {
    std::array<float, 13> stops{};
    float e = -1.2f;
    for (float& s : stops) {
        s = e;
        e += 0.2f;
    }
    return stops;
}

PreviewLook ReadPreviewLook(SettingsStore& store) {
    using namespace preview_keys;
    const PreviewLook d;
    PreviewLook c;
    c.background = GetColourSetting(store, settings_keys::kSection, kBackground, d.background);
    c.gridPlane = GetColourSetting(store, settings_keys::kSection, kGridPlane, d.gridPlane);
    c.object = GetColourSetting(store, settings_keys::kSection, kObject, d.object);
    c.frontLight = GetColourSetting(store, settings_keys::kSection, kFrontLight, d.frontLight);
    c.backLight = GetColourSetting(store, settings_keys::kSection, kBackLight, d.backLight);
    return c;
}

void WritePreviewColours(SettingsStore& store, const PreviewLook& c) {
    using namespace preview_keys;
    const auto section = settings_keys::kSection;
    store.WriteInt(section, kBackground, static_cast<int>(c.background));
    store.WriteInt(section, kGridPlane, static_cast<int>(c.gridPlane));
    store.WriteInt(section, kObject, static_cast<int>(c.object));
    store.WriteInt(section, kFrontLight, static_cast<int>(c.frontLight));
    store.WriteInt(section, kBackLight, static_cast<int>(c.backLight));
}

PixelSize DevicePixels(int width, int height, double scale) {
    const double factor = scale > 0.0 ? scale : 1.0;
    const auto scaled = [factor](int v) {
        return static_cast<int>(std::lround(std::max(v, 0) * factor));
    };
    return {scaled(width), scaled(height)};
}

PixelSize PrintImageSize(PixelSize client, PixelSize printer, bool preview, int maxSide) {
    PixelSize size;
    if (preview) {
        size = client;
    } else {
        // A view with no width has no shape to keep: print it square.
        const float a = client.width > 0 && client.height > 0
                            ? static_cast<float>(client.height) / static_cast<float>(client.width)
                            : 1.0f;
        size.width = printer.width;
        if (printer.height > size.width * a) {
            size.height = static_cast<int>(size.width * a);
        } else {
            size.width = static_cast<int>(printer.height / a);
            size.height = printer.height;
        }
    }
    while (static_cast<long long>(size.width) * size.height > kMaxPrintPixels ||
           size.width > maxSide || size.height > maxSide) {
        size.width /= 2;
        size.height /= 2;
    }
    size.width = std::max(size.width, 1);
    size.height = std::max(size.height, 1);
    return size;
}

PixelRect PrintTargetRect(PixelSize image, PixelSize printer) {
    if (image.width <= 0 || image.height <= 0) return {};
    const double scale = std::min(static_cast<double>(printer.width) / image.width,
                                  static_cast<double>(printer.height) / image.height);
    PixelRect r;
    r.width = std::min(printer.width, static_cast<int>(image.width * scale + 0.5));
    r.height = std::min(printer.height, static_cast<int>(image.height * scale + 0.5));
    r.x = (printer.width - r.width) / 2;
    r.y = (printer.height - r.height) / 2;
    return r;
}

}  // namespace orvanel
