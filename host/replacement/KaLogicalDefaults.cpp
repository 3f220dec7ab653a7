// The host's default logical-device behaviour: bookkeeping of ids and the
// status text, "not supported" for everything a device must provide itself.
#include "KaDeviceMultiLaser.h"
#include "KaDeviceShutter.h"

CKaLogicalDevice_Default::CKaLogicalDevice_Default() : m_logDevId(0) {}
CKaLogicalDevice_Default::~CKaLogicalDevice_Default() = default;
void CKaLogicalDevice_Default::SetStatusString(const wchar_t* settings) {
    m_status = settings ? settings : L"";
}
CKaDeviceMultiLaser_Default::CKaDeviceMultiLaser_Default() = default;
CKaDeviceMultiLaser_Default::~CKaDeviceMultiLaser_Default() = default;
CKaDeviceShutter_Default::CKaDeviceShutter_Default() = default;
CKaDeviceShutter_Default::~CKaDeviceShutter_Default() = default;

EDeviceManagerReturnCode CKaLogicalDevice_Default::GetInterfaceName(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetDeviceFullName(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetDeviceDisplayName(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetDeviceShortNameTranslated(CKaStringW& name) {
    GetDeviceShortName(name);
    name = KA_GetTranslation(name);
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetLogDevString(int, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetLogDevStringTranslated(int index,
                                                                             CKaStringW& text) {
    EDeviceManagerReturnCode result = GetLogDevString(index, text);
    text = KA_GetTranslation(text);
    return result;
}
int CKaLogicalDevice_Default::GetDeviceID() {
    return m_logDevId;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetUserName(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::SetUserName(const wchar_t*) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaLogicalDevice_Default::SupportsSettings() {
    return false;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetSettings(CKaStringW& settings) {
    settings = m_status;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::SetSettings(const wchar_t* settings) {
    SetStatusString(settings);
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::SetDeviceID(int id) {
    m_logDevId = id;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::BeforePhysicalDeviceDisconnected() {
    return KA_DM_OK;
}
bool CKaLogicalDevice_Default::GetCapability(int) {
    return false;
}
bool CKaLogicalDevice_Default::IsConfigurationDialogAvailable() {
    return false;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::ShowConfigurationDialog(HWND) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaLogicalDevice_Default::RequiresDMv2ForConfiguration() {
    return false;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::DMv2BeforeShowConfiguration(HWND) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::DMv2AfterShowConfiguration(HWND, bool) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaLogicalDevice_Default::SupportsDeviceCommand() {
    return false;
}
int CKaLogicalDevice_Default::GetTypeCode() {
    return 0;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::DeviceCommand(int, int64_t, void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetGUIOptions(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::SetGUIOptions(const wchar_t*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetControlPadGUIElement(void**) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetSimpleControlPadGUIElement(void**) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetControlPadGUIElementInfo(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetSimpleControlPadGUIElementInfo(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::UpdateControlPad() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::UpdateSimpleControlPad() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaLogicalDevice_Default::GetControlPadGUIElementWhereThisDeviceIsControlled(void**) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaLogicalDevice_Default::GetSimpleControlPadGUIElementWhereThisDeviceIsControlled(void**) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaLogicalDevice_Default::GetListOfDependedDevicesWhichShouldHideWith(int*, int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::ShowRenameLogicalDeviceDialog(HWND) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaLogicalDevice_Default::IsRenameLogicalDeviceSupported() {
    return false;
}
EDeviceManagerReturnCode CKaLogicalDevice_Default::GetDeviceShortName(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
int CKaLogicalDevice_Default::GetHWUnitLogicalDeviceType() {
    return 0;
}
bool CKaLogicalDevice_Default::GetActiveChangeable() {
    return true;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetStatus(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLineCount(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLineName(int, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLineDescription(int, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLineUsed(int, bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetLineUsed(int, bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLaserOnOffStatus(int line, int* status) {
    bool used = false;
    EDeviceManagerReturnCode result = GetLineUsed(line, &used);
    if (status) *status = used ? 1 : 0;
    return result;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetPowerLimits(int, int, int, int*, int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetPowerLimits(int, int*, int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetLinePowerRaw(int, int, int, int, bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetLinePowerRaw(int, int, bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetPowerMode(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::ConvertPower(double, int, int, double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetPowerScale(int* scale) {
    if (scale) *scale = 0;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLinePower(int, int, double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLinePower(int, double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetLinePower(int, int, double) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetLinePower(int, double) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLineWavelength(int, unsigned*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetLineWavelength(int, unsigned) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetWavelengthRange(int line, unsigned* low,
                                                                         unsigned* high) {
    unsigned wavelength = 0;
    EDeviceManagerReturnCode result = GetLineWavelength(line, &wavelength);
    if (low) *low = wavelength;
    if (high) *high = wavelength;
    return result;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLineBandwidth(int, unsigned*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetShutterControl(bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaDeviceMultiLaser_Default::SetLineAlternationSequence(const uint32_t* const*,
                                                        const double* const*, int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetLineAlternationTiming(double, double,
                                                                               double, bool,
                                                                               const double*, int,
                                                                               int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetOperationMode(int, int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::UpdateLineAlternationSequence() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaDeviceMultiLaser_Default::SetDontSyncPowerWhileLineAlternationSequence(bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::StartAdvancedAlternationSequence() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::StopAdvancedAlternationSequence() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetOperationMode(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetTriggeringStatus(int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetIlluminationSequence(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaDeviceMultiLaser_Default::GetIlluminationSequenceTriggeringLimits(void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetSequenceStatus() {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaDeviceMultiLaser_Default::SupportsAllLines() {
    return false;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetAllLines(bool*, double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetAllLines(const bool*, const double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaDeviceMultiLaser_Default::GetMaximumLineAlternationSequenceLength(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetNDFilterUsed(int, bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetNDFilterUsed(int, bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetNDFilterState(int, int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetNDFilterState(int, int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetNDFilterControllable(int, bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLightState(bool*, bool*, bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SwitchLight(bool, bool*, bool*, bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetLineLightState(int, bool*, bool*, bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetVeyra_Experiment(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaDeviceMultiLaser_Default::UpdateIlluminationSequencePowers(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaDeviceMultiLaser_Default::GetIlluminationSequenceSwitchingSpeed(double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetFollowExposureMode(bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetStimulationSequence(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetGalvoExperiment(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetPhysicalLinesTable(void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::SetStimulationPreset(int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::GetStimulationPreset(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceMultiLaser_Default::Notify_PresetChanged() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode
CKaDeviceMultiLaser_Default::UpdateAssociatedStimulationDeviceProxy(void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetSwitchTime(double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterState(bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetShutterState(bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetActive(bool* active) {
    if (active) *active = true;
    return KA_DM_OK;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::UpdateShutterPad() {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaDeviceShutter_Default::HasShutterIndexes() {
    return false;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterStateEx(int, bool*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetShutterStateEx(int, bool) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterSpeed(int, double*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetShutterSpeed(int, double) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterName(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetShutterName(const wchar_t*) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaDeviceShutter_Default::IsValidShutterIndex(int) {
    return false;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterIndexCount(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::CheckShutterIndex(int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterPosition(int, int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetShutterPosition(int, int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterPositionCount(int, int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterPositionName(int, int, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaDeviceShutter_Default::SupportsShutterType() {
    return false;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetShutterType(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetShutterType(int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetAlternationSequence(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::UpdateAlternationSequence() {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetOperationMode(int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetOperationMode(int*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetLineAlternationTiming(double, double,
                                                                            double) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetTriggeringStatus(int) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::SetIlluminationSequence(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::UpdateIlluminationSequencePowers(const void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetIlluminationSequenceTriggeringLimits(void*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetIlluminationSequenceSwitchingSpeed(double*) {
    return KA_DM_NOT_SUPPORTED;
}
bool CKaDeviceShutter_Default::IsControlledBy(const int*, int) {
    return false;
}
EDeviceManagerReturnCode CKaDeviceShutter_Default::GetTimeNeededForSwitch(bool, double* ms) {
    return GetSwitchTime(ms);
}
