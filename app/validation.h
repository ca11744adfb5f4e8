// The dialogs' field check: an edit field's text read as an integer or a
// number and held to its range, with the program's own messages, and the
// tables of the fields of the settings sheet and the photo properties dialog.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "document/commands.h"
#include "document/ranges.h"
#include "editor/photo_properties.h"
#include "export/field_text.h"
#include "resources/ids.h"

namespace orvanel {

enum class FieldKind { Integer, Number };

// One edit field: its control, what it holds and its valid range, and the spin
// button beside it with the range the spin button moves in (0: none).
struct FieldRule {
    int control;
    FieldKind kind;
    double lo;
    double hi;
    int spin = 0;
    int spinLo = 0;
    int spinHi = 0;
};

// A refused field: the dialog shows the message and stays open, with the
// focus on the field.
struct FieldError {
    int control;
    std::string message;
    friend bool operator==(const FieldError&, const FieldError&) = default;
};

// An integer field whose spin button moves in the field's own range.
constexpr FieldRule IntField(int control, IntRange range, int spin) {
    return {control,
            FieldKind::Integer,
            static_cast<double>(range.lo),
            static_cast<double>(range.hi),
            spin,
            range.lo,
            range.hi};
}

// --- the fields of each page, in the order they are read when the page is left

inline constexpr std::array<FieldRule, 3> kEditorPageFields{{
    IntField(id::kEditorStepsField, kEditorStepsRange, id::kEditorStepsSpin),
    IntField(id::kGridSizeField, kGridSizeRange, id::kGridSizeSpin),
    IntField(id::kPenSizeField, kPenSizeRange, id::kPenSizeSpin),
}};

inline constexpr std::array<FieldRule, 3> kObjectPageFields{{
    IntField(id::kPreviewStepsField, kPreviewStepsRange, id::kPreviewStepsSpin),
    IntField(id::kSectionsField, kSectionsRange, id::kSectionsSpin),
    // The extrusion height (hidden); its spin button starts at 0.
    {id::kExtrusionHeightField, FieldKind::Number, kExtrusionHeightRange.lo,
     kExtrusionHeightRange.hi, id::kExtrusionHeightSpin, 0,
     static_cast<int>(kExtrusionHeightRange.hi)},
}};

inline constexpr std::array<FieldRule, 2> kPhotoPropertiesFields{{
    {id::kScaleHeightField, FieldKind::Integer, 5, 500},  // percent
    {id::kScaleWidthField, FieldKind::Integer, 5, 500},
}};

// The index of a button in its group, -1 when it is not one of them.
int RadioIndex(std::span<const int, 8> group, int control);

// --- exchanging a page's values with its fields' texts, by control

using FieldTexts = std::map<int, std::string>;

FieldTexts EditorPageTexts(const EditorSettingPageValues& values);
FieldTexts ObjectPageTexts(const ObjectPageValues& values);
FieldTexts PhotoPropertiesTexts(const PhotoPropertiesValues& values);

// Each reads the page's fields in order and stores them only when all pass;
// otherwise returns the first refusal and leaves the values alone. The check
// boxes and radio buttons are the dialog's to copy.
std::optional<FieldError> ReadEditorPage(const FieldTexts& texts, EditorSettingPageValues& values);
std::optional<FieldError> ReadObjectPage(const FieldTexts& texts, ObjectPageValues& values);
// With the aspect locked, the height field is disabled and its value unused,
// so it is not read either.
std::optional<FieldError> ReadPhotoProperties(const FieldTexts& texts,
                                              PhotoPropertiesValues& values);

}  // namespace orvanel
