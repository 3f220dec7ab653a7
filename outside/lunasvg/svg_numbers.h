// Numbers, lengths and number lists of SVG attributes.
#pragma once

#include <string_view>
#include <vector>

namespace svg {

// Coordinates, lengths and sizes beyond this are taken for a hostile file.
constexpr double kLargestCoordinate = 1e6;

// Reads a number at `at` (after spaces and one comma, when `comma`), leaving
// `at` after it; false when there is none or it is out of range.
bool ReadNumber(std::string_view s, size_t& at, double* value);

// Skips spaces and, at most, one comma.
void SkipSeparator(std::string_view s, size_t& at);

// A whole attribute that is one number; false otherwise.
bool ParseNumber(std::string_view s, double* value);

// A length in user units ("12", "12px", "1.5e1"); percentages are given as
// a fraction of `percentOf`. False for anything else.
bool ParseLength(std::string_view s, double percentOf, double* value);

// Every number of a list separated by spaces and commas; false when the
// list holds anything else.
bool ParseNumberList(std::string_view s, std::vector<double>* values);

std::string_view Trim(std::string_view s);

// True when the text holds a number beyond kLargestCoordinate (or one too
// long to read): geometry of a hostile file.
bool HasHugeNumber(std::string_view s);

} // namespace svg
