// The typing rules of number cells (FlagNumber or FlagFloat).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rvl {

// Whether a field of a number cell may hold `text`: digits and "-" always;
// "." only with FlagFloat; "<", "=", ">" only with FlagOperator; at most one
// each of ".", "<", "=", ">".
bool NumberTextAllowed(std::wstring_view text, uint32_t flags);

// The text with its value negated, as "-" does with FlagNegative: "%lf"
// with FlagFloat, else a whole number. A leading comparison ("<", "=",
// ">") stays in front; a text without digits only gains or loses its sign.
std::wstring NegatedNumber(std::wstring_view text, uint32_t flags);

} // namespace rvl
