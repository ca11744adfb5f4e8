#include "export/profile_outline.h"

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <new>

#include "document/safe_file.h"
#include "editor/curve.h"
#include "resources/strings.h"

namespace orvanel {

std::optional<ProfileOutline> SampleProfileOutline(const CTavrinEditorDoc& doc, int steps,
                                                   const UnitSystem& units) {
    ProfileOutline outline;
    outline.closed = doc.IsClosed();
    const CurveSampling sampling = CurveSampling::ProfileOutline(steps);
    auto add = [&](double x, double y) {
        outline.points.push_back({units.ToMillimetres(x), units.ToMillimetres(y)});
    };
    ForEachCurveSegment(doc.GetHead(), doc.GetTail(), doc.IsClosed(), WalkDirection::FromHead,
                        [&](const CurveWindow& w) {
                            if (outline.points.empty()) add(w.b->x, w.b->y);
                            SampleCurveSegment(w, sampling,
                                               [&](const CurveSample& s) { add(s.x, s.y); });
                        });
    if (outline.points.empty()) return std::nullopt;
    if (outline.closed && outline.points.size() > 1) outline.points.pop_back();
    const auto [minX, maxX] =
        std::minmax_element(outline.points.begin(), outline.points.end(),
                            [](const OutlinePoint& a, const OutlinePoint& b) { return a.x < b.x; });
    const auto [minY, maxY] =
        std::minmax_element(outline.points.begin(), outline.points.end(),
                            [](const OutlinePoint& a, const OutlinePoint& b) { return a.y < b.y; });
    outline.left = minX->x;
    outline.right = maxX->x;
    outline.top = minY->y;
    outline.bottom = maxY->y;
    return outline;
}

ExportOutcome WriteOutlineFile(const CTavrinEditorDoc& doc, const std::filesystem::path& path,
                               int steps, Prompter& prompter,
                               const std::function<std::string(const ProfileOutline&)>& text) {
    std::string bytes;
    try {
        const std::optional<ProfileOutline> outline = SampleProfileOutline(doc, steps, doc.m_units);
        if (!outline) {
            prompter.ShowMessage(text::kNoSplineToExport);
            return ExportOutcome::Refused;
        }
        bytes = text(*outline);
    } catch (const std::bad_alloc&) {
        prompter.ShowError(text::kErrorSaving, std::strerror(ENOMEM));
        return ExportOutcome::Failed;
    }
    if (std::string reason; !WriteFileSafely(path, bytes, doc.ExportRules(), &reason)) {
        prompter.ShowError(text::kErrorSaving, reason);
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}

}  // namespace orvanel
