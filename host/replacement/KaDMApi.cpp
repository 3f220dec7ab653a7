#include "KaDMApi.h"
#include "KaHostHooks.h"

#include "KaHostCodes.h"
#include "KaLogicalDevice.h"
#include "KaPhysicalDevice.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace {

// A registered logical device. Its kind (the interface name) is read once at
// registration, so that queries by kind never call into a device; entries
// of other devices (LogDev_AddForeign) carry only a kind and a key.
struct LogicalEntry {
    int id;
    IKaLogicalDevice* device;
    int physDevId;
    std::wstring key;
    std::wstring interfaceName;
    bool enabled = true;
};

struct PhysicalEntry {
    int id;
    IKaPhysicalDevice* device;
    std::wstring key;
    HWND controlPad = nullptr;
    // What the device's configuration dialog wrote last.
    std::wstring settings;
};

struct Registration {
    IKaDMApiPluginNotification* consumer;
    std::wstring event;
};

struct Manager {
    std::recursive_mutex lock;
    int logCommunication = 0;
    int nextId = 1;
    std::vector<PhysicalEntry> physical;
    std::vector<LogicalEntry> logical;
    std::vector<IKaDMApiPluginNotification*> consumers;
    std::vector<Registration> registrations;
    std::map<int, std::pair<int, SKaDeviceNotification>> notifications;
    std::vector<std::pair<int, SKaDeviceNotification>> received;
    int refreshCount = 0;
    DMApiHooks::ConfigureSink configureSink = nullptr;
    void* configureContext = nullptr;
};

Manager& M() {
    static auto* manager = new Manager();
    return *manager;
}

typedef std::lock_guard<std::recursive_mutex> Guard;

LogicalEntry* FindLogical(int id) {
    for (auto& entry : M().logical)
        if (entry.id == id) return &entry;
    return nullptr;
}

std::wstring InterfaceNameOf(IKaLogicalDevice* device) {
    CKaStringW name;
    if (device->GetInterfaceName(name) != KA_DM_OK) return std::wstring();
    return name.GetString();
}

PhysicalEntry* FindPhysical(int id) {
    for (auto& entry : M().physical)
        if (entry.id == id) return &entry;
    return nullptr;
}

void HostNotification(int32_t code, const SKaDeviceNotification* record, int32_t) {
    Guard guard(M().lock);
    auto& slot = M().notifications[code];
    ++slot.first;
    if (record) slot.second = *record;
    M().received.emplace_back(code, record ? *record : SKaDeviceNotification());
}

} // namespace

int DMApi::GetLogCommunication() {
    Guard guard(M().lock);
    return M().logCommunication;
}

void DMApiHooks::SetLogCommunication(int value) {
    Guard guard(M().lock);
    M().logCommunication = value;
}

int DMApiHooks::PhysDev_Add(IKaPhysicalDevice* device, const wchar_t* key) {
    if (!device) return 0;
    Guard guard(M().lock);
    int id = M().nextId++;
    M().physical.push_back({id, device, key ? key : L"", nullptr, L""});
    device->SetPhysDevID(id);
    CKaLogicalDeviceList list;
    device->GetLogicalDevices(list);
    for (int i = 0; i < list.GetCount(); ++i) {
        int logId = M().nextId++;
        std::wstring logKey = std::wstring(key ? key : L"") + L"." + std::to_wstring(i);
        M().logical.push_back({logId, list.Get(i), id, logKey, InterfaceNameOf(list.Get(i))});
        list.Get(i)->SetDeviceID(logId);
    }
    return id;
}

int DMApiHooks::LogDev_Add(IKaLogicalDevice* device, const wchar_t* key) {
    if (!device) return 0;
    Guard guard(M().lock);
    int id = M().nextId++;
    M().logical.push_back({id, device, 0, key ? key : L"", InterfaceNameOf(device)});
    device->SetDeviceID(id);
    return id;
}

int DMApiHooks::LogDev_AddForeign(const wchar_t* interfaceName, const wchar_t* key) {
    Guard guard(M().lock);
    int id = M().nextId++;
    M().logical.push_back({id, nullptr, 0, key ? key : L"", interfaceName ? interfaceName : L""});
    return id;
}

