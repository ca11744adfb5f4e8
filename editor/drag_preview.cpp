#include "editor/drag_preview.h"

#include <algorithm>
#include <string>

#include "editor/curve.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

IntPoint At(const ProfilePoint* p) { return {p->x, p->y}; }

const ProfilePoint* Back(const ProfilePoint* p, int steps) {
    while (steps-- > 0) p = p->Prev();
    return p;
}

const ProfilePoint* Ahead(const ProfilePoint* p, int steps) {
    while (steps-- > 0) p = p->Next();
    return p;
}

SegmentControls Controls(const DragWindow& w, int first) {
    return {w.W(first), w.W(first + 1), w.W(first + 2), w.W(first + 3), false};
}

// The line pieces of one preview row: an erased polyline through the old
// position and a dotted one through the new.
struct Lines {
    const DragPreviewStyle& style;
    Canvas& canvas;

    void Erase(IntPoint a, IntPoint b) const {
        canvas.SelectPen({PenStyle::Solid, style.nPenSize, style.clrBackground});
        canvas.MoveTo(a.x, a.y);
        canvas.LineTo(b.x, b.y);
    }
    void Dotted(IntPoint a, IntPoint b) const {
        canvas.SelectPen({PenStyle::Dot, 1, style.clrGrid});
        canvas.MoveTo(a.x, a.y);
        canvas.LineTo(b.x, b.y);
    }
};

}  // namespace

NodeMovePoints NodeMoveWindowPoints(const CTavrinEditorDoc& doc) {
    NodeMovePoints w;
    const ProfilePoint* c = doc.GetCurrent();
    if (c == nullptr) return w;
    const int n = doc.GetPointCount();
    if (n <= 4) {
        // The whole list from the head, closed or not.
        std::size_t i = 0;
        for (const ProfilePoint* p = doc.GetHead(); p != nullptr && i < 5; p = p->Next(), ++i) {
            w.points[i] = p;
            if (p == c) w.k = static_cast<int>(i) + 1;
        }
        return w;
    }
    const ProfilePoint* h = doc.GetHead();
    const ProfilePoint* t = doc.GetTail();
    const bool closed = doc.IsClosed();
    auto set = [&w](std::array<const ProfilePoint*, 5> points, int k) {
        w.points = points;
        w.k = k;
    };
    // Two neighbours on each side, wrapping around a closed profile and
    // shifted inwards at the ends of an open one.
    if (c->Next() == nullptr) {
        if (closed) {
            set({Back(c, 2), Back(c, 1), c, h, h->Next()}, 3);
        } else {
            set({Back(c, 4), Back(c, 3), Back(c, 2), Back(c, 1), c}, 5);
        }
    } else if (c->Next()->Next() == nullptr) {
        if (closed) {
            set({Back(c, 2), Back(c, 1), c, c->Next(), h}, 3);
        } else {
            set({Back(c, 3), Back(c, 2), Back(c, 1), c, c->Next()}, 4);
        }
    } else if (c->Prev() == nullptr) {
        if (closed) {
            set({t->Prev(), t, c, Ahead(c, 1), Ahead(c, 2)}, 3);
        } else {
            set({c, Ahead(c, 1), Ahead(c, 2), Ahead(c, 3), Ahead(c, 4)}, 1);
        }
    } else if (c->Prev()->Prev() == nullptr) {
        if (closed) {
            set({t, Back(c, 1), c, Ahead(c, 1), Ahead(c, 2)}, 3);
        } else {
            set({Back(c, 1), c, Ahead(c, 1), Ahead(c, 2), Ahead(c, 3)}, 2);
        }
    } else {
        set({Back(c, 2), Back(c, 1), c, Ahead(c, 1), Ahead(c, 2)}, 3);
    }
    return w;
}

void PrepareNodeMove(const CTavrinEditorDoc& doc, DragWindow& window) {
    const NodeMovePoints w = NodeMoveWindowPoints(doc);
    if (doc.GetCurrent() == nullptr) return;
    // Positions beyond a short profile keep what they held.
    for (std::size_t i = 0; i < w.points.size(); ++i) {
        if (w.points[i] != nullptr) window.m_ptWindow[i] = At(w.points[i]);
    }
    window.m_nWindowIndex = w.k;
}

bool NodeMoveIndexFits(int n, int k) {
    if (n <= 0) return true;  // nothing to draw, nothing to refuse
    if (n == 1) return true;  // the dot moves whatever k says
    return k >= 1 && k <= std::min(n, 5);
}

std::optional<EndLineStep> EndLineStepFor(int n, int k) {
    if (k == 1) return EndLineStep{2, 1, 2};
    if (n == 2) return EndLineStep{1, 2, 1};
    if (n == 3) return k == 2 ? EndLineStep{1, 2, 1, true} : EndLineStep{2, 3, 2};
    if (k == 2) return EndLineStep{2, 1, 1};
    const int last = n == 4 ? 4 : 5;  // the window's last point, an end of the profile
    if (k == last - 1) return EndLineStep{last - 1, last, last};
    if (k == last) return EndLineStep{last - 1, last, last - 1};
    return std::nullopt;  // a point with two neighbours on each side moves no end line
}

int NodeMoveSegmentCount(int n, int k) {
    if (n >= 5) return 2;
    if (n == 4 && (k == 2 || k == 3)) return 1;
    return 0;
}

