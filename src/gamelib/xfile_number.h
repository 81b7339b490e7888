// Numbers of the text form of .x files.
#pragma once

#include <optional>
#include <string_view>

// A float written as [-]digits[.digits][e[+-]digits] (either digit run may be
// empty, not both), at most 48 characters, an integer part below 2^64 and an
// exponent of at most 38; none for anything else or a value beyond float.
// The value is built the way .x files have always been read here: integer
// part and the first 15 fraction digits rounded separately and added in
// float, then scaled by a float power of ten. It differs from the nearest
// float in the last bit for a few numbers, and meshes keep their exact
// vertices this way.
std::optional<float> ReadXNumber(std::string_view word);
