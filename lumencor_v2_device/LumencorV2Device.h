// The Lumencor Spectra III / Celesta / Ziva light engine as a physical device.
#pragma once

#include "KaDMApi.h"
#include "KaPhysicalDevice.h"
#include "KaSerial.h"
#include "LumencorV2MultiLaser.h"
#include "LumencorV2Pad.h"
#include "LumencorV2Shutter.h"

#include <atomic>
#include <cstdint>
#include <string>

// A call handed to the worker thread: argument and two parameters.
typedef int32_t (*KaWorkerCall)(uint64_t argument, uint64_t parameter1, uint64_t parameter2);

enum EKaLumencorModel { KA_MODEL_SPECTRA3 = 0, KA_MODEL_CELESTA = 1, KA_MODEL_ZIVA = 2 };
enum EKaLumencorControl { KA_CONTROL_USB = 0, KA_CONTROL_NIDAQ = 1, KA_CONTROL_VEYRA = 2 };
enum EKaStandByMode { KA_STANDBY_DISABLED = 0, KA_STANDBY_OUTSIDE = 1, KA_STANDBY_ENABLED = 2 };
enum EKaDeviceState { KA_STATE_DISCONNECTED = 0, KA_STATE_CONFIGURED = 2, KA_STATE_CONNECTING = 3 };

struct SKaQueuedNotification {
    int32_t m_logDevId;
    int32_t m_code;
    int32_t m_reserved;
    SKaDeviceNotification m_record;
};

