// Editing in the real program: the tools driven with the mouse and the keys
// through the X server, checked in the saved file, the document and the
// pixels on the screen.
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cmath>
#include <span>
#include <sstream>

#include "editor/calibration_dialog.h"
#include "editor/curve.h"
#include "editor/dc_canvas.h"
#include "editor/drag_preview.h"
#include "editor/edit_tools.h"
#include "editor/editor_view.h"
#include "editor/photo_placement.h"
#include "editor/photo_properties.h"
#include "editor/point_properties_dialog.h"
#include "editor/profile_size.h"
#include "editor/wx_picture.h"
#include "resources/art.h"
#include "resources/cursors.h"
#include "resources/ids.h"
#include "resources/wx_commands.h"
#include "tests/gui/gui_support.h"
#include "tests/gui/modal_driver.h"

namespace orvanel {
// Positions in failure messages as numbers, not bytes.
void PrintTo(const IntPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
}  // namespace orvanel

namespace orvanel::gui {
namespace {

struct Point {
    int x, y;
    bool selected = false;
    bool anchor = false;
    friend bool operator==(const Point&, const Point&) = default;
};

std::ostream& operator<<(std::ostream& os, const Point& p) {
    return os << "(" << p.x << ", " << p.y << (p.selected ? " selected" : "")
              << (p.anchor ? " anchor" : "") << ")";
}

std::vector<Point> PointsOf(const CTavrinEditorDoc& doc) {
    std::vector<Point> points;
    for (const ProfilePoint* p = doc.GetHead(); p != nullptr; p = p->Next()) {
        points.push_back({p->x, p->y, p->bSelected, p->bAnchor});
    }
    return points;
}

std::vector<IntPoint> PositionsOf(const CTavrinEditorDoc& doc) {
    std::vector<IntPoint> points;
    for (const ProfilePoint* p = doc.GetHead(); p != nullptr; p = p->Next()) {
        points.push_back({p->x, p->y});
    }
    return points;
}

// What the batch mode reads back from a saved profile.
struct SavedProfile {
    bool closed = false;
    std::vector<Point> points;
};

SavedProfile ReadWithBatchMode(const std::filesystem::path& file) {
    wxArrayString output, errors;
    const wxString program =
        wxString::FromUTF8((std::filesystem::path(ORVANEL_BINARY_DIR) / "orvanel").string());
    const long status = wxExecute(program + " --info \"" + wxString::FromUTF8(file.string()) + "\"",
                                  output, errors, wxEXEC_SYNC | wxEXEC_NOEVENTS);
    EXPECT_EQ(status, 0);
    SavedProfile saved;
    for (const wxString& line : output) {
        const std::string text = line.utf8_string();
        if (text.rfind("closed: ", 0) == 0) saved.closed = text == "closed: 1";
        if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) continue;
        std::istringstream in(text);
        Point p{};
        int selected = 0, anchor = 0;
        in >> p.x >> p.y >> selected >> anchor;
        p.selected = selected != 0;
        p.anchor = anchor != 0;
        saved.points.push_back(p);
    }
    return saved;
}

struct Offset {
    int dx, dy;
};

class EditingTest : public GuiTest {
protected:
    // The program with a window large enough for the profiles below.
    void Start(const std::filesystem::path& profile = {}) {
        GuiTest::Start(profile);
        frame->SetSize(wxSize(1200, 700));
        ASSERT_TRUE(WaitFor([this] { return View().GetClientSize().x >= 450; }));
        WaitSettled();
    }
    CTavrinEditorView& View() { return *frame->EditorView(); }
    CTavrinEditorDoc& Doc() { return *App().Document(); }
    EditTools& Tools() { return View().Tools(); }

    void Send(int id) {
        wxCommandEvent event(wxEVT_MENU, id);
        event.SetEventObject(frame);
        frame->ProcessWindowEvent(event);
        Pump();
    }
    void Use(Command toolCommand) {
        Send(WxIdOf(toolCommand));
        ASSERT_EQ(Tools().GetTool(), toolCommand == Command::ToolPencil   ? id::kToolIdPencil
                                     : toolCommand == Command::ToolMove   ? id::kToolIdMove
                                     : toolCommand == Command::ToolInsert ? id::kToolIdInsert
                                                                          : id::kToolIdDragPhoto);
    }

    // The editor position the top-left corner of the window shows.
    IntPoint Corner() { return View().ScrollPosition(); }
    // An editor position a given distance into the window.
    IntPoint Inside(int dx, int dy) { return {Corner().x + dx, Corner().y + dy}; }
    wxPoint ScreenOf(IntPoint editor) {
        return View().ClientToScreen(View().CalcScrolledPosition(wxPoint(editor.x, editor.y)));
    }
    std::string Pane(int field) {
        return frame->GetStatusBar()->GetStatusText(field).utf8_string();
    }

