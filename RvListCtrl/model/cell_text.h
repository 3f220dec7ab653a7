// Values of typed cells, all kept as text: combo lists, check states,
// progress percentages and dates.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rvl {

// Entries separated by "|"; empty entries between separators are kept, a
// trailing empty one is not.
std::vector<std::wstring> SplitComboList(std::wstring_view text);
std::wstring JoinComboList(const std::vector<std::wstring>& entries);

// The leading decimal integer of a text ("" and garbage read as 0).
int ReadInteger(const std::wstring& text);

std::wstring ProgressText(double percent);      // "%.1lf"
double ProgressValue(const std::wstring& text); // limited to 0 .. 100

// "%04d%02d%02d%02d%02d%02d"; day of week and milliseconds are not kept.
std::wstring DateText(const SYSTEMTIME& date);
// False and an all-zero date for an empty text; missing characters read as 0.
bool ReadDateText(const std::wstring& text, SYSTEMTIME* date);

// The user's short date and time; "" for a date of year 0.
std::wstring LocaleDate(const SYSTEMTIME& date);
std::wstring LocaleTime(const SYSTEMTIME& date);
// A date cell as it is shown: date and time, or one of them by the cell's
// flags; "" for an empty text.
std::wstring DateTimeDisplay(const std::wstring& text, uint32_t flags);

} // namespace rvl
