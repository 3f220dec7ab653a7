// The device manager of the replacement host: devices and their ids, keys
// and flags, module events, the notification callback, setup options,
// macro registration and the control-pad layout.
#pragma once

#include "KaClass.h"
#include "KaDeviceTypes.h"
#include "KaExport.h"
#include "KaString.h"

class IKaPhysicalDevice;
class IKaLogicalDevice;

// Receives the module events a consumer registered for.
class IKaDMApiPluginNotification {
  public:
    virtual int OnModuleEvent(const wchar_t* eventName) = 0;

  protected:
    ~IKaDMApiPluginNotification() = default;
};

class HX_DM_API DMApi {
  public:
    // Communication logging setting of the host: 1 = log.
    static int GetLogCommunication();
    static void SetLogCommunication(int value);

    // Registers a physical device and its logical devices and gives them
    // ids; logical devices get the keys "<key>.<index>". Returns the id.
    static int PhysDev_Add(IKaPhysicalDevice* device, const wchar_t* key);
    static void PhysDev_Remove(IKaPhysicalDevice* device);
    static bool PhysDev_GetKey(int physDevId, CKaStringW& key);
    // The control pad (window) that shows the devices of a physical device.
    static HWND PhysDev_GetControlPad(int physDevId);
    static void PhysDev_SetControlPad(int physDevId, HWND pad);
    // Opens the configuration of a physical device; 0 on success.
    static int PhysDev_Configure(int physDevId, HWND parent);

    static int LogDev_GetId(IKaLogicalDevice* device);
    static int LogDev_GetCount();
    static int LogDev_GetIdAt(int index);
    static bool LogDev_GetKey(int logDevId, CKaStringW& key);
    static bool LogDev_GetEnabled(int logDevId);
    static void LogDev_SetEnabled(int logDevId, bool enabled);
    static bool LogDev_GetVisible(int logDevId);
    static bool LogDev_GetActive(int logDevId);
    static int LogDev_GetPhysDevId(int logDevId);
    static IKaLogicalDevice* LogDev_Get(int logDevId);

    // Module events: consumers register for names and receive each event.
    static bool AppRntm_RegisterConsumer(IKaDMApiPluginNotification* consumer);
    static bool AppRntm_UnregisterConsumer(IKaDMApiPluginNotification* consumer);
    static bool AppRntm_RegisterEvent(IKaDMApiPluginNotification* consumer, const wchar_t* name);
    static bool AppRntm_UnregisterEvent(IKaDMApiPluginNotification* consumer, const wchar_t* name);
    // Delivers an event to every consumer registered for it; returns their count.
    static int AppRntm_FireEvent(const wchar_t* name);
    static int AppRntm_CountRegistrations(IKaDMApiPluginNotification* consumer);

    // The callback the host gives devices; it records what it receives.
    static KaNotificationCallback GetHostNotificationCallback();
    static int Notifications_Count(int code);
    static bool Notifications_Last(int code, SKaDeviceNotification* record);
    // Everything received, in order: code and record of the index-th one.
    static int Notifications_Total();
    static bool Notifications_At(int index, int* code, SKaDeviceNotification* record);
    static void Notifications_Clear();

    // Re-reads the device list after a change of configuration.
    static void Refresh();
    static int GetRefreshCount();

    // Forgets every device, consumer and notification.
    static void Reset();
};

class HX_DM_API CKaSimpleDMHelper {
  public:
    // True in release mode (60000 ms hand-over time-out, else 600000 ms).
    static bool GetReleaseMode();
    static void SetReleaseMode(bool release);
    // True when the option exists; its value is written to `value`.
    static bool Qm_GetSetupOption(const wchar_t* section, const wchar_t* key, CKaVariant* value);
    static void SetSetupOption(const wchar_t* section, const wchar_t* key, const CKaVariant* value);
    static void Qm_CAM_RefreshPFIsForTriggeringFromCameras();
};

// A macro procedure; the engine calls it with its registered parameters.
typedef void (*KaMacroProc)();

// Macro registration of the host's macro engine.
class HX_DM_API CKaScript {
  public:
    // Index of a registered parameter; below 1 when unknown.
    static int GetParameterIndex(const wchar_t* name);
    static int Register_Parameter(const wchar_t* name, int type, int limit, int a, int b, int c);
    static bool Register_ProcToGroupWithGUIProc(const wchar_t* group, const wchar_t* name,
                                                KaMacroProc proc, const wchar_t* parameter,
                                                HINSTANCE module, const int flags[10]);
    static bool UnregisterProc_Exe(const wchar_t* name);
    static KaMacroProc FindProc(const wchar_t* name);
    static void Reset();
};

// Places device pads in the host's control pad.
class HX_DM_API CKaGUILayoutManager {
  public:
    static bool AppendControl(HWND controlPad, void* element, int column, int row, int image,
                              const wchar_t* title);
    static bool Remove(HWND controlPad, void* element);
    static int CountControls(HWND controlPad);
};

// Index of an image of the host's common image pool.
HX_DM_API int GetCommonImageFromPool(int id);
