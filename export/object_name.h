// The name an export gives its object, made from the file's title: a title
// that is already a name of the format, and not one of its keywords, stays as
// it is; otherwise each character that may not stand in a name becomes "_",
// and a leading digit or a keyword gets a "_" before it.
#pragma once

#include <string>
#include <string_view>

namespace orvanel {

// A POV-Ray identifier: ASCII letters, digits and "_", not starting with a
// digit, and none of the scene language's reserved words.
std::string PovObjectName(std::string_view title);

// A VRML 2.0 node name: any UTF-8 character but blanks, control characters
// and " # ' , . [ \ ] { }, not starting with a digit, "+" or "-", and none of
// the file format's keywords.
std::string VrmlObjectName(std::string_view title);

}  // namespace orvanel
