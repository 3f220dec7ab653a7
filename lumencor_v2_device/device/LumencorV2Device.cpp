// Construction, destruction and the physical-device operations the host calls.
#include "LumencorV2Device.h"

#include "KaHostCodes.h"
#include "KaSettings.h"
#include "KaSystem.h"
#include "LumencorV2CfgDlg.h"
#include "LumencorV2Log.h"
#include "LumencorV2PadResources.h"
#include "LumencorV2Protocol.h"
#include "LumencorV2Registry.h"
#include "LumencorV2SerialLink.h"
#include "LumencorV2Simulator.h"

#include <cstring>

namespace {

// Logical-device ids a hardware unit holds.
const int kHWUnitIds = 16;

} // namespace

CKaLumencorV2Device::CKaLumencorV2Device() {
    KA_LoadLocaleFromResource(lumencor::ThisModule());
    KA_DIAG(true, L"CKaLumencorV2Device constructor");
    m_pPad.reset(new CKaLumencorV2Pad(this));
    m_pTransport.reset(new CKaLumencorV2SerialLink());
}

CKaLumencorV2Device::~CKaLumencorV2Device() {
    KA_DIAG(true, L"CKaLumencorV2Device destructor");
    // A host that releases a connected device must not leave a worker thread,
    // event registrations or a macro reference behind. The macro reference
    // goes first: it waits for procedures still using the device.
    UnregisterMacros();
    if (m_eState != KA_STATE_DISCONNECTED) DisconnectDevice();
    m_worker.Stop();
    UnregisterEvents();
}

void CKaLumencorV2Device::UseSimulator() {
    m_bSimulator = true;
    auto* simulator = new CKaLumencorV2Simulator(*this);
    m_pTransport.reset(simulator);
    m_pSimulator = simulator;
}

const SKaRTTIClass* CKaLumencorV2Device::GetClassRecord() const {
    return &LumencorV2DeviceClassRecord();
}

void* CKaLumencorV2Device::QueryInterface(const char* name) {
    if (!name || std::strcmp(name, "IKaPhysicalDevice") != 0) return nullptr;
    AddRef();
    return static_cast<IKaPhysicalDevice*>(this);
}

CKaLumencorV2DeviceSim::CKaLumencorV2DeviceSim() {
    UseSimulator();
}