    // The mouse over an editor position; returns once the view has seen it
    // there, which the coordinates pane tells.
    void Hover(IntPoint editor) {
        sim.MouseMove(ScreenOf(editor));
        const IntPoint shown =
            View().IsGridOn() ? SnapToGrid(editor, View().Look().gridSize) : editor;
        const std::string expected = CoordinatesText(shown);
        ASSERT_TRUE(WaitFor([&] { return Pane(1) == expected; })) << expected;
    }
    // Press, moves through each position, release, each step seen by the view.
    void Drag(IntPoint from, std::initializer_list<IntPoint> path) {
        Hover(from);
        sim.MouseDown();
        ASSERT_TRUE(WaitFor([&] { return Tools().HasCapture(); }));
        for (const IntPoint& p : path) Hover(p);
        sim.MouseUp();
        ASSERT_TRUE(WaitFor([&] { return !Tools().HasCapture(); }));
        Pump();
    }
    // A click of the Pencil or the Insert tool, which do not capture the
    // mouse; returns once the point is there.
    void ClickToAddAPoint(IntPoint at) {
        Hover(at);
        const int points = Doc().GetPointCount();
        sim.MouseClick();
        ASSERT_TRUE(WaitFor([&] { return Doc().GetPointCount() == points + 1; }));
    }
    void Key(int code, int modifiers = wxMOD_NONE) {
        sim.Char(code, modifiers);
        Pump();
    }
    // The keyboard goes to the window under the pointer: there is no window manager.
    void FocusEditor() {
        Hover(Inside(5, 5));
        View().SetFocus();
        ASSERT_TRUE(WaitFor([this] { return frame->ActiveView() == &View(); }));
    }

    // A profile made through the document, all of it in the window.
    std::vector<IntPoint> MakeProfile(std::initializer_list<Offset> offsets) {
        for (const Offset& o : offsets) {
            const IntPoint p = Inside(o.dx, o.dy);
            Doc().AppendPoint(p.x, p.y);
        }
        WaitSettled();
        return PositionsOf(Doc());
    }
    std::filesystem::path SaveAs(std::string_view name) {
        const std::filesystem::path file = App().settingsFile.parent_path() / name;
        App().savePrompts.savePath = file;
        Send(wxID_SAVE);
        EXPECT_FALSE(Doc().IsModified());
        return file;
    }

