#include "LumencorV2PadResources.h"

#include "KaLocale.h"

namespace lumencor {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

const DLGTEMPLATE* FindDialogTemplate(HMODULE module, const wchar_t* name) {
    const LANGID languages[] = {CKaLocale::GetModuleLangId(), CKaLocale::GetSecondaryLangID()};
    for (LANGID language : languages) {
        // FindResourceEx matches the language exactly: no neutral guessing.
        HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5), name, language); // RT_DIALOG
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        if (const void* data = loaded ? LockResource(loaded) : nullptr)
            return static_cast<const DLGTEMPLATE*>(data);
    }
    return nullptr;
}

} // namespace lumencor
