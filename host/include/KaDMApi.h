// The device manager calls a plug-in makes: the communication-logging
// setting, device ids, keys and flags, module events, setup options, macro
// registration and the control-pad layout.
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

    static bool PhysDev_GetKey(int physDevId, CKaStringW& key);
    // The control pad (window) that shows the devices of a physical device.
    static HWND PhysDev_GetControlPad(int physDevId);
    // Opens the configuration of a physical device; 0 on success.
    static int PhysDev_Configure(int physDevId, HWND parent);

    static int LogDev_GetId(IKaLogicalDevice* device);
    static int LogDev_GetCount();
    static int LogDev_GetIdAt(int index);
    static bool LogDev_GetKey(int logDevId, CKaStringW& key);
    // Renames a registered logical device; false for an unknown id or an
    // empty key.
    static bool LogDev_SetKey(int logDevId, const wchar_t* key);
    static bool LogDev_GetEnabled(int logDevId);
    static bool LogDev_GetVisible(int logDevId);
    static bool LogDev_GetActive(int logDevId);
    static int LogDev_GetPhysDevId(int logDevId);
    // A logical device's own command (`DeviceCommand`); 21 for an unknown id.
    static int LogDev_CustomCommand(int logDevId, int code, int64_t value, void* out);

    // The id of the shutter ("IDeviceShutter") or multi-line light source
    // ("IDeviceMultiLaser") registered under `key` (case-sensitive), 0 when
    // there is none.
    static int Shutter_GetIdByKey(const wchar_t* key);
    static int MultiLaser_GetIdByKey(const wchar_t* key);

    // Module events: consumers register for names and receive each event.
    static bool AppRntm_RegisterConsumer(IKaDMApiPluginNotification* consumer);
    static bool AppRntm_UnregisterConsumer(IKaDMApiPluginNotification* consumer);
    static bool AppRntm_RegisterEvent(IKaDMApiPluginNotification* consumer, const wchar_t* name);
    static bool AppRntm_UnregisterEvent(IKaDMApiPluginNotification* consumer, const wchar_t* name);

    // Re-reads the device list after a change of configuration.
    static void Refresh();
};

class HX_DM_API CKaSimpleDMHelper {
  public:
    // True in release mode (60000 ms hand-over time-out, else 600000 ms).
    static bool GetReleaseMode();
    // True when the option exists; its value is written to `value`.
    static bool Qm_GetSetupOption(const wchar_t* section, const wchar_t* key, CKaVariant* value);
    // The cameras' trigger terminals: read back from the cameras, or handed
    // to them (the NI-DAQ terminal text of a select).
    static void Qm_CAM_RefreshPFIsForTriggeringFromCameras();
    static void Qm_CAM_SetPFIsForTriggeringToCamera(const wchar_t* terminals, int select);
    // The host's cameras, by index from 0: how many, whether one has a
    // capability (1 = it can be triggered by an external signal), its
    // driver's class name and its device-manager name. The getters return
    // false (and leave `text` alone) for an index out of range.
    static int Qm_CAM_GetCount();
    static bool Qm_CAM_GetCapability(int camera, int capability);
    static bool Qm_CAM_GetClassName(int camera, CKaStringW& text);
    static bool Qm_CAM_GetDMName(int camera, CKaStringW& text);
    // Records one line of macro text in the host's macro protocol (what a
    // user did, written as the macro that would do it).
    static bool Qm_ML_Protocol_Command(const wchar_t* line);
    // Removes the messages `message` still queued for `window`; returns how
    // many were removed.
    static int PeekDuplicitMessagesFromMessageLoop(HWND window, UINT message);
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
};

// Message the host sends every window of its layout when the GUI zoom changed.
enum { KA_WM_GUI_ZOOM_CHANGED = 0x83FA };
// Message a docker receives when a hosted window asks it to fit its contents.
enum { KA_WM_RESIZE_DOCKER = 0x83FB };

// Places device pads in the host's control pad and scales the user
// interface by the GUI zoom.
class HX_DM_API CKaGUILayoutManager {
  public:
    static bool AppendControl(HWND controlPad, void* element, int column, int row, int image,
                              const wchar_t* title);
    static bool Remove(HWND controlPad, void* element);

    // Scale of the user interface (1.0 = 100 %), and the one before the
    // last change.
    static double GetGuiZoom();
    static double GetPreviousGuiZoom();
    // Scales a window's size from `fromZoom` to the current zoom.
    static void ResizeWindowToGuiZoom(HWND window, double fromZoom);
    // Forgets the sizes kept for a window that goes away.
    static void DeleteWindowDimsForGuiZoom(HWND window);
    // The docker (parent window) that holds `window`, or null.
    static HWND GetParentDockerForResize(HWND window);
    // Asks the docker to fit its hosted windows again.
    static void ResizeDocker(HWND docker);
    // Re-sorts the controls of the control pads after a title changed.
    static void SortControls();
};

// Index of an image of the host's common image pool.
HX_DM_API int GetCommonImageFromPool(int id);
