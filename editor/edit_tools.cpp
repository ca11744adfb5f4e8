#include "editor/edit_tools.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <new>

#include "document/commands.h"
#include "editor/photo_placement.h"
#include "resources/ids.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

std::int32_t Saturate(long long v) {
    return static_cast<std::int32_t>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}

bool IsEmpty(const IntRect& rc) { return rc.left >= rc.right || rc.top >= rc.bottom; }

IntRect Union(const IntRect& a, const IntRect& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

// Collects where the calls would draw, widened by the pen, so that the owner
// repaints no more than the live marks touch.
class BoundsCanvas final : public LiveCanvas {
public:
    void SelectPen(const Pen& pen) override {
        m_nMargin = pen.style == PenStyle::Null ? 1 : std::max(pen.width, 1) / 2 + 2;
    }
    void SelectBrush(const Brush&) override {}
    void SetBackgroundColour(Colour) override {}
    void SetMixMode(MixMode) override {}
    void MoveTo(int x, int y) override { m_ptAt = {x, y}; }
    void LineTo(int x, int y) override {
        Add(m_ptAt.x, m_ptAt.y, x, y);
        m_ptAt = {x, y};
    }
    void Ellipse(int left, int top, int right, int bottom) override {
        Add(left, top, right, bottom);
    }
    void Rectangle(int left, int top, int right, int bottom) override {
        Add(left, top, right, bottom);
    }
    void FillRect(int left, int top, int right, int bottom, Colour) override {
        Add(left, top, right, bottom);
    }
    const IntRect& Bounds() const { return m_rc; }

private:
    void Add(int x1, int y1, int x2, int y2) {
        const IntRect box{Saturate(static_cast<long long>(std::min(x1, x2)) - m_nMargin),
                          Saturate(static_cast<long long>(std::min(y1, y2)) - m_nMargin),
                          Saturate(static_cast<long long>(std::max(x1, x2)) + m_nMargin + 1),
                          Saturate(static_cast<long long>(std::max(y1, y2)) + m_nMargin + 1)};
        m_rc = Union(m_rc, box);
    }

    IntRect m_rc;
    IntPoint m_ptAt;
    int m_nMargin = 2;
};

}  // namespace

IntPoint ClientToEditor(IntPoint client, IntPoint scroll) {
    return {Saturate(static_cast<long long>(client.x) + scroll.x),
            Saturate(static_cast<long long>(client.y) + scroll.y)};
}

IntRect EditorToClient(const IntRect& rc, IntPoint scroll) {
    return {Saturate(static_cast<long long>(rc.left) - scroll.x),
            Saturate(static_cast<long long>(rc.top) - scroll.y),
            Saturate(static_cast<long long>(rc.right) - scroll.x),
            Saturate(static_cast<long long>(rc.bottom) - scroll.y)};
}

int SnapCoordinate(int v, int g) {
    if (g < 1) return v;
    const long long r = v % g;  // truncating division: r has the sign of v
    const long long h = g / 2;
    return Saturate(r > h ? v - r + g : v - r);
}

IntPoint SnapToGrid(IntPoint p, int g) { return {SnapCoordinate(p.x, g), SnapCoordinate(p.y, g)}; }

std::string CoordinatesText(IntPoint p) {
    return "X:" + std::to_string(p.x) + " ; Y:" + std::to_string(p.y);
}

int ScrolledPosition(int position, ScrollCode code, int clientExtent) {
    const int last = std::max(0, kEditorExtent - std::max(clientExtent, 0));
    long long target = position;
    switch (code) {
        case ScrollCode::LineUp:
            target -= kScrollLine;
            break;
        case ScrollCode::LineDown:
            target += kScrollLine;
            break;
        case ScrollCode::PageUp:
            target -= kScrollPage;
            break;
        case ScrollCode::PageDown:
            target += kScrollPage;
            break;
        case ScrollCode::Top:
            target = 0;
            break;
        case ScrollCode::Bottom:
            target = last;
            break;
    }
    return static_cast<int>(std::clamp<long long>(target, 0, last));
}

