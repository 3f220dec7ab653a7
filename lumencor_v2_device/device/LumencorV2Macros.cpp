// The stand-by macro procedures, their registration, and the device they
// reach.
#include "LumencorV2Macros.h"

#include "KaDMApi.h"
#include "KaHostCodes.h"
#include "LumencorV2Device.h"

#include <condition_variable>
#include <mutex>

namespace {

const wchar_t kGroup[] = L"Device.Lumencor";
const wchar_t kParameter[] = L"Lumencor_StandByMode";
const wchar_t* const kProcedures[] = {L"Stg_Lumencor_SetStandByMode",
                                      L"Stg_Lumencor_GetStandByMode", L"Stg_Lumencor_WakeUp"};
// What the host's macro engine takes for the parameter and the procedures.
const int kParameterType = 5, kParameterLimit = 65535;
const int kProcedureFlags[10] = {1, 1, 0, 0, 0, 0, 5, 1, 8, 1};
// A procedure's answer without a connected device.
const int32_t kNoDevice = -9;

// The current device and the procedures holding it.
std::mutex g_lock;
std::condition_variable g_released;
CKaLumencorV2Device* g_current = nullptr;
int g_holders = 0;

} // namespace

CKaLumencorV2CurrentDevice::CKaLumencorV2CurrentDevice() {
    std::lock_guard<std::mutex> guard(g_lock);
    m_pDevice = g_current;
    if (m_pDevice) ++g_holders;
}

CKaLumencorV2CurrentDevice::~CKaLumencorV2CurrentDevice() {
    if (!m_pDevice) return;
    std::lock_guard<std::mutex> guard(g_lock);
    if (--g_holders == 0) g_released.notify_all();
}

bool CKaLumencorV2CurrentDevice::Claim(CKaLumencorV2Device* device) {
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_current && g_current != device) return false;
    g_current = device;
    return true;
}

bool CKaLumencorV2CurrentDevice::Release(CKaLumencorV2Device* device) {
    std::unique_lock<std::mutex> guard(g_lock);
    if (g_current != device) return false;
    g_current = nullptr;
    g_released.wait(guard, [] { return g_holders == 0; });
    return true;
}

void CKaLumencorV2Device::RegisterMacros() {
    if (!CKaLumencorV2CurrentDevice::Claim(this)) return;
    if (CKaScript::GetParameterIndex(kParameter) < 1)
        CKaScript::Register_Parameter(kParameter, kParameterType, kParameterLimit, 0, 0, 0);
    HINSTANCE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Stg_WakeUp), &module);
    const struct {
        const wchar_t* name;
        KaMacroProc proc;
        const wchar_t* parameter;
    } procs[] = {
        {kProcedures[0], reinterpret_cast<KaMacroProc>(&Stg_SetStandByMode), kParameter},
        {kProcedures[1], reinterpret_cast<KaMacroProc>(&Stg_GetStandByMode), nullptr},
        {kProcedures[2], reinterpret_cast<KaMacroProc>(&Stg_WakeUp), nullptr},
    };
    for (const auto& p : procs)
        CKaScript::Register_ProcToGroupWithGUIProc(kGroup, p.name, p.proc, p.parameter, module,
                                                   kProcedureFlags);
}

// Only the device that registered the procedures takes them away again.
void CKaLumencorV2Device::UnregisterMacros() {
    if (!CKaLumencorV2CurrentDevice::Release(this)) return;
    for (const wchar_t* name : kProcedures)
        CKaScript::UnregisterProc_Exe(name);
}

extern "C" int32_t Stg_SetStandByMode(int32_t mode) {
    CKaLumencorV2CurrentDevice current;
    if (!current.Get()) return kNoDevice;
    current.Get()->MultiLaser().DeviceCommand(KA_CMD_SET_STANDBY_MODE, mode, &mode);
    return 0;
}

extern "C" int32_t Stg_GetStandByMode() {
    CKaLumencorV2CurrentDevice current;
    if (!current.Get()) return 0;
    int32_t mode = 0;
    current.Get()->MultiLaser().DeviceCommand(KA_CMD_GET_STANDBY_MODE, 0, &mode);
    return mode;
}

extern "C" int32_t Stg_WakeUp() {
    CKaLumencorV2CurrentDevice current;
    if (!current.Get()) return kNoDevice;
    int32_t unused = 0;
    current.Get()->MultiLaser().DeviceCommand(KA_CMD_WAKE_UP, 0, &unused);
    return 0;
}
