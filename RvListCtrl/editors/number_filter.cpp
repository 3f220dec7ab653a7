#include "number_filter.h"

#include "RvListCtrl.h"

#include <climits>
#include <cwchar>
#include <cwctype>

namespace rvl {
namespace {

constexpr wchar_t kOnceOnly[] = L".<=>";

bool IsOperator(wchar_t c) {
    return c == L'<' || c == L'=' || c == L'>';
}

} // namespace

bool NumberTextAllowed(std::wstring_view text, uint32_t flags) {
    int seen[4] = {0, 0, 0, 0};
    for (wchar_t c : text) {
        if (c >= L'0' && c <= L'9') continue;
        if (c == L'-') continue;
        if (c == L'.' && !(flags & FlagFloat)) return false;
        if (IsOperator(c) && !(flags & FlagOperator)) return false;
        const wchar_t* once = std::wcschr(kOnceOnly, c);
        if (!once || c == L'\0') return false;
        if (++seen[once - kOnceOnly] > 1) return false;
    }
    return true;
}

std::wstring NegatedNumber(std::wstring_view text, uint32_t flags) {
    size_t start = 0;
    while (start < text.size() && (IsOperator(text[start]) || std::iswspace(text[start])))
        ++start;
    const std::wstring prefix(text.substr(0, start));
    const std::wstring number(text.substr(start));
    bool digits = false;
    for (wchar_t c : number)
        digits = digits || (c >= L'0' && c <= L'9');
    if (!digits) // nothing to negate yet: the sign alone
        return prefix + (!number.empty() && number[0] == L'-' ? number.substr(1) : L"-" + number);
    wchar_t buffer[400];
    if (flags & FlagFloat) {
        const double value = std::wcstod(number.c_str(), nullptr);
        std::swprintf(buffer, sizeof buffer / sizeof *buffer, L"%lf", -value);
    } else {
        // 64 bits, so that negating the most negative 32-bit value cannot overflow.
        const long long value = std::wcstoll(number.c_str(), nullptr, 10);
        std::swprintf(buffer, sizeof buffer / sizeof *buffer, L"%lld",
                      value == LLONG_MIN ? LLONG_MAX : -value);
    }
    return prefix + buffer;
}

} // namespace rvl
