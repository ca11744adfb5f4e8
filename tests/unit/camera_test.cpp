// The preview's camera, lights, materials, stored colours and print sizes.
#include "preview/camera.h"
#include "tests/support/test_doubles.h"

#include <gtest/gtest.h>

namespace orvanel::test {
namespace {

TEST(CameraTest, LeftDragTurnsTenDegreesPerThirtySixPixels) {
    PreviewCamera camera;
    EXPECT_FALSE(camera.Drag(DragButtons::LeftOnly, 36, 0));
    EXPECT_FLOAT_EQ(camera.rotY, 10.0f);
    EXPECT_FLOAT_EQ(camera.rotX, -94.22f);
    camera.Drag(DragButtons::LeftOnly, 0, 36);
    EXPECT_FLOAT_EQ(camera.rotX, -84.22f);
    camera.Drag(DragButtons::LeftOnly, -72, 0);
    EXPECT_FLOAT_EQ(camera.rotY, -10.0f);
}

TEST(CameraTest, RightDragMovesTheEyeOneUnitPerTwentyPixels) {
    PreviewCamera camera;
    EXPECT_TRUE(camera.Drag(DragButtons::RightOnly, 5, 20));
    EXPECT_FLOAT_EQ(camera.eyeDistance, 5.0f);
    EXPECT_FLOAT_EQ(camera.nearPlane, 3.8f);
    EXPECT_FLOAT_EQ(camera.farPlane, 6.2f);
    // Small moves add up: every mouse event carries only a few pixels.
    for (int i = 0; i < 4; ++i) camera.Drag(DragButtons::RightOnly, 0, 5);
    EXPECT_FLOAT_EQ(camera.eyeDistance, 6.0f);
    // Far enough up the eye stops at 0.01 while the planes keep moving.
    camera.Drag(DragButtons::RightOnly, 0, -200);
    EXPECT_FLOAT_EQ(camera.eyeDistance, 0.01f);
    EXPECT_FLOAT_EQ(camera.nearPlane, -5.2f);
    EXPECT_FLOAT_EQ(camera.farPlane, -2.8f);
}

TEST(CameraTest, OtherButtonStatesChangeNothing) {
    PreviewCamera camera;
    EXPECT_FALSE(camera.Drag(DragButtons::Other, 100, 100));
    EXPECT_FLOAT_EQ(camera.rotX, -94.22f);
    EXPECT_FLOAT_EQ(camera.rotY, 0.0f);
    EXPECT_FLOAT_EQ(camera.eyeDistance, 4.0f);
}

TEST(CameraTest, DownKeyStepsAwayUntilTwelve) {
    PreviewCamera camera;
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(camera.StepAway());
    EXPECT_FLOAT_EQ(camera.eyeDistance, 9.0f);
    EXPECT_FLOAT_EQ(camera.nearPlane, 7.8f);
    EXPECT_FLOAT_EQ(camera.farPlane, 10.2f);
    int more = 0;
    while (camera.StepAway()) ++more;
    EXPECT_EQ(more, 3);
    EXPECT_FLOAT_EQ(camera.eyeDistance, 12.0f);
}

TEST(CameraTest, WhichDragAMouseMoveMakes) {
    const struct {
        PreviewMouse mouse;
        DragButtons drag;
    } cases[] = {
        {{.left = true}, DragButtons::LeftOnly},
        {{.right = true}, DragButtons::RightOnly},
        {{.left = true, .right = true}, DragButtons::Other},
        {{}, DragButtons::Other},
        {{.left = true, .middle = true}, DragButtons::Other},
        {{.left = true, .shift = true}, DragButtons::Other},
        {{.right = true, .control = true}, DragButtons::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DragButtonsOf(c.mouse), c.drag)
            << c.mouse.left << c.mouse.right << c.mouse.middle << c.mouse.shift << c.mouse.control;
    }
}

TEST(CameraTest, TheKeysOfThePreview) {
    PreviewCamera camera;
    EXPECT_EQ(camera.PressKey(PreviewKey::Up), PreviewKeyEffect::ShowRotation);
    EXPECT_EQ(camera.PressKey(PreviewKey::Other), PreviewKeyEffect::NotHandled);
    EXPECT_FLOAT_EQ(camera.eyeDistance, 4.0f);
    int moved = 0;
    while (camera.PressKey(PreviewKey::Down) == PreviewKeyEffect::MovedAway) ++moved;
    EXPECT_EQ(moved, 8);
    EXPECT_EQ(camera.PressKey(PreviewKey::Down), PreviewKeyEffect::Nothing);
}

TEST(CameraTest, UpKeyText) {
    PreviewCamera camera;
    EXPECT_EQ(camera.RotationText(), "x=-94.22, y=0.00, z=0.00");
    camera.Drag(DragButtons::LeftOnly, 36, 0);
    EXPECT_EQ(camera.RotationText(), "x=-94.22, y=10.00, z=0.00");
}

TEST(CameraTest, Aspect) {
    EXPECT_DOUBLE_EQ(AspectOf(800, 400), 2.0);
    EXPECT_DOUBLE_EQ(AspectOf(800, 0), 1.0);
    PreviewCamera camera;
    camera.Resize(300, 200);
    EXPECT_DOUBLE_EQ(camera.aspect, 1.5);
    camera.Resize(300, 0);
    EXPECT_DOUBLE_EQ(camera.aspect, 1.5);
}

TEST(CameraTest, LightCells) {
    using P = std::array<float, 4>;
    EXPECT_EQ(LightPosition(0, true), (P{-10, 10, 5, 0}));
    EXPECT_EQ(LightPosition(2, true), (P{10, 10, 5, 0}));
    EXPECT_EQ(LightPosition(5, false), (P{-10, -10, -5, 0}));
    EXPECT_EQ(LightPosition(7, false), (P{10, -10, -5, 0}));
    EXPECT_EQ(LightPosition(8, true), (P{0, 0, 5, 0}));
    EXPECT_EQ(LightPosition(-1, false), (P{0, 0, -5, 0}));
}

TEST(CameraTest, MaterialsOfTheDefaultObjectColour) {
    const PreviewMaterials m = MaterialsFor(0x18A9E7, 0xFFFFFF);
    EXPECT_FLOAT_EQ(m.ambient.r, 231 / 510.0f);
    EXPECT_FLOAT_EQ(m.ambient.b, 24 / 510.0f);
    EXPECT_FLOAT_EQ(m.frontDiffuse.g, 169 / 255.0f);
    EXPECT_FLOAT_EQ(m.frontSpecular.r, 255 / 270.0f);
    EXPECT_FLOAT_EQ(m.backDiffuse.r, 231 / 765.0f);
    EXPECT_FLOAT_EQ(m.backDiffuse.g, 169 / 765.0f);
    EXPECT_FLOAT_EQ(m.backDiffuse.b, 24 / 510.0f);
    EXPECT_EQ(m.backSpecular, (Rgba{0.2f, 0.2f, 0.2f, 1.0f}));
    EXPECT_FLOAT_EQ(m.shininess, 50.0f);
}

TEST(CameraTest, GridPlaneHasThirteenStopsFromMinusToPlusOnePointTwo) {
    const auto stops = GridPlaneStops();
    EXPECT_FLOAT_EQ(stops.front(), -1.2f);
    EXPECT_NEAR(stops[6], 0.0f, 1e-6f);
    EXPECT_NEAR(stops.back(), 1.2f, 1e-6f);
}

TEST(CameraTest, StoredColoursRoundTripAndFallBack) {
    MemorySettingsStore store;
    EXPECT_EQ(ReadPreviewLook(store), PreviewLook{});
    const PreviewLook custom{1, 2, 3, 4, 0xFFFFFF};
    WritePreviewColours(store, custom);
    EXPECT_EQ(ReadPreviewLook(store), custom);
    store.WriteString("Settings", "PreviewOBJECTcolor", "16777216");
    EXPECT_EQ(ReadPreviewLook(store).object, 0x18A9E7u);
}

TEST(CameraTest, PrintImageSizes) {
    struct Case {
        PixelSize client, printer;
        bool preview;
        PixelSize image;
    };
    const Case cases[] = {
        {{800, 400}, {4800, 6000}, false, {4800, 2400}},
        // A tall view fills the page's height.
        {{400, 800}, {4800, 6000}, false, {3000, 6000}},
        // 9600 x 9600 and 4800 x 4800 are too many pixels: halved twice.
        {{500, 500}, {9600, 9600}, false, {2400, 2400}},
        // Halved twice: 12000 x 7200 and 6000 x 3600 are too many.
        {{1000, 600}, {12000, 20000}, false, {3000, 1800}},
        {{800, 400}, {4800, 6000}, true, {800, 400}},
        // A view with no width prints square; 4800 x 4800 is too many pixels.
        {{0, 400}, {4800, 6000}, false, {2400, 2400}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PrintImageSize(c.client, c.printer, c.preview, 16384), c.image)
            << c.client.width << "x" << c.client.height;
    }
    // The renderer's own limit halves too.
    EXPECT_EQ(PrintImageSize({800, 400}, {4800, 6000}, false, 4096), (PixelSize{2400, 1200}));
}

TEST(CameraTest, PrintTargetIsCentredAndKeepsTheShape) {
    EXPECT_EQ(PrintTargetRect({4800, 2400}, {4800, 6000}), (PixelRect{0, 1800, 4800, 2400}));
    EXPECT_EQ(PrintTargetRect({3000, 6000}, {4800, 6000}), (PixelRect{900, 0, 3000, 6000}));
    // A halved image is stretched back to the page.
    EXPECT_EQ(PrintTargetRect({2400, 1200}, {4800, 6000}), (PixelRect{0, 1800, 4800, 2400}));
    // A landscape page keeps the image's shape too.
    EXPECT_EQ(PrintTargetRect({6000, 3000}, {6000, 4800}), (PixelRect{0, 900, 6000, 3000}));
    EXPECT_EQ(PrintTargetRect({800, 800}, {6000, 4800}), (PixelRect{600, 0, 4800, 4800}));
}

}  // namespace
}  // namespace orvanel::test
