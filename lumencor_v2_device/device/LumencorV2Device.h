// The Lumencor Spectra III / Celesta / Ziva light engine as a physical device,
// and its simulator twin.
//
// Threads and locks. The host's main thread calls the physical-device
// operations and owns the pad; host event threads deliver module events; the
// worker thread (`Main`, worker/) performs every exchange with the engine and
// the periodic poll. The fields below are grouped by who owns them:
// - main thread: written there only; other threads read the few that say so,
//   through atomics;
// - worker thread: written by the C_ operations only;
// - data lock: line records (in the light source), shutter state, read-outs;
// - refresh lock: held for a whole poll and whenever the log-communication
//   flag changes (lock order: refresh lock, then data lock);
// - notification locks: the batch queue, and the order of notifications.
// Host notifications are sent with the data lock released.
#pragma once

#include "KaDMApi.h"
#include "KaPhysicalDevice.h"
#include "LumencorV2Lock.h"
#include "LumencorV2MultiLaser.h"
#include "LumencorV2Pad.h"
#include "LumencorV2Shutter.h"
#include "LumencorV2Transport.h"
#include "LumencorV2Types.h"
#include "LumencorV2Worker.h"

#include <atomic>
#include <cstdint>
#include <memory>

class CKaLumencorV2Simulator;
class CNIDAQAbstraction_AOTF;
class CNIDAQAbstraction_Multiexcitation;
class CNIDAQAbstraction_Sequence;
class CNIDAQEngine;

// One answer of the engine, read into a buffer of the size its command takes.
struct SKaLumencorV2Answer {
    char text[256] = {};
    int count = 0;
    bool Received() const { return count > 0; }
    // The engine refused the command.
    bool IsError() const { return text[0] == 'E'; }
};