int CursorFor(int tool, bool causedByLeftButtonDown) {
    switch (tool) {
        case id::kToolIdPencil:
            return id::kCursorPencil;
        case id::kToolIdMove:
            return id::kCursorMove;
        case id::kToolIdInsert:
            return id::kCursorInsert;
        case id::kToolIdDragPhoto:
            return causedByLeftButtonDown ? id::kCursorHandClosed : id::kCursorHandOpen;
        default:
            return id::kCursorPencil;
    }
}

EditTools::EditTools(CTavrinEditorDoc& doc, EditToolsOwner& owner)
    : m_doc(doc), m_owner(owner), m_nTool(id::kToolIdPencil) {}

void EditTools::SetTool(int tool) {
    switch (tool) {
        case id::kToolIdPencil:
        case id::kToolIdMove:
        case id::kToolIdInsert:
        case id::kToolIdDragPhoto:
            m_nTool = tool;
            break;
        default:
            break;
    }
}

IntPoint EditTools::Snapped(IntPoint pt) const {
    return m_owner.IsGridOn() ? SnapToGrid(pt, m_owner.Look().gridSize) : pt;
}

DragPreviewStyle EditTools::PreviewStyle() const {
    const EditorLook look = m_owner.Look();
    return {look.penSize, m_doc.m_nEditorSteps, look.pen, look.grid, look.background};
}

// Runs a change of the live state and has the owner repaint what it touched,
// before and after.
template <class Change>
void EditTools::ChangeLive(Change&& change) {
    const IntRect before = LiveBounds();
    change();
    const IntRect touched = Union(before, LiveBounds());
    if (!IsEmpty(touched)) m_owner.InvalidateLive(touched);
}

void EditTools::Capture() {
    ChangeLive([&] { m_bGridCursor = false; });
    if (!m_bCaptured) m_owner.CaptureMouse();
    m_bCaptured = true;
}

// --- mouse

void EditTools::OnLButtonDown(IntPoint pt, bool shift) {
    const IntPoint p = Snapped(pt);
    switch (m_nTool) {
        case id::kToolIdPencil:
            if (m_doc.IsClosed()) {
                m_owner.SetStatusText(StatusPane::Message, text::kPencilOnClosedProfile, true);
            } else {
                m_doc.AppendPoint(p.x, p.y);
            }
            break;
        case id::kToolIdInsert:
            if (m_doc.HitTestCurve(p.x, p.y)) m_doc.InsertPointBeforeCurrent(p.x, p.y);
            break;
        case id::kToolIdMove:
            PressMove(p, shift);
            Capture();
            break;
        case id::kToolIdDragPhoto:
            m_ptPhotoDrag = p;
            m_drag = Drag::Photo;
            Capture();
            break;
        default:
            break;
    }
}

void EditTools::PressMove(IntPoint p, bool shift) {
    if (!m_doc.HitTestPoint(p.x, p.y)) {
        m_doc.DeselectAll();
        ChangeLive([&] {
            m_drag = Drag::RubberBand;
            m_rcRubberBand = {p.x, p.y, p.x, p.y};
        });
        FreeSelection();
        return;
    }
    const ProfilePoint* current = m_doc.GetCurrent();
    if (!m_pSelection.empty() && current->bSelected) {
        StartGroupDrag(p);
    } else if (shift && m_doc.CountSelected() > 0) {
        m_doc.SelectCurrent(true);
        FreeSelection();
        BuildSelection();
        // Without a snapshot there is no group: the point is dragged alone.
        if (m_pSelection.empty()) {
            StartSingleDrag();
        } else {
            StartGroupDrag(p);
        }
    } else {
        m_doc.SelectCurrent(false);
        StartSingleDrag();
    }
}

void EditTools::StartSingleDrag() {
    PrepareNodeMove(m_doc, m_window);
    m_windowAtStart = m_window;
    m_repaintedAtStart = RepaintedPiecesAround(m_doc);
    m_bPreviewShown = false;
    m_drag = Drag::Single;
}

void EditTools::StartGroupDrag(IntPoint p) {
    m_ptLast = p;
    m_bGroupMoved = false;
    m_drag = Drag::Group;
}

