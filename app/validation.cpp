#include "app/validation.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <system_error>

#include "resources/strings.h"

namespace orvanel {

namespace {

std::string_view TextOf(const FieldTexts& texts, int control) {
    const auto it = texts.find(control);
    return it == texts.end() ? std::string_view{} : std::string_view{it->second};
}

}  // namespace

std::optional<int> ReadIntRule(const FieldTexts& texts, const FieldRule& field,
                               std::optional<FieldError>& error) {
    if (error) return std::nullopt;
    FieldRead<int> read = ReadIntField(TextOf(texts, field.control), static_cast<int>(field.lo),
                                       static_cast<int>(field.hi));
    if (!read.value) error = FieldError{field.control, read.message};
    return read.value;
}

std::optional<float> ReadNumberRule(const FieldTexts& texts, const FieldRule& field,
                                    std::optional<FieldError>& error) {
    if (error) return std::nullopt;
    FieldRead<float> read = ReadNumberField(
        TextOf(texts, field.control), static_cast<float>(field.lo), static_cast<float>(field.hi));
    if (!read.value) error = FieldError{field.control, read.message};
    return read.value;
}

int RadioIndex(std::span<const int, 8> group, int control) {
    const auto it = std::find(group.begin(), group.end(), control);
    return it == group.end() ? -1 : static_cast<int>(it - group.begin());
}

FieldTexts EditorPageTexts(const EditorSettingPageValues& v) {
    return {{kEditorPageFields[0].control, FormatIntField(v.m_nEditorSteps)},
            {kEditorPageFields[1].control, FormatIntField(v.m_nGridSize)},
            {kEditorPageFields[2].control, FormatIntField(v.m_nPenSize)}};
}

FieldTexts ObjectPageTexts(const ObjectPageValues& v) {
    return {{kObjectPageFields[0].control, FormatIntField(v.m_nPreviewSteps)},
            {kObjectPageFields[1].control, FormatIntField(v.m_nSections)},
            {kObjectPageFields[2].control, FormatNumberField(v.m_fExtrusionHeight)}};
}

FieldTexts PhotoPropertiesTexts(const PhotoPropertiesValues& v) {
    return {{kPhotoPropertiesFields[0].control, FormatIntField(v.m_nScaleHeight)},
            {kPhotoPropertiesFields[1].control, FormatIntField(v.m_nScaleWidth)}};
}

std::optional<FieldError> ReadEditorPage(const FieldTexts& texts, EditorSettingPageValues& values) {
    std::optional<FieldError> error;
    const std::optional<int> steps = ReadIntRule(texts, kEditorPageFields[0], error);
    const std::optional<int> grid = ReadIntRule(texts, kEditorPageFields[1], error);
    const std::optional<int> pen = ReadIntRule(texts, kEditorPageFields[2], error);
    if (error) return error;
    values.m_nEditorSteps = *steps;
    values.m_nGridSize = *grid;
    values.m_nPenSize = *pen;
    return std::nullopt;
}

std::optional<FieldError> ReadObjectPage(const FieldTexts& texts, ObjectPageValues& values) {
    std::optional<FieldError> error;
    const std::optional<int> steps = ReadIntRule(texts, kObjectPageFields[0], error);
    const std::optional<int> sections = ReadIntRule(texts, kObjectPageFields[1], error);
    const std::optional<float> height = ReadNumberRule(texts, kObjectPageFields[2], error);
    if (error) return error;
    values.m_nPreviewSteps = *steps;
    values.m_nSections = *sections;
    values.m_fExtrusionHeight = *height;
    return std::nullopt;
}

std::optional<FieldError> ReadPhotoProperties(const FieldTexts& texts,
                                              PhotoPropertiesValues& values) {
    std::optional<FieldError> error;
    std::optional<int> height;
    if (!values.m_bLockAspect) height = ReadIntRule(texts, kPhotoPropertiesFields[0], error);
    const std::optional<int> width = ReadIntRule(texts, kPhotoPropertiesFields[1], error);
    if (error) return error;
    if (height) values.m_nScaleHeight = static_cast<unsigned>(*height);
    values.m_nScaleWidth = static_cast<unsigned>(*width);
    return std::nullopt;
}

}  // namespace orvanel
