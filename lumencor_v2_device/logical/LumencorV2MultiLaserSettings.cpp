// The multi-line light source's persisted line settings: used, subset
// membership and power of every line.
#include "LumencorV2Device.h"
#include "LumencorV2MultiLaser.h"
#include "LumencorV2SettingsKeys.h"

#include "KaSettings.h"

namespace {
// Power of a line without a stored one.
const double kDefaultPower = 50.0;
} // namespace

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetSettings(CKaStringW& settings) {
    for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        const SKaLumencorV2Line line = GetLineRecord(i);
        SetIntToKey(settings, LineKey(L"LINEUSED%d", i), line.m_bUsed ? 1 : 0);
        SetIntToKey(settings, LineKey(L"LINESUBSET%d", i), line.m_bSubset ? 1 : 0);
        SetDoubleToKey(settings, LineKey(L"LINEPOWER%d", i), line.m_dPower);
    }
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetSettings(const wchar_t* settings) {
    SetStatusString(settings);
    if (!settings || !*settings) {
        CKaScopedLock dataLock(m_pDevice->DataLock());
        for (SKaLumencorV2Line& line : m_lines)
            line.m_dPower = kDefaultPower;
        return KA_DM_OK;
    }
    for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        double power = kDefaultPower;
        GetDoubleFromKey(settings, LineKey(L"LINEPOWER%d", i), power);
        SetLinePower(i, power);
        int value = 0;
        if (GetIntFromKey(settings, LineKey(L"LINESUBSET%d", i), value)) {
            CKaScopedLock dataLock(m_pDevice->DataLock());
            Line(i).m_bSubset = value == 1;
        }
        value = 0;
        GetIntFromKey(settings, LineKey(L"LINEUSED%d", i), value);
        SetLineUsed(i, value == 1);
    }
    return KA_DM_OK;
}
