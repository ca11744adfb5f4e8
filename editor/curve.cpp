#include "editor/curve.h"

namespace orvanel {

namespace {

float Distance(IntPoint p, IntPoint q) {
    const double dx = static_cast<double>(q.x) - p.x;
    const double dy = static_cast<double>(q.y) - p.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

IntPoint RoundedSample(const CurveSample& s) { return {SampleToInt(s.x), SampleToInt(s.y)}; }

}  // namespace

bool IsNearChord(IntPoint s1, IntPoint s2, IntPoint q, float t) {
    const float g = Distance(s1, s2);
    const float h = Distance(s1, q);
    const float l = Distance(s2, q);
    if (!(g > h && g > l)) return false;
    const float lhs = g * g * t * t * 0.25f;
    const float rhs = (h + g - l) * (h + g + l) * (g - h + l) * (h - g + l) * 0.0625f;
    return lhs >= rhs;
}

const ProfilePoint* HitTestCurveChords(const ProfilePoint* head, const ProfilePoint* tail,
                                       int nPoints, bool closed, int steps, IntPoint q) {
    if (head == nullptr) return nullptr;
    auto at = [](const ProfilePoint* p) { return IntPoint{p->x, p->y}; };

    if (!closed) {
        // The straight guide lines from each end point to the curve's ends.
        if (nPoints >= 2 && IsNearChord(at(head), at(head->Next()), q)) return head->Next();
        if (nPoints < 3) return nullptr;
        if (IsNearChord(at(tail), at(tail->Prev()), q)) return tail;
    }

    const CurveSampling sampling = CurveSampling::HitTest(steps);
    const ProfilePoint* hit = nullptr;
    ForEachCurveSegment(head, tail, closed, WalkDirection::FromHead, [&](const CurveWindow& w) {
        // Every chord of the segment is tested, then the walk stops on a hit.
        IntPoint previous = at(w.b);
        SampleCurveSegment(w, sampling, [&](const CurveSample& s) {
            const IntPoint current = RoundedSample(s);
            if (IsNearChord(previous, current, q)) hit = w.c;
            previous = current;
        });
        return hit == nullptr;
    });
    return hit;
}

}  // namespace orvanel
