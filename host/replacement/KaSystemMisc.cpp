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

// A string-table resource holds blocks of 16 counted UTF-16 strings.
BOOL CALLBACK LoadBlock(HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR) {
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(6));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    auto* data = static_cast<const wchar_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return TRUE;
    DWORD size = SizeofResource(module, found) / sizeof(wchar_t);
    std::vector<std::wstring> texts;
    for (DWORD i = 0; i < size;) {
        DWORD length = data[i++];
        if (i + length > size) break;
        texts.emplace_back(data + i, length);
        i += length;
    }
    // Pairs of entries: source text, then its translation.
    for (size_t i = 0; i + 1 < texts.size(); i += 2)
        if (!texts[i].empty()) KA_SetTranslation(texts[i].c_str(), texts[i + 1].c_str());
    return TRUE;
}

} // namespace

bool KA_LoadLocaleFromResource(HMODULE module) {
    if (!module) return false;
    EnumResourceNamesW(module, MAKEINTRESOURCEW(6), LoadBlock, 0);
    return true;
}
