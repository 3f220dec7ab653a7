// The host's defaults: bookkeeping where the host keeps state, "not
// supported" where a device must bring its own behaviour.
#include "KaPhysicalDevice.h"

CKaPhysicalDevice_Default::CKaPhysicalDevice_Default() : m_physDevId(0) {}
CKaPhysicalDevice_Default::~CKaPhysicalDevice_Default() = default;

EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetDeviceString(int, CKaStringW& text) {
    text.Empty();
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ConnectDevice(CKaStringW&) {
    return KA_DM_CONNECTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetLogicalDevices(CKaLogicalDeviceList& list) {
    list.RemoveAll();
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::DisconnectDevice() {
    return KA_DM_OK;
}
bool CKaPhysicalDevice_Default::GetDisconnectDevicePossible() {
    return true;
}
bool CKaPhysicalDevice_Default::UseNewStyleConfig() {
    return true;
}
int CKaPhysicalDevice_Default::GetPhysDevID() {
    return m_physDevId;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetPhysDevID(int* id) {
    if (!id) return KA_DM_NOT_AVAILABLE;
    *id = m_physDevId;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::SetPhysDevID(int id) {
    m_physDevId = id;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ConfigureDevice(const CKaVariant& settings,
                                                                    int flags) {
    CKaStringW text(settings.GetString());
    return ConfigureDevice(text, flags);
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ResetDevice() {
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ShowConfigurationDialog(CKaVariant& settings,
                                                                            HWND parent) {
    CKaStringW text(settings.GetString());
    EDeviceManagerReturnCode result = ShowDeviceConfigurationDialog(text, parent);
    if (result == KA_DM_OK) settings.SetString(text);
    return result;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetConfigurationString(CKaStringW& text) {
    text = m_configuration;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetConfiguration(CKaVariant& configuration) {
    configuration.SetString(m_configuration);
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ShowPortDialog(CKaStringW&, HWND) {
    return KA_DM_OK;
}
int CKaPhysicalDevice_Default::GetState() {
    return 0;
}
EDeviceManagerReturnCode
CKaPhysicalDevice_Default::SetNotificationCallback(KaNotificationCallback) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaPhysicalDevice_Default::GetNotificationCallback(KaNotificationCallback* callback) {
    if (callback) *callback = nullptr;
    return KA_DM_NOT_SUPPORTED;
}
bool CKaPhysicalDevice_Default::SupportsNotificationCallback() {
    return false;
}
bool CKaPhysicalDevice_Default::RequiresDMv2ForConfiguration() {
    return false;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::DMv2BeforeShowConfiguration(HWND) {
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::DMv2AfterShowConfiguration(HWND, bool) {
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetBusInfo(SKaBusInfo* info) {
    if (info) *info = SKaBusInfo{0, 0, 0, 0, -1, 0};
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::SetBusMode(int) {
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetPadInfo(CKaStringW&, CKaStringW&, int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetPadExtension(void**) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::SetDeviceManager(void*, void**) {
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetSimplePadInfo(CKaStringW&, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::UpdatePad() {
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::UpdateSimplePad() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaPhysicalDevice_Default::GetControlPadGUIElementWhereThisDeviceIsControlled(void** element) {
    if (element) *element = nullptr;
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaPhysicalDevice_Default::GetSimpleControlPadGUIElementWhereThisDeviceIsControlled(
    void** element) {
    if (element) *element = nullptr;
    return KA_DM_NOT_SUPPORTED;
}
bool CKaPhysicalDevice_Default::SupportsBatch() {
    return false;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetBatchMode(bool* batch) {
    if (batch) *batch = false;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::BeginBatch(bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ExecuteBatch() {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaPhysicalDevice_Default::RequiresExclusiveBus() {
    return false;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetFirmwareString(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::UpdateFirmware(const wchar_t*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::RunSelfTest(int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::QueryValue(int, int*) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaPhysicalDevice_Default::IsSimulator() {
    return false;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetHWUnits(CKaHWUnitList&) {
    return KA_DM_OK;
}
EDeviceManagerReturnCode
CKaPhysicalDevice_Default::GetHWUnitAdditionalMapping(CKaStringW& mapping) {
    mapping.Empty();
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::GetHWUnitConnectionStrings(CKaStringW& text) {
    text.Empty();
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::AddHWUnit(const SKaHWUnit&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::RemoveHWUnit(const SKaHWUnit&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::SetLogCommunication(bool) {
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ConfigureDevice(CKaStringW& settings, int) {
    m_configuration = settings;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ShowConfigurationDialog(CKaStringW& settings,
                                                                            HWND parent) {
    return ShowDeviceConfigurationDialog(settings, parent);
}
EDeviceManagerReturnCode CKaPhysicalDevice_Default::ShowDeviceConfigurationDialog(CKaStringW&,
                                                                                  HWND) {
    return KA_DM_NOT_SUPPORTED;
}
