// Host module events: experiments that keep the engine awake, and the end of
// the application.
#include "LumencorV2Device.h"

#include <cwchar>

namespace {

const wchar_t* const kEvents[] = {
    L"KA_MODULEEVENT_ND_ZSTACK_BEFORE_MOVEZ",
    L"KA_MODULEEVENT_ND_ZSTACK_AFTER_MOVEZ",
    L"KA_MODULEEVENT_ND_EXPERIMENT_START",
    L"KA_MODULEEVENT_ILLUMINATION_SEQUENCE_EXPERIMENT_START",
    L"KA_MODULEEVENT_JOB_EXPERIMENT_START",
    L"KA_MODULEEVENT_ND_EXPERIMENT_END",
    L"KA_MODULEEVENT_ILLUMINATION_SEQUENCE_EXPERIMENT_END",
    L"KA_MODULEEVENT_JOB_EXPERIMENT_END",
    L"KA_MODULEEVENT_APP_ASKTOEXIT_AFTER",
};

bool Is(const wchar_t* a, const wchar_t* b) {
    return std::wcscmp(a, b) == 0;
}

} // namespace

void CKaLumencorV2Device::RegisterEvents() {
    DMApi::AppRntm_RegisterConsumer(this);
    for (const wchar_t* name : kEvents)
        DMApi::AppRntm_RegisterEvent(this, name);
}

void CKaLumencorV2Device::UnregisterEvents() {
    for (const wchar_t* name : kEvents)
        DMApi::AppRntm_UnregisterEvent(this, name);
    DMApi::AppRntm_UnregisterConsumer(this);
}

int CKaLumencorV2Device::OnModuleEvent(const wchar_t* name) {
    if (!name) return 0;
    // The Z-stack events only concern an NI-DAQ engine in control mode 1;
    // otherwise they fall through and match nothing below.
    if (m_pNIDAQEngine && m_eLumencorControl == KA_CONTROL_NIDAQ) {
        if (Is(name, L"KA_MODULEEVENT_ND_ZSTACK_BEFORE_MOVEZ")) {
            SetMayMovePiezoZ(true);
            return 0;
        }
        if (Is(name, L"KA_MODULEEVENT_ND_ZSTACK_AFTER_MOVEZ")) {
            SetMayMovePiezoZ(false);
            return 0;
        }
    }
    bool start = Is(name, L"KA_MODULEEVENT_ND_EXPERIMENT_START") ||
                 Is(name, L"KA_MODULEEVENT_ILLUMINATION_SEQUENCE_EXPERIMENT_START") ||
                 Is(name, L"KA_MODULEEVENT_JOB_EXPERIMENT_START");
    bool jobEnd = Is(name, L"KA_MODULEEVENT_JOB_EXPERIMENT_END");
    bool end = jobEnd || Is(name, L"KA_MODULEEVENT_ND_EXPERIMENT_END") ||
               Is(name, L"KA_MODULEEVENT_ILLUMINATION_SEQUENCE_EXPERIMENT_END");
    if (start) {
        m_bInExperiment = true;
        if (Is(name, L"KA_MODULEEVENT_JOB_EXPERIMENT_START")) m_bInJob = true;
        if (m_bWakeUpSupported && m_eStandByMode == KA_STANDBY_OUTSIDE)
            RunOnWorker<&CKaLumencorV2Device::C_WakeUp>(*this);
    } else if (end) {
        if (!m_bInJob || jobEnd) m_bInExperiment = m_bInJob = false;
    } else if (Is(name, L"KA_MODULEEVENT_APP_ASKTOEXIT_AFTER")) {
        if (m_pPad) m_pPad->SetHandle(nullptr);
    }
    return 0;
}