class CKaLumencorV2Device : public CKaPhysicalDevice_Default,
                            public virtual CKaClass,
                            public IKaDMApiPluginNotification,
                            private IKaLumencorV2Idle {
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
                     uint64_t parameter2, DWORD timeoutMs) {
        return m_worker.CallBack(function, argument, parameter1, parameter2, timeoutMs);
    }
    // Runs a C_ operation of `object` on the worker thread.
    template <auto Operation, class Object, class... Args>
    int32_t RunOnWorker(Object& object, Args... args) {
        return m_worker.Run<Operation>(object, args...);
    }

    // ---- Worker-thread operations: the engine protocol (protocol/) ----
    int32_t CommandSend(const char* command, int length);
    int32_t Receive(char* buffer, int size, int attempts);
    // Sends one command and reads its answer into `size` characters at most
    // (lumencor::kLongAnswer or kShortAnswer).
    SKaLumencorV2Answer Exchange(const char* command, int size);
    int32_t C_Connect();
    int32_t C_Disconnect();
    int32_t C_Refresh();
    int32_t C_WakeUp();
    int32_t C_SetTTL();
    int32_t C_SetComunicationEnabled(bool enabled);
    // A line or power command first wakes the engine when it has stand-by
    // and no experiment keeps it awake anyway.
    bool ShouldWakeBeforeCommand() const { return m_bWakeUpSupported && !m_bInExperiment; }
    bool LogsCommunication() const { return m_bLogCommunication; }
    // A line change of the host's: the poll's "values changed" flag no
    // longer stands (data lock held).
    void ClearValuesChanged() {
        KA_ASSERT_HELD(m_dataLock);
        m_bValuesChanged = false;
    }
    // The poll's marks, taken (read and cleared) by the pad (data lock held).
    bool TakeValuesChanged() {
        KA_ASSERT_HELD(m_dataLock);
        const bool changed = m_bValuesChanged;
        m_bValuesChanged = false;
        return changed;
    }
    bool TakeReadoutsChanged() {
        KA_ASSERT_HELD(m_dataLock);
        const bool changed = m_bReadoutsChanged;
        m_bReadoutsChanged = false;
        return changed;
    }

    CKaStringW GetRegistryValueString(const wchar_t* name, const wchar_t* defaultValue,
                                      bool create);
    LONG SetRegistryValueString(const wchar_t* name, const wchar_t* value);

    void SetPadEnabled(bool enable);
    void SetStandByMode(int32_t mode);

    // ---- Notifications (device/LumencorV2Notifications.cpp) ----
    // Passes a state record to the host, or queues it while a batch is open.
    // Never called with the data lock held.
    void Notify(int32_t code, const SKaDeviceNotification& record);
    // Passes a record to the host at once, batch or not.
    void NotifyNow(int32_t code, const SKaDeviceNotification& record);
    void FlushNotifications();
    bool HasNotificationCallback() const { return m_pNotificationCallback.load() != nullptr; }
    // Keeps the order in which notifications were taken: held from taking a
    // record to passing it on, before the data lock.
    CKaLumencorV2Lock& NotificationOrderLock() { return m_notificationOrderLock; }
    void PostToPad(UINT message);

    // ---- Accessors for the logical devices and the pad ----
    int32_t GetControlMode() const { return m_eLumencorControl; }
    void SetControlMode(int32_t mode) { m_eLumencorControl = mode; }
    int32_t GetModelType() const { return m_eModelType; }
    int32_t GetStandByMode() const { return m_eStandByMode; }
    bool GetTriggeringEnabled() const { return m_bEnableTriggering; }
    void SetTriggeringEnabled(bool on) { m_bEnableTriggering = on; }
    const CKaStringW& GetCardKey() const { return m_sCardKey; }
    void SetCardKey(const wchar_t* card) { m_sCardKey = card; }
    int32_t GetConnectorBlock() const { return m_eConnectorBlock; }
    void SetConnectorBlock(int32_t block) { m_eConnectorBlock = block; }
    // The name the configuration dialog chose while the logical devices
    // were not registered yet; empty when none.
    const CKaStringW& GetPendingName() const { return m_sPendingName; }
    void SetPendingName(const wchar_t* name) { m_sPendingName = name; }
    CNIDAQAbstraction_AOTF* GetTriggeringAbstraction() const { return m_pAbstraction; }
    CNIDAQEngine* GetNIDAQEngine() const { return m_pNIDAQEngine; }
    // The card's abstractions, null without an engine or card.
    CNIDAQAbstraction_Multiexcitation* GetMultiexcitation() const;
    CNIDAQAbstraction_Sequence* GetSequence() const;
    // Whether the lines are driven by analog levels (else TTL), false
    // without an abstraction.
    bool GetTTLControlAsAnalog() const;
    bool IsBatch() const { return m_bBatch; }
    bool IsConnected() const { return m_bConnected; }
    bool IsSimulator() const { return m_bSimulator; }
    CKaLumencorV2MultiLaser& MultiLaser() { return m_multiLaser; }
    CKaLumencorV2Shutter& Shutter() { return m_shutter; }
    CKaLumencorV2Pad* Pad() { return m_pPad.get(); }
    CKaLumencorV2Lock& DataLock() { return m_dataLock; }
    // Read-outs and awake state, for the pad (under the data lock).
    int32_t GetTemperature() const { return m_iTemperature; }
    int32_t GetSupplyCurrent() const { return m_iSupplyCurrent; }
    int32_t GetSupplyPower() const { return m_iSupplyPower; }
    bool IsAwake() const { return m_iAwake == 1; }
    bool GetShowTemperature() const { return m_bShowTemperature; }
    bool GetShowSubset() const { return m_bShowSubset; }
    void SetShowTemperature(bool show) { m_bShowTemperature = show; }
    void SetShowSubset(bool show) { m_bShowSubset = show; }
    // The engine's firmware has stand-by (and waking).
    bool SupportsStandBy() const { return m_bWakeUpSupported; }
    const CKaStringW& GetModel() const { return m_sModel; }
    const CKaStringW& GetFirmwareVersion() const { return m_sFirmwareVersion; }
    const CKaStringW& GetSerialNumber() const { return m_sSerialNumber; }

    // ---- NI-DAQ triggering (triggering/), for the configuration dialog ----
    // Makes the engine (or a simulated one) and the line abstraction.
    void StartDAQ();
    // Clears the DIO line and AO port 1 (and port 0 too) of every line.
    void DetachLineResources(bool analogPort0Too);

  protected:
    // The simulated engine answers instead of the serial port.
    void UseSimulator();

  private:
    friend class CKaLumencorV2DevicePeer;

    // ---- NI-DAQ triggering (triggering/) ----
    void ApplyTriggeringSettings(const wchar_t* settings);
    void WriteTriggeringSettings(CKaStringW& settings);
    void TearDownDAQ();
    void SetMayMovePiezoZ(bool may);

    // IKaLumencorV2Idle: the periodic poll.
    void OnWorkerIdle() override;
    // Answers of the identity queries.
    bool QueryIdentity(const char* keyword, SKaLumencorV2Answer& answer);
    bool AskModel(SKaLumencorV2Answer& answer);
    void ParseChannelMap(const CKaStringA& names);
    void ReadSettings(const wchar_t* settings);
    void WriteSettings(CKaStringW& settings);
    void RegisterEvents();
    void UnregisterEvents();
    void RegisterMacros();
    void UnregisterMacros();

    // ---- Owned parts ----
    CKaLumencorV2MultiLaser m_multiLaser{this};
    CKaLumencorV2Shutter m_shutter{this};
    std::unique_ptr<CKaLumencorV2Pad> m_pPad;
    std::unique_ptr<IKaLumencorV2Transport> m_pTransport;
    // The transport when it is the simulated engine, else null.
    CKaLumencorV2Simulator* m_pSimulator = nullptr;
    CKaLumencorV2Worker m_worker{*this};

    // ---- Main thread ----
    const DWORD m_dwMainThreadId = GetCurrentThreadId();
    bool m_bSimulator = false;
    std::atomic<int32_t> m_eState{KA_STATE_DISCONNECTED};                 // read anywhere
    std::atomic<KaNotificationCallback> m_pNotificationCallback{nullptr}; // read anywhere
    std::atomic<bool> m_bBatch{false};                                    // read anywhere
    // Set when this device started the DAQ; what it started is released at
    // disconnect only then.
    bool m_bNIDAQReady = false;
    CNIDAQAbstraction_AOTF* m_pAbstraction = nullptr;
    CNIDAQEngine* m_pNIDAQEngine = nullptr;
    void* m_pDeviceManager = nullptr;
    int32_t m_iBusMode = 2;
    bool m_bConfiguredOnce = false;
    std::atomic<int32_t> m_eLumencorControl{KA_CONTROL_USB}; // read by the worker
    bool m_bPadEnabled = true;
    std::atomic<bool> m_bEnableTriggering{false}; // read anywhere
    CKaStringW m_sCardKey;
    CKaStringW m_sPendingName;
    int32_t m_iCOMPort = 0; // read by C_Connect, which the hand-over orders after it
    int32_t m_eConnectorBlock = 0;
    std::atomic<bool> m_bShowTemperature{true}; // read by the poll
    bool m_bShowSubset = true;
    CKaStringW m_sLastRegistryValue;

    // ---- Worker thread (C_ operations) ----
    CKaStringW m_sModel;
    CKaStringW m_sFirmwareVersion;
    CKaStringW m_sSerialNumber;
    std::atomic<int32_t> m_eModelType{KA_MODEL_SPECTRA3}; // read anywhere
    std::atomic<bool> m_bWakeUpSupported{false};          // read anywhere
    int32_t m_iFirmwareMajor = 1, m_iFirmwareMinor = 0, m_iFirmwarePatch = 0;
    double m_dLastWakeUp = 0.0;

    // ---- Any thread (atomics) ----
    std::atomic<bool> m_bConnected{false};
    std::atomic<bool> m_bCommunicationEnabled{true};
    std::atomic<int32_t> m_iRefreshCountdown{-1};
    std::atomic<bool> m_bInExperiment{false}, m_bInJob{false};
    std::atomic<int32_t> m_eStandByMode{KA_STANDBY_OUTSIDE};
    std::atomic<int32_t> m_iAwake{1};

    // ---- Data lock ----
    CKaLumencorV2Lock m_dataLock;
    bool m_bValuesChanged = false, m_bReadoutsChanged = false;
    int32_t m_iTemperature = 0, m_iSupplyCurrent = 0, m_iSupplyPower = 0;

    // ---- Refresh lock ----
    CKaLumencorV2Lock m_refreshLock;
    std::atomic<bool> m_bLogCommunication{false};

    // ---- Notification locks ----
    CKaLumencorV2Lock m_notificationOrderLock;
    CKaLumencorV2Lock m_notificationQueueLock;
    int32_t m_iQueuedNotifications = 0;
    SKaQueuedNotification m_notificationQueue[kNotificationQueueSize] = {};
};

class CKaLumencorV2DeviceSim : public CKaLumencorV2Device {
  public:
    CKaLumencorV2DeviceSim();
    const SKaRTTIClass* GetClassRecord() const override;
};

// The class records of this module ("ver6IDX").
const SKaRTTIClass& LumencorV2DeviceClassRecord();
const SKaRTTIClass& LumencorV2DeviceSimClassRecord();
