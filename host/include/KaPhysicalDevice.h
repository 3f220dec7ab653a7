// The physical-device interface the device manager drives, in table order,
// and the host's default implementation devices derive from.
#pragma once

#include "KaClass.h"
#include "KaDeviceTypes.h"
#include "KaString.h"

class IKaPhysicalDevice {
  public:
    virtual EDeviceManagerReturnCode GetDeviceString(int index, CKaStringW& text) = 0;
    virtual EDeviceManagerReturnCode ConnectDevice(CKaStringW& settings) = 0;
    virtual EDeviceManagerReturnCode GetLogicalDevices(CKaLogicalDeviceList& list) = 0;
    virtual EDeviceManagerReturnCode DisconnectDevice() = 0;
    virtual bool GetDisconnectDevicePossible() = 0;
    virtual bool UseNewStyleConfig() = 0;
    virtual int GetPhysDevID() = 0;
    virtual EDeviceManagerReturnCode GetPhysDevID(int* id) = 0;
    virtual EDeviceManagerReturnCode SetPhysDevID(int id) = 0;
    virtual EDeviceManagerReturnCode ConfigureDevice(const CKaVariant& settings, int flags) = 0;
    virtual EDeviceManagerReturnCode ResetDevice() = 0;
    virtual EDeviceManagerReturnCode ShowConfigurationDialog(CKaVariant& settings, HWND parent) = 0;
    virtual EDeviceManagerReturnCode GetConfigurationString(CKaStringW& text) = 0;
    virtual EDeviceManagerReturnCode GetConfiguration(CKaVariant& configuration) = 0;
    virtual EDeviceManagerReturnCode ShowPortDialog(CKaStringW& settings, HWND parent) = 0;
    virtual int GetState() = 0;
    virtual EDeviceManagerReturnCode SetNotificationCallback(KaNotificationCallback callback) = 0;
    virtual EDeviceManagerReturnCode GetNotificationCallback(KaNotificationCallback* callback) = 0;
    virtual bool SupportsNotificationCallback() = 0;
    virtual bool RequiresDMv2ForConfiguration() = 0;
    virtual EDeviceManagerReturnCode DMv2BeforeShowConfiguration(HWND parent) = 0;
    virtual EDeviceManagerReturnCode DMv2AfterShowConfiguration(HWND parent, bool accepted) = 0;
    virtual EDeviceManagerReturnCode GetBusInfo(SKaBusInfo* info) = 0;
    virtual EDeviceManagerReturnCode SetBusMode(int mode) = 0;
    virtual EDeviceManagerReturnCode GetPadInfo(CKaStringW& name, CKaStringW& title,
                                                int* image) = 0;
    virtual EDeviceManagerReturnCode GetPadExtension(void** extension) = 0;
    virtual EDeviceManagerReturnCode SetDeviceManager(void* deviceManager, void** pad) = 0;
    virtual EDeviceManagerReturnCode GetSimplePadInfo(CKaStringW& name, CKaStringW& title) = 0;
    virtual EDeviceManagerReturnCode UpdatePad() = 0;
    virtual EDeviceManagerReturnCode UpdateSimplePad() = 0;
    virtual EDeviceManagerReturnCode
    GetControlPadGUIElementWhereThisDeviceIsControlled(void** element) = 0;
    virtual EDeviceManagerReturnCode
    GetSimpleControlPadGUIElementWhereThisDeviceIsControlled(void** element) = 0;
    virtual bool SupportsBatch() = 0;
    virtual EDeviceManagerReturnCode GetBatchMode(bool* batch) = 0;
    virtual EDeviceManagerReturnCode BeginBatch(bool batch) = 0;
    virtual EDeviceManagerReturnCode ExecuteBatch() = 0;
    virtual bool RequiresExclusiveBus() = 0;
    virtual EDeviceManagerReturnCode GetFirmwareString(CKaStringW& text) = 0;
    virtual EDeviceManagerReturnCode UpdateFirmware(const wchar_t* path) = 0;
    virtual EDeviceManagerReturnCode RunSelfTest(int test) = 0;
    virtual EDeviceManagerReturnCode QueryValue(int key, int* value) = 0;
    virtual bool IsSimulator() = 0;
    virtual EDeviceManagerReturnCode GetHWUnits(CKaHWUnitList& units) = 0;
    virtual EDeviceManagerReturnCode GetHWUnitAdditionalMapping(CKaStringW& mapping) = 0;
    virtual EDeviceManagerReturnCode GetHWUnitConnectionStrings(CKaStringW& text) = 0;
    virtual EDeviceManagerReturnCode AddHWUnit(const SKaHWUnit& unit) = 0;
    virtual EDeviceManagerReturnCode RemoveHWUnit(const SKaHWUnit& unit) = 0;
    virtual EDeviceManagerReturnCode SetLogCommunication(bool log) = 0;
    virtual EDeviceManagerReturnCode ConfigureDevice(CKaStringW& settings, int flags) = 0;
    virtual EDeviceManagerReturnCode ShowConfigurationDialog(CKaStringW& settings, HWND parent) = 0;
    virtual EDeviceManagerReturnCode ShowDeviceConfigurationDialog(CKaStringW& settings,
                                                                   HWND parent) = 0;