void EditTools::OnMouseMove(IntPoint pt) {
    const IntPoint p = Snapped(pt);
    m_owner.SetStatusText(StatusPane::Coordinates, CoordinatesText(p), false);
    if (m_owner.IsGridOn() && !m_bCaptured) {
        ChangeLive([&] {
            m_ptLast = p;
            m_bGridCursor = true;
        });
    }
    if (!m_bCaptured) return;
    switch (m_drag) {
        case Drag::RubberBand:
            ChangeLive([&] {
                m_rcRubberBand.right = p.x;
                m_rcRubberBand.bottom = p.y;
            });
            break;
        case Drag::Single:
            ChangeLive([&] {
                BoundsCanvas nowhere;
                if (disegnaspostnodo(nowhere, m_window, m_doc.GetPointCount(), p, PreviewStyle(),
                                     m_doc.GetPrompter())) {
                    m_bPreviewShown = true;
                }
            });
            break;
        case Drag::Group:
            MoveGroup(p);
            break;
        case Drag::Photo:
            MovePhoto(p);
            break;
        case Drag::None:
            break;
    }
}

void EditTools::MoveGroup(IntPoint p) {
    ChangeLive([&] {
        const long long dx = static_cast<long long>(p.x) - m_ptLast.x;
        const long long dy = static_cast<long long>(p.y) - m_ptLast.y;
        for (SelectionEntry& e : m_pSelection) {
            e.ptPrev = e.ptCur;
            e.ptCur = {Saturate(e.ptCur.x + dx), Saturate(e.ptCur.y + dy)};
        }
        m_bGroupMoved = true;
        m_ptLast = p;
    });
}

void EditTools::MovePhoto(IntPoint p) {
    const long long dx = static_cast<long long>(p.x) - m_ptPhotoDrag.x;
    const long long dy = static_cast<long long>(p.y) - m_ptPhotoDrag.y;
    m_owner.Invalidate(m_doc.m_rcPhoto);
    m_doc.m_rcPhoto = OffsetPhoto(m_doc.m_rcPhoto, Saturate(dx), Saturate(dy));
    m_owner.Invalidate(m_doc.m_rcPhoto);
    m_ptPhotoDrag = p;
}

void EditTools::OnLButtonUp(IntPoint pt) {
    if (!m_bCaptured) return;
    const IntPoint p = Snapped(pt);
    const Drag drag = m_drag;
    ChangeLive([&] {
        if (drag == Drag::RubberBand) {
            m_rcRubberBand.right = p.x;
            m_rcRubberBand.bottom = p.y;
        }
        m_drag = Drag::None;
    });
    switch (drag) {
        case Drag::RubberBand: {
            const IntRect& rc = m_rcRubberBand;
            // A single point caught is dragged alone next time.
            if (m_doc.SelectInRect(rc.left, rc.top, rc.right, rc.bottom) >= 2) {
                BuildSelection();
            } else {
                FreeSelection();
            }
            break;
        }
        case Drag::Group:
            ReleaseGroup();
            break;
        case Drag::Single:
            m_doc.MoveCurrentPoint(p.x, p.y);
            m_window = {};
            break;
        case Drag::Photo:
        case Drag::None:
            break;
    }
    m_bCaptured = false;
    m_owner.ReleaseMouse();
    m_doc.UpdateAllViews();
}

void EditTools::ReleaseGroup() {
    m_ptLast = {0, 0};
    if (m_pSelection.empty()) return;
    for (SelectionEntry& e : m_pSelection) {
        m_doc.SetPointPosition(e.pPoint, e.ptCur.x, e.ptCur.y);
        // The snapshot stays for the next drag; it starts where the point was
        // stored, not at a position left of or above the area.
        e.ptCur = e.ptPrev = {e.pPoint->x, e.pPoint->y};
    }
    m_doc.CheckpointModified();
}

void EditTools::OnCaptureLost() {
    if (!m_bCaptured) return;
    ChangeLive([&] {
        for (SelectionEntry& e : m_pSelection) e.ptCur = e.ptPrev = {e.pPoint->x, e.pPoint->y};
        if (m_drag == Drag::Single) m_window = {};
        m_drag = Drag::None;
    });
    m_bCaptured = false;
}

