#include "editor/profile_size.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>

#include "editor/curve.h"
#include "resources/dimension_texts.h"
#include "resources/strings.h"

namespace orvanel {

namespace {

IntPoint PlaceOf(const ProfilePoint* p, std::span<const MovedPoint> moved) {
    const auto it = std::lower_bound(moved.begin(), moved.end(), p,
                                     [](const MovedPoint& m, const ProfilePoint* q) {
                                         return std::less<const ProfilePoint*>()(m.point, q);
                                     });
    if (it != moved.end() && it->point == p) return it->at;
    return {p->x, p->y};
}

}  // namespace

std::optional<ProfileSize> MeasureProfileSize(const CTavrinEditorDoc& doc,
                                              std::span<const MovedPoint> moved) {
    const CurveSampling sampling = CurveSampling::PreviewMesh(doc.m_nPreviewSteps);
    bool any = false;
    double radius = 0.0;
    double top = 0.0, bottom = 0.0;
    auto add = [&](double x, double y) {
        radius = std::max(radius, std::abs(x));
        top = any ? std::min(top, y) : y;
        bottom = any ? std::max(bottom, y) : y;
        any = true;
    };
    ForEachCurveSegment(doc.GetHead(), doc.GetTail(), doc.IsClosed(), WalkDirection::FromHead,
                        [&](const CurveWindow& w) {
                            SegmentControls s = SegmentControls::Of(w);
                            if (!moved.empty()) {
                                s.a = PlaceOf(w.a, moved);
                                s.b = PlaceOf(w.b, moved);
                                s.c = PlaceOf(w.c, moved);
                                s.d = PlaceOf(w.d, moved);
                            }
                            // The preview's rows: the first start point, then the samples.
                            if (!any) add(s.b.x, s.b.y);
                            SampleCurveSegment(s, sampling,
                                               [&](const CurveSample& p) { add(p.x, p.y); });
                        });
    if (!any) return std::nullopt;
    return ProfileSize{2.0 * radius, bottom - top};
}

std::string SizePaneText(const std::optional<ProfileSize>& size, const UnitSystem& units) {
    if (!size) return {};
    return "Ø " + units.FormatNumber(size->diameter) + " × " + units.Format(size->height);
}

FieldRead<double> UnitSizeToMake(SizeToMake what, std::string_view text, double extent,
                                 DisplayUnit unit) {
    if (!(extent > 0.0)) {
        return {std::nullopt, std::string(what == SizeToMake::Height ? text::kNoHeightToMake
                                                                     : text::kNoDiameterToMake)};
    }
    // The lengths the accepted unit sizes give the profile, in the display unit.
    const double perUnit = extent / MillimetresPer(unit);
    const FieldRead<float> read =
        ReadNumberField(text, static_cast<float>(kSmallestUnitSize * perUnit),
                        static_cast<float>(kLargestUnitSize * perUnit));
    if (!read.value) return {std::nullopt, read.message};
    // The bounds went through single precision: the result is held to the range.
    const double size = std::clamp(*read.value / perUnit, kSmallestUnitSize, kLargestUnitSize);
    return {size, {}};
}

std::string UnitSizeText(double unitSize) { return TrimmedFixedText(unitSize, 6); }

UnitSizeField ShowUnitSize(double unitSize) { return {unitSize, UnitSizeText(unitSize)}; }

FieldRead<double> ReadUnitSize(std::string_view text, const UnitSizeField& shown) {
    if (text == shown.text) return {shown.unitSize, {}};
    const FieldRead<float> read = ReadNumberField(text, static_cast<float>(kSmallestUnitSize),
                                                  static_cast<float>(kLargestUnitSize));
    if (!read.value) return {std::nullopt, read.message};
    // The typed decimals, not their nearest float: "0.1" is a tenth.
    std::string_view digits = text;
    while (!digits.empty() &&
           (digits.front() == ' ' || digits.front() == '\t' || digits.front() == '+')) {
        digits.remove_prefix(1);
    }
    double exact = *read.value;
    std::from_chars(digits.data(), digits.data() + digits.size(), exact);
    return {std::clamp(exact, kSmallestUnitSize, kLargestUnitSize), {}};
}

}  // namespace orvanel
