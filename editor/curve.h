// Sampling of the uniform Catmull-Rom curve through the profile's points.
//
// Every part of the program that needs the curve walks the same four-point
// windows (ForEachCurveSegment) and steps each segment by forward differencing
// (SampleCurveSegment). What differs between them is a CurveSampling row: the
// steps, whether an anchor point turns a segment into its chord, the arithmetic
// precision and how a sample becomes a number. The rows are fixed by the named
// constructors below; the differences are part of what each consumer draws or
// writes, so none of them may be "improved" on its own.
#pragma once

#include <cmath>
#include <cstdint>
#include <type_traits>

#include "document/profile_point.h"

namespace orvanel {

enum class CurvePrecision {
    Single,  // coefficients, differences and position in float
    Double,  // differences and a scaled running position in double
};

enum class SampleRounding {
    Truncate,     // toward zero
    RoundHalfUp,  // floor(p + 0.5), after widening p to double
    None,
};

struct CurveSampling {
    int steps = 10;
    bool anchorRule = true;  // an anchor at B or C makes the segment one chord
    CurvePrecision precision = CurvePrecision::Single;
    double scale = 1.0;  // Double precision only: the drawing scale
    SampleRounding rounding = SampleRounding::None;

    static CurveSampling EditorDrawing(int steps, double scale) {
        return {steps, true, CurvePrecision::Double, scale, SampleRounding::Truncate};
    }
    static CurveSampling DragPreview(int steps) {
        return {steps, false, CurvePrecision::Single, 1.0, SampleRounding::Truncate};
    }
    static CurveSampling HitTest(int steps) {
        return {steps, true, CurvePrecision::Single, 1.0, SampleRounding::RoundHalfUp};
    }
    static CurveSampling ProfileExtent(int steps) {
        return {steps, true, CurvePrecision::Single, 1.0, SampleRounding::None};
    }
    static CurveSampling PreviewMesh(int steps) {
        return {steps, true, CurvePrecision::Single, 1.0, SampleRounding::None};
    }
    static CurveSampling VrmlExport(int steps) {
        return {steps, false, CurvePrecision::Single, 1.0, SampleRounding::None};
    }
    // The outlines of the SVG and DXF exports and the 1:1 template.
    static CurveSampling ProfileOutline(int steps) {
        return {steps, true, CurvePrecision::Double, 1.0, SampleRounding::None};
    }
};

// One sample. With single precision the values are floats widened exactly;
// with rounding they are whole numbers.
struct CurveSample {
    double x;
    double y;
};

// Four consecutive control points; the segment runs from b to c.
struct CurveWindow {
    const ProfilePoint* a;
    const ProfilePoint* b;
    const ProfilePoint* c;
    const ProfilePoint* d;
};

// The coordinates of a window, for callers that keep copies rather than points.
struct SegmentControls {
    IntPoint a, b, c, d;
    bool anchored = false;  // b or c is an anchor point

