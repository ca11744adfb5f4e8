// The golden ruler in the real program: drawn into the editor's picture and
// around the preview's object, mirrored by its Phi button, moved and sized by
// its frame, and letting every other click through to the editor.
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <cmath>

#include "editor/editor_view.h"
#include "editor/golden_ruler.h"
#include "preview/golden_ruler_3d.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

// The lines a ruler of the same size and flip draws, in its client coordinates.
struct DrawnLine {
    double x1, y1, x2, y2;
    int depth;
    bool plain;
};

class LineRecorder final : public CGoldenRuler {
public:
    explicit LineRecorder(const CGoldenRuler& like) : CGoldenRuler({0, 0, 100, 100}) {
        m_bFlip = like.m_bFlip;
        const IntRect c = like.ClientRect();
        DrawGoldenRect({1.0, c.bottom - c.top - 2.0, c.right - c.left - 2.0, 1.0}, 0, 0);
    }
    void DrawLine(double x1, double y1, double x2, double y2, int nDepth, bool,
                  bool bPlain) override {
        lines.push_back({x1, y1, x2, y2, nDepth, bPlain});
    }
    std::vector<DrawnLine> lines;
};

const wxColour kGreen(0, 255, 0);
const wxColour kDotColour(206, 162, 57);
const wxColour kCaptionColour(10, 36, 106);
const wxColour k3DPlain(238, 224, 176);
const wxColour k3DDivision(145, 145, 145);

class GoldenRulerTest : public GuiTest {
protected:
    void Start(const std::filesystem::path& profile = {}) {
        GuiTest::Start(profile);
        frame->SetSize(wxSize(1200, 900));
        ASSERT_TRUE(WaitFor([this] { return View().GetClientSize().y >= 700; }));
        WaitSettled();
    }
    CTavrinEditorView& View() { return *frame->EditorView(); }
    CTavrinEditorDoc& Doc() { return *App().Document(); }
    C3DGoldenRuler& Ruler() { return *Doc().m_pGoldenRuler; }

    bool RulerShown() { return Doc().m_pGoldenRuler && Doc().m_pGoldenRuler->IsVisible(); }
    // Tools > Show Phi Golden Ratio, from the keyboard.
    ShownItem ChooseRulerItem() { return ChooseFromMenu('t', 'g', WxIdOf(Command::GoldenRatio)); }
    void ToggleRuler() {
        const bool shown = RulerShown();
        ASSERT_TRUE(ChooseRulerItem().enabled);
        ASSERT_TRUE(WaitFor([&] { return RulerShown() != shown; }));
        WaitSettled();
    }
    wxPoint ScreenOf(IntPoint editor) {
        return View().ClientToScreen(View().CalcScrolledPosition(wxPoint(editor.x, editor.y)));
    }
    // Where a point of the ruler's client area is in the editor.
    IntPoint FromClient(double x, double y) {
        const IntRect c = Ruler().ClientRect();
        return {c.left + static_cast<int>(x), c.top + static_cast<int>(y)};
    }
    bool Visible(IntPoint editor) {
        const IntRect v = View().VisibleArea();
        return editor.x >= v.left + 2 && editor.y >= v.top + 2 && editor.x < v.right - 2 &&
               editor.y < v.bottom - 2;
    }
    // Of the visible places along the ruler's lines of one kind, the share
    // that shows the colour (within a pixel), and how many places were seen.
    std::pair<double, int> FoundAlong(const wxImage& shot, bool highlighted, int depth,
                                      const wxColour& colour) {
        const IntRect& phi = Ruler().m_rcPhiBox;
        int seen = 0, found = 0;
        for (const DrawnLine& l : LineRecorder(Ruler()).lines) {
            if (l.depth != depth || l.plain == highlighted) continue;
            const double length = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
            for (double t = 0.05; t < 0.95; t += 4.0 / std::max(length, 4.0)) {
                const double x = l.x1 + t * (l.x2 - l.x1), y = l.y1 + t * (l.y2 - l.y1);
                if (x >= phi.left - 4 && y <= phi.bottom + 4) continue;
                const IntPoint p = FromClient(x, y);
                if (!Visible(p)) continue;
                ++seen;
                found += CountNear(shot, ScreenOf(p), 1, colour, 10) > 0;
            }
        }
        return {seen == 0 ? 0.0 : static_cast<double>(found) / seen, seen};
    }
    // How many pixels of the preview show the colour, and where they lie on average.
    std::pair<int, wxPoint> InPreview(const wxImage& shot, const wxColour& colour) {
        CGLView& preview = *frame->PreviewView();
        const wxSize size = preview.GetClientSize();
        const wxPoint origin = preview.ClientToScreen(wxPoint(0, 0));
        long count = 0, sx = 0, sy = 0;
        for (int y = 0; y < size.y; ++y) {
            for (int x = 0; x < size.x; ++x) {
                const wxColour c = PixelAt(shot, origin + wxPoint(x, y));
                if (std::abs(c.Red() - colour.Red()) <= 8 &&
                    std::abs(c.Green() - colour.Green()) <= 8 &&
                    std::abs(c.Blue() - colour.Blue()) <= 8) {
                    ++count;
                    sx += x;
                    sy += y;
                }
            }
        }
        if (count == 0) return {0, wxPoint()};
        return {static_cast<int>(count), wxPoint(sx / count, sy / count)};
    }
    void ClickAt(IntPoint editor) {
        sim.MouseMove(ScreenOf(editor));
        Pump();
        sim.MouseClick();
        Pump();
    }