  protected:
    ~IKaPhysicalDevice() = default;
};

class HX_DM_API CKaPhysicalDevice_Default : public IKaPhysicalDevice {
  public:
    CKaPhysicalDevice_Default();
    virtual ~CKaPhysicalDevice_Default();

    EDeviceManagerReturnCode GetDeviceString(int index, CKaStringW& text) override;
    EDeviceManagerReturnCode ConnectDevice(CKaStringW& settings) override;
    EDeviceManagerReturnCode GetLogicalDevices(CKaLogicalDeviceList& list) override;
    EDeviceManagerReturnCode DisconnectDevice() override;
    bool GetDisconnectDevicePossible() override;
    bool UseNewStyleConfig() override;
    int GetPhysDevID() override;
    EDeviceManagerReturnCode GetPhysDevID(int* id) override;
    EDeviceManagerReturnCode SetPhysDevID(int id) override;
    EDeviceManagerReturnCode ConfigureDevice(const CKaVariant& settings, int flags) override;
    EDeviceManagerReturnCode ResetDevice() override;
    EDeviceManagerReturnCode ShowConfigurationDialog(CKaVariant& settings, HWND parent) override;
    EDeviceManagerReturnCode GetConfigurationString(CKaStringW& text) override;
    EDeviceManagerReturnCode GetConfiguration(CKaVariant& configuration) override;
    EDeviceManagerReturnCode ShowPortDialog(CKaStringW& settings, HWND parent) override;
    int GetState() override;
    EDeviceManagerReturnCode SetNotificationCallback(KaNotificationCallback callback) override;
    EDeviceManagerReturnCode GetNotificationCallback(KaNotificationCallback* callback) override;
    bool SupportsNotificationCallback() override;
    bool RequiresDMv2ForConfiguration() override;
    EDeviceManagerReturnCode DMv2BeforeShowConfiguration(HWND parent) override;
    EDeviceManagerReturnCode DMv2AfterShowConfiguration(HWND parent, bool accepted) override;
    EDeviceManagerReturnCode GetBusInfo(SKaBusInfo* info) override;
    EDeviceManagerReturnCode SetBusMode(int mode) override;
    EDeviceManagerReturnCode GetPadInfo(CKaStringW& name, CKaStringW& title, int* image) override;
    EDeviceManagerReturnCode GetPadExtension(void** extension) override;
    EDeviceManagerReturnCode SetDeviceManager(void* deviceManager, void** pad) override;
    EDeviceManagerReturnCode GetSimplePadInfo(CKaStringW& name, CKaStringW& title) override;
    EDeviceManagerReturnCode UpdatePad() override;
    EDeviceManagerReturnCode UpdateSimplePad() override;
    EDeviceManagerReturnCode
    GetControlPadGUIElementWhereThisDeviceIsControlled(void** element) override;
    EDeviceManagerReturnCode
    GetSimpleControlPadGUIElementWhereThisDeviceIsControlled(void** element) override;
    bool SupportsBatch() override;
    EDeviceManagerReturnCode GetBatchMode(bool* batch) override;
    EDeviceManagerReturnCode BeginBatch(bool batch) override;
    EDeviceManagerReturnCode ExecuteBatch() override;
    bool RequiresExclusiveBus() override;
    EDeviceManagerReturnCode GetFirmwareString(CKaStringW& text) override;
    EDeviceManagerReturnCode UpdateFirmware(const wchar_t* path) override;
    EDeviceManagerReturnCode RunSelfTest(int test) override;
    EDeviceManagerReturnCode QueryValue(int key, int* value) override;
    bool IsSimulator() override;
    EDeviceManagerReturnCode GetHWUnits(CKaHWUnitList& units) override;
    EDeviceManagerReturnCode GetHWUnitAdditionalMapping(CKaStringW& mapping) override;
    EDeviceManagerReturnCode GetHWUnitConnectionStrings(CKaStringW& text) override;
    EDeviceManagerReturnCode AddHWUnit(const SKaHWUnit& unit) override;
    EDeviceManagerReturnCode RemoveHWUnit(const SKaHWUnit& unit) override;
    EDeviceManagerReturnCode SetLogCommunication(bool log) override;
    EDeviceManagerReturnCode ConfigureDevice(CKaStringW& settings, int flags) override;
    EDeviceManagerReturnCode ShowConfigurationDialog(CKaStringW& settings, HWND parent) override;
    EDeviceManagerReturnCode ShowDeviceConfigurationDialog(CKaStringW& settings,
                                                           HWND parent) override;

  protected:
    int m_physDevId;
    CKaStringW m_configuration;
};
