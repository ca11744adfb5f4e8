// An edit field's text read as an integer or a number and held to a range,
// with the program's own messages; and values written back as field text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvanel {

template <class T>
struct FieldRead {
    std::optional<T> value;
    std::string message;  // empty when the value is there
};

// An integer: optional blanks around an optionally signed run of digits.
FieldRead<int> ReadIntField(std::string_view text, int lo, int hi);
// A decimal number, with an optional exponent.
FieldRead<float> ReadNumberField(std::string_view text, float lo, float hi);

// How a value is written into its field; a number reads back as the same value.
std::string FormatIntField(long long value);
std::string FormatNumberField(float value);

// "%1" and "%2" of a message replaced by the bounds.
std::string FillBounds(std::string_view pattern, std::string_view lo, std::string_view hi);

// "Enter an integer between 3 and 500.", "Enter a number between 0.001 and 20."
std::string IntRangeMessage(long long lo, long long hi);
std::string NumberRangeMessage(float lo, float hi);

}  // namespace orvanel