    wxUIActionSimulator sim;
};

IntPoint Plus(IntPoint p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

// A photo as the document sees one; nothing to draw.
class StandInPhoto final : public PhotoImage {
public:
    bool IsLoaded() const override { return true; }
    int Width() const override { return 800; }
    int Height() const override { return 600; }
};

// The items of a menu as it shows them: a separator is "-", a check item
// ends in " [x]" when it is checked and in " [ ]" when not.
std::vector<std::string> ItemsOf(const wxMenu& menu) {
    std::vector<std::string> items;
    for (const wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator()) {
            items.push_back("-");
            continue;
        }
        std::string text = item->GetItemLabel().utf8_string();
        if (item->IsCheckable()) text += item->IsChecked() ? " [x]" : " [ ]";
        items.push_back(text);
    }
    return items;
}

// The straight pieces a drawing is made of, by pen colour.
class PieceCanvas final : public Canvas {
public:
    struct Piece {
        IntPoint a, b;
        Colour colour;
    };
    void SelectPen(const Pen& pen) override { m_pen = pen; }
    void SelectBrush(const Brush&) override {}
    void SetBackgroundColour(Colour) override {}
    void MoveTo(int x, int y) override { m_at = {x, y}; }
    void LineTo(int x, int y) override {
        pieces.push_back({m_at, {x, y}, m_pen.colour});
        m_at = {x, y};
    }
    void Ellipse(int, int, int, int) override {}
    void FillRect(int, int, int, int, Colour) override {}
    std::vector<Piece> pieces;

private:
    Pen m_pen;
    IntPoint m_at;
};

double DistanceToPiece(IntPoint q, const PieceCanvas::Piece& s) {
    const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((q.x - s.a.x) * dx + (q.y - s.a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(q.x - (s.a.x + t * dx), q.y - (s.a.y + t * dy));
}

// Every pixel position along a piece.
std::vector<IntPoint> PixelsAlong(const PieceCanvas::Piece& s) {
    const int n = std::max({std::abs(s.b.x - s.a.x), std::abs(s.b.y - s.a.y), 1});
    std::vector<IntPoint> pixels;
    for (int i = 0; i < n; ++i) {
        pixels.push_back({s.a.x + (s.b.x - s.a.x) * i / n, s.a.y + (s.b.y - s.a.y) * i / n});
    }
    return pixels;
}

TEST_F(EditingTest, PencilClicksMakePointsWhereTheMouseWasCountingTheScrollOffset) {
    Start();
    FocusEditor();
    Key(WXK_HOME);
    ASSERT_TRUE(WaitFor([this] { return Corner() == IntPoint{0, 0}; }));
    Key(WXK_RIGHT);
    Key(WXK_DOWN);
    Key(WXK_DOWN);
    ASSERT_TRUE(WaitFor([this] { return Corner() == IntPoint{100, 200}; }));
    // Shift+Home does not scroll; the Up after it shows that the keys came through.
    Key(WXK_HOME, wxMOD_SHIFT);
    Key(WXK_UP);
    ASSERT_TRUE(WaitFor([this] { return Corner().y == 100; }));
    EXPECT_EQ(Corner().x, 100);

    const std::vector<Offset> clicks = {{40, 50}, {120, 90}, {200, 160}, {90, 230}};
    for (const Offset& c : clicks) ClickToAddAPoint(Inside(c.dx, c.dy));
    const SavedProfile saved = ReadWithBatchMode(SaveAs("pencil.lum"));
    EXPECT_EQ(saved.points, (std::vector<Point>{{140, 150}, {220, 190}, {300, 260}, {190, 330}}));

    // A closed profile takes no new point; the message pane says why.
    Send(WxIdOf(Command::OpenCloseProfile));
    ASSERT_TRUE(Doc().IsClosed());
    Hover(Inside(300, 40));
    sim.MouseClick();
    EXPECT_TRUE(WaitFor([this] {
        return Pane(0) ==
               "You can't create new isolated points. Use Insert to add points to a closed "
               "spline!";
    }));
    EXPECT_EQ(Doc().GetPointCount(), 4);
    const SavedProfile closed = ReadWithBatchMode(SaveAs("pencil.lum"));
    EXPECT_TRUE(closed.closed);
    EXPECT_EQ(closed.points, saved.points);
}

// One session of edits with the Move tool and the keys, then every step undone.
TEST_F(EditingTest, MoveToolDragsPointsAndGroupsAndUndoTakesEachStepBack) {
    Start();
    const std::vector<IntPoint> p =
        MakeProfile({{60, 60}, {140, 120}, {220, 80}, {300, 150}, {380, 100}});
    std::vector<std::vector<IntPoint>> states{PositionsOf(Doc())};
    Use(Command::ToolMove);

    // One point, dragged alone.
    Drag(p[1], {Plus(p[1], 10, 5), Plus(p[1], 25, 30)});
    std::vector<IntPoint> expected = p;
    expected[1] = Plus(p[1], 25, 30);
    EXPECT_EQ(PositionsOf(Doc()), expected);
    states.push_back(PositionsOf(Doc()));

    // The rubber band catches exactly the points inside it.
    const std::size_t undoStates = Doc().UndoStateCount();
    Drag(Plus(p[2], -20, -40), {Plus(p[2], 40, 20), Plus(p[3], 30, 20)});
    std::vector<bool> selected;
    for (const Point& q : PointsOf(Doc())) selected.push_back(q.selected);
    EXPECT_EQ(selected, (std::vector<bool>{false, false, true, true, false}));
    EXPECT_EQ(Tools().Selection().size(), 2u);
    EXPECT_EQ(Doc().UndoStateCount(), undoStates);  // selecting is no edit

    // Two caught points are a group: dragging one moves both.
    Drag(p[2], {Plus(p[2], 8, 4), Plus(p[2], 20, 15)});
    expected[2] = Plus(p[2], 20, 15);
    expected[3] = Plus(p[3], 20, 15);
    EXPECT_EQ(PositionsOf(Doc()), expected);
    states.push_back(PositionsOf(Doc()));

    // A plain press on another point selects it alone; Shift+press on one
    // more makes a group of the two.
    Drag(p[0], {});
    states.push_back(PositionsOf(Doc()));
    sim.KeyDown(WXK_SHIFT);
    Drag(p[4], {Plus(p[4], 0, 10), Plus(p[4], 0, 20)});
    sim.KeyUp(WXK_SHIFT);
    expected[0] = Plus(p[0], 0, 20);
    expected[4] = Plus(p[4], 0, 20);
    EXPECT_EQ(PositionsOf(Doc()), expected);
    states.push_back(PositionsOf(Doc()));

    // DELETE removes the selection.
    FocusEditor();
    Key(WXK_DELETE);
    ASSERT_TRUE(WaitFor([this] { return Doc().GetPointCount() == 3; }));
    EXPECT_EQ(PositionsOf(Doc()), (std::vector<IntPoint>{expected[1], expected[2], expected[3]}));

    // Four steps back, as deep as the history goes.
    for (std::size_t i = states.size() - 1; i >= 1; --i) {
        Send(wxID_UNDO);
        EXPECT_EQ(PositionsOf(Doc()), states[i]) << "undo back to step " << i;
    }
    UpdateUi();
    EXPECT_FALSE(MenuEnabled(wxID_UNDO));
    Send(wxID_UNDO);
    EXPECT_EQ(PositionsOf(Doc()), states[1]);
}

TEST_F(EditingTest, TabStepsThroughThePointsRoundToTheHead) {
    Start();
    MakeProfile({{60, 60}, {140, 120}, {220, 80}});
    FocusEditor();
    const auto selectedIndex = [this] {
        int i = 0, found = -1, count = 0;
        for (const ProfilePoint* q = Doc().GetHead(); q != nullptr; q = q->Next(), ++i) {
            if (q->bSelected) {
                found = i;
                ++count;
            }
        }
        return count == 1 ? found : -1;
    };
    for (const int expected : {0, 1, 2, 0}) {
        Key(WXK_TAB);
        EXPECT_TRUE(WaitFor([&] { return selectedIndex() == expected; })) << expected;
    }
}

TEST_F(EditingTest, InsertPutsAPointBetweenTheEndsOfTheSegmentHit) {
    Start();
    const std::vector<IntPoint> p = MakeProfile({{60, 60}, {140, 120}, {260, 90}, {360, 160}});
    // The middle of the one curve piece, P1 to P2, as the editor draws it.
    std::vector<IntPoint> samples;
    ForEachCurveSegment(
        Doc().GetHead(), Doc().GetTail(), false, WalkDirection::FromHead,
        [&](const CurveWindow& w) {
            SampleCurveSegment(w, CurveSampling::EditorDrawing(10, 1.0), [&](const CurveSample& s) {
                samples.push_back({static_cast<int>(s.x), static_cast<int>(s.y)});
            });
        });
    ASSERT_GE(samples.size(), 5u);
    const IntPoint middle = samples[samples.size() / 2];
    Use(Command::ToolInsert);
    // Away from the curve nothing happens.
    Hover(Inside(300, 20));
    sim.MouseClick();
    ClickToAddAPoint(middle);
    EXPECT_EQ(PositionsOf(Doc()), (std::vector<IntPoint>{p[0], p[1], middle, p[2], p[3]}));
}

TEST_F(EditingTest, AClickOnAPointRecordsOneStepAndSnapsItToTheGrid) {
    Start();
    MakeProfile({{60, 60}});
    const IntPoint corner = Corner();
    // A point off the grid, near a grid crossing.
    const IntPoint off{(corner.x / 10 + 15) * 10 + 2, (corner.y / 10 + 15) * 10 - 2};
    Doc().AppendPoint(off.x, off.y);
    WaitSettled();
    Send(WxIdOf(Command::ToggleGrid));
    ASSERT_TRUE(View().IsGridOn());
    Use(Command::ToolMove);
    const std::size_t states = Doc().UndoStateCount();
    Drag(off, {});
    EXPECT_EQ(Doc().UndoStateCount(), states + 1);
    EXPECT_EQ(PositionsOf(Doc())[1], (IntPoint{off.x - 2, off.y + 2}));
    EXPECT_EQ(Doc().GetPointCount(), 2);
}

// While one point is dragged the pieces next to it follow the mouse on the
// screen, and nothing is left of where they were before.
TEST_F(EditingTest, TheSinglePointDragShowsThePiecesFollowingThePoint) {
    const struct {
        const char* name;
        std::size_t dragged;
        Offset middle, end;
    } cases[] = {
        {"an inner point: two curve pieces", 3, {10, -40}, {30, -90}},
        {"next to the head: a curve piece and the dotted end line", 1, {30, 20}, {70, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        const std::vector<IntPoint> p = MakeProfile(
            {{40, 260}, {120, 160}, {200, 300}, {280, 200}, {360, 320}, {440, 210}, {520, 300}});
        Use(Command::ToolMove);
        const IntPoint from = p[c.dragged];
        const IntPoint middle = Plus(from, c.middle.dx, c.middle.dy);
        const IntPoint end = Plus(from, c.end.dx, c.end.dy);
        Hover(from);
        sim.MouseDown();
        ASSERT_TRUE(WaitFor([this] { return Tools().HasCapture(); }));
        Hover(middle);
        Hover(end);
        ASSERT_TRUE(WaitFor([this] { return View().IsPictureCurrent(); }));
        const wxImage shot = Screenshot();
        ASSERT_TRUE(shot.IsOk());

        // What the pieces are, at the start, half way and now.
        DragWindow start = Tools().Window();
        start.W(start.m_nWindowIndex) = from;
        const EditorLook look = View().Look();
        const DragPreviewStyle style{look.penSize, Doc().m_nEditorSteps, look.pen, look.grid,
                                     look.background};
        const int n = Doc().GetPointCount();
        PieceCanvas now, halfWay;
        DrawNodeMove(now, start, n, end, style);
        DrawNodeMove(halfWay, start, n, middle, style);
        std::vector<PieceCanvas::Piece> shown, gone;
        for (const auto& piece : now.pieces) {
            (piece.colour == look.background ? gone : shown).push_back(piece);
        }
        for (const auto& piece : halfWay.pieces) {
            if (piece.colour != look.background) gone.push_back(piece);
        }
        ASSERT_FALSE(shown.empty());

        // The pieces at the mouse are drawn: the curve in the pen colour, an
        // end line dotted in the grid colour.
        int curvePixels = 0, curveDrawn = 0, dottedPixels = 0, dottedDrawn = 0;
        for (const auto& piece : shown) {
            const bool dotted = piece.colour == look.grid;
            for (const IntPoint& q : PixelsAlong(piece)) {
                const int near = CountNear(shot, ScreenOf(q), 1, ToWx(piece.colour), 60);
                (dotted ? dottedPixels : curvePixels) += 1;
                (dotted ? dottedDrawn : curveDrawn) += near > 0;
            }
        }
        EXPECT_GE(curveDrawn, curvePixels * 9 / 10);
        if (c.dragged == 1) {
            ASSERT_GT(dottedPixels, 20);
            EXPECT_GE(dottedDrawn, dottedPixels * 4 / 10);
        }

        // Where the pieces were, the background shows, away from what is drawn
        // now and from the markers, which the repaint keeps.
        int left = 0, checked = 0;
        for (const auto& piece : gone) {
            for (const IntPoint& q : PixelsAlong(piece)) {
                const bool nearShown = std::any_of(shown.begin(), shown.end(), [&](const auto& s) {
                    return DistanceToPiece(q, s) < 5;
                });
                const bool nearMarker = std::any_of(p.begin(), p.end(), [&](IntPoint m) {
                    return std::hypot(q.x - m.x, q.y - m.y) < 9;
                });
                if (nearShown || nearMarker) continue;
                ++checked;
                left += CountNear(shot, ScreenOf(q), 1, ToWx(look.pen), 60) +
                        CountNear(shot, ScreenOf(q), 1, ToWx(look.grid), 60);
            }
        }
        EXPECT_GT(checked, 40);
        EXPECT_EQ(left, 0);

        sim.MouseUp();
        ASSERT_TRUE(WaitFor([this] { return !Tools().HasCapture(); }));
        EXPECT_EQ(PositionsOf(Doc())[c.dragged], end);
        Stop();
    }
}

TEST_F(EditingTest, TheRubberBandTheGroupGhostsAndTheGridCursorInvertWhatIsUnder) {
    Start();
    const std::vector<IntPoint> p = MakeProfile({{100, 100}, {200, 140}, {300, 100}, {400, 160}});
    Use(Command::ToolMove);
    const auto shotWhenShown = [this] {
        EXPECT_TRUE(WaitFor([this] { return View().IsPictureCurrent(); }));
        return Screenshot();
    };

    // The band: dotted, its dots black on the white background.
    const IntPoint from = Inside(60, 60), to = Inside(250, 200);
    Hover(from);
    sim.MouseDown();
    ASSERT_TRUE(WaitFor([this] { return Tools().HasCapture(); }));
    Hover(to);
    wxImage shot = shotWhenShown();
    int dots = 0;
    for (int x = from.x + 10; x < to.x - 10; ++x) {
        dots += PixelAt(shot, ScreenOf({x, from.y})) == *wxBLACK;
    }
    const int edge = to.x - from.x - 20;
    EXPECT_GT(dots, edge / 3);
    EXPECT_LT(dots, edge * 2 / 3);
    EXPECT_EQ(PixelAt(shot, ScreenOf(Plus(from, 40, 20))), *wxWHITE);
    sim.MouseUp();
    ASSERT_TRUE(WaitFor([this] { return !Tools().HasCapture(); }));
    ASSERT_EQ(Tools().Selection().size(), 2u);

    // The dragged group: its red markers inverted where they were, inverted
    // discs where they are now.
    Hover(p[0]);
    sim.MouseDown();
    ASSERT_TRUE(WaitFor([this] { return Tools().HasCapture(); }));
    Hover(Plus(p[0], 0, 40));
    shot = shotWhenShown();
    const wxColour invertedRed(255 - 200, 255 - 50, 255 - 50);
    for (const IntPoint& q : {p[0], p[1]}) {
        EXPECT_GE(CountNear(shot, ScreenOf(q), 1, invertedRed, 30), 5) << q.x << "," << q.y;
        EXPECT_GE(CountNear(shot, ScreenOf(Plus(q, 0, 40)), 1, *wxBLACK, 30), 9);
    }
    sim.MouseUp();
    ASSERT_TRUE(WaitFor([this] { return !Tools().HasCapture(); }));
    EXPECT_EQ(PositionsOf(Doc())[1], Plus(p[1], 0, 40));

    // The grid cursor: a black disc at the snapped position.
    Send(WxIdOf(Command::ToggleGrid));
    const IntPoint at = SnapToGrid(Inside(455, 305), 10);
    Hover(Plus(at, 1, -2));
    shot = shotWhenShown();
    EXPECT_EQ(PixelAt(shot, ScreenOf(Plus(at, 2, 2))), *wxBLACK);
    EXPECT_EQ(PixelAt(shot, ScreenOf(Plus(at, 12, 12))), *wxWHITE);
}

TEST_F(EditingTest, EachToolHasItsCursorAndTheHandClosesWhileThePhotoIsDragged) {
    Start();
    Doc().m_picture = std::make_unique<StandInPhoto>();
    Doc().m_rcPhoto = {0, 400, 800, 1000};
    const struct {
        Command command;
        int cursor;
    } tools[] = {
        {Command::ToolPencil, id::kCursorPencil},
        {Command::ToolMove, id::kCursorMove},
        {Command::ToolInsert, id::kCursorInsert},
        {Command::ToolDragPhoto, id::kCursorHandOpen},
    };
    for (const auto& t : tools) {
        Use(t.command);
        wxSetCursorEvent request(10, 10);
        View().ProcessWindowEvent(request);
        EXPECT_TRUE(request.GetCursor().IsSameAs(View().CursorOf(t.cursor))) << t.cursor;
    }
    // Each cursor from its picture: black, white and see-through, the hot spot set.
    for (const CursorPicture& picture : CursorPictures()) {
        SCOPED_TRACE(picture.id);
        const wxImage image = MakeEditorCursorImage(picture);
        EXPECT_EQ(image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_X), picture.hotSpot.x);
        EXPECT_EQ(image.GetOptionInt(wxIMAGE_OPTION_CUR_HOTSPOT_Y), picture.hotSpot.y);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const char c =
                    picture.rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                ASSERT_EQ(image.GetAlpha(x, y), c == '.' ? 0 : 255) << x << "," << y;
                if (c != '.') {
                    ASSERT_EQ(image.GetRed(x, y), c == 'o' ? 255 : 0) << x << "," << y;
                }
            }
        }
    }

    // Dragging the photo: the closed hand while the button is held, the
    // photo moved, and no edit of the profile.
    const IntPoint from = Inside(100, 100);
    Hover(from);
    sim.MouseDown();
    ASSERT_TRUE(WaitFor([this] { return Tools().HasCapture(); }));
    EXPECT_TRUE(View().GetCursor().IsSameAs(View().CursorOf(id::kCursorHandClosed)));
    wxSetCursorEvent whileHeld(10, 10);
    View().ProcessWindowEvent(whileHeld);
    EXPECT_FALSE(whileHeld.HasCursor());
    Hover(Plus(from, 30, -20));
    sim.MouseUp();
    ASSERT_TRUE(WaitFor([this] { return !Tools().HasCapture(); }));
    EXPECT_TRUE(View().GetCursor().IsSameAs(View().CursorOf(id::kCursorHandOpen)));
    EXPECT_EQ(Doc().m_rcPhoto, (IntRect{30, 380, 830, 980}));
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Doc().CanUndo());
}

TEST_F(EditingTest, TheContextMenuPutsThePointItemsOnTopAndItsCommandsReachTheDocument) {
    Start();
    const std::vector<IntPoint> p = MakeProfile({{60, 60}, {140, 120}, {220, 80}});
    ASSERT_TRUE(Doc().ToggleAnchor(Doc().GetHead()->Next()));
    // Each menu is read as it opens, then closed with the keys given.
    std::vector<std::vector<std::string>> shown;
    std::vector<int> keys;
    frame->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        e.Skip();
        if (!e.IsPopup() || e.GetMenu() == nullptr) return;
        shown.push_back(ItemsOf(*e.GetMenu()));
        for (const int key : keys) sim.Char(key);
    });
    const auto rightClick = [&](IntPoint at, std::vector<int> closeWith) {
        keys = std::move(closeWith);
        const std::size_t before = shown.size();
        Hover(at);
        sim.MouseClick(wxMOUSE_BTN_RIGHT);
        EXPECT_TRUE(WaitFor([&] { return shown.size() == before + 1; }, 20000));
        Pump();
    };

