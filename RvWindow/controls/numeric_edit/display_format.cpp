#include "display_format.h"

#include <cstdio>
#include <cwchar>
#include <vector>

namespace rvw {
namespace {

constexpr size_t kMaxDigits = 2;        // of a width or a precision
constexpr size_t kFormattedRoom = 1024; // the longest a checked format can produce, and more

enum class Conversion { Floating, String, Bad };

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Reads one conversion after its '%' (at `at`), leaving `at` after it.
// `converted` receives the conversion as the wide formatter must see it.
Conversion ReadConversion(std::wstring_view f, size_t& at, std::wstring& converted) {
    const size_t start = at;
    while (at < f.size() && std::wcschr(L"-+ #0", f[at]) && f[at] != L'\0')
        ++at;
    size_t digits = 0;
    while (at < f.size() && IsDigit(f[at]) && digits <= kMaxDigits)
        ++at, ++digits;
    if (digits > kMaxDigits) return Conversion::Bad;
    if (at < f.size() && f[at] == L'.') {
        ++at;
        digits = 0;
        while (at < f.size() && IsDigit(f[at]) && digits <= kMaxDigits)
            ++at, ++digits;
        if (digits > kMaxDigits) return Conversion::Bad;
    }
    if (at < f.size() && f[at] == L'l') ++at;
    if (at >= f.size()) return Conversion::Bad;
    const wchar_t c = f[at++];
    std::wstring flagsAndWidth(f.substr(start, at - 1 - start));
    if (std::wcschr(L"fFeEgG", c) && c != L'\0') {
        converted += flagsAndWidth;
        converted += c;
        return Conversion::Floating;
    }
    if (c == L's') {
        // The formatter is told explicitly that the unit is wide: some C
        // libraries take a plain %s in wide formats as an 8-bit string.
        if (!flagsAndWidth.empty() && flagsAndWidth.back() == L'l') flagsAndWidth.pop_back();
        converted += flagsAndWidth;
        converted += L"ls";
        return Conversion::String;
    }
    return Conversion::Bad;
}

// The format as the formatter must see it, or empty when it is unsafe.
bool Convert(std::wstring_view f, std::wstring* converted) {
    int conversions = 0;
    for (size_t at = 0; at < f.size();) {
        const wchar_t c = f[at++];
        if (c == L'\0') return false;
        if (c != L'%') {
            if (converted) converted->push_back(c);
            continue;
        }
        if (at < f.size() && f[at] == L'%') {
            ++at;
            if (converted) converted->append(L"%%");
            continue;
        }
        std::wstring piece = L"%";
        const Conversion kind = ReadConversion(f, at, piece);
        const Conversion expected = conversions == 0 ? Conversion::Floating : Conversion::String;
        if (kind != expected || ++conversions > 2) return false;
        if (converted) converted->append(piece);
    }
    return true;
}

} // namespace

bool IsDisplayFormat(std::wstring_view format) {
    return Convert(format, nullptr);
}

std::wstring FormatDisplay(std::wstring_view format, double number, std::wstring_view unit) {
    std::wstring converted;
    if (!Convert(format, &converted)) return {};
    const std::wstring unitText(unit);
    std::vector<wchar_t> buffer(kFormattedRoom, L'\0');
    const int n =
        std::swprintf(buffer.data(), buffer.size(), converted.c_str(), number, unitText.c_str());
    if (n < 0) return {};
    std::wstring text(buffer.data());
    if (text.size() > kDisplayLength) text.resize(kDisplayLength);
    return text;
}

} // namespace rvw
