// What our replacement host offers beyond the calls a plug-in makes: the
// device manager's own side (registering devices, firing events, recording
// notifications), a clock that tests drive, log sinks, virtual serial ports
// and allocation checks. Test programs and kahost use it; the driver never
// includes it.
#pragma once

#include "KaClass.h"
#include "KaDMApi.h"
#include "KaDeviceTypes.h"
#include "KaExport.h"

#include <windows.h>

#include <string>
#include <vector>

// The device manager as the host runs it.
class HX_DM_API DMApiHooks {
  public:
    static void SetLogCommunication(int value);

    // Registers a physical device and its logical devices and gives them
    // ids; logical devices get the keys "<key>.<index>". Returns the id.
    static int PhysDev_Add(IKaPhysicalDevice* device, const wchar_t* key);
    static void PhysDev_Remove(IKaPhysicalDevice* device);
    static void PhysDev_SetControlPad(int physDevId, HWND pad);
    // The settings string the host keeps for a device: what its
    // configuration dialog wrote last through PhysDev_Configure, which then
    // configured the device with it.
    static bool PhysDev_GetSettings(int physDevId, CKaStringW& settings);
    // Told when PhysDev_Configure ends: the dialog's result when it was not
    // OK, else ConfigureDevice's, and the settings string. Null: nobody.
    // Reset leaves it.
    typedef void (*ConfigureSink)(void* context, int physDevId, int result,
                                  const wchar_t* settings);
    static void SetConfigureSink(ConfigureSink sink, void* context);
    static void LogDev_SetEnabled(int logDevId, bool enabled);
    static IKaLogicalDevice* LogDev_Get(int logDevId);
    // Registers a logical device of no physical device (a piezo drive, say).
    static int LogDev_Add(IKaLogicalDevice* device, const wchar_t* key);
    static void LogDev_Remove(IKaLogicalDevice* device);
    // A piezo Z drive as the host shows it: a logical device whose own
    // commands 0x13003 and 0x13004 answer its NI-DAQ piezo abstraction and
    // its flag (1). Returns its id; removed with LogDev_RemovePiezo.
    static int LogDev_AddPiezo(const wchar_t* key, void* piezoAbstraction);
    static void LogDev_RemovePiezo(int logDevId);
    // Another device's shutter or multi-line light source, as only its key
    // and kind ("IDeviceShutter", "IDeviceMultiLaser") show it: found by
    // Shutter_GetIdByKey and MultiLaser_GetIdByKey. Returns its id; removed
    // by Reset.
    static int LogDev_AddForeign(const wchar_t* interfaceName, const wchar_t* key);

    // The host's cameras (Qm_CAM_...), in the order added: the driver's
    // class name, the device-manager name and whether an external signal
    // can trigger it (capability 1). Returns its index.
    static int Camera_Add(const wchar_t* className, const wchar_t* dmName, bool triggerable);
    static void Cameras_Clear();

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

    static int GetRefreshCount();
    // What the cameras were told about trigger terminals, in order:
    // "refresh" for a refresh, "<select>: <terminals>" for a setting.
    static std::vector<std::wstring> CameraTriggerCalls();

    // Release mode selects the hand-over time-out the devices use.
    static void SetReleaseMode(bool release);
    // A null value removes the option.
    static void SetSetupOption(const wchar_t* section, const wchar_t* key, const CKaVariant* value);

    // The macro procedures registered so far.
    static KaMacroProc FindMacroProc(const wchar_t* name);
    static void ResetMacros();
    // Pads placed in a control pad.
    static int CountPadControls(HWND controlPad);

    // Forgets every device, camera, consumer and notification.
    static void Reset();
};

// The layout's GUI zoom and the macro protocol, as the host's user drives them.
class HX_DM_API CKaGUIHooks {
  public:
    typedef void (*ProtocolSink)(void* context, const wchar_t* line);

    // Sets the zoom (0.5 to 4.0; others are ignored) and sends
    // KA_WM_GUI_ZOOM_CHANGED to every window of the calling thread.
    static void SetGuiZoom(double zoom);
    static int GetSortControlsCount();
    // The macro lines recorded so far, in order.
    static std::vector<std::wstring> MacroProtocol();
    static void ClearMacroProtocol();
    // Also hands every recorded line to `sink` (null: none).
    static void SetMacroProtocolSink(ProtocolSink sink, void* context);
    // Zoom 1.0, no lines, no sorts.
    static void Reset();
};

// The logged-in user of the host's user manager.
class HX_UI_API CKaUIHooks {
  public:
    // Every right is granted until taken away.
    static void SetUserRight(int right, bool granted);

    // KA_MessageBox_: with an answer of 0 or more no box is shown, the call
    // is recorded and the answer returned; -1 (the start) shows real boxes.
    static void SetMessageBoxAnswer(int answer);
    struct MessageBoxCall {
        HWND owner;
        std::wstring caption, text;
        unsigned type;
        int timeoutMs;
    };
    static std::vector<MessageBoxCall> MessageBoxes();
    static void ClearMessageBoxes();
};

// The host log's outlets: a file, a console echo and a sink.
class HX_SYS_API CKaLogHooks {
  public:
    typedef void (*Sink)(void* context, const wchar_t* line);

    // Opens (appends to) the log file; an empty path closes it.
    static bool Open(const wchar_t* path);
    static void SetConsole(bool echo);
    static void SetSink(Sink sink, void* context);
    static void Write(const wchar_t* line);
};

// The host clock, driven: while driven the counter only moves through
// KA_AdvanceTimeCounter and KA_Sleep advances it instead of blocking.
HX_SYS_API void KA_DriveTimeCounter(bool driven, double startMs);
HX_SYS_API void KA_AdvanceTimeCounter(double ms);
HX_SYS_API bool KA_IsTimeCounterDriven();

// The far end of a virtual port. Calls come from the thread that drives the
// port; Read waits up to `timeoutMs` for at least one byte.
class IKaSerialEndpoint {
  public:
    virtual ~IKaSerialEndpoint() = default;
    virtual bool Open(unsigned baud) = 0;
    virtual void Close() = 0;
    virtual void Purge() = 0;
    virtual bool Write(const char* data, unsigned length) = 0;
    virtual unsigned Read(char* buffer, unsigned capacity, unsigned timeoutMs) = 0;
};

class HX_SERIAL_API CKaSerialHooks {
  public:
    // Serves COM `port` from `endpoint` instead of the system (null removes it).
    static void RegisterVirtualPort(int port, IKaSerialEndpoint* endpoint);
};

// Framework objects currently allocated through CKaClass (leak checks).
HX_GNR_API long KA_LiveObjects();
// Fills every later CKaClass allocation with `byte` before construction, as
// a host allocator that does not clear memory leaves it; -1 stops filling.
HX_GNR_API void KA_SetAllocationFill(int byte);
// Adds a translation in the module's language (the locale loader fills the
// tables of every language it finds).
HX_GNR_API void KA_SetTranslation(const wchar_t* text, const wchar_t* translated);
HX_GNR_API void KA_SetTranslationFor(LANGID language, const wchar_t* text,
                                     const wchar_t* translated);
// The host's languages (CKaLocale); both start as English (US).
HX_GNR_API void KA_SetModuleLangId(LANGID language);
HX_GNR_API void KA_SetSecondaryLangId(LANGID language);
