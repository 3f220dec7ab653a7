// Inner state of a device, for tests that arrange or read it directly.
#pragma once

#include "LumencorV2Device.h"
#include "LumencorV2Simulator.h"

class CKaLumencorV2MultiLaserPeer {
  public:
    explicit CKaLumencorV2MultiLaserPeer(CKaLumencorV2MultiLaser& lines)
        : m_lines(lines.m_lines), m_iNumLines(lines.m_iNumLines), m_iMaxInt(lines.m_iMaxInt),
          m_pSequenceOwner(lines.m_pSequenceOwner), m_eOperationMode(lines.m_eOperationMode) {}

    SKaLumencorV2Line (&m_lines)[KA_LUMENCOR_MAX_LINES];
    std::atomic<int32_t>& m_iNumLines;
    std::atomic<int32_t>& m_iMaxInt;
    void*& m_pSequenceOwner;
    int32_t& m_eOperationMode;
};

class CKaLumencorV2ShutterPeer {
  public:
    explicit CKaLumencorV2ShutterPeer(CKaLumencorV2Shutter& shutter)
        : m_bOpen(shutter.m_bOpen), m_bChanged(shutter.m_bChanged) {}

    bool& m_bOpen;
    bool& m_bChanged;
};

class CKaLumencorV2DevicePeer {
  public:
    explicit CKaLumencorV2DevicePeer(CKaLumencorV2Device& device)
        : lines(device.m_multiLaser), shutter(device.m_shutter), m_device(device),
          m_iTemperature(device.m_iTemperature), m_iSupplyCurrent(device.m_iSupplyCurrent),
          m_iSupplyPower(device.m_iSupplyPower), m_iAwake(device.m_iAwake),
          m_eStandByMode(device.m_eStandByMode), m_eModelType(device.m_eModelType),
          m_bInExperiment(device.m_bInExperiment), m_bWakeUpSupported(device.m_bWakeUpSupported),
          m_bLogCommunication(device.m_bLogCommunication),
          m_bCommunicationEnabled(device.m_bCommunicationEnabled),
          m_iRefreshCountdown(device.m_iRefreshCountdown), m_bPadEnabled(device.m_bPadEnabled),
          m_bShowTemperature(device.m_bShowTemperature), m_bShowSubset(device.m_bShowSubset),
          m_bValuesChanged(device.m_bValuesChanged), m_bReadoutsChanged(device.m_bReadoutsChanged) {
    }

    CKaLumencorV2MultiLaserPeer lines;
    CKaLumencorV2ShutterPeer shutter;

    DWORD WorkerThreadId() const { return m_device.m_worker.ThreadId(); }
    bool WorkerRunning() const { return m_device.m_worker.IsRunning(); }
    CKaLumencorV2Lock& RefreshLock() { return m_device.m_refreshLock; }
    CKaLumencorV2Simulator* Simulator() { return m_device.m_pSimulator; }
    // The worker's hand-over flag: true until a hand-over timed out.
    bool HandOverClean() const { return m_device.m_worker.m_bHandOverClean; }

  private:
    CKaLumencorV2Device& m_device;

  public:
    int32_t& m_iTemperature;
    int32_t& m_iSupplyCurrent;
    int32_t& m_iSupplyPower;
    std::atomic<int32_t>& m_iAwake;
    std::atomic<int32_t>& m_eStandByMode;
    std::atomic<int32_t>& m_eModelType;
    std::atomic<bool>& m_bInExperiment;
    std::atomic<bool>& m_bWakeUpSupported;
    std::atomic<bool>& m_bLogCommunication;
    std::atomic<bool>& m_bCommunicationEnabled;
    std::atomic<int32_t>& m_iRefreshCountdown;
    bool& m_bPadEnabled;
    std::atomic<bool>& m_bShowTemperature;
    bool& m_bShowSubset;
    bool& m_bValuesChanged;
    bool& m_bReadoutsChanged;
};
