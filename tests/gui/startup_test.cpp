// The program started with an example profile, as a user sees it.
#include <wx/statusbr.h>

#include <cmath>

#include "editor/curve.h"
#include "editor/editor_draw.h"
#include "editor/editor_view.h"
#include "tests/gui/gui_support.h"

namespace orvanel::gui {
namespace {

class StartupTest : public GuiTest {};

double DistanceToNearestPoint(const CTavrinEditorDoc& doc, double x, double y) {
    double best = 1e9;
    for (const ProfilePoint* p = doc.GetHead(); p != nullptr; p = p->Next()) {
        best = std::min(best, std::hypot(p->x - x, p->y - y));
    }
    return best;
}

TEST_F(StartupTest, ExampleProfileShowsInBothViews) {
    CMainFrame& f = Start(Example("vase.lum"));
    const CTavrinEditorDoc& doc = *App().Document();
    EXPECT_EQ(f.GetTitle(), "vase.lum - Orvanel");
    f.UpdateStatusPanes();
    EXPECT_EQ(f.GetStatusBar()->GetStatusText(0),
              "Left edge of window is the center of the Lathe.");
    EXPECT_EQ(f.GetStatusBar()->GetStatusText(3), "Points: 19");
    EXPECT_EQ(f.GetStatusBar()->GetStatusText(2), "Polygons: 1840");

    const wxImage shot = Screenshot();
    ASSERT_TRUE(shot.IsOk());
    CTavrinEditorView& editor = *f.EditorView();
    const wxSize client = editor.GetClientSize();
    // The view opens at the bottom-left corner of the area.
    const wxPoint origin = editor.CalcUnscrolledPosition(wxPoint(0, 0));
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, kEditorExtent - client.y);
    const auto onScreen = [&](int x, int y) {
        return editor.ClientToScreen(editor.CalcScrolledPosition(wxPoint(x, y)));
    };
    const auto visible = [&](int x, int y) {
        const wxPoint c = editor.CalcScrolledPosition(wxPoint(x, y));
        return c.x >= 0 && c.y >= 0 && c.x < client.x && c.y < client.y;
    };

    // White background away from the profile.
    const wxPoint blank = onScreen(origin.x + client.x - 24, origin.y + client.y - 24);
    EXPECT_EQ(PixelAt(shot, blank), *wxWHITE);

    // The control points of the curve in the grid colour, the last one green.
    int markers = 0;
    for (const ProfilePoint* p = doc.GetHead()->Next(); p != doc.GetTail(); p = p->Next()) {
        if (!visible(p->x, p->y) || p->x < 5) continue;
        EXPECT_GE(CountNear(shot, onScreen(p->x, p->y), 4, wxColour(0, 255, 128)), 4)
            << p->x << "," << p->y;
        ++markers;
    }
    EXPECT_GE(markers, 3);
    const ProfilePoint* last = doc.GetTail();
    ASSERT_TRUE(visible(last->x + 2, last->y));
    EXPECT_GE(CountNear(shot, onScreen(last->x + 2, last->y), 2, wxColour(50, 220, 50)), 4);

    // The black curve between the markers.
    int curvePixels = 0;
    ForEachCurveSegment(
        doc.GetHead(), doc.GetTail(), false, WalkDirection::FromHead, [&](const CurveWindow& w) {
            SampleCurveSegment(w, CurveSampling::EditorDrawing(10, 1.0), [&](const CurveSample& s) {
                const int x = static_cast<int>(s.x);
                const int y = static_cast<int>(s.y);
                if (!visible(x, y) || DistanceToNearestPoint(doc, x, y) < 8) return;
                curvePixels += CountNear(shot, onScreen(x, y), 1, *wxBLACK, 60) > 0;
            });
        });
    EXPECT_GE(curvePixels, 10);

    // The preview: grey around a lit object in the object colour.
    CGLView& preview = *f.PreviewView();
    const wxSize area = preview.GetClientSize();
    EXPECT_EQ(PixelAt(shot, preview.ClientToScreen(wxPoint(3, 3))), wxColour(112, 112, 112));
    const wxPoint centre = preview.ClientToScreen(wxPoint(area.x / 2, area.y / 2));
    int object = 0, lit = 0;
    for (int y = centre.y - 30; y <= centre.y + 30; ++y) {
        for (int x = centre.x - 30; x <= centre.x + 30; ++x) {
            const wxColour c = PixelAt(shot, {x, y});
            // The object colour (231, 169, 24) in light and shade: red over
            // green over blue.
            if (c.Red() > c.Green() && c.Green() > c.Blue() + 20) ++object;
            if (c.Red() > 200 && c.Green() > 140) ++lit;
        }
    }
    EXPECT_GT(object, 1000);
    EXPECT_GT(lit, 20);
}

TEST_F(StartupTest, WithoutAProfileTheDocumentIsNewAndUntitled) {
    CMainFrame& f = Start();
    EXPECT_EQ(f.GetTitle(), "Untitled - Orvanel");
    EXPECT_EQ(App().Document()->GetPointCount(), 0);
    EXPECT_FALSE(App().Document()->CanUndo());
}

TEST_F(StartupTest, AProfileThatCannotBeOpenedIsReportedAndEndsTheStart) {
    EXPECT_FALSE(App().StartSession("/no/such/folder/profile.lum"));
    ASSERT_EQ(App().prompter.Entries().size(), 1u);
    EXPECT_EQ(App().prompter.Entries()[0].text.rfind("Cannot open the file /no/such/folder", 0),
              0u);
    EXPECT_TRUE(WaitFor([] { return App().Frame() == nullptr; }));
}

}  // namespace
}  // namespace orvanel::gui
