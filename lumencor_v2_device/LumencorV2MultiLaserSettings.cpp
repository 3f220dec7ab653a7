// The multi-line light source's persisted line settings: used, subset
// membership and power of every line.
#include "LumencorV2Device.h"
#include "LumencorV2MultiLaser.h"

#include "KaSettings.h"

#include <cwchar>

namespace {

const double kDefaultPower = 50.0;

const wchar_t* LineKey(wchar_t (&key)[32], const wchar_t* format, int line) {
    swprintf(key, 32, format, line);
    return key;
}

} // namespace

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetSettings(CKaStringW& settings) {
    wchar_t key[32];
    for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        const SKaLumencorV2Line& line = m_lines[i];
        SetIntToKey(settings, LineKey(key, L"LINEUSED%d", i), line.m_bUsed ? 1 : 0);
        SetIntToKey(settings, LineKey(key, L"LINESUBSET%d", i), line.m_bSubset ? 1 : 0);
        SetDoubleToKey(settings, LineKey(key, L"LINEPOWER%d", i), line.m_dPower);
    }
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetSettings(const wchar_t* settings) {
    SetStatusString(settings);
    if (!settings || !*settings) {
        for (SKaLumencorV2Line& line : m_lines)
            line.m_dPower = kDefaultPower;
        return KA_DM_OK;
    }
    wchar_t key[32];
    for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        double power = kDefaultPower;
        GetDoubleFromKey(settings, LineKey(key, L"LINEPOWER%d", i), power);
        SetLinePower(i, power);
        int value = 0;
        if (GetIntFromKey(settings, LineKey(key, L"LINESUBSET%d", i), value))
            m_lines[i].m_bSubset = value == 1;
        value = 0;
        GetIntFromKey(settings, LineKey(key, L"LINEUSED%d", i), value);
        SetLineUsed(i, value == 1);
    }
    return KA_DM_OK;
}
