#include "editor/photo_calibration.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

#include "editor/photo_properties.h"
#include "resources/dimension_texts.h"

namespace orvanel {

namespace {

constexpr int kMarkReach = 6;  // the arms of the cross at each end, editor units
constexpr double kSmallestPercent = 5.0;
constexpr double kLargestPercent = 500.0;

std::int32_t Saturate(double v) {
    if (!(v > INT32_MIN)) return INT32_MIN;
    if (v >= INT32_MAX) return INT32_MAX;
    return static_cast<std::int32_t>(v);
}

void Cross(LiveCanvas& canvas, IntPoint p) {
    canvas.MoveTo(p.x - kMarkReach, p.y);
    canvas.LineTo(p.x + kMarkReach + 1, p.y);
    canvas.MoveTo(p.x, p.y - kMarkReach);
    canvas.LineTo(p.x, p.y + kMarkReach + 1);
}

}  // namespace

void PhotoCalibration::Start() {
    m_stage = Stage::FirstEnd;
    m_bSameEnd = false;
    m_mouse.reset();
}

void PhotoCalibration::Cancel() {
    m_stage = Stage::Off;
    m_mouse.reset();
}

void PhotoCalibration::Click(IntPoint p) {
    switch (m_stage) {
        case Stage::FirstEnd:
            m_first = p;
            m_stage = Stage::SecondEnd;
            break;
        case Stage::SecondEnd:
            m_bSameEnd = p == m_first;
            if (m_bSameEnd) break;
            m_second = p;
            m_stage = Stage::Distance;
            break;
        case Stage::Off:
        case Stage::Distance:
            break;
    }
}

void PhotoCalibration::Track(IntPoint p) {
    if (m_stage == Stage::SecondEnd) m_mouse = p;
}

double PhotoCalibration::Span() const {
    return std::hypot(static_cast<double>(m_second.x) - m_first.x,
                      static_cast<double>(m_second.y) - m_first.y);
}

std::string_view PhotoCalibration::Prompt() const {
    switch (m_stage) {
        case Stage::FirstEnd:
            return text::kCalibrateFirstPoint;
        case Stage::SecondEnd:
            return m_bSameEnd ? text::kCalibrateSamePoint : text::kCalibrateSecondPoint;
        case Stage::Off:
        case Stage::Distance:
            break;
    }
    return {};
}

void PhotoCalibration::PaintLive(LiveCanvas& canvas) const {
    if (m_stage != Stage::SecondEnd && m_stage != Stage::Distance) return;
    canvas.SetMixMode(MixMode::NotXorPen);
    canvas.SelectPen(kBlackPen);
    Cross(canvas, m_first);
    const std::optional<IntPoint> end = m_stage == Stage::Distance ? m_second : m_mouse;
    if (end && *end != m_first) {
        canvas.MoveTo(m_first.x, m_first.y);
        canvas.LineTo(end->x, end->y);
        Cross(canvas, *end);
    }
    canvas.SetMixMode(MixMode::Copy);
}

IntRect PhotoCalibration::LiveBounds() const {
    if (m_stage != Stage::SecondEnd && m_stage != Stage::Distance) return {};
    const IntPoint end = m_stage == Stage::Distance ? m_second : m_mouse.value_or(m_first);
    const long long reach = kMarkReach + 2;
    return {Saturate(std::min<double>(m_first.x, end.x) - reach),
            Saturate(std::min<double>(m_first.y, end.y) - reach),
            Saturate(std::max<double>(m_first.x, end.x) + reach),
            Saturate(std::max<double>(m_first.y, end.y) + reach)};
}

IntRect ScalePhotoAbout(const IntRect& rc, IntPoint p, double k) {
    auto scaled = [k](std::int32_t v, std::int32_t about) {
        return Saturate(std::round(about + (static_cast<double>(v) - about) * k));
    };
    return {scaled(rc.left, p.x), scaled(rc.top, p.y), scaled(rc.right, p.x),
            scaled(rc.bottom, p.y)};
}

FieldRead<IntRect> CalibratedPhotoRect(const IntRect& rc, int pictureWidth, int pictureHeight,
                                       IntPoint first, double span, std::string_view text,
                                       const UnitSystem& units) {
    // The factors that keep each side's percentage within the dialog's range.
    double smallest = 0.0;
    double largest = std::numeric_limits<double>::infinity();
    auto hold = [&](double side, int pixels) {
        if (side <= 0.0 || pixels <= 0) return;
        const double percent = 100.0 * side / pixels;
        smallest = std::max(smallest, kSmallestPercent / percent);
        largest = std::min(largest, kLargestPercent / percent);
    };
    hold(static_cast<double>(rc.right) - rc.left, pictureWidth);
    hold(static_cast<double>(rc.bottom) - rc.top, pictureHeight);
    // The same bounds as typed distances, rounded inwards to what a field shows.
    const double lo =
        std::max(std::ceil(units.ToDisplay(smallest * span) * 1000.0) / 1000.0, 0.001);
    const double hi = std::min(std::floor(units.ToDisplay(largest * span) * 1000.0) / 1000.0,
                               static_cast<double>(FLT_MAX));
    const FieldRead<float> read =
        ReadNumberField(text, static_cast<float>(lo), static_cast<float>(hi));
    if (!read.value) return {std::nullopt, read.message};
    const IntRect scaled = ScalePhotoAbout(rc, first, units.FromDisplay(*read.value) / span);
    // Rounding a side to whole units may still step over a bound.
    const PhotoPropertiesValues shown = OpenPhotoProperties(scaled, pictureWidth, pictureHeight);
    for (const unsigned percent : {shown.m_nScaleWidth, shown.m_nScaleHeight}) {
        if (percent < kSmallestPercent || percent > kLargestPercent) {
            return {std::nullopt,
                    NumberRangeMessage(static_cast<float>(lo), static_cast<float>(hi))};
        }
    }
    return {scaled, {}};
}

bool ApplyPhotoCalibration(CTavrinEditorDoc& doc, const PhotoCalibration& calibration,
                           std::string_view text, std::string& error) {
    if (!doc.IsPhotoLoaded() || calibration.GetStage() != PhotoCalibration::Stage::Distance) {
        return false;
    }
    const FieldRead<IntRect> read =
        CalibratedPhotoRect(doc.m_rcPhoto, doc.m_picture->Width(), doc.m_picture->Height(),
                            calibration.FirstEnd(), calibration.Span(), text, doc.m_units);
    if (!read.value) {
        error = read.message;
        return false;
    }
    doc.m_rcPhoto = *read.value;
    doc.UpdateAllViews();
    return true;
}

}  // namespace orvanel
