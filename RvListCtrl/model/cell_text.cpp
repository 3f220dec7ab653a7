#include "cell_text.h"

#include "RvListCtrl.h"

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace rvl {
namespace {

constexpr int kLocaleBuffer = 32; // characters of a formatted date or time

// The decimal number in `count` characters from `from`; missing ones read as 0.
WORD DateField(const std::wstring& text, size_t from, size_t count) {
    unsigned value = 0;
    for (size_t i = from; i < from + count; ++i) {
        const wchar_t c = i < text.size() ? text[i] : L'0';
        value = value * 10 + (c >= L'0' && c <= L'9' ? static_cast<unsigned>(c - L'0') : 0);
    }
    return static_cast<WORD>(value);
}

} // namespace

std::vector<std::wstring> SplitComboList(std::wstring_view text) {
    std::vector<std::wstring> entries;
    size_t start = 0;
    while (start < text.size()) {
        const size_t bar = text.find(L'|', start);
        if (bar == std::wstring_view::npos) {
            entries.emplace_back(text.substr(start));
            break;
        }
        entries.emplace_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    return entries;
}

std::wstring JoinComboList(const std::vector<std::wstring>& entries) {
    std::wstring joined;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i) joined += L'|';
        joined += entries[i];
    }
    return joined;
}

int ReadInteger(const std::wstring& text) {
    return static_cast<int>(std::wcstol(text.c_str(), nullptr, 10));
}

std::wstring ProgressText(double percent) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.1f", percent);
    return buffer;
}

double ProgressValue(const std::wstring& text) {
    const double value = std::wcstod(text.c_str(), nullptr);
    if (!(value > 0)) return 0; // also NaN
    return value > 100 ? 100 : value;
}

std::wstring DateText(const SYSTEMTIME& d) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%04d%02d%02d%02d%02d%02d", d.wYear, d.wMonth, d.wDay, d.wHour,
                  d.wMinute, d.wSecond);
    return buffer;
}

bool ReadDateText(const std::wstring& text, SYSTEMTIME* date) {
    *date = SYSTEMTIME{};
    if (text.empty()) return false;
    date->wYear = DateField(text, 0, 4);
    date->wMonth = DateField(text, 4, 2);
    date->wDay = DateField(text, 6, 2);
    date->wHour = DateField(text, 8, 2);
    date->wMinute = DateField(text, 10, 2);
    date->wSecond = DateField(text, 12, 2);
    return true;
}

std::wstring LocaleDate(const SYSTEMTIME& date) {
    if (date.wYear == 0) return {};
    wchar_t buffer[kLocaleBuffer] = L"";
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer, kLocaleBuffer))
        return {};
    return buffer;
}

std::wstring LocaleTime(const SYSTEMTIME& date) {
    wchar_t buffer[kLocaleBuffer] = L"";
    if (!GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &date, nullptr, buffer, kLocaleBuffer)) return {};
    return buffer;
}

std::wstring DateTimeDisplay(const std::wstring& text, uint32_t flags) {
    if (text.empty()) return {};
    SYSTEMTIME date;
    ReadDateText(text, &date);
    if (flags & FlagDateOnly) return LocaleDate(date);
    if (flags & FlagTimeOnly) return LocaleTime(date);
    return LocaleDate(date) + L" " + LocaleTime(date);
}

} // namespace rvl
