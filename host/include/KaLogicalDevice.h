// The logical-device interface every device the user sees implements, in
// table order, and the host's default implementation.
#pragma once

#include "KaClass.h"
#include "KaDeviceTypes.h"
#include "KaString.h"

class IKaLogicalDevice {
  public:
    virtual ~IKaLogicalDevice() = default;
    virtual EDeviceManagerReturnCode GetInterfaceName(CKaStringW& name) = 0;
    virtual EDeviceManagerReturnCode GetDeviceFullName(CKaStringW& name) = 0;
    virtual EDeviceManagerReturnCode GetDeviceDisplayName(CKaStringW& name) = 0;
    virtual EDeviceManagerReturnCode GetDeviceShortNameTranslated(CKaStringW& name) = 0;
    virtual EDeviceManagerReturnCode GetLogDevString(int index, CKaStringW& text) = 0;
    virtual EDeviceManagerReturnCode GetLogDevStringTranslated(int index, CKaStringW& text) = 0;
    virtual int GetDeviceID() = 0;
    virtual EDeviceManagerReturnCode GetUserName(CKaStringW& name) = 0;
    virtual EDeviceManagerReturnCode SetUserName(const wchar_t* name) = 0;
    virtual bool SupportsSettings() = 0;
    virtual EDeviceManagerReturnCode GetSettings(CKaStringW& settings) = 0;
    virtual EDeviceManagerReturnCode SetSettings(const wchar_t* settings) = 0;
    virtual EDeviceManagerReturnCode SetDeviceID(int id) = 0;
    virtual EDeviceManagerReturnCode BeforePhysicalDeviceDisconnected() = 0;
    virtual bool GetCapability(int code) = 0;
    virtual bool IsConfigurationDialogAvailable() = 0;
    virtual EDeviceManagerReturnCode ShowConfigurationDialog(HWND parent) = 0;
    virtual bool RequiresDMv2ForConfiguration() = 0;
    virtual EDeviceManagerReturnCode DMv2BeforeShowConfiguration(HWND parent) = 0;
    virtual EDeviceManagerReturnCode DMv2AfterShowConfiguration(HWND parent, bool accepted) = 0;
    virtual bool SupportsDeviceCommand() = 0;
    virtual int GetTypeCode() = 0;
    virtual EDeviceManagerReturnCode DeviceCommand(int code, int64_t value, void* out) = 0;
    virtual EDeviceManagerReturnCode GetGUIOptions(CKaStringW& options) = 0;
    virtual EDeviceManagerReturnCode SetGUIOptions(const wchar_t* options) = 0;
    virtual EDeviceManagerReturnCode GetControlPadGUIElement(void** element) = 0;
    virtual EDeviceManagerReturnCode GetSimpleControlPadGUIElement(void** element) = 0;
    virtual EDeviceManagerReturnCode GetControlPadGUIElementInfo(CKaStringW& info) = 0;
    virtual EDeviceManagerReturnCode GetSimpleControlPadGUIElementInfo(CKaStringW& info) = 0;
    virtual EDeviceManagerReturnCode UpdateControlPad() = 0;
    virtual EDeviceManagerReturnCode UpdateSimpleControlPad() = 0;
    virtual EDeviceManagerReturnCode
    GetControlPadGUIElementWhereThisDeviceIsControlled(void** element) = 0;
    virtual EDeviceManagerReturnCode
    GetSimpleControlPadGUIElementWhereThisDeviceIsControlled(void** element) = 0;
    virtual EDeviceManagerReturnCode GetListOfDependedDevicesWhichShouldHideWith(int* ids,
                                                                                 int* count) = 0;
    virtual EDeviceManagerReturnCode ShowRenameLogicalDeviceDialog(HWND parent) = 0;
    virtual bool IsRenameLogicalDeviceSupported() = 0;
    virtual EDeviceManagerReturnCode GetDeviceShortName(CKaStringW& name) = 0;
    virtual int GetHWUnitLogicalDeviceType() = 0;
    virtual bool GetActiveChangeable() = 0;
};

class HX_DM_API CKaLogicalDevice_Default : public virtual IKaLogicalDevice {
  public:
    CKaLogicalDevice_Default();
    ~CKaLogicalDevice_Default() override;

    EDeviceManagerReturnCode GetInterfaceName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceFullName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceDisplayName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceShortNameTranslated(CKaStringW& name) override;
    EDeviceManagerReturnCode GetLogDevString(int index, CKaStringW& text) override;
    EDeviceManagerReturnCode GetLogDevStringTranslated(int index, CKaStringW& text) override;
    int GetDeviceID() override;
    EDeviceManagerReturnCode GetUserName(CKaStringW& name) override;
    EDeviceManagerReturnCode SetUserName(const wchar_t* name) override;
    bool SupportsSettings() override;
    EDeviceManagerReturnCode GetSettings(CKaStringW& settings) override;
    EDeviceManagerReturnCode SetSettings(const wchar_t* settings) override;
    EDeviceManagerReturnCode SetDeviceID(int id) override;
    EDeviceManagerReturnCode BeforePhysicalDeviceDisconnected() override;
    bool GetCapability(int code) override;
    bool IsConfigurationDialogAvailable() override;
    EDeviceManagerReturnCode ShowConfigurationDialog(HWND parent) override;
    bool RequiresDMv2ForConfiguration() override;
    EDeviceManagerReturnCode DMv2BeforeShowConfiguration(HWND parent) override;
    EDeviceManagerReturnCode DMv2AfterShowConfiguration(HWND parent, bool accepted) override;
    bool SupportsDeviceCommand() override;
    int GetTypeCode() override;
    EDeviceManagerReturnCode DeviceCommand(int code, int64_t value, void* out) override;
    EDeviceManagerReturnCode GetGUIOptions(CKaStringW& options) override;
    EDeviceManagerReturnCode SetGUIOptions(const wchar_t* options) override;
    EDeviceManagerReturnCode GetControlPadGUIElement(void** element) override;
    EDeviceManagerReturnCode GetSimpleControlPadGUIElement(void** element) override;
    EDeviceManagerReturnCode GetControlPadGUIElementInfo(CKaStringW& info) override;
    EDeviceManagerReturnCode GetSimpleControlPadGUIElementInfo(CKaStringW& info) override;
    EDeviceManagerReturnCode UpdateControlPad() override;
    EDeviceManagerReturnCode UpdateSimpleControlPad() override;
    EDeviceManagerReturnCode
    GetControlPadGUIElementWhereThisDeviceIsControlled(void** element) override;
    EDeviceManagerReturnCode
    GetSimpleControlPadGUIElementWhereThisDeviceIsControlled(void** element) override;
    EDeviceManagerReturnCode GetListOfDependedDevicesWhichShouldHideWith(int* ids,
                                                                         int* count) override;
    EDeviceManagerReturnCode ShowRenameLogicalDeviceDialog(HWND parent) override;
    bool IsRenameLogicalDeviceSupported() override;
    EDeviceManagerReturnCode GetDeviceShortName(CKaStringW& name) override;
    int GetHWUnitLogicalDeviceType() override;
    bool GetActiveChangeable() override;

    // The host's status setter: keeps the settings text the device was given.
    void SetStatusString(const wchar_t* settings);

  protected:
    int m_logDevId;
    CKaStringW m_status;
};
