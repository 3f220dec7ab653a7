// Values under HKLM\Software\Quorvane\Misc\Lumencor SpectraIII.
#include "LumencorV2Registry.h"

#include "LumencorV2Device.h"
#include "LumencorV2Log.h"

#include <cwchar>
#include <vector>

namespace {

// The key, closed when the scope ends.
class CKaRegistryKey {
  public:
    CKaRegistryKey() = default;
    ~CKaRegistryKey() {
        if (m_key) RegCloseKey(m_key);
    }
    CKaRegistryKey(const CKaRegistryKey&) = delete;
    CKaRegistryKey& operator=(const CKaRegistryKey&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

  private:
    HKEY m_key = nullptr;
};

} // namespace

// A value longer than 256 characters is read in full rather than cut.
CKaStringW CKaLumencorV2Device::GetRegistryValueString(const wchar_t* name,
                                                       const wchar_t* defaultValue, bool create) {
    CKaRegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, KEY_READ, key.Out()) == ERROR_SUCCESS) {
        std::vector<wchar_t> buffer(kRegistryValueChars + 1);
        for (int tries = 0; tries < 4; ++tries) {
            DWORD type = 0;
            DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
            LONG result = RegQueryValueExW(key.Get(), name, nullptr, &type,
                                           reinterpret_cast<BYTE*>(buffer.data()), &bytes);
            if (result == ERROR_MORE_DATA) {
                buffer.assign(bytes / sizeof(wchar_t) + 2, 0);
                continue;
            }
            if (result == ERROR_SUCCESS && type == REG_SZ) {
                size_t chars = bytes / sizeof(wchar_t);
                buffer[chars] = 0; // stored values need not be terminated
                m_sLastRegistryValue = CKaStringW(buffer.data(), wcslen(buffer.data()));
                KA_DIAG(false, L"CKaLumencorV2Device::GetRegistryValueString read %ls: %ls", name,
                        m_sLastRegistryValue.GetString());
                return m_sLastRegistryValue;
            }
            break;
        }
    }
    if (create) SetRegistryValueString(name, defaultValue);
    KA_DIAG(false, L"CKaLumencorV2Device::GetRegistryValueString read %ls: %ls", name,
            defaultValue);
    return CKaStringW(defaultValue);
}

LONG CKaLumencorV2Device::SetRegistryValueString(const wchar_t* name, const wchar_t* value) {
    CKaRegistryKey key;
    LONG result = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, KEY_SET_VALUE, key.Out());
    if (result != ERROR_SUCCESS)
        result = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRegistryKey, 0, nullptr, 0, KEY_SET_VALUE,
                                 nullptr, key.Out(), nullptr);
    if (result != ERROR_SUCCESS) return result;
    DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes);
}