void DMApiHooks::LogDev_Remove(IKaLogicalDevice* device) {
    // Foreign entries have no device: they go only with Reset.
    if (!device) return;
    Guard guard(M().lock);
    auto& logical = M().logical;
    logical.erase(std::remove_if(logical.begin(), logical.end(),
                                 [device](const LogicalEntry& e) { return e.device == device; }),
                  logical.end());
}

namespace {

// The piezo drive's logical device: only its two commands.
class CKaPiezoDevice : public CKaLogicalDevice_Default {
  public:
    explicit CKaPiezoDevice(void* abstraction) : m_abstraction(abstraction) {}
    EDeviceManagerReturnCode DeviceCommand(int code, int64_t, void* out) override {
        if (!out) return KA_DM_OK;
        if (code == KA_CMD_GET_TRIGGERING) {
            *static_cast<void**>(out) = m_abstraction;
        } else if (code == KA_CMD_GET_SEQUENCE_STATE) {
            *static_cast<int32_t*>(out) = 1;
        } else {
            return KA_DM_NOT_SUPPORTED;
        }
        return KA_DM_OK;
    }

  private:
    void* m_abstraction;
};

} // namespace

int DMApiHooks::LogDev_AddPiezo(const wchar_t* key, void* piezoAbstraction) {
    return LogDev_Add(new CKaPiezoDevice(piezoAbstraction), key);
}

void DMApiHooks::LogDev_RemovePiezo(int logDevId) {
    IKaLogicalDevice* device = nullptr;
    {
        Guard guard(M().lock);
        LogicalEntry* entry = FindLogical(logDevId);
        if (entry) device = entry->device;
    }
    auto* piezo = dynamic_cast<CKaPiezoDevice*>(device);
    if (!piezo) return;
    LogDev_Remove(piezo);
    delete piezo;
}

int DMApi::LogDev_CustomCommand(int logDevId, int code, int64_t value, void* out) {
    IKaLogicalDevice* device = nullptr;
    {
        Guard guard(M().lock);
        LogicalEntry* entry = FindLogical(logDevId);
        if (entry) device = entry->device;
    }
    return device ? device->DeviceCommand(code, value, out) : KA_DM_NOT_AVAILABLE;
}

void DMApiHooks::PhysDev_Remove(IKaPhysicalDevice* device) {
    Guard guard(M().lock);
    auto& physical = M().physical;
    for (auto it = physical.begin(); it != physical.end(); ++it) {
        if (it->device != device) continue;
        int id = it->id;
        auto& logical = M().logical;
        logical.erase(std::remove_if(logical.begin(), logical.end(),
                                     [id](const LogicalEntry& e) { return e.physDevId == id; }),
                      logical.end());
        physical.erase(it);
        return;
    }
}

bool DMApi::PhysDev_GetKey(int physDevId, CKaStringW& key) {
    Guard guard(M().lock);
    PhysicalEntry* entry = FindPhysical(physDevId);
    if (!entry) return false;
    key = entry->key.c_str();
    return true;
}

HWND DMApi::PhysDev_GetControlPad(int physDevId) {
    Guard guard(M().lock);
    PhysicalEntry* entry = FindPhysical(physDevId);
    return entry ? entry->controlPad : nullptr;
}

void DMApiHooks::PhysDev_SetControlPad(int physDevId, HWND pad) {
    Guard guard(M().lock);
    if (PhysicalEntry* entry = FindPhysical(physDevId)) entry->controlPad = pad;
}

// The host's configuration entry: the device's dialog, then, after OK, the
// device configured with what the dialog wrote, which the host keeps.
int DMApi::PhysDev_Configure(int physDevId, HWND parent) {
    IKaPhysicalDevice* device = nullptr;
    CKaStringW settings;
    {
        Guard guard(M().lock);
        if (PhysicalEntry* entry = FindPhysical(physDevId)) {
            device = entry->device;
            settings = entry->settings.c_str();
        }
    }
    if (!device) return KA_DM_NOT_AVAILABLE;
    int result = device->ShowDeviceConfigurationDialog(settings, parent);
    if (result == KA_DM_OK) {
        {
            Guard guard(M().lock);
            if (PhysicalEntry* entry = FindPhysical(physDevId))
                entry->settings = settings.GetString();
        }
        result = device->ConfigureDevice(settings, 0);
    }
    DMApiHooks::ConfigureSink sink = nullptr;
    void* context = nullptr;
    {
        Guard guard(M().lock);
        sink = M().configureSink;
        context = M().configureContext;
    }
    if (sink) sink(context, physDevId, result, settings.GetString());
    return result;
}