    // Over the anchor point: its items on top, the check mark on "Anchor
    // Point"; choosing it turns the anchor off.
    rightClick(p[1], {WXK_DOWN, WXK_RETURN});
    const std::vector<std::string> general{"Close Spline",
                                           "-",
                                           "&Copy",
                                           "-",
                                           "Select All\tA",
                                           "Select None\tN",
                                           "-",
                                           "&New\tCtrl+N",
                                           "&Open...\tCtrl+O",
                                           "&Save\tCtrl+S"};
    std::vector<std::string> expected{"Anchor Point [x]", "Delete node", "-",
                                      "Po&int Properties...", "-"};
    expected.insert(expected.end(), general.begin(), general.end());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], expected);
    EXPECT_TRUE(WaitFor([this] { return !Doc().GetHead()->Next()->bAnchor; }));

    // Away from the points: the general menu alone.
    rightClick(Inside(300, 200), {WXK_ESCAPE});
    EXPECT_EQ(shown.back(), general);

    // "Point Properties" opens on the point under the mouse.
    std::string distance;
    {
        ModalDriver<CDlgPointProperties> properties([&](CDlgPointProperties& dialog) {
            distance =
                static_cast<wxTextCtrl*>(dialog.FindWindow(CDlgPointProperties::kDistanceField))
                    ->GetValue()
                    .utf8_string();
            dialog.EndModal(wxID_CANCEL);
            return true;
        });
        rightClick(p[0], {WXK_DOWN, WXK_DOWN, WXK_DOWN, WXK_RETURN});
        EXPECT_TRUE(WaitFor([&] { return properties.Done(); }));
    }
    EXPECT_EQ(distance, LengthFieldText(Doc().m_units.ToDisplay(p[0].x)));

    // "Delete node" removes the point under the mouse.
    rightClick(p[2], {WXK_DOWN, WXK_DOWN, WXK_RETURN});
    EXPECT_TRUE(WaitFor([this] { return Doc().GetPointCount() == 2; }));
    EXPECT_EQ(PositionsOf(Doc()), (std::vector<IntPoint>{p[0], p[1]}));

    // With the drag tool and a photo: the photo menu, the point items above it.
    Doc().m_picture = std::make_unique<StandInPhoto>();
    Use(Command::ToolDragPhoto);
    rightClick(p[0], {WXK_ESCAPE});
    EXPECT_EQ(shown.back(), (std::vector<std::string>{
                                "Anchor Point [ ]", "Delete node", "-", "Po&int Properties...", "-",
                                "Photo &Properties...", "Repl&ace Photo...",
                                "&Remove Background Photo", "&Hide Photo [ ]"}));

    // "&Hide Photo" hides it; opened again, the menu shows the item checked,
    // and choosing it once more brings the photo back.
    const std::vector<int> chooseHide{WXK_DOWN, WXK_DOWN, WXK_DOWN, WXK_DOWN, WXK_RETURN};
    // Each click somewhere else: the view sees the mouse again once a menu is gone.
    rightClick(Inside(320, 220), chooseHide);
    EXPECT_TRUE(WaitFor([this] { return Doc().m_bPhotoHidden; }));
    rightClick(Inside(300, 200), chooseHide);
    EXPECT_EQ(shown.back(),
              (std::vector<std::string>{"Photo &Properties...", "Repl&ace Photo...",
                                        "&Remove Background Photo", "&Hide Photo [x]"}));
    EXPECT_TRUE(WaitFor([this] { return !Doc().m_bPhotoHidden; }));
}

