// Host module events, the stand-by macro procedures and the device they reach.
#include "LumencorV2Device.h"

#include "KaSystem.h"

#include <cwchar>
#include <mutex>

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

const wchar_t* const kProcedures[] = {L"Stg_Lumencor_SetStandByMode",
                                      L"Stg_Lumencor_GetStandByMode", L"Stg_Lumencor_WakeUp"};

// The device the macro procedures reach. Set by the device that registers
// them and cleared when it disconnects or is destroyed, so it never dangles.
std::mutex g_currentLock;
CKaLumencorV2Device* g_current = nullptr;

bool Is(const wchar_t* a, const wchar_t* b) {
    return std::wcscmp(a, b) == 0;
}

} // namespace

CKaLumencorV2Device* LumencorV2CurrentDevice() {
    std::lock_guard<std::mutex> guard(g_currentLock);
    return g_current;
}

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
    // The Z-stack events only concern an NI-DAQ engine in control mode 1.
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
            CallBack(&WakeUpThunk, reinterpret_cast<uint64_t>(this), 0, 0, 0);
    } else if (end) {
        if (!m_bInJob || jobEnd) m_bInExperiment = m_bInJob = false;
    } else if (Is(name, L"KA_MODULEEVENT_APP_ASKTOEXIT_AFTER")) {
        if (m_pPad) m_pPad->SetHandle(nullptr);
    }
    return 0;
}

void CKaLumencorV2Device::RegisterMacros() {
    {
        std::lock_guard<std::mutex> guard(g_currentLock);
        if (g_current && g_current != this) return;
        g_current = this;
    }
    if (CKaScript::GetParameterIndex(L"Lumencor_StandByMode") < 1)
        CKaScript::Register_Parameter(L"Lumencor_StandByMode", 5, 65535, 0, 0, 0);
    static const int flags[10] = {1, 1, 0, 0, 0, 0, 5, 1, 8, 1};
    HINSTANCE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&LumencorV2CurrentDevice), &module);
    const struct {
        const wchar_t* name;
        KaMacroProc proc;
        const wchar_t* parameter;
    } procs[] = {
        {kProcedures[0], reinterpret_cast<KaMacroProc>(&Stg_SetStandByMode),
         L"Lumencor_StandByMode"},
        {kProcedures[1], reinterpret_cast<KaMacroProc>(&Stg_GetStandByMode), nullptr},
        {kProcedures[2], reinterpret_cast<KaMacroProc>(&Stg_WakeUp), nullptr},
    };
    for (const auto& p : procs)
        CKaScript::Register_ProcToGroupWithGUIProc(L"Device.Lumencor", p.name, p.proc, p.parameter,
                                                   module, flags);
}

// Only the device that registered the procedures takes them away again.
void CKaLumencorV2Device::UnregisterMacros() {
    {
        std::lock_guard<std::mutex> guard(g_currentLock);
        if (g_current != this) return;
        g_current = nullptr;
    }
    for (const wchar_t* name : kProcedures)
        CKaScript::UnregisterProc_Exe(name);
}

extern "C" int32_t Stg_SetStandByMode(int32_t mode) {
    CKaLumencorV2Device* device = LumencorV2CurrentDevice();
    if (!device) return -9;
    device->MultiLaser().DeviceCommand(0xC019, mode, &mode);
    return 0;
}

extern "C" int32_t Stg_GetStandByMode() {
    CKaLumencorV2Device* device = LumencorV2CurrentDevice();
    if (!device) return 0;
    int32_t mode = 0;
    device->MultiLaser().DeviceCommand(0xC018, 0, &mode);
    return mode;
}

extern "C" int32_t Stg_WakeUp() {
    CKaLumencorV2Device* device = LumencorV2CurrentDevice();
    if (!device) return -9;
    int32_t unused = 0;
    device->MultiLaser().DeviceCommand(0xC01A, 0, &unused);
    return 0;
}
