// The device's persisted settings.
#include "LumencorV2Device.h"

#include "KaDMApi.h"
#include "KaSettings.h"

#include "LumencorV2SettingsKeys.h"

void CKaLumencorV2Device::ReadSettings(const wchar_t* settings) {
    int value = m_eLumencorControl;
    GetIntFromKey(settings, L"m_eLumencorControl", value);
    if (value == KA_CONTROL_VEYRA) {
        CKaVariant allow;
        bool allowed =
            CKaSimpleDMHelper::Qm_GetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &allow) &&
            allow.GetBool();
        if (m_eModelType != KA_MODEL_ZIVA || !allowed) value = KA_CONTROL_USB;
    }
    m_eLumencorControl = value;
    if (GetIntFromKey(settings, L"m_eStandByMode", value)) m_eStandByMode = value;

    ApplyTriggeringSettings(settings);

    int numLines = 0;
    if (GetIntFromKey(settings, L"m_iNumLines", numLines) &&
        numLines == m_multiLaser.GetLineCountValue() && numLines >= 1) {
        for (int i = 0; i < numLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
            if (GetIntFromKey(settings, LineKey(L"uWave%d", i), value))
                m_multiLaser.SetLineWavelength(i, static_cast<unsigned>(value));
        }
    }
    if (GetIntFromKey(settings, L"m_bShowTemperature", value)) m_bShowTemperature = value == 1;
    if (GetIntFromKey(settings, L"m_bShowSubset", value)) m_bShowSubset = value == 1;
    double delay = 0;
    if (GetDoubleFromKey(settings, L"dShutterDelay", delay)) m_shutter.SetDelay(delay);
}

void CKaLumencorV2Device::WriteSettings(CKaStringW& settings) {
    settings.Empty();
    SetIntToKey(settings, L"m_eLumencorControl", m_eLumencorControl);
    SetIntToKey(settings, L"m_eStandByMode", m_eStandByMode);
    WriteTriggeringSettings(settings);
    SetDoubleToKey(settings, L"dShutterDelay", m_shutter.GetDelay());
    const int numLines = m_multiLaser.GetLineCountValue();
    SetIntToKey(settings, L"m_iNumLines", numLines);
    for (int i = 0; i < numLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        unsigned wavelength = 0;
        m_multiLaser.GetLineWavelength(i, &wavelength);
        SetIntToKey(settings, LineKey(L"uWave%d", i), static_cast<int>(wavelength));
    }
    SetIntToKey(settings, L"m_bShowTemperature", m_bShowTemperature ? 1 : 0);
    SetIntToKey(settings, L"m_bShowSubset", m_bShowSubset ? 1 : 0);
}
