#include "LumencorV2PadText.h"

#include "KaClass.h"
#include "KaString.h"

#include <cstdarg>
#include <cwchar>
#include <string>

namespace lumencor {

namespace {

// The conversion letters of a format ("%%" skipped), or false when it uses
// '*' or an unknown conversion. Lengths are not allowed: sources have none.
bool Conversions(const wchar_t* format, std::wstring& letters) {
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') continue;
        while (*p && std::wcschr(L"-+ #0123456789.", *p))
            ++p;
        if (!*p || !std::wcschr(L"dicsfu", *p)) return false;
        letters += *p;
    }
    return true;
}

// The format with %s and %c made explicitly wide (the same on every C
// library).
std::wstring Widened(const wchar_t* format) {
    std::wstring out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%') continue;
        ++p;
        if (*p == L'%') {
            out += *p;
            continue;
        }
        while (*p && std::wcschr(L"-+ #0123456789.", *p))
            out += *p++;
        if (!*p) break;
        if (*p == L's' || *p == L'c') out += L'l';
        out += *p;
    }
    return out;
}

} // namespace

int FormatTranslated(wchar_t* buffer, size_t capacity, const wchar_t* source, ...) {
    if (!buffer || capacity == 0) return 0;
    buffer[0] = L'\0';
    if (!source) return 0;
    std::wstring expected, found;
    if (!Conversions(source, expected)) return 0;
    const wchar_t* translated = KA_GetTranslation(source);
    const wchar_t* format =
        Conversions(translated, found) && found == expected ? translated : source;
    const std::wstring wide = Widened(format);
    // Formatted whole first, then cut to the buffer.
    CKaStringW text;
    va_list args;
    va_start(args, source);
    text.FormatV(wide.c_str(), args);
    va_end(args);
    CopyBounded(buffer, capacity, text);
    return static_cast<int>(std::wcslen(buffer));
}

bool CopyBounded(wchar_t* buffer, size_t capacity, const wchar_t* text) {
    if (!buffer || capacity == 0) return false;
    if (!text) text = L"";
    size_t length = std::wcslen(text);
    const bool fits = length < capacity;
    if (!fits) length = capacity - 1;
    std::wmemcpy(buffer, text, length);
    buffer[length] = L'\0';
    return fits;
}

} // namespace lumencor
