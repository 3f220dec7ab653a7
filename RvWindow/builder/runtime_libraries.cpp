#include "runtime_libraries.h"

#include "rv_module.h"

#include <string>

namespace rvw {
namespace {

HMODULE g_richEdit = nullptr;
HMODULE g_listLibrary = nullptr;
HMODULE g_macroEngine = nullptr;

// The full path of `module`, however long.
std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

HINSTANCE ThisModule() {
    return rv::ThisModule();
}

bool LoadRichEdit() {
    if (!g_richEdit) g_richEdit = LoadLibraryW(L"msftedit.dll");
    return g_richEdit != nullptr;
}

std::wstring BesideThisLibrary(const wchar_t* fileName) {
    std::wstring path = ModulePath(ThisModule());
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    path.resize(slash + 1);
    return path + fileName;
}

bool LoadListLibrary() {
    if (g_listLibrary) return true;
    const std::wstring path = BesideThisLibrary(L"RvListCtrl.dll");
    if (path.empty()) return false;
    g_listLibrary = LoadLibraryW(path.c_str());
    return g_listLibrary != nullptr;
}

void* MacroEngineEntry(const char* name) {
    if (!g_macroEngine) g_macroEngine = LoadLibraryW(L"hx_macro_engine.dll");
    return g_macroEngine ? reinterpret_cast<void*>(GetProcAddress(g_macroEngine, name)) : nullptr;
}

} // namespace rvw
