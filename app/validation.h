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

#include "app/field_text.h"
#include "document/commands.h"
#include "editor/photo_layout.h"

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

// --- the fields of each page, in the order they are read when the page is left

inline constexpr std::array<FieldRule, 3> kEditorPageFields{{
    {1062, FieldKind::Integer, 1, 20, 1057, 1, 20},    // curve steps
    {1026, FieldKind::Integer, 3, 500, 1017, 3, 500},  // grid size
    {1066, FieldKind::Integer, 1, 10, 1055, 1, 10},    // pen size
}};

inline constexpr std::array<FieldRule, 3> kObjectPageFields{{
    {1051, FieldKind::Integer, 1, 40, 1049, 1, 40},     // 3D curve steps
    {1030, FieldKind::Integer, 3, 200, 1023, 3, 200},   // segments per row
    {1032, FieldKind::Number, 0.001, 20, 1024, 0, 20},  // extrusion height (hidden)
}};

inline constexpr std::array<FieldRule, 2> kPhotoPropertiesFields{{
    {1083, FieldKind::Integer, 5, 500},  // scale height, %
    {1082, FieldKind::Integer, 5, 500},  // scale width, %
}};

inline constexpr int kSmoothShadingCheckBox = 1033;
inline constexpr int kLockAspectCheckBox = 1081;

// The light-position radio buttons in their tab order, which gives their
// index: 0 top left, 1 top, 2 top right, 3 left, 4 right, 5 bottom left,
// 6 bottom, 7 bottom right.
inline constexpr std::array<int, 8> kFrontLightButtons{1074, 1006, 1075, 1067,
                                                       1012, 1064, 1009, 1065};
inline constexpr std::array<int, 8> kBackLightButtons{1059, 1014, 1063, 1052,
                                                      1050, 1056, 1061, 1058};
// The index of a button in its group, -1 when it is not one of them.
int RadioIndex(std::span<const int, 8> group, int control);

// --- exchanging a page's values with its fields' texts, by control

using FieldTexts = std::map<int, std::string>;

// One field of a dialog read in its turn: nothing once an earlier field was
// refused, else the value, or nothing with *error set to this field's refusal.
std::optional<int> ReadIntRule(const FieldTexts& texts, const FieldRule& field,
                               std::optional<FieldError>& error);
std::optional<float> ReadNumberRule(const FieldTexts& texts, const FieldRule& field,
                                    std::optional<FieldError>& error);

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
