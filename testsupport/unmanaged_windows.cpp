#include "unmanaged_windows.h"

#include <windows.h>

#include <string>

namespace testsupport {

void LeaveWindowsUnmanaged() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    std::wstring program(path, n);
    program = program.substr(program.find_last_of(L"\\/") + 1);
    const std::wstring key = L"Software\\Wine\\AppDefaults\\" + program + L"\\X11 Driver";
    HKEY handle;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(handle, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"N"),
                   2 * sizeof(wchar_t));
    RegCloseKey(handle);
}

} // namespace testsupport
