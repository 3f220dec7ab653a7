// The display formats of numeric edits: printf-style text given by macros,
// checked before use so that no format can read an argument it was not given.
#pragma once

#include <string>
#include <string_view>

namespace rvw {

constexpr size_t kDisplayLength = 127; // characters of a displayed text

// True when `format` has at most two conversions, the first a floating-point
// one (which gets the number) and the second a string one (which gets the
// unit), with widths and precisions of at most two digits and no '*' or '%n'.
bool IsDisplayFormat(std::wstring_view format);

// `format` applied to the number and the unit, cut to kDisplayLength
// characters. `format` must have passed IsDisplayFormat.
std::wstring FormatDisplay(std::wstring_view format, double number, std::wstring_view unit);

} // namespace rvw
