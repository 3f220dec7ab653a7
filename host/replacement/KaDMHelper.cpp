// Setup options, release mode, the cameras, macro registration and the pad
// layout.
#include "KaDMApi.h"
#include "KaHostHooks.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace {

std::mutex g_lock;
bool g_releaseMode = true;

std::map<std::pair<std::wstring, std::wstring>, CKaVariant>& Options() {
    static auto* options = new std::map<std::pair<std::wstring, std::wstring>, CKaVariant>();
    return *options;
}

struct Macros {
    std::map<std::wstring, int> parameters;
    std::map<std::wstring, KaMacroProc> procs;
};

Macros& MacroTable() {
    static auto* table = new Macros();
    return *table;
}

std::map<HWND, std::map<void*, std::wstring>>& Layout() {
    static auto* layout = new std::map<HWND, std::map<void*, std::wstring>>();
    return *layout;
}

} // namespace

bool CKaSimpleDMHelper::GetReleaseMode() {
    std::lock_guard<std::mutex> guard(g_lock);
    return g_releaseMode;
}

void DMApiHooks::SetReleaseMode(bool release) {
    std::lock_guard<std::mutex> guard(g_lock);
    g_releaseMode = release;
}

bool CKaSimpleDMHelper::Qm_GetSetupOption(const wchar_t* section, const wchar_t* key,
                                          CKaVariant* value) {
    if (!section || !key) return false;
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = Options().find({section, key});
    if (it == Options().end()) return false;
    if (value) *value = it->second;
    return true;
}

void DMApiHooks::SetSetupOption(const wchar_t* section, const wchar_t* key,
                                const CKaVariant* value) {
    std::lock_guard<std::mutex> guard(g_lock);
    if (value)
        Options()[{section, key}] = *value;
    else
        Options().erase({section, key});
}

static std::vector<std::wstring>& CameraCalls() {
    static auto* calls = new std::vector<std::wstring>();
    return *calls;
}

void CKaSimpleDMHelper::Qm_CAM_RefreshPFIsForTriggeringFromCameras() {
    std::lock_guard<std::mutex> guard(g_lock);
    CameraCalls().push_back(L"refresh");
}

void CKaSimpleDMHelper::Qm_CAM_SetPFIsForTriggeringToCamera(const wchar_t* terminals, int select) {
    std::lock_guard<std::mutex> guard(g_lock);
    CameraCalls().push_back(std::to_wstring(select) + L": " + (terminals ? terminals : L""));
}

std::vector<std::wstring> DMApiHooks::CameraTriggerCalls() {
    std::lock_guard<std::mutex> guard(g_lock);
    return CameraCalls();
}

namespace {

struct Camera {
    std::wstring className, dmName;
    bool triggerable;
};

// The one capability the cameras here report.
const int kCapabilityExternalTrigger = 1;

std::vector<Camera>& Cameras() {
    static auto* cameras = new std::vector<Camera>();
    return *cameras;
}

// The camera at `index`, or null; the caller holds g_lock.
const Camera* CameraAt(int index) {
    if (index < 0 || index >= static_cast<int>(Cameras().size())) return nullptr;
    return &Cameras()[static_cast<size_t>(index)];
}

} // namespace

int DMApiHooks::Camera_Add(const wchar_t* className, const wchar_t* dmName, bool triggerable) {
    std::lock_guard<std::mutex> guard(g_lock);
    Cameras().push_back({className ? className : L"", dmName ? dmName : L"", triggerable});
    return static_cast<int>(Cameras().size()) - 1;
}

void DMApiHooks::Cameras_Clear() {
    std::lock_guard<std::mutex> guard(g_lock);
    Cameras().clear();
}

int CKaSimpleDMHelper::Qm_CAM_GetCount() {
    std::lock_guard<std::mutex> guard(g_lock);
    return static_cast<int>(Cameras().size());
}

bool CKaSimpleDMHelper::Qm_CAM_GetCapability(int camera, int capability) {
    std::lock_guard<std::mutex> guard(g_lock);
    const Camera* found = CameraAt(camera);
    return found && capability == kCapabilityExternalTrigger && found->triggerable;
}

bool CKaSimpleDMHelper::Qm_CAM_GetClassName(int camera, CKaStringW& text) {
    std::lock_guard<std::mutex> guard(g_lock);
    const Camera* found = CameraAt(camera);
    if (!found) return false;
    text = found->className.c_str();
    return true;
}

bool CKaSimpleDMHelper::Qm_CAM_GetDMName(int camera, CKaStringW& text) {
    std::lock_guard<std::mutex> guard(g_lock);
    const Camera* found = CameraAt(camera);
    if (!found) return false;
    text = found->dmName.c_str();
    return true;
}

int CKaScript::GetParameterIndex(const wchar_t* name) {
    std::lock_guard<std::mutex> guard(g_lock);
    auto& table = MacroTable().parameters;
    auto it = name ? table.find(name) : table.end();
    return it == table.end() ? 0 : it->second;
}

int CKaScript::Register_Parameter(const wchar_t* name, int, int, int, int, int) {
    if (!name) return 0;
    std::lock_guard<std::mutex> guard(g_lock);
    auto& table = MacroTable().parameters;
    auto it = table.find(name);
    if (it != table.end()) return it->second;
    int index = static_cast<int>(table.size()) + 1;
    table[name] = index;
    return index;
}

bool CKaScript::Register_ProcToGroupWithGUIProc(const wchar_t*, const wchar_t* name,
                                                KaMacroProc proc, const wchar_t*, HINSTANCE,
                                                const int*) {
    if (!name || !proc) return false;
    std::lock_guard<std::mutex> guard(g_lock);
    MacroTable().procs[name] = proc;
    return true;
}

bool CKaScript::UnregisterProc_Exe(const wchar_t* name) {
    if (!name) return false;
    std::lock_guard<std::mutex> guard(g_lock);
    return MacroTable().procs.erase(name) > 0;
}

KaMacroProc DMApiHooks::FindMacroProc(const wchar_t* name) {
    if (!name) return nullptr;
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = MacroTable().procs.find(name);
    return it == MacroTable().procs.end() ? nullptr : it->second;
}

void DMApiHooks::ResetMacros() {
    std::lock_guard<std::mutex> guard(g_lock);
    MacroTable().parameters.clear();
    MacroTable().procs.clear();
}

bool CKaGUILayoutManager::AppendControl(HWND controlPad, void* element, int, int, int,
                                        const wchar_t* title) {
    if (!element) return false;
    std::lock_guard<std::mutex> guard(g_lock);
    Layout()[controlPad][element] = title ? title : L"";
    return true;
}

bool CKaGUILayoutManager::Remove(HWND controlPad, void* element) {
    std::lock_guard<std::mutex> guard(g_lock);
    return Layout()[controlPad].erase(element) > 0;
}

int DMApiHooks::CountPadControls(HWND controlPad) {
    std::lock_guard<std::mutex> guard(g_lock);
    return static_cast<int>(Layout()[controlPad].size());
}

int GetCommonImageFromPool(int id) {
    return id >= 1000 ? id - 1000 : -1;
}