    wxUIActionSimulator sim;
};

TEST_F(GoldenRulerTest, TheMenuItemIsThereFromTwoPointsOrWhileTheRulerShows) {
    Start();
    CTavrinEditorDoc& doc = Doc();
    doc.AppendPoint(100, 200);
    // Each step: the points there, then how the Tools menu shows the item,
    // then whether choosing it leaves the ruler shown.
    const struct {
        int points;
        bool enabled, checked, shownAfter;
    } steps[] = {
        {1, false, false, false},  // one point and no ruler: nothing to fit
        {2, true, false, true},
        {1, true, true, false},  // down to one point, the shown ruler can still be hidden
        {1, false, false, false},
        {2, true, false, true},
    };
    for (const auto& s : steps) {
        if (s.points > doc.GetPointCount()) doc.AppendPoint(300, 600);
        if (s.points < doc.GetPointCount()) {
            ASSERT_NE(doc.HitTestMenuPoint(300, 600), nullptr);
            doc.DeleteMenuPoint();
        }
        ASSERT_EQ(doc.GetPointCount(), s.points);
        WaitSettled();
        const ShownItem item = ChooseRulerItem();
        EXPECT_EQ(item.enabled, s.enabled) << "step with " << s.points << " points";
        EXPECT_EQ(item.checked, s.checked) << "step with " << s.points << " points";
        EXPECT_TRUE(WaitFor([&] { return RulerShown() == s.shownAfter; }));
        UpdateUi();
        EXPECT_EQ(frame->PreviewBar()->GetToolToggled(WxIdOf(Command::GoldenRatio)), s.shownAfter);
    }
    // Fitted around the two points and their mirror image left of the axis.
    EXPECT_EQ(Ruler().ClientRect(), (IntRect{-300, 200, 300, 600}));

    // A new profile hides it, and with no points the item is off.
    ChooseFromMenu('f', 'n', WxIdOf(Command::FileNew));
    ASSERT_TRUE(WaitFor([&] { return doc.GetPointCount() == 0; }));
    EXPECT_FALSE(RulerShown());
    EXPECT_FALSE(ChooseRulerItem().enabled);
    EXPECT_FALSE(RulerShown());
}

