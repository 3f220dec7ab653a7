#include "KaSystem.h"

#include "KaClass.h"
#include "KaHostHooks.h"

#include <cwchar>
#include <string>
#include <vector>

BOOL KA_PostMessageImpl(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char*, int) {
    if (!window) return FALSE;
    return PostMessageW(window, message, wParam, lParam);
}

namespace {

// A string-table block holds 16 counted UTF-16 strings: pairs of entries,
// source text then its translation in the block's language.
void LoadBlock(HMODULE module, LPCWSTR name, WORD language) {
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6), name, language);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto* data = static_cast<const wchar_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return;
    DWORD size = SizeofResource(module, found) / sizeof(wchar_t);
    std::vector<std::wstring> texts;
    for (DWORD i = 0; i < size;) {
        DWORD length = data[i++];
        if (i + length > size) break;
        texts.emplace_back(data + i, length);
        i += length;
    }
    for (size_t i = 0; i + 1 < texts.size(); i += 2)
        if (!texts[i].empty())
            KA_SetTranslationFor(language, texts[i].c_str(), texts[i + 1].c_str());
}

BOOL CALLBACK OnLanguage(HMODULE module, LPCWSTR, LPCWSTR name, WORD language, LONG_PTR) {
    LoadBlock(module, name, language);
    return TRUE;
}

BOOL CALLBACK OnBlock(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR) {
    EnumResourceLanguagesW(module, type, name, OnLanguage, 0);
    return TRUE;
}

} // namespace

bool KA_LoadLocaleFromResource(HMODULE module) {
    if (!module) return false;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(6), OnBlock, 0);
    return true;
}