// --- keys

void EditTools::OnKeyDown(EditorKey key, bool shift) {
    switch (key) {
        case EditorKey::Tab:
            m_doc.SelectNext();
            m_owner.InvalidateAll();
            break;
        case EditorKey::Delete:
            m_doc.DeleteSelected();
            break;
        case EditorKey::PageUp:
            m_owner.Scroll(ScrollBar::Vertical, ScrollCode::PageUp);
            break;
        case EditorKey::PageDown:
            m_owner.Scroll(ScrollBar::Vertical, ScrollCode::PageDown);
            break;
        case EditorKey::Up:
            m_owner.Scroll(ScrollBar::Vertical, ScrollCode::LineUp);
            break;
        case EditorKey::Down:
            m_owner.Scroll(ScrollBar::Vertical, ScrollCode::LineDown);
            break;
        case EditorKey::Left:
            m_owner.Scroll(ScrollBar::Horizontal, ScrollCode::LineUp);
            break;
        case EditorKey::Right:
            m_owner.Scroll(ScrollBar::Horizontal, ScrollCode::LineDown);
            break;
        case EditorKey::Home:
            if (!shift) {
                m_owner.Scroll(ScrollBar::Vertical, ScrollCode::Top);
                m_owner.Scroll(ScrollBar::Horizontal, ScrollCode::Top);
            }
            break;
        case EditorKey::End:
            m_owner.Scroll(ScrollBar::Vertical, ScrollCode::Bottom);
            m_owner.Scroll(ScrollBar::Horizontal, ScrollCode::Bottom);
            break;
        case EditorKey::Other:
            break;
    }
}

// --- context menu

namespace {

MenuCheck CheckOf(bool checked) { return checked ? MenuCheck::Checked : MenuCheck::Unchecked; }

}  // namespace

ContextMenu EditTools::OnContextMenu(IntPoint screen, IntPoint clientOrigin, IntPoint scroll) {
    const CommandContext context = CommandContextOf(m_doc, *this);
    ContextMenu menu;
    if (screen == IntPoint{-1, -1}) {
        screen = {Saturate(static_cast<long long>(clientOrigin.x) + 5),
                  Saturate(static_cast<long long>(clientOrigin.y) + 5)};
    }
    menu.screen = screen;
    const bool photo = m_nTool == id::kToolIdDragPhoto && m_doc.IsPhotoLoaded();
    menu.menuId = photo ? id::kMenuPhotoPopup : id::kMenuEditorPopup;
    menu.items = PopupItems(photo ? Popup::Photo : Popup::Editor);
    // The table makes an item a check item; its rule sets the mark.
    for (MenuItem& item : menu.items) {
        if (item.command && item.check != MenuCheck::None)
            item.check = CheckOf(CommandRule(*item.command, context).checked);
    }
    const IntPoint client = {Saturate(static_cast<long long>(screen.x) - clientOrigin.x),
                             Saturate(static_cast<long long>(screen.y) - clientOrigin.y)};
    const IntPoint at = ClientToEditor(client, scroll);  // not snapped
    if (const ProfilePoint* point = m_doc.HitTestMenuPoint(at.x, at.y)) {
        std::vector<MenuItem> top = PopupItems(Popup::Point);
        for (MenuItem& item : top) {
            if (item.command == Command::AnchorMenuPoint) item.check = CheckOf(point->bAnchor);
        }
        top.emplace_back();
        menu.items.insert(menu.items.begin(), top.begin(), top.end());
    }
    return menu;
}

// --- group snapshot

void EditTools::FreeSelection() {
    ChangeLive([&] {
        m_pSelection.clear();
        m_bGroupMoved = false;
    });
}

void EditTools::BuildSelection() {
    FreeSelection();
    try {
        for (const ProfilePoint* p = m_doc.GetHead(); p != nullptr; p = p->Next()) {
            if (p->bSelected) m_pSelection.push_back({{p->x, p->y}, {p->x, p->y}, p});
        }
    } catch (const std::bad_alloc&) {
        m_pSelection.clear();  // no snapshot: a press drags one point alone
    }
}