RepaintedPieces RepaintedPiecesAround(const CTavrinEditorDoc& doc) {
    RepaintedPieces pieces;
    const NodeMovePoints w = NodeMoveWindowPoints(doc);
    const ProfilePoint* c = doc.GetCurrent();
    if (c == nullptr) return pieces;
    const int n = doc.GetPointCount();
    const ProfilePoint* h = doc.GetHead();
    const ProfilePoint* t = doc.GetTail();
    if (!doc.IsClosed()) {
        // Drawn from each end point to its neighbour.
        if (n >= 2 && (c == h || c == h->Next())) pieces.endLines.push_back({At(h), At(h->Next())});
        if (n >= 3 && (c == t || c == t->Prev())) pieces.endLines.push_back({At(t), At(t->Prev())});
    }
    const int count = NodeMoveSegmentCount(n, w.k);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        pieces.segments.push_back(
            SegmentControls::Of({w.points[i], w.points[i + 1], w.points[i + 2], w.points[i + 3]}));
    }
    return pieces;
}

void EraseRepaintedPieces(Canvas& canvas, const RepaintedPieces& pieces,
                          const DragPreviewStyle& style) {
    canvas.SetBackgroundColour(style.clrBackground);
    if (!pieces.endLines.empty()) {
        // The end lines' own dotted pen, solid.
        canvas.SelectPen({PenStyle::Solid, 0, style.clrBackground});
        for (const auto& [from, to] : pieces.endLines) {
            canvas.MoveTo(from.x, from.y);
            canvas.LineTo(to.x, to.y);
        }
    }
    if (pieces.segments.empty()) return;
    canvas.SelectPen({PenStyle::Solid, style.nPenSize, style.clrBackground});
    const CurveSampling sampling = CurveSampling::EditorDrawing(style.nEditorSteps, 1.0);
    for (const SegmentControls& s : pieces.segments) {
        canvas.MoveTo(s.b.x, s.b.y);
        SampleCurveSegment(s, sampling, [&](const CurveSample& sample) {
            canvas.LineTo(SampleToInt(sample.x), SampleToInt(sample.y));
        });
    }
}

void DrawWindowSegments(Canvas& canvas, const DragWindow& w, int count, bool erase,
                        const DragPreviewStyle& style) {
    canvas.SelectPen({PenStyle::Solid, style.nPenSize, erase ? style.clrBackground : style.clrPen});
    canvas.SetBackgroundColour(style.clrBackground);
    // The anchor rule is off: a segment next to an anchor is previewed as a
    // curve, and the repaint at the release straightens it.
    const CurveSampling sampling = CurveSampling::DragPreview(style.nEditorSteps);
    for (int first = 1; first <= count; ++first) {
        const SegmentControls s = Controls(w, first);
        canvas.MoveTo(s.b.x, s.b.y);
        SampleCurveSegment(s, sampling, [&](const CurveSample& sample) {
            canvas.LineTo(SampleToInt(sample.x), SampleToInt(sample.y));
        });
    }
}

void DrawNodeMove(Canvas& canvas, const DragWindow& before, int n, IntPoint p,
                  const DragPreviewStyle& style) {
    const int k = before.m_nWindowIndex;
    if (n <= 0 || !NodeMoveIndexFits(n, k)) return;
    DragWindow w = before;
    canvas.SetBackgroundColour(style.clrBackground);
    if (n == 1) {
        // The only point moves as a grey dot; the old one is wiped in white.
        const IntPoint old = w.W(1);
        canvas.SelectBrush(kWhiteBrush);
        canvas.SelectPen(kWhitePen);
        canvas.Ellipse(old.x - 3, old.y - 3, old.x + 3, old.y + 3);
        canvas.SelectPen(kBlackPen);
        canvas.SelectBrush(kGrayBrush);
        canvas.Ellipse(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
        return;
    }
    const Lines lines{style, canvas};
    auto segments = [&](int count) {
        if (count == 0) return;
        DrawWindowSegments(canvas, w, count, true, style);
        w.W(k) = p;
        DrawWindowSegments(canvas, w, count, false, style);
    };
    if (const std::optional<EndLineStep> step = EndLineStepFor(n, k)) {
        // The middle of three points also carries the line on to the third.
        const IntPoint third = w.W(3);
        lines.Erase(w.W(step->eraseFrom), w.W(step->eraseTo));
        if (step->onToThird) canvas.LineTo(third.x, third.y);
        lines.Dotted(w.W(step->dottedFrom), p);
        if (step->onToThird) canvas.LineTo(third.x, third.y);
    }
    segments(NodeMoveSegmentCount(n, k));
}

bool disegnaspostnodo(Canvas& canvas, DragWindow& window, int n, IntPoint p,
                      const DragPreviewStyle& style, Prompter& prompter) {
    if (n <= 0) return true;
    if (!NodeMoveIndexFits(n, window.m_nWindowIndex)) {
        const std::string_view pattern = text::kNodeMoveError;
        const std::size_t at = pattern.find("%d");
        prompter.ShowMessage(std::string(pattern.substr(0, at)) + std::to_string(std::min(n, 5)) +
                                 std::string(pattern.substr(at + 2)),
                             MessageIcon::Exclamation);
        return false;
    }
    DrawNodeMove(canvas, window, n, p, style);
    window.W(n == 1 ? 1 : window.m_nWindowIndex) = p;
    return true;
}

}  // namespace orvanel