bool DMApiHooks::PhysDev_GetSettings(int physDevId, CKaStringW& settings) {
    Guard guard(M().lock);
    PhysicalEntry* entry = FindPhysical(physDevId);
    if (!entry) return false;
    settings = entry->settings.c_str();
    return true;
}

void DMApiHooks::SetConfigureSink(ConfigureSink sink, void* context) {
    Guard guard(M().lock);
    M().configureSink = sink;
    M().configureContext = context;
}

int DMApi::LogDev_GetId(IKaLogicalDevice* device) {
    if (!device) return 0;
    Guard guard(M().lock);
    for (auto& entry : M().logical)
        if (entry.device == device) return entry.id;
    return 0;
}

int DMApi::LogDev_GetCount() {
    Guard guard(M().lock);
    return static_cast<int>(M().logical.size());
}

int DMApi::LogDev_GetIdAt(int index) {
    Guard guard(M().lock);
    if (index < 0 || index >= static_cast<int>(M().logical.size())) return 0;
    return M().logical[static_cast<size_t>(index)].id;
}

bool DMApi::LogDev_GetKey(int logDevId, CKaStringW& key) {
    Guard guard(M().lock);
    LogicalEntry* entry = FindLogical(logDevId);
    if (!entry) return false;
    key = entry->key.c_str();
    return true;
}

bool DMApi::LogDev_SetKey(int logDevId, const wchar_t* key) {
    if (!key || !*key) return false;
    Guard guard(M().lock);
    LogicalEntry* entry = FindLogical(logDevId);
    if (!entry) return false;
    entry->key = key;
    return true;
}

namespace {
const wchar_t kShutterInterface[] = L"IDeviceShutter";
const wchar_t kMultiLaserInterface[] = L"IDeviceMultiLaser";

int FindIdByKindAndKey(const wchar_t* interfaceName, const wchar_t* key) {
    if (!key) return 0;
    Guard guard(M().lock);
    for (const auto& entry : M().logical)
        if (entry.interfaceName == interfaceName && entry.key == key) return entry.id;
    return 0;
}
} // namespace

int DMApi::Shutter_GetIdByKey(const wchar_t* key) {
    return FindIdByKindAndKey(kShutterInterface, key);
}

int DMApi::MultiLaser_GetIdByKey(const wchar_t* key) {
    return FindIdByKindAndKey(kMultiLaserInterface, key);
}

bool DMApi::LogDev_GetEnabled(int logDevId) {
    Guard guard(M().lock);
    LogicalEntry* entry = FindLogical(logDevId);
    return entry && entry->enabled;
}

void DMApiHooks::LogDev_SetEnabled(int logDevId, bool enabled) {
    Guard guard(M().lock);
    if (LogicalEntry* entry = FindLogical(logDevId)) entry->enabled = enabled;
}

// Every registered device is shown; an enabled one is active.
bool DMApi::LogDev_GetVisible(int logDevId) {
    Guard guard(M().lock);
    return FindLogical(logDevId) != nullptr;
}

bool DMApi::LogDev_GetActive(int logDevId) {
    return LogDev_GetEnabled(logDevId);
}

int DMApi::LogDev_GetPhysDevId(int logDevId) {
    Guard guard(M().lock);
    LogicalEntry* entry = FindLogical(logDevId);
    return entry ? entry->physDevId : 0;
}

IKaLogicalDevice* DMApiHooks::LogDev_Get(int logDevId) {
    Guard guard(M().lock);
    LogicalEntry* entry = FindLogical(logDevId);
    return entry ? entry->device : nullptr;
}

bool DMApi::AppRntm_RegisterConsumer(IKaDMApiPluginNotification* consumer) {
    if (!consumer) return false;
    Guard guard(M().lock);
    auto& consumers = M().consumers;
    if (std::find(consumers.begin(), consumers.end(), consumer) == consumers.end())
        consumers.push_back(consumer);
    return true;
}