// --- live state

std::optional<IntRect> EditTools::RubberBand() const {
    if (m_drag != Drag::RubberBand) return std::nullopt;
    return m_rcRubberBand;
}

std::vector<IntPoint> EditTools::GroupMarkers() const {
    std::vector<IntPoint> markers;
    if (m_drag != Drag::Group || !m_bGroupMoved) return markers;
    for (const SelectionEntry& e : m_pSelection) {
        markers.push_back({e.pPoint->x, e.pPoint->y});
        markers.push_back(e.ptCur);
    }
    return markers;
}

std::vector<MovedPoint> EditTools::MovedPoints() const {
    std::vector<MovedPoint> moved;
    if (m_drag == Drag::Single && m_bPreviewShown && m_doc.GetCurrent() != nullptr) {
        const int k = m_doc.GetPointCount() == 1 ? 1 : m_window.m_nWindowIndex;
        if (k >= 1 && k <= 5) moved.push_back({m_doc.GetCurrent(), m_window.W(k)});
    } else if (m_drag == Drag::Group && m_bGroupMoved) {
        for (const SelectionEntry& e : m_pSelection) moved.push_back({e.pPoint, e.ptCur});
        std::sort(moved.begin(), moved.end(), [](const MovedPoint& a, const MovedPoint& b) {
            return std::less<const ProfilePoint*>()(a.point, b.point);
        });
    }
    return moved;
}

std::optional<IntPoint> EditTools::GridCursor() const {
    if (!m_bGridCursor || m_bCaptured || !m_owner.IsGridOn()) return std::nullopt;
    return m_ptLast;
}

void EditTools::PaintLive(LiveCanvas& canvas) const {
    const EditorLook look = m_owner.Look();
    const int r = look.penSize + 2;
    auto disc = [&canvas, r](IntPoint c) { canvas.Ellipse(c.x - r, c.y - r, c.x + r, c.y + r); };

    if (m_drag == Drag::Single && m_bPreviewShown) {
        // The pieces wiped out where the repaint drew them, then the preview
        // step from the start: its own erasing, the pieces at the dragged position.
        const int n = m_doc.GetPointCount();
        const int k = n == 1 ? 1 : m_windowAtStart.m_nWindowIndex;
        if (k >= 1 && k <= 5) {
            EraseRepaintedPieces(canvas, m_repaintedAtStart, PreviewStyle());
            DrawNodeMove(canvas, m_windowAtStart, n, m_window.W(k), PreviewStyle());
        }
    }
    if (m_drag == Drag::Group && m_bGroupMoved && !m_pSelection.empty()) {
        canvas.SetMixMode(MixMode::Invert);
        canvas.SelectPen(kNullPen);
        for (const SelectionEntry& e : m_pSelection) {
            canvas.SelectBrush({false, look.background});
            disc({e.pPoint->x, e.pPoint->y});
            canvas.SelectBrush(kBlackBrush);
            disc(e.ptCur);
        }
        canvas.SetMixMode(MixMode::Copy);
    }
    if (m_drag == Drag::RubberBand) {
        canvas.SelectPen({PenStyle::Dot, 1, 0x000000});
        canvas.SetMixMode(MixMode::NotXorPen);
        canvas.SetBackgroundColour(look.background);
        canvas.SelectBrush(kHollowBrush);
        canvas.Rectangle(m_rcRubberBand.left, m_rcRubberBand.top, m_rcRubberBand.right,
                         m_rcRubberBand.bottom);
        canvas.SetMixMode(MixMode::Copy);
    }
    if (const std::optional<IntPoint> cursor = GridCursor()) {
        canvas.SelectBrush(kBlackBrush);
        canvas.SelectPen(kBlackPen);
        canvas.SetMixMode(MixMode::NotXorPen);
        disc(*cursor);
        canvas.SetMixMode(MixMode::Copy);
    }
}

IntRect EditTools::LiveBounds() const {
    BoundsCanvas bounds;
    PaintLive(bounds);
    return bounds.Bounds();
}

}  // namespace orvanel
