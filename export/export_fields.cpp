#include "export/export_fields.h"

namespace orvanel {

FieldTexts VrmlOptionsTexts(const VrmlOptions& o) {
    const auto& [sections, steps, shininess, transparency, smoothing, hole] = kVrmlOptionsFields;
    return {{sections.control, FormatIntField(o.nSections)},
            {steps.control, FormatIntField(o.nSteps)},
            {shininess.control, FormatNumberField(o.fShininess)},
            {transparency.control, FormatNumberField(o.fTransparency)},
            {smoothing.control, FormatIntField(o.nSmoothingAngle)},
            {hole.control, FormatIntField(o.nHoleRadius)}};
}

FieldTexts StlOptionsTexts(const StlOptions& o) {
    const auto& [sections, steps] = kStlOptionsFields;
    return {{sections.control, FormatIntField(o.nSections)},
            {steps.control, FormatIntField(o.nSteps)}};
}

std::optional<FieldError> ReadVrmlOptions(const FieldTexts& texts, VrmlOptions& options) {
    const auto& [sections, steps, shininess, transparency, smoothing, hole] = kVrmlOptionsFields;
    std::optional<FieldError> error;
    const std::optional<int> nSections = ReadIntRule(texts, sections, error);
    const std::optional<int> nSteps = ReadIntRule(texts, steps, error);
    const std::optional<float> fShininess = ReadNumberRule(texts, shininess, error);
    const std::optional<float> fTransparency = ReadNumberRule(texts, transparency, error);
    const std::optional<int> nSmoothing = ReadIntRule(texts, smoothing, error);
    const std::optional<int> nHole = ReadIntRule(texts, hole, error);
    if (error) return error;
    options.nSections = *nSections;
    options.nSteps = *nSteps;
    options.fShininess = *fShininess;
    options.fTransparency = *fTransparency;
    options.nSmoothingAngle = *nSmoothing;
    options.nHoleRadius = *nHole;
    return std::nullopt;
}

std::optional<FieldError> ReadStlOptions(const FieldTexts& texts, StlOptions& options) {
    const auto& [sections, steps] = kStlOptionsFields;
    std::optional<FieldError> error;
    const std::optional<int> nSections = ReadIntRule(texts, sections, error);
    const std::optional<int> nSteps = ReadIntRule(texts, steps, error);
    if (error) return error;
    options.nSections = *nSections;
    options.nSteps = *nSteps;
    return std::nullopt;
}

}  // namespace orvanel