class CKaLumencorV2Device : public CKaPhysicalDevice_Default,
                            public virtual CKaClass,
                            public IKaDMApiPluginNotification {
  public:
    CKaLumencorV2Device();
    ~CKaLumencorV2Device() override;

    // CKaClass
    const SKaRTTIClass* GetClassRecord() const override;
    void* QueryInterface(const char* name) override;

    // IKaPhysicalDevice (in table order; the others are the host's)
    using CKaPhysicalDevice_Default::ConfigureDevice;
    using CKaPhysicalDevice_Default::ShowConfigurationDialog;
    EDeviceManagerReturnCode GetDeviceString(int index, CKaStringW& text) override;
    EDeviceManagerReturnCode ConnectDevice(CKaStringW& settings) override;
    EDeviceManagerReturnCode GetLogicalDevices(CKaLogicalDeviceList& list) override;
    EDeviceManagerReturnCode DisconnectDevice() override;
    EDeviceManagerReturnCode ResetDevice() override;
    EDeviceManagerReturnCode ShowPortDialog(CKaStringW& settings, HWND parent) override;
    int GetState() override;
    EDeviceManagerReturnCode SetNotificationCallback(KaNotificationCallback callback) override;
    EDeviceManagerReturnCode GetNotificationCallback(KaNotificationCallback* callback) override;
    bool SupportsNotificationCallback() override;
    EDeviceManagerReturnCode GetBusInfo(SKaBusInfo* info) override;
    EDeviceManagerReturnCode SetBusMode(int mode) override;
    EDeviceManagerReturnCode GetPadInfo(CKaStringW& name, CKaStringW& title, int* image) override;
    EDeviceManagerReturnCode GetPadExtension(void** extension) override;
    EDeviceManagerReturnCode SetDeviceManager(void* deviceManager, void** pad) override;
    EDeviceManagerReturnCode GetSimplePadInfo(CKaStringW& name, CKaStringW& title) override;
    EDeviceManagerReturnCode UpdatePad() override;
    EDeviceManagerReturnCode UpdateSimplePad() override;
    bool SupportsBatch() override;
    EDeviceManagerReturnCode GetBatchMode(bool* batch) override;
    EDeviceManagerReturnCode BeginBatch(bool batch) override;
    EDeviceManagerReturnCode ExecuteBatch() override;
    bool RequiresExclusiveBus() override;
    EDeviceManagerReturnCode GetFirmwareString(CKaStringW& text) override;
    EDeviceManagerReturnCode UpdateFirmware(const wchar_t* path) override;
    EDeviceManagerReturnCode RunSelfTest(int test) override;
    EDeviceManagerReturnCode QueryValue(int key, int* value) override;
    EDeviceManagerReturnCode GetHWUnits(CKaHWUnitList& units) override;
    EDeviceManagerReturnCode SetLogCommunication(bool log) override;
    EDeviceManagerReturnCode ConfigureDevice(CKaStringW& settings, int flags) override;
    EDeviceManagerReturnCode ShowDeviceConfigurationDialog(CKaStringW& settings,
                                                           HWND parent) override;

    // IKaDMApiPluginNotification
    int OnModuleEvent(const wchar_t* eventName) override;

    // Hand-over to the worker thread; time-out 0 selects the host's default.
    int32_t CallBack(KaWorkerCall function, uint64_t argument, uint64_t parameter1,
                     uint64_t parameter2, DWORD timeoutMs);
    // Runs a member operation on the worker thread.
    template <int32_t (CKaLumencorV2Device::*Operation)()> int32_t RunOnWorker() {
        return CallBack(&Thunk<Operation>, reinterpret_cast<uint64_t>(this), 0, 0, 0);
    }

    // Worker-thread operations (the light-engine protocol).
    int32_t CommandSend(const char* command, int length);
    int32_t Receive(char* buffer, int size, int attempts);
    int32_t C_Connect();
    int32_t C_Disconnect();
    int32_t C_Refresh();
    int32_t C_WakeUp();
    int32_t C_SetTTL();
    int32_t C_SetComunicationEnabled(bool enabled);

    CKaStringW GetRegistryValueString(const wchar_t* name, const wchar_t* defaultValue,
                                      bool create);
    LONG SetRegistryValueString(const wchar_t* name, const wchar_t* value);

    void SetPadEnabled(bool enable);
    void SetStandByMode(int32_t mode);

    // Notifications to the host, queued while a batch is open.
    void Notify(int32_t code, const SKaDeviceNotification& record);
    void FlushNotifications();
    void PostToPad(UINT message);

    // Accessors used by the logical devices and the pad.
    int32_t GetControlMode() const { return m_eLumencorControl; }
    void SetControlMode(int32_t mode) { m_eLumencorControl = mode; }
    int32_t GetModelType() const { return m_eModelType; }
    int32_t GetStandByMode() const { return m_eStandByMode; }
    bool GetTriggeringEnabled() const { return m_bEnableTriggering; }
    void SetTriggeringEnabled(bool on) { m_bEnableTriggering = on; }
    const CKaStringW& GetCardKey() const { return m_sCardKey; }
    void* GetTriggeringAbstraction() const { return m_pAbstraction; }
    void* GetNIDAQEngine() const { return m_pNIDAQEngine; }
    bool IsBatch() const { return m_bBatch; }
    bool IsConnected() const { return m_bConnected; }
    CKaLumencorV2MultiLaser& MultiLaser() { return m_multiLaser; }
    CKaLumencorV2Shutter& Shutter() { return m_shutter; }
    CKaLumencorV2Pad* Pad() { return m_pPad; }
    CRITICAL_SECTION& DataLock() { return m_csData; }

    // Bounds C_WakeUp's state polling (one poll a second).
    static const int kMaxWakeUpPolls = 60;
    static const int kWakeUpFirmware = 2001019;

  private:
    template <int32_t (CKaLumencorV2Device::*Operation)()>
    static int32_t Thunk(uint64_t self, uint64_t, uint64_t) {
        return (reinterpret_cast<CKaLumencorV2Device*>(self)->*Operation)();
    }
    static int32_t SetComunicationEnabledThunk(uint64_t self, uint64_t enabled, uint64_t);
    static int32_t WakeUpThunk(uint64_t self, uint64_t, uint64_t);
    static DWORD WINAPI ThreadProc(void* self);

    bool StartWorkerThread();
    void StopWorkerThread();
    void CloseWorkerHandles();
    void Main();
    int32_t SendAndReceive(const char* command, char* answer, int size);
    // The simulated engine (no serial port): its answer to the last command.
    int32_t SimulatedReceive(char* buffer, int size);
    std::string SimulatedAnswer();
    int32_t SimulatedIntensity(double power) const;
    bool QueryIdentity(const char* keyword, char* answer, int size);
    void ParseChannelMap(const CKaStringA& names);
    void ReadSettings(const wchar_t* settings);
    void WriteSettings(CKaStringW& settings);
    void RegisterEvents();
    void UnregisterEvents();
    void RegisterMacros();
    void UnregisterMacros();

  public:
    // Fields, in the order the device keeps them.
    CRITICAL_SECTION m_csNotificationQueue;
    int32_t m_iQueuedNotifications;
    SKaQueuedNotification m_notificationQueue[32];
    std::atomic<int32_t> m_eState;
    KaNotificationCallback m_pNotificationCallback;
    bool m_bSimulator;
    CRITICAL_SECTION m_csHandOver;
    CRITICAL_SECTION m_csCaller;
    CRITICAL_SECTION m_csData;
    CRITICAL_SECTION m_csRefresh;
    bool m_bBatch;
    bool m_bNIDAQReady;
    void* m_pAbstraction;
    CKaStringA m_sLastCommand;
    int32_t m_iBusMode;
    std::atomic<bool> m_bCommunicationEnabled;
    HANDLE m_hThread;
    DWORD m_dwThreadId;
    HANDLE m_hStarted, m_hEnded, m_hAccepted, m_hDone, m_hRequest;
    // False once a hand-over timed out: its events may still be signalled.
    bool m_bHandOverClean;
    KaWorkerCall m_pRequestFunction;
    uint64_t m_requestArguments[3];
    int32_t m_iRequestResult;
    // Numbers the requests, so that a caller knows the completion is its own.
    uint32_t m_uRequestSequence, m_uDoneSequence;
    std::atomic<int32_t> m_iRefreshCountdown;
    std::atomic<bool> m_bConnected;
    bool m_bConfiguredOnce;
    int32_t m_eLumencorControl;
    bool m_bPadEnabled;
    DWORD m_dwMainThreadId;
    CKaLumencorV2MultiLaser m_multiLaser;
    CKaLumencorV2Shutter m_shutter;
    CKaLumencorV2Pad* m_pPad;
    bool m_bEnableTriggering;
    void* m_pDeviceManager;
    void* m_pNIDAQEngine;
    CKaStringW m_sCardKey;
    int32_t m_iCOMPort;
    CKaSimpleSerial* m_pSerial;
    std::atomic<bool> m_bLogCommunication;
    CKaStringW m_sModel;
    CKaStringW m_sFirmwareVersion;
    CKaStringW m_sSerialNumber;
    bool m_bValuesChanged, m_bReadoutsChanged;
    bool m_bShowTemperature;
    int32_t m_iTemperature, m_iSupplyCurrent, m_iSupplyPower;
    bool m_bShowSubset;
    int32_t m_eConnectorBlock;
    CKaStringW m_sLastRegistryValue;
    CKaStringA m_sSimulatorModel;
    CKaStringA m_sSimulatorChannelMap;
    int32_t m_eModelType;
    bool m_bWakeUpSupported;
    int32_t m_iFirmwareMajor, m_iFirmwareMinor, m_iFirmwarePatch;
    std::atomic<bool> m_bInExperiment, m_bInJob;
    double m_dLastWakeUp;
    std::atomic<int32_t> m_eStandByMode;
    std::atomic<int32_t> m_iAwake;
};