TEST_F(EditingTest, TheSizePaneFollowsADrag) {
    Start();
    Doc().m_units = {0.5, DisplayUnit::Millimetre};
    const std::vector<IntPoint> p =
        MakeProfile({{20, 20}, {120, 40}, {140, 200}, {60, 300}, {30, 320}});
    const auto sizeText = [this](std::span<const MovedPoint> moved = {}) {
        return SizePaneText(MeasureProfileSize(Doc(), moved), Doc().m_units);
    };
    const std::string before = sizeText();
    ASSERT_TRUE(WaitFor([&] { return Pane(4) == before; })) << Pane(4);
    EXPECT_EQ(before.rfind("Ø ", 0), 0u);
    EXPECT_EQ(before.substr(before.size() - 3), " mm");

    Use(Command::ToolMove);
    const IntPoint to = Plus(p[2], 90, 40);
    Hover(p[2]);
    sim.MouseDown();
    ASSERT_TRUE(WaitFor([&] { return Tools().HasCapture(); }));
    Hover(to);
    // While the button is held the document has the point where it was; the
    // pane has it where the mouse is.
    EXPECT_EQ(PositionsOf(Doc())[2], p[2]);
    const MovedPoint moved{Doc().GetHead()->Next()->Next(), to};
    const std::string during = sizeText({&moved, 1});
    EXPECT_NE(during, before);
    EXPECT_TRUE(WaitFor([&] { return Pane(4) == during; })) << Pane(4) << " / " << during;
    sim.MouseUp();
    ASSERT_TRUE(WaitFor([&] { return !Tools().HasCapture(); }));
    EXPECT_EQ(PositionsOf(Doc())[2], to);
    EXPECT_TRUE(WaitFor([&] { return Pane(4) == during; })) << Pane(4);
    // An edit through the menu: the pane follows too.
    Send(wxID_UNDO);
    EXPECT_TRUE(WaitFor([&] { return Pane(4) == before; })) << Pane(4);
}