    static SegmentControls Of(const CurveWindow& w) {
        return {{w.a->x, w.a->y},
                {w.b->x, w.b->y},
                {w.c->x, w.c->y},
                {w.d->x, w.d->y},
                w.b->bAnchor || w.c->bAnchor};
    }
    friend bool operator==(const SegmentControls&, const SegmentControls&) = default;
};

// Coefficients of one coordinate: P(t) = ((a3 t + a2) t + a1) t + B.
struct CubicCoefficients {
    float a3, a2, a1;
};

inline CubicCoefficients CatmullRomCoefficients(std::int32_t A, std::int32_t B, std::int32_t C,
                                                std::int32_t D) {
    // Formed in 64 bits: the combinations of coordinates far beyond the editor
    // area (any value a file can hold) would overflow 32. Within 32 bits the
    // results are the same.
    const std::int64_t a = A, b = B, c = C, d = D;
    return {static_cast<float>(-a + 3 * b - 3 * c + d) * 0.5f,
            static_cast<float>(2 * a - 5 * b + 4 * c - d) * 0.5f, static_cast<float>(c - a) * 0.5f};
}

enum class WalkDirection {
    FromHead,  // along pNext
    FromTail,  // along pPrev: the same curve pieces, run the other way
};

namespace curve_detail {

inline const ProfilePoint* Step(const ProfilePoint* p, WalkDirection dir) {
    return dir == WalkDirection::FromHead ? p->Next() : p->Prev();
}

template <class Visit>
bool Call(Visit& visit, const CurveWindow& w) {
    if constexpr (std::is_same_v<decltype(visit(w)), bool>) {
        return visit(w);
    } else {
        visit(w);
        return true;
    }
}

template <SampleRounding R>
inline double Round(double v) {
    if constexpr (R == SampleRounding::Truncate) {
        return std::trunc(v);
    } else if constexpr (R == SampleRounding::RoundHalfUp) {
        return std::floor(v + 0.5);
    } else {
        return v;
    }
}

// One segment's forward differencing in Real arithmetic. In float the
// running position starts at B; in double it is scaled by the drawing scale
// and every step adds the scaled first difference.
template <class Real, SampleRounding R, class Emit>
void StepSegment(const SegmentControls& s, int k, float hf, double scale, Emit& emit) {
    const CubicCoefficients cx = CatmullRomCoefficients(s.a.x, s.b.x, s.c.x, s.d.x);
    const CubicCoefficients cy = CatmullRomCoefficients(s.a.y, s.b.y, s.c.y, s.d.y);
    const Real h = hf;
    const Real a3x = cx.a3, a2x = cx.a2, a1x = cx.a1;
    const Real a3y = cy.a3, a2y = cy.a2, a1y = cy.a1;
    Real d1x = ((a3x * h + a2x) * h + a1x) * h;
    Real d2x = (Real(2) * a2x + Real(6) * a3x * h) * h * h;
    const Real d3x = Real(6) * a3x * h * h * h;
    Real d1y = ((a3y * h + a2y) * h + a1y) * h;
    Real d2y = (Real(2) * a2y + Real(6) * a3y * h) * h * h;
    const Real d3y = Real(6) * a3y * h * h * h;
    const Real sc = std::is_same_v<Real, float> ? Real(1) : Real(scale);
    Real px = sc * static_cast<Real>(s.b.x);
    Real py = sc * static_cast<Real>(s.b.y);
    for (int i = 0; i < k; ++i) {
        if constexpr (std::is_same_v<Real, float>) {
            px += d1x;
            py += d1y;
        } else {
            px += sc * d1x;
            py += sc * d1y;
        }
        d1x += d2x;
        d2x += d3x;
        d1y += d2y;
        d2y += d3y;
        emit(CurveSample{Round<R>(px), Round<R>(py)});
    }
}

template <class Real, class Emit>
void Dispatch(const SegmentControls& s, const CurveSampling& p, int k, float h, Emit& emit) {
    switch (p.rounding) {
        case SampleRounding::Truncate:
            return StepSegment<Real, SampleRounding::Truncate>(s, k, h, p.scale, emit);
        case SampleRounding::RoundHalfUp:
            return StepSegment<Real, SampleRounding::RoundHalfUp>(s, k, h, p.scale, emit);
        case SampleRounding::None:
            return StepSegment<Real, SampleRounding::None>(s, k, h, p.scale, emit);
    }
}

}  // namespace curve_detail

// The number of samples SampleCurveSegment emits for a segment.
inline int SegmentSampleCount(bool anchored, const CurveSampling& p) {
    if (p.anchorRule && anchored) return 1;
    return p.steps > 0 ? p.steps : 0;
}

// Emits the samples of the segment B->C: emit(CurveSample) once per step, the
// last one approximating C. B itself is not emitted. A steps value below 1
// emits nothing (an anchored segment under the anchor rule still gives C).
template <class Emit>
void SampleCurveSegment(const SegmentControls& s, const CurveSampling& p, Emit&& emit) {
    int k;
    float h;
    if (p.anchorRule && s.anchored) {
        k = 1;
        h = 1.0f;
    } else {
        k = p.steps;
        if (k < 1) return;
        h = static_cast<float>(1.0 / k);
    }
    if (p.precision == CurvePrecision::Single) {
        curve_detail::Dispatch<float>(s, p, k, h, emit);
    } else {
        curve_detail::Dispatch<double>(s, p, k, h, emit);
    }
}

template <class Emit>
void SampleCurveSegment(const CurveWindow& w, const CurveSampling& p, Emit&& emit) {
    SampleCurveSegment(SegmentControls::Of(w), p, emit);
}

// Whether the curve has a segment to revolve: a closed profile of three points
// has three windows, an open one needs four points for its first.
constexpr bool HasCurveSegments(int nPoints, bool closed) {
    return closed ? nPoints >= 3 : nPoints >= 4;
}

// Visits the windows of the curve in order: visit(const CurveWindow&), which
// may return false to stop. An open profile of n >= 4 points has the n - 3
// windows starting at each point but the last three; a closed profile has n
// windows, wrapping past the end to the start point, the last one starting at
// the point before the start. Walking from the tail gives the same windows
// mirrored: (Pn-1, Pn-2, Pn-3, Pn-4) first.
template <class Visit>
void ForEachCurveSegment(const ProfilePoint* head, const ProfilePoint* tail, bool closed,
                         WalkDirection dir, Visit&& visit) {
    const ProfilePoint* start = dir == WalkDirection::FromHead ? head : tail;
    if (start == nullptr) return;
    if (!closed) {
        const ProfilePoint* a = start;
        const ProfilePoint* b = curve_detail::Step(a, dir);
        if (b == nullptr) return;
        const ProfilePoint* c = curve_detail::Step(b, dir);
        if (c == nullptr) return;
        for (const ProfilePoint* d = curve_detail::Step(c, dir); d != nullptr;
             d = curve_detail::Step(d, dir)) {
            if (!curve_detail::Call(visit, CurveWindow{a, b, c, d})) return;
            a = b;
            b = c;
            c = d;
        }
        return;
    }
    auto next = [start, dir](const ProfilePoint* p) {
        const ProfilePoint* n = curve_detail::Step(p, dir);
        return n != nullptr ? n : start;
    };
    const ProfilePoint* a = start;
    const ProfilePoint* b = next(a);
    const ProfilePoint* c = next(b);
    const ProfilePoint* d = next(c);
    do {
        if (!curve_detail::Call(visit, CurveWindow{a, b, c, d})) return;
        a = b;
        b = c;
        c = d;
        d = next(d);
    } while (a != start);
}

// A rounded sample as a 32-bit coordinate, saturating: samples of points
// near the ends of the 32-bit range may overshoot it.
inline std::int32_t SampleToInt(double v) {
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(v);
}

// The near-chord test of the insert tool: Q lies within t of the line S1-S2
// and nearer to each end than the ends are to each other (Heron's formula,
// in single precision as the tool has always computed it).
bool IsNearChord(IntPoint s1, IntPoint s2, IntPoint q, float t = 5.0f);

// The curve hit test: the chords of the curve as the editor draws it with
// `steps` steps, tested against (x, y). Returns the point that becomes the
// current one on a hit (the end point of the segment that was hit, or the
// second point for the first end chord of an open profile), else null.
const ProfilePoint* HitTestCurveChords(const ProfilePoint* head, const ProfilePoint* tail,
                                       int nPoints, bool closed, int steps, IntPoint q);

}  // namespace orvanel
