// Turning and zooming the preview with the mouse and the keys.
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class PreviewInputTest : public GuiTest {
protected:
    void Mouse(wxEventType type, wxPoint at, bool left, bool right) {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.SetLeftDown(left);
        e.SetRightDown(right);
        e.SetEventObject(frame->PreviewView());
        frame->PreviewView()->ProcessWindowEvent(e);
    }
    void Drag(bool left, wxPoint from, wxPoint to, int steps) {
        Mouse(left ? wxEVT_LEFT_DOWN : wxEVT_RIGHT_DOWN, from, left, !left);
        for (int i = 1; i <= steps; ++i) {
            Mouse(wxEVT_MOTION, from + (to - from) * i / steps, left, !left);
        }
        Mouse(left ? wxEVT_LEFT_UP : wxEVT_RIGHT_UP, to, false, false);
        Pump();
    }
    void Key(int code) {
        wxKeyEvent e(wxEVT_KEY_DOWN);
        e.m_keyCode = code;
        e.SetEventObject(frame->PreviewView());
        frame->PreviewView()->ProcessWindowEvent(e);
        Pump();
    }
};

TEST_F(PreviewInputTest, DragsTurnAndZoom) {
    Start(Example("vase.lum"));
    PreviewCamera& camera = frame->PreviewView()->Camera();
    Drag(true, {100, 100}, {136, 100}, 4);
    EXPECT_NEAR(camera.rotY, 10.0f, 1e-4f);
    EXPECT_NEAR(camera.rotX, -94.22f, 1e-4f);
    EXPECT_FALSE(frame->PreviewView()->HasCapture());
    Drag(false, {100, 100}, {100, 120}, 5);
    EXPECT_FLOAT_EQ(camera.eyeDistance, 5.0f);
    EXPECT_FLOAT_EQ(camera.nearPlane, 3.8f);
    EXPECT_FLOAT_EQ(camera.farPlane, 6.2f);
}

TEST_F(PreviewInputTest, DownStepsAwayAndUpShowsTheRotation) {
    Start(Example("vase.lum"));
    PreviewCamera& camera = frame->PreviewView()->Camera();
    for (int i = 0; i < 5; ++i) Key(WXK_DOWN);
    EXPECT_FLOAT_EQ(camera.eyeDistance, 9.0f);
    EXPECT_FLOAT_EQ(camera.nearPlane, 7.8f);
    EXPECT_FLOAT_EQ(camera.farPlane, 10.2f);
    Key(WXK_UP);
    ASSERT_EQ(App().prompter.Entries().size(), 1u);
    EXPECT_EQ(App().prompter.Entries()[0].text, "x=-94.22, y=0.00, z=0.00");
    EXPECT_EQ(App().prompter.Entries()[0].icon, MessageIcon::None);
    EXPECT_EQ(App().prompter.Entries()[0].caption, "Orvanel");
}

TEST_F(PreviewInputTest, TurningChangesThePicture) {
    Start(Example("bowl.lum"));
    CGLView& preview = *frame->PreviewView();
    const wxImage before = Screenshot();
    const int frames = preview.FramesShown();
    Drag(true, {100, 100}, {100, 190}, 3);
    ASSERT_TRUE(WaitFor([&] { return preview.FramesShown() > frames; }));
    WaitSettled();
    const wxImage after = Screenshot();
    const wxRect r = preview.GetScreenRect();
    int changed = 0;
    for (int y = r.y; y < r.GetBottom(); y += 4) {
        for (int x = r.x; x < r.GetRight(); x += 4) {
            changed += PixelAt(before, {x, y}) != PixelAt(after, {x, y});
        }
    }
    EXPECT_GT(changed, 50);
}

}  // namespace
}  // namespace orvanel::gui