const SKaRTTIClass* CKaLumencorV2DeviceSim::GetClassRecord() const {
    return &LumencorV2DeviceSimClassRecord();
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetDeviceString(int index, CKaStringW& text) {
    switch (index) {
    case 1:
        text = L"Lumencor SpectraIII/Celesta/Ziva";
        break;
    case 2:
    case 4:
        text = L"SpectraIII/Celesta/Ziva";
        break;
    case 3:
        text = L"Lumencor";
        break;
    default:
        text.Empty();
    }
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::ConnectDevice(CKaStringW& settings) {
    KA_DIAG(true, L"CKaLumencorV2Device::ConnectDevice - BEGIN");
    m_worker.Start();
    m_bNIDAQReady = false;
    {
        CKaScopedLock refreshLock(m_refreshLock);
        m_bLogCommunication = DMApi::GetLogCommunication() == 1;
    }

    const CKaStringA model =
        GetRegistryValueString(kRegistryModel, kDefaultSimulatorModel, true).ToNarrow();
    const CKaStringA channelMap =
        GetRegistryValueString(kRegistryChannelMap, kDefaultSimulatorChannelMap, true).ToNarrow();
    if (m_pSimulator) m_pSimulator->SetEngine(model, channelMap);

    m_bConnected = false;
    m_eState = KA_STATE_CONNECTING;
    int port = m_iCOMPort;
    if (GetIntFromKey(settings, L"m_iCOMPort", port)) m_iCOMPort = port;

    if (RunOnWorker<&CKaLumencorV2Device::C_Connect>(*this) != 0) {
        m_worker.Stop();
        return KA_DM_FAILED;
    }
    m_bConnected = true;
    RegisterEvents();
    m_iRefreshCountdown = lumencor::kRefreshPeriod;
    m_iBusMode = 2;
    m_bCommunicationEnabled = true;
    KA_DIAG(true, L"CKaLumencorV2Device::ConnectDevice - END, success");
    RegisterMacros();
    return KA_DM_CONNECTED;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetLogicalDevices(CKaLogicalDeviceList& list) {
    list.RemoveAll();
    list.Add(static_cast<IKaDeviceMultiLaser*>(&m_multiLaser));
    list.Add(static_cast<IKaDeviceShutter*>(&m_shutter));
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::DisconnectDevice() {
    KA_DIAG(true, L"CKaLumencorV2Device::DisconnectDevice");
    if (m_eState == KA_STATE_DISCONNECTED) return KA_DM_OK;
    CKaPhysicalDevice_Default::DisconnectDevice();
    m_pNotificationCallback = nullptr;
    UnregisterEvents();

    m_shutter.SetShutterState(false);
    RunOnWorker<&CKaLumencorV2Device::C_Disconnect>(*this);
    m_bConnected = false;
    m_eState = KA_STATE_DISCONNECTED;
    m_worker.Stop();
    TearDownDAQ();
    UnregisterMacros();
    KA_DIAG(true, L"CKaLumencorV2Device was just disconnected");
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::ResetDevice() {
    KA_DIAG(true, L"CKaLumencorV2Device::ResetDevice");
    return m_bConnected ? KA_DM_CONNECTED : KA_DM_FAILED;
}

EDeviceManagerReturnCode CKaLumencorV2Device::ShowPortDialog(CKaStringW& settings, HWND parent) {
    if (m_bSimulator) return KA_DM_OK;
    int port = m_iCOMPort;
    GetIntFromKey(settings, L"m_iCOMPort", port);
    CKaStringW name(L"SpectraIII/Celesta/Ziva");
    if (GetPhysDevID()) DMApi::PhysDev_GetKey(GetPhysDevID(), name);
    int chosen = CKaSimpleSerial::ShowConnectionDialog(parent, port, m_bConnected, nullptr, false,
                                                       false, 2048, name, L"USB Serial Port");
    // Port numbers are positive; 0 and -1 mean cancelled.
    if (chosen < 1) return KA_DM_PORT_DIALOG_CANCELLED;
    m_iCOMPort = chosen;
    settings.Empty();
    SetIntToKey(settings, L"m_iCOMPort", m_iCOMPort);
    return KA_DM_OK;
}

int CKaLumencorV2Device::GetState() {
    return m_eState;
}

EDeviceManagerReturnCode
CKaLumencorV2Device::SetNotificationCallback(KaNotificationCallback callback) {
    m_pNotificationCallback = callback;
    return KA_DM_OK;
}

EDeviceManagerReturnCode
CKaLumencorV2Device::GetNotificationCallback(KaNotificationCallback* callback) {
    if (!callback) return KA_DM_NOT_AVAILABLE;
    *callback = m_pNotificationCallback;
    return KA_DM_OK;
}

bool CKaLumencorV2Device::SupportsNotificationCallback() {
    return true;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetBusInfo(SKaBusInfo* info) {
    KA_DIAG(true, L"CKaLumencorV2Device::GetBusInfo");
    if (!info) return KA_DM_NOT_AVAILABLE;
    bool connected = m_bConnected;
    HANDLE handle = connected ? m_pTransport->GetHandle() : INVALID_HANDLE_VALUE;
    info->m_kind = KA_BUS_KIND_SERIAL;
    info->m_busMode = m_iBusMode;
    info->m_comPort = connected ? m_iCOMPort : 0;
    info->m_reserved1 = 0;
    info->m_handle = reinterpret_cast<int64_t>(handle);
    info->m_reserved2 = 0;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::SetBusMode(int mode) {
    m_iBusMode = mode;
    RunOnWorker<&CKaLumencorV2Device::C_SetComunicationEnabled>(*this, mode != 0);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetPadInfo(CKaStringW& name, CKaStringW& title,
                                                         int* image) {
    int id = m_multiLaser.GetDeviceID();
    if (!DMApi::LogDev_GetEnabled(id)) return KA_DM_NOT_AVAILABLE;
    CKaStringW key;
    DMApi::LogDev_GetKey(id, key);
    name.Format(L"%ls pad", key.GetString());
    title = KA_GetTranslation(L"Acquisition Controls");
    if (image) *image = GetCommonImageFromPool(KA_IMAGE_LIGHT_SOURCE_PAD);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetPadExtension(void**) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Device::SetDeviceManager(void* deviceManager, void** pad) {
    if (m_eState != KA_STATE_CONFIGURED) return KA_DM_FAILED;
    m_pDeviceManager = deviceManager;
    if (m_bPadEnabled && pad) *pad = m_pPad.get();
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetSimplePadInfo(CKaStringW&, CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Device::UpdatePad() {
    if (m_pPad) m_pPad->Refresh();
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::UpdateSimplePad() {
    return KA_DM_NOT_SUPPORTED;
}

bool CKaLumencorV2Device::SupportsBatch() {
    return true;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetBatchMode(bool* batch) {
    if (batch) *batch = m_bBatch;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::BeginBatch(bool batch) {
    if (m_eState != KA_STATE_CONFIGURED) return KA_DM_FAILED;
    m_bBatch = batch;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::ExecuteBatch() {
    if (m_eState != KA_STATE_CONFIGURED) return KA_DM_FAILED;
    m_bBatch = false;
    RunOnWorker<&CKaLumencorV2MultiLaser::C_ExecuteBatch>(m_multiLaser);
    FlushNotifications();
    return KA_DM_OK;
}

bool CKaLumencorV2Device::RequiresExclusiveBus() {
    return false;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetFirmwareString(CKaStringW&) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLumencorV2Device::UpdateFirmware(const wchar_t*) {
    return KA_DM_NOT_SUPPORTED;
}
EDeviceManagerReturnCode CKaLumencorV2Device::RunSelfTest(int) {
    return KA_DM_NOT_SUPPORTED;
}

EDeviceManagerReturnCode CKaLumencorV2Device::QueryValue(int key, int* value) {
    if (key != KA_QUERY_DIRECT_TTL_MODEL) return KA_DM_NOT_SUPPORTED;
    if (value) *value = m_eModelType == KA_MODEL_ZIVA ? 0 : -1;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::GetHWUnits(CKaHWUnitList& units) {
    int physId = GetPhysDevID();
    if (!physId) return KA_DM_OK;
    SKaHWUnit unit = {};
    const int32_t model = m_eModelType;
    unit.m_type = model == KA_MODEL_CELESTA || model == KA_MODEL_ZIVA ? KA_HWUNIT_CELESTA_ZIVA
                                                                      : KA_HWUNIT_SPECTRA3;
    for (int i = 0, n = DMApi::LogDev_GetCount(); i < n; ++i) {
        int id = DMApi::LogDev_GetIdAt(i);
        if (DMApi::LogDev_GetPhysDevId(id) != physId || !DMApi::LogDev_GetVisible(id) ||
            !DMApi::LogDev_GetActive(id) || unit.m_idCount >= kHWUnitIds)
            continue;
        unit.m_ids[unit.m_idCount++] = id;
    }
    if (unit.m_idCount > 0) units.Add(unit);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::SetLogCommunication(bool log) {
    CKaScopedLock refreshLock(m_refreshLock);
    m_bLogCommunication = log;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::ConfigureDevice(CKaStringW& settings, int flags) {
    CKaPhysicalDevice_Default::ConfigureDevice(settings, flags);
    KA_DIAG(true, L"CKaLumencorV2Device::ConfigureDevice");
    if (!m_bConnected) return KA_DM_FAILED;
    if (settings.IsEmpty() && !m_bConfiguredOnce) return KA_DM_NOT_CONFIGURED;
    ReadSettings(settings);
    RunOnWorker<&CKaLumencorV2Device::C_SetTTL>(*this);
    m_bConfiguredOnce = true;
    m_eState = KA_STATE_CONFIGURED;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2Device::ShowDeviceConfigurationDialog(CKaStringW& settings,
                                                                            HWND parent) {
    m_shutter.SetShutterState(false);
    lumencor::CfgDlg dialog(*this);
    if (!dialog.Open(parent)) return KA_DM_DIALOG_CANCELLED;
    WriteSettings(settings);
    PostToPad(KA_PAD_AWAKE_OR_SETTINGS);
    return KA_DM_OK;
}

void CKaLumencorV2Device::PostToPad(UINT message) {
    if (!m_pPad) return;
    HWND window = m_pPad->GetHandle();
    if (window) KA_PostMessageImpl(window, message, 0, 0, __FILE__, __LINE__);
}

void CKaLumencorV2Device::SetPadEnabled(bool enable) {
    if (GetCurrentThreadId() != m_dwMainThreadId) {
        KA_DIAG(false, L"CKaLumencorV2Device::SetPadEnabled(%ls) must be called from MainThread!",
                enable ? L"true" : L"false");
        return;
    }
    int physId = DMApi::LogDev_GetPhysDevId(m_multiLaser.GetDeviceID());
    HWND controlPad = DMApi::PhysDev_GetControlPad(physId);
    if (enable && !m_bPadEnabled) {
        if (!controlPad) return;
        m_bPadEnabled = true;
        CKaStringW name, title;
        int image = 0;
        GetPadInfo(name, title, &image);
        CKaGUILayoutManager::AppendControl(controlPad, m_pPad.get(), KA_PAD_LAYOUT_COLUMN,
                                           KA_PAD_LAYOUT_ROW, image, title);
    } else if (!enable && m_bPadEnabled) {
        CKaGUILayoutManager::Remove(controlPad, m_pPad.get());
        m_bPadEnabled = false;
    }
}

void CKaLumencorV2Device::SetStandByMode(int32_t mode) {
    if (mode == m_eStandByMode && mode != KA_STANDBY_ENABLED)
        RunOnWorker<&CKaLumencorV2Device::C_WakeUp>(*this);
    m_eStandByMode = mode;
}