TEST_F(GoldenRulerTest, ShownItCutsTheEditorAndThePreviewAndHiddenItIsGone) {
    Start(Example("bowl.lum"));
    const wxImage before = Screenshot();
    EXPECT_EQ(InPreview(before, kGreen).first, 0);

    ToggleRuler();
    ASSERT_TRUE(RulerShown());
    const wxImage shot = Screenshot();
    // The highlighted middle of the level-0 cut in green, the lines of levels
    // 1 and 2 dotted in the ruler's colour, the caption bar above.
    const auto [green, greenSeen] = FoundAlong(shot, true, 0, kGreen);
    EXPECT_GE(greenSeen, 10);
    EXPECT_GT(green, 0.9);
    const auto [dotted, dottedSeen] = FoundAlong(shot, false, 1, kDotColour);
    EXPECT_GE(dottedSeen, 40);
    EXPECT_GT(dotted, 0.3);
    const IntRect client = Ruler().ClientRect();
    EXPECT_GE(CountNear(shot, ScreenOf({client.right - 40, client.top - 9}), 3, kCaptionColour, 4),
              40);
    // In the preview the box's faces carry the cuts in the three colours.
    EXPECT_GT(InPreview(shot, kGreen).first, 20);
    EXPECT_GT(InPreview(shot, k3DPlain).first, InPreview(before, k3DPlain).first + 50);
    EXPECT_GT(InPreview(shot, k3DDivision).first, InPreview(before, k3DDivision).first + 50);
    // And so does the 3D print.
    const std::optional<wxImage> printed = frame->PreviewView()->RenderImage(wxSize(600, 400));
    ASSERT_TRUE(printed.has_value());
    EXPECT_GT(CountNear(*printed, {300, 200}, 300, kGreen, 8), 20);

    ToggleRuler();
    EXPECT_FALSE(Ruler().IsVisible());
    const wxImage after = Screenshot();
    EXPECT_EQ(FoundAlong(after, true, 0, kGreen).first, 0.0);
    EXPECT_EQ(InPreview(after, kGreen).first, 0);
}

TEST_F(GoldenRulerTest, ThePhiButtonMirrorsTheCutsInBothViewsAndNothingElse) {
    Start(Example("bowl.lum"));
    ToggleRuler();
    const int points = Doc().GetPointCount();
    const std::pair<int, wxPoint> greenBefore = InPreview(Screenshot(), kGreen);
    ASSERT_GT(greenBefore.first, 20);

    const IntRect& phi = Ruler().m_rcPhiBox;
    ClickAt(FromClient((phi.left + phi.right) / 2.0, (phi.top + phi.bottom) / 2.0));
    ASSERT_TRUE(WaitFor([this] { return Ruler().m_bFlip; }));
    WaitSettled();
    const wxImage shot = Screenshot();
    // The cuts of the mirrored ruler are where the picture shows them.
    EXPECT_GT(FoundAlong(shot, true, 0, kGreen).first, 0.9);
    EXPECT_GT(FoundAlong(shot, false, 2, kDotColour).first, 0.3);
    const std::pair<int, wxPoint> greenAfter = InPreview(shot, kGreen);
    ASSERT_GT(greenAfter.first, 20);
    const wxPoint moved = greenAfter.second - greenBefore.second;
    EXPECT_GT(std::hypot(moved.x, moved.y), 10.0);
    // The Pencil added nothing.
    EXPECT_EQ(Doc().GetPointCount(), points);
}

TEST_F(GoldenRulerTest, APencilClickInsideTheRulerAddsAPointThere) {
    Start(Example("bowl.lum"));
    ToggleRuler();
    const int points = Doc().GetPointCount();
    const IntRect client = Ruler().ClientRect();
    const IntPoint at{client.right / 2, (client.top + client.bottom) / 2 + 7};
    ASSERT_EQ(Ruler().HitTest(at), RulerPart::Client);
    ClickAt(at);
    ASSERT_TRUE(WaitFor([&] { return Doc().GetPointCount() == points + 1; }));
    EXPECT_EQ(Doc().GetTail()->x, at.x);
    EXPECT_EQ(Doc().GetTail()->y, at.y);
}