class CKaLumencorV2DeviceSim : public CKaLumencorV2Device {
  public:
    CKaLumencorV2DeviceSim();
    const SKaRTTIClass* GetClassRecord() const override;
};

// The class records of this module ("ver6IDX").
const SKaRTTIClass& LumencorV2DeviceClassRecord();
const SKaRTTIClass& LumencorV2DeviceSimClassRecord();

// Short name of a model type: "SpectraIII", "Celesta" or "Ziva".
const wchar_t* LumencorV2ModelName(int32_t modelType);
// A logical device's string by index: 1 "<model> <suffix>" (its full name),
// 2 the model's short name, 3 `kind`, any other index empty.
void LumencorV2LogDevString(int index, int32_t modelType, const wchar_t* suffix,
                            const wchar_t* kind, CKaStringW& text);

// The device the macro procedures reach (null when none is connected).
CKaLumencorV2Device* LumencorV2CurrentDevice();

// The stand-by macro procedures (exports of the module).
extern "C" int32_t Stg_SetStandByMode(int32_t mode);
extern "C" int32_t Stg_GetStandByMode();
extern "C" int32_t Stg_WakeUp();

// Log line with the source position, as the host's diagnostic output takes it.
#define KA_DIAG(detailOnly, ...)                                                                   \
    do {                                                                                           \
        DiagOutputExW_hlp(__FILE__, __LINE__);                                                     \
        DiagOutputExW(detailOnly, __VA_ARGS__);                                                    \
    } while (0)