// Two marks 250 pixels apart on a 400 x 300 picture, at (100, 150) and (350, 150).
class CalibrationTest : public EditingTest {
protected:
    void LoadRulerPicture() {
        auto picture = std::make_unique<CPicture>();
        ASSERT_TRUE(picture->Load(Fixture("ruler_marks.png"), decoder, App().prompter));
        Doc().m_picture = std::move(picture);
        Doc().m_rcPhoto = PlacePhoto(400, 300);  // at 100 %: (0, 700) - (400, 1000)
        Doc().UpdateAllViews();
        WaitSettled();
    }
    // Where a pixel of the picture lies in the editor.
    IntPoint OnPhoto(int x, int y) {
        const IntRect& rc = Doc().m_rcPhoto;
        return {rc.left + x * (rc.right - rc.left) / 400, rc.top + y * (rc.bottom - rc.top) / 300};
    }
    void ClickAt(IntPoint at) {
        Hover(at);
        sim.MouseClick();
        Pump();
    }
    WxPictureDecoder decoder;
};

TEST_F(CalibrationTest, TwoMarksAndTheirDistanceScaleThePhotoAboutTheFirst) {
    Start();
    Doc().m_units = {0.25, DisplayUnit::Millimetre};
    UpdateUi();
    EXPECT_FALSE(MenuEnabled(WxIdOf(Command::CalibratePhoto)));
    LoadRulerPicture();  // in view: the window shows the bottom of the area
    UpdateUi();
    EXPECT_TRUE(MenuEnabled(WxIdOf(Command::CalibratePhoto)));
    const IntPoint first = OnPhoto(100, 150), second = OnPhoto(350, 150);
    // The marks are where the photo shows them.
    const wxImage shot = Screenshot();
    EXPECT_EQ(PixelAt(shot, ScreenOf(first)), *wxBLACK);
    EXPECT_EQ(PixelAt(shot, ScreenOf(Plus(first, 0, 20))), *wxWHITE);

    Send(WxIdOf(Command::CalibratePhoto));
    EXPECT_TRUE(View().Calibration().IsActive());
    EXPECT_EQ(Pane(0), "Click the first end of a known distance on the photo (Esc cancels).");
    ClickAt(first);
    EXPECT_EQ(Pane(0), "Click the second end of the distance (Esc cancels).");
    // 125 mm at a quarter of a millimetre a unit is 500 units: twice the 250.
    std::vector<std::string> refusals;
    ModalDriver<CDlgCalibrateDistance> driver([&, typed = false](CDlgCalibrateDistance& d) mutable {
        auto* field = static_cast<wxTextCtrl*>(d.FindWindow(CDlgCalibrateDistance::kDistanceField));
        if (!typed) {
            field->ChangeValue("1");  // 4 units: 1.6 %, below what Picture Properties takes
            EXPECT_FALSE(d.Accept());
            refusals = App().prompter.Texts();
            typed = true;
            return false;
        }
        field->ChangeValue("125");
        return d.Accept();
    });
    ClickAt(second);
    ASSERT_TRUE(WaitFor([&] { return driver.Done(); }));
    EXPECT_EQ(refusals, (std::vector<std::string>{"Enter a number between 3.125 and 312.5."}));
    EXPECT_FALSE(View().Calibration().IsActive());
    EXPECT_EQ(Doc().m_rcPhoto, (IntRect{-100, 550, 700, 1150}));
    const PhotoPropertiesValues shown = OpenPhotoProperties(Doc());
    EXPECT_EQ(shown.m_nScaleWidth, 200u);
    EXPECT_EQ(shown.m_nScaleHeight, 200u);
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(CalibrationTest, EscAbandonsIt) {
    Start();
    LoadRulerPicture();
    FocusEditor();
    Send(WxIdOf(Command::CalibratePhoto));
    ClickAt(OnPhoto(100, 150));
    EXPECT_EQ(View().Calibration().GetStage(), PhotoCalibration::Stage::SecondEnd);
    Key(WXK_ESCAPE);
    EXPECT_TRUE(WaitFor([this] { return !View().Calibration().IsActive(); }));
    EXPECT_EQ(Doc().m_rcPhoto, (IntRect{0, 700, 400, 1000}));
    EXPECT_EQ(Pane(0), "Left edge of window is the center of the Lathe.");
    // Clicks edit the profile again.
    const int points = Doc().GetPointCount();
    ClickToAddAPoint(OnPhoto(200, 100));
    EXPECT_EQ(Doc().GetPointCount(), points + 1);
}

}  // namespace
}  // namespace orvanel::gui
