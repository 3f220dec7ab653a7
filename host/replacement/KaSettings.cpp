#include "KaSettings.h"

#include <cerrno>
#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring Escape(const wchar_t* text, bool key) {
    std::wstring out;
    for (const wchar_t* p = text ? text : L""; *p; ++p) {
        switch (*p) {
        case L'\\':
            out += L"\\\\";
            break;
        case L'\n':
            out += L"\\n";
            break;
        case L'\r':
            out += L"\\r";
            break;
        case L'=':
            out += key ? L"\\=" : L"=";
            break;
        default:
            out += *p;
        }
    }
    return out;
}

// Reads one escaped field up to `stop` (unescaped) or the end of the line.
const wchar_t* Unescape(const wchar_t* p, wchar_t stop, std::wstring& out) {
    out.clear();
    while (*p && *p != L'\n' && *p != stop) {
        if (*p == L'\\' && p[1]) {
            ++p;
            out += *p == L'n' ? L'\n' : *p == L'r' ? L'\r' : *p;
        } else {
            out += *p;
        }
        ++p;
    }
    return p;
}

bool Lookup(const wchar_t* settings, const wchar_t* key, std::wstring& value) {
    if (!settings || !key) return false;
    bool found = false;
    std::wstring entryKey, entryValue;
    for (const wchar_t* p = settings; *p;) {
        p = Unescape(p, L'=', entryKey);
        if (*p == L'=') {
            p = Unescape(p + 1, L'\n', entryValue);
            if (entryKey == key) {
                value = entryValue;
                found = true;
            }
        }
        while (*p && *p != L'\n')
            ++p;
        if (*p == L'\n') ++p;
    }
    return found;
}

void Append(CKaStringW& settings, const wchar_t* key, const std::wstring& value) {
    std::wstring line = Escape(key, true) + L"=" + Escape(value.c_str(), false) + L"\n";
    settings.Append(line.c_str(), line.size());
}

} // namespace

int GetIntFromKey(const wchar_t* settings, const wchar_t* key, int& value) {
    std::wstring text;
    if (!Lookup(settings, key, text)) return 0;
    wchar_t* end = nullptr;
    errno = 0;
    long parsed = std::wcstol(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE) return 0;
    value = static_cast<int>(parsed);
    return 1;
}

int GetDoubleFromKey(const wchar_t* settings, const wchar_t* key, double& value) {
    std::wstring text;
    if (!Lookup(settings, key, text)) return 0;
    wchar_t* end = nullptr;
    double parsed = std::wcstod(text.c_str(), &end);
    if (end == text.c_str()) return 0;
    value = parsed;
    return 1;
}

int GetStringFromKey(const wchar_t* settings, const wchar_t* key, CKaStringW& value) {
    std::wstring text;
    if (!Lookup(settings, key, text)) return 0;
    value = CKaStringW(text.c_str(), text.size());
    return 1;
}

void SetIntToKey(CKaStringW& settings, const wchar_t* key, int value) {
    Append(settings, key, std::to_wstring(value));
}

void SetDoubleToKey(CKaStringW& settings, const wchar_t* key, double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    std::wstring wide(text, text + std::char_traits<char>::length(text));
    Append(settings, key, wide);
}

void SetStringToKey(CKaStringW& settings, const wchar_t* key, const wchar_t* value) {
    Append(settings, key, value ? value : L"");
}