TEST_F(GoldenRulerTest, RightClicksAndDoubleClicksInsideReachTheEditorAndOnTheFrameNothing) {
    Start(Example("bowl.lum"));
    ToggleRuler();
    std::vector<std::string> menus;
    frame->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        e.Skip();
        if (!e.IsPopup() || e.GetMenu() == nullptr) return;
        menus.push_back(e.GetMenu()->FindItemByPosition(0)->GetItemLabel().utf8_string());
        sim.Char(WXK_ESCAPE);
    });
    // Over a point inside the ruler: the editor's menu for that point.
    const ProfilePoint* point = Doc().GetHead()->Next()->Next()->Next()->Next();
    ASSERT_EQ(Ruler().HitTest({point->x, point->y}), RulerPart::Client);
    sim.MouseMove(ScreenOf({point->x, point->y}));
    Pump();
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    ASSERT_TRUE(WaitFor([&] { return menus.size() == 1; }));
    EXPECT_EQ(menus[0], "Anchor Point");
    Pump();
    // On the caption: none.
    const IntRect client = Ruler().ClientRect();
    sim.MouseMove(ScreenOf({client.right - 40, client.top - 9}));
    Pump();
    sim.MouseClick(wxMOUSE_BTN_RIGHT);
    Pump();
    EXPECT_EQ(menus.size(), 1u);

    // A double click of the Pencil inside: two presses, two points.
    const int points = Doc().GetPointCount();
    const IntPoint at{client.right / 3, (client.top + client.bottom) / 2 + 11};
    sim.MouseMove(ScreenOf(at));
    Pump();
    sim.MouseDblClick();
    EXPECT_TRUE(WaitFor([&] { return Doc().GetPointCount() == points + 2; }));
}

TEST_F(GoldenRulerTest, TheFrameMovesAndSizesAsAWindowsDoesShowingTheEditorBeneath) {
    Start(Example("bowl.lum"));
    ToggleRuler();
    const IntRect v = View().VisibleArea();
    const IntRect start{v.left + 100, v.top + 100, v.left + 400, v.top + 400};
    Ruler().SetWindowRect(start);
    View().InvalidateDrawing();
    WaitSettled();

    // A left-border drag of 20 pixels widens the ruler by 40 about its centre.
    sim.MouseMove(ScreenOf({start.left + 1, start.top + 150}));
    Pump();
    sim.MouseDown();
    Pump();
    sim.MouseMove(ScreenOf({start.left - 19, start.top + 150}));
    const IntRect wider{start.left - 20, start.top, start.right + 20, start.bottom};
    ASSERT_TRUE(WaitFor([&] { return Ruler().WindowRect() == wider; }));
    sim.MouseUp();
    Pump();

    // Dragged by its caption, the ruler leaves the editor's picture behind.
    // Right of the caption's text.
    const IntPoint grip{wider.right - 40, wider.top + 12};
    sim.MouseMove(ScreenOf(grip));
    Pump();
    sim.MouseDown();
    Pump();
    sim.MouseMove(ScreenOf({grip.x + 30, grip.y + 40}));
    const IntRect moved{wider.left + 30, wider.top + 40, wider.right + 30, wider.bottom + 40};
    ASSERT_TRUE(WaitFor([&] { return Ruler().WindowRect() == moved; }));
    WaitSettled();
    const wxImage shot = Screenshot();
    EXPECT_EQ(CountNear(shot, ScreenOf(grip), 2, kCaptionColour, 4), 0);
    EXPECT_EQ(PixelAt(shot, ScreenOf(grip)), *wxWHITE);
    EXPECT_EQ(CountNear(shot, ScreenOf({grip.x + 30, grip.y + 40}), 2, kCaptionColour, 4), 25);
    sim.MouseUp();
    Pump();
    EXPECT_EQ(Doc().GetPointCount(), 13);
}

}  // namespace
}  // namespace orvanel::gui
