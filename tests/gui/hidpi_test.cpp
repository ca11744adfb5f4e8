// The preview on a scaled display: its picture fills its pane. CTest runs
// this test once more with GDK_SCALE=2, where each logical unit of a window
// is two pixels of the screen.
#include "preview/gl_view.h"
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class HiDpiTest : public GuiTest {};

TEST_F(HiDpiTest, TheObjectIsCentredInThePreviewPane) {
    Start(Example("vase.lum"));
    // Small enough for the screen at either scale.
    frame->SetSize(0, 0, 600, 460);
    WaitSettled();
    CGLView& view = *frame->PreviewView();
    ASSERT_TRUE(view.HasContext());
    const double scale = view.GetContentScaleFactor();
    SCOPED_TRACE(scale);
    const wxRect logical = view.GetScreenRect();
    const wxRect pane(wxRound(logical.x * scale), wxRound(logical.y * scale),
                      wxRound(logical.width * scale), wxRound(logical.height * scale));
    const wxImage shot = Screenshot();
    ASSERT_TRUE(shot.IsOk());

    // Every pixel of the pane that is not the background belongs to the object.
    const wxColour background = PixelAt(shot, {pane.x + 2, pane.y + 2});
    int left = pane.GetRight(), right = pane.x, top = pane.GetBottom(), bottom = pane.y;
    for (int y = pane.y; y <= pane.GetBottom(); ++y) {
        for (int x = pane.x; x <= pane.GetRight(); ++x) {
            const wxColour c = PixelAt(shot, {x, y});
            if (std::abs(c.Red() - background.Red()) + std::abs(c.Green() - background.Green()) +
                    std::abs(c.Blue() - background.Blue()) <
                60) {
                continue;
            }
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_LT(left, right) << "no object in the pane";
    // A picture drawn in a corner of the framebuffer would have its centre a
    // quarter of the pane away.
    EXPECT_NEAR((left + right) / 2.0, pane.x + pane.width / 2.0, pane.width * 0.05);
    EXPECT_NEAR((top + bottom) / 2.0, pane.y + pane.height / 2.0, pane.height * 0.05);
    // And the object is as large at either scale: a third of the pane's height at least.
    EXPECT_GT(bottom - top, pane.height / 3);
}

}  // namespace
}  // namespace orvanel::gui
