// The shutter: opening lights the used lines, closing darkens them all.
#pragma once

#include "KaDeviceShutter.h"

#include <atomic>
#include <cstdint>

class CKaLumencorV2Device;

class CKaLumencorV2Shutter : public CKaDeviceShutter_Default {
  public:
    explicit CKaLumencorV2Shutter(CKaLumencorV2Device* device);
    ~CKaLumencorV2Shutter() override;

    // What the host shows and asks of the device (LumencorV2ShutterSlots.cpp).
    EDeviceManagerReturnCode GetInterfaceName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceFullName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceDisplayName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceShortName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetLogDevString(int index, CKaStringW& text) override;
    EDeviceManagerReturnCode GetUserName(CKaStringW& name) override;
    EDeviceManagerReturnCode SetUserName(const wchar_t* name) override;
    bool SupportsSettings() override;
    EDeviceManagerReturnCode GetSettings(CKaStringW& settings) override;
    EDeviceManagerReturnCode SetSettings(const wchar_t* settings) override;
    bool GetCapability(int code) override;
    bool IsConfigurationDialogAvailable() override;
    EDeviceManagerReturnCode ShowConfigurationDialog(HWND parent) override;
    bool SupportsDeviceCommand() override;
    int GetTypeCode() override;
    EDeviceManagerReturnCode DeviceCommand(int code, int64_t value, void* out) override;
    bool GetActiveChangeable() override;

    bool HasShutterIndexes() override;
    EDeviceManagerReturnCode GetShutterStateEx(int index, bool* open) override;
    EDeviceManagerReturnCode SetShutterStateEx(int index, bool open) override;
    EDeviceManagerReturnCode GetShutterSpeed(int index, double* ms) override;
    EDeviceManagerReturnCode SetShutterSpeed(int index, double ms) override;
    EDeviceManagerReturnCode GetShutterName(CKaStringW& name) override;
    EDeviceManagerReturnCode SetShutterName(const wchar_t* name) override;
    bool IsValidShutterIndex(int index) override;
    EDeviceManagerReturnCode GetShutterIndexCount(int* count) override;
    EDeviceManagerReturnCode CheckShutterIndex(int index) override;
    EDeviceManagerReturnCode GetShutterPosition(int index, int* position) override;
    EDeviceManagerReturnCode SetShutterPosition(int index, int position) override;
    EDeviceManagerReturnCode GetShutterPositionCount(int index, int* count) override;
    EDeviceManagerReturnCode GetShutterPositionName(int index, int position,
                                                    CKaStringW& name) override;
    bool SupportsShutterType() override;
    EDeviceManagerReturnCode GetShutterType(int* type) override;
    EDeviceManagerReturnCode SetShutterType(int type) override;
    bool IsControlledBy(const int* logDevIds, int count) override;

    // Opening and closing (LumencorV2Shutter.cpp).
    EDeviceManagerReturnCode GetSwitchTime(double* ms) override;
    EDeviceManagerReturnCode GetShutterState(bool* open) override;
    EDeviceManagerReturnCode SetShutterState(bool open) override;
    EDeviceManagerReturnCode UpdateShutterPad() override;
    // Wait after each switch, in milliseconds: kept within 0 to kMaxDelay.
    void SetDelay(double ms);
    double GetDelay() const { return m_dDelay; }
    static constexpr double kMaxDelay = 100000.0;
    // The engine switches in well under this, added to the delay.
    static constexpr double kSwitchMs = 50.0;

    // A sequence started or stopped: the running state (code 16), then the
    // shutter as open while it runs (code 1), and the pad.
    void NotifySequence(bool running);

    // Open state and the batch's mark of a change, under the data lock.
    bool IsOpen() const;
    bool IsMarked() const;
    void ClearMark();

  private:
    friend class CKaLumencorV2ShutterPeer;

    // Code-1 notification of the open state, and message 1059 to the pad.
    void NotifyState(bool open);

    CKaLumencorV2Device* m_pDevice;
    // Under the data lock.
    bool m_bOpen = false;
    bool m_bChanged = false;
    // Main thread.
    int32_t m_eShutterType = 0;
    std::atomic<double> m_dDelay{0.0};
    CKaStringW m_sName;
};