bool DMApi::AppRntm_UnregisterConsumer(IKaDMApiPluginNotification* consumer) {
    Guard guard(M().lock);
    auto& consumers = M().consumers;
    auto it = std::find(consumers.begin(), consumers.end(), consumer);
    if (it == consumers.end()) return false;
    consumers.erase(it);
    auto& regs = M().registrations;
    regs.erase(std::remove_if(regs.begin(), regs.end(),
                              [consumer](const Registration& r) { return r.consumer == consumer; }),
               regs.end());
    return true;
}

bool DMApi::AppRntm_RegisterEvent(IKaDMApiPluginNotification* consumer, const wchar_t* name) {
    if (!consumer || !name) return false;
    Guard guard(M().lock);
    auto& consumers = M().consumers;
    if (std::find(consumers.begin(), consumers.end(), consumer) == consumers.end()) return false;
    for (auto& r : M().registrations)
        if (r.consumer == consumer && r.event == name) return true;
    M().registrations.push_back({consumer, name});
    return true;
}

bool DMApi::AppRntm_UnregisterEvent(IKaDMApiPluginNotification* consumer, const wchar_t* name) {
    if (!name) return false;
    Guard guard(M().lock);
    auto& regs = M().registrations;
    auto it = std::find_if(regs.begin(), regs.end(), [&](const Registration& r) {
        return r.consumer == consumer && r.event == name;
    });
    if (it == regs.end()) return false;
    regs.erase(it);
    return true;
}

int DMApiHooks::AppRntm_FireEvent(const wchar_t* name) {
    std::vector<IKaDMApiPluginNotification*> targets;
    {
        Guard guard(M().lock);
        for (auto& r : M().registrations)
            if (r.event == name) targets.push_back(r.consumer);
    }
    // Delivered outside the lock: a handler may hand work to another thread.
    for (auto* consumer : targets)
        consumer->OnModuleEvent(name);
    return static_cast<int>(targets.size());
}

int DMApiHooks::AppRntm_CountRegistrations(IKaDMApiPluginNotification* consumer) {
    Guard guard(M().lock);
    int count = 0;
    for (auto& r : M().registrations)
        count += r.consumer == consumer;
    auto& consumers = M().consumers;
    return count + (std::find(consumers.begin(), consumers.end(), consumer) != consumers.end());
}

KaNotificationCallback DMApiHooks::GetHostNotificationCallback() {
    return HostNotification;
}

int DMApiHooks::Notifications_Count(int code) {
    Guard guard(M().lock);
    auto it = M().notifications.find(code);
    return it == M().notifications.end() ? 0 : it->second.first;
}

bool DMApiHooks::Notifications_Last(int code, SKaDeviceNotification* record) {
    Guard guard(M().lock);
    auto it = M().notifications.find(code);
    if (it == M().notifications.end()) return false;
    if (record) *record = it->second.second;
    return true;
}

int DMApiHooks::Notifications_Total() {
    Guard guard(M().lock);
    return static_cast<int>(M().received.size());
}

bool DMApiHooks::Notifications_At(int index, int* code, SKaDeviceNotification* record) {
    Guard guard(M().lock);
    if (index < 0 || index >= static_cast<int>(M().received.size())) return false;
    if (code) *code = M().received[index].first;
    if (record) *record = M().received[index].second;
    return true;
}

void DMApiHooks::Notifications_Clear() {
    Guard guard(M().lock);
    M().notifications.clear();
    M().received.clear();
}

void DMApi::Refresh() {
    Guard guard(M().lock);
    ++M().refreshCount;
}

int DMApiHooks::GetRefreshCount() {
    Guard guard(M().lock);
    return M().refreshCount;
}

void DMApiHooks::Reset() {
    Cameras_Clear();
    Guard guard(M().lock);
    Manager& m = M();
    m.physical.clear();
    m.logical.clear();
    m.consumers.clear();
    m.registrations.clear();
    m.notifications.clear();
    m.received.clear();
    m.logCommunication = 0;
    m.refreshCount = 0;
}
