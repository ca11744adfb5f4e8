// The splitter keeps each pane's share of the width when the window is resized.
#include "app/split_wnd.h"
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class SplitterTest : public GuiTest {
protected:
    void Resize(int width, int height) {
        frame->SetSize(10, 10, width, height);
        ASSERT_TRUE(WaitFor([&] {
            return frame->GetSize() == wxSize(width, height) &&
                   frame->Splitter()->GetSize().x > 0 &&
                   frame->Splitter()->GetWindow1()->GetSize().x +
                           frame->Splitter()->GetWindow2()->GetSize().x +
                           frame->Splitter()->GetSashSize() ==
                       frame->Splitter()->GetClientSize().x;
        }));
    }
    double LeftShare() {
        const CSplitWndEx& s = *frame->Splitter();
        return static_cast<double>(s.GetWindow1()->GetSize().x) /
               (s.GetWindow1()->GetSize().x + s.GetWindow2()->GetSize().x);
    }
};

TEST_F(SplitterTest, SharesHoldThroughResizes) {
    Start();
    EXPECT_NEAR(LeftShare(), 0.5, 0.02);
    Resize(1000, 600);
    EXPECT_NEAR(LeftShare(), 0.5, 0.02);
    // The user drags the bar to a third; the third holds.
    CSplitWndEx& splitter = *frame->Splitter();
    splitter.SetSashPosition(splitter.GetClientSize().x / 3);
    Pump();
    Resize(1200, 700);
    EXPECT_NEAR(LeftShare(), 1.0 / 3, 0.02);
    Resize(700, 500);
    EXPECT_NEAR(LeftShare(), 1.0 / 3, 0.02);
    // Resizing back and forth leaves the bar where it was.
    const int sash = splitter.GetSashPosition();
    Resize(900, 500);
    Resize(700, 500);
    EXPECT_EQ(splitter.GetSashPosition(), sash);
}

}  // namespace
}  // namespace orvanel::gui
