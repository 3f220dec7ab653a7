#include "DeviceFixture.h"
#include "cfg/CfgWatcher.h"
#include "KaHostHooks.h"

#include <tlhelp32.h>

#include <thread>

namespace {

using DeviceTest = DeviceFixture;

TEST_F(DeviceTest, DeviceStringsAndQueryValue) {
    const struct {
        int index;
        const wchar_t* text;
    } strings[] = {{1, L"Lumencor SpectraIII/Celesta/Ziva"},
                   {2, L"SpectraIII/Celesta/Ziva"},
                   {3, L"Lumencor"},
                   {4, L"SpectraIII/Celesta/Ziva"},
                   {0, L""},
                   {5, L""}};
    for (const auto& s : strings) {
        CKaStringW text(L"x");
        device->GetDeviceString(s.index, text);
        EXPECT_STREQ(s.text, text) << s.index;
    }
    int value = 5;
    EXPECT_EQ(KA_DM_OK, device->QueryValue(0x14014, &value));
    EXPECT_EQ(-1, value);
    EXPECT_EQ(KA_DM_OK, device->QueryValue(0x14014, nullptr));
    EXPECT_EQ(KA_DM_NOT_SUPPORTED, device->QueryValue(0x14015, &value));
}

TEST_F(DeviceTest, ConfigureNeedsAConnectionAndOnceASettingsString) {
    CKaStringW empty;
    EXPECT_EQ(KA_DM_FAILED, device->ConfigureDevice(empty, 0));
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    EXPECT_EQ(KA_DM_NOT_CONFIGURED, device->ConfigureDevice(empty, 0));
    EXPECT_EQ(KA_STATE_CONNECTING, device->GetState());

    CKaStringW settings;
    SetIntToKey(settings, L"m_eStandByMode", 2);
    SetIntToKey(settings, L"m_bShowTemperature", 0);
    SetDoubleToKey(settings, L"dShutterDelay", 20.0);
    engine.ClearCommands();
    EXPECT_EQ(KA_DM_OK, device->ConfigureDevice(settings, 0));
    EXPECT_EQ(KA_STATE_CONFIGURED, device->GetState());
    EXPECT_EQ(1, engine.Count("SET TTLENABLE 0"));

    EXPECT_EQ(KA_DM_OK, device->ConfigureDevice(empty, 0));
    EXPECT_EQ(KA_STANDBY_ENABLED, device->GetStandByMode());
    EXPECT_FALSE(Peer().m_bShowTemperature);
    EXPECT_EQ(20.0, device->Shutter().GetDelay());
}

TEST_F(DeviceTest, DirectTtlOnlyForAZivaWithTheSetupOption) {
    struct Case {
        const char* model;
        bool option;
        int control;
        const char* ttl;
    } cases[] = {{"Ziva", true, 2, "SET TTLENABLE 1"},
                 {"Ziva", false, 1, "SET TTLPOL POS"},
                 {"Ziva", false, 0, "SET TTLENABLE 0"},
                 {"Celesta", true, 0, "SET TTLENABLE 0"},
                 {"Spectra III", true, 0, "SET TTLENABLE 0"}};
    for (const Case& c : cases) {
        engine.Set("MODEL", c.model);
        CKaVariant allow;
        allow.SetInt(1);
        DMApiHooks::SetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", c.option ? &allow : nullptr);
        ASSERT_EQ(KA_DM_CONNECTED, Connect());
        CKaStringW settings;
        SetIntToKey(settings, L"m_eLumencorControl", c.control == 1 ? 1 : 2);
        engine.ClearCommands();
        EXPECT_EQ(KA_DM_OK, device->ConfigureDevice(settings, 0));
        EXPECT_EQ(c.control, device->GetControlMode()) << c.model << c.option;
        EXPECT_EQ(1, engine.Count(c.ttl)) << c.model << c.option;
        device->DisconnectDevice();
    }
    DMApiHooks::SetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", nullptr);
}

TEST_F(DeviceTest, WavelengthsAreTakenOnlyForTheSameLineCount) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    for (int lines : {7, 8}) {
        CKaStringW settings;
        SetIntToKey(settings, L"m_iNumLines", lines);
        for (int i = 0; i < lines; ++i) {
            wchar_t key[16];
            swprintf(key, 16, L"uWave%d", i);
            SetIntToKey(settings, key, 1000 + i);
        }
        device->ConfigureDevice(settings, 0);
        EXPECT_EQ(lines == 8 ? 1000u : 365u, Peer().lines.m_lines[0].m_uWavelength) << lines;
    }
    CKaStringW saved;
    CfgWatcher ok(IDOK);
    device->ShowDeviceConfigurationDialog(saved, nullptr);
    int value = 0;
    EXPECT_TRUE(GetIntFromKey(saved, L"uWave7", value));
    EXPECT_EQ(1007, value);
}

TEST_F(DeviceTest, ResetReportsTheConnectionWithoutTalkingToTheEngine) {
    EXPECT_EQ(KA_DM_FAILED, device->ResetDevice());
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    engine.ClearCommands();
    EXPECT_EQ(KA_DM_CONNECTED, device->ResetDevice());
    device->DisconnectDevice();
    EXPECT_EQ(KA_DM_FAILED, device->ResetDevice());
    EXPECT_EQ(0, engine.Count("GET MODEL"));
}

TEST_F(DeviceTest, PadCanOnlyBeSwitchedFromTheMainThread) {
    int physId = DMApiHooks::PhysDev_Add(device, L"Lumencor1");
    HWND controlPad = padWindow;
    DMApiHooks::PhysDev_SetControlPad(physId, controlPad);
    device->SetPadEnabled(false);
    EXPECT_EQ(0, DMApiHooks::CountPadControls(controlPad));

    std::thread other([&] { device->SetPadEnabled(true); });
    other.join();
    EXPECT_FALSE(Peer().m_bPadEnabled);
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::SetPadEnabled(true) must be called from "
                           L"MainThread!"));

    device->SetPadEnabled(true);
    EXPECT_TRUE(Peer().m_bPadEnabled);
    EXPECT_EQ(1, DMApiHooks::CountPadControls(controlPad));
    device->SetPadEnabled(false);
    DMApiHooks::PhysDev_Remove(device);
}

TEST_F(DeviceTest, PadInfoNeedsAnEnabledLightSource) {
    DMApiHooks::PhysDev_Add(device, L"Lumencor1");
    CKaStringW name, title;
    int image = -5;
    EXPECT_EQ(KA_DM_OK, device->GetPadInfo(name, title, &image));
    EXPECT_STREQ(L"Lumencor1.0 pad", name);
    EXPECT_STREQ(L"Acquisition Controls", title);
    EXPECT_EQ(GetCommonImageFromPool(1002), image);
    DMApiHooks::LogDev_SetEnabled(device->MultiLaser().GetDeviceID(), false);
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, device->GetPadInfo(name, title, &image));
    DMApiHooks::PhysDev_Remove(device);
}

TEST_F(DeviceTest, RegistryDefaultsAreCreatedAndLongValuesReadInFull) {
    const wchar_t* key = L"Software\\Quorvane\\Misc\\Lumencor SpectraIII";
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    wchar_t value[300];
    DWORD bytes = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, RegGetValueW(HKEY_LOCAL_MACHINE, key, L"Simulator_ChannelMap_String",
                                          RRF_RT_REG_SZ, nullptr, value, &bytes));
    EXPECT_STREQ(L"TEAL CYAN YELLOW RED GREEN NIR BLUE VIOLET", value);
    EXPECT_EQ(2, log.Count(L"CKaLumencorV2Device::GetRegistryValueString read ", true));

    std::wstring longValue(600, L'R');
    device->SetRegistryValueString(L"Simulator_ModelString", longValue.c_str());
    EXPECT_EQ(longValue, std::wstring(device->GetRegistryValueString(L"Simulator_ModelString",
                                                                     L"default", false)));
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, key);
    EXPECT_STREQ(L"default",
                 device->GetRegistryValueString(L"Simulator_ModelString", L"default", false));
}

TEST_F(DeviceTest, DisconnectReleasesEverythingAndAReconnectWorks) {
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    EXPECT_EQ(10, DMApiHooks::AppRntm_CountRegistrations(device)) << "consumer and nine events";
    EXPECT_EQ(device, CKaLumencorV2CurrentDevice().Get());
    EXPECT_NE(nullptr, DMApiHooks::FindMacroProc(L"Stg_Lumencor_WakeUp"));

    EXPECT_EQ(KA_DM_OK, device->DisconnectDevice());
    EXPECT_EQ(KA_STATE_DISCONNECTED, device->GetState());
    EXPECT_FALSE(engine.IsOpen());
    EXPECT_FALSE(Peer().WorkerRunning());
    EXPECT_EQ(0, DMApiHooks::AppRntm_CountRegistrations(device));
    EXPECT_EQ(nullptr, CKaLumencorV2CurrentDevice().Get());
    EXPECT_EQ(nullptr, DMApiHooks::FindMacroProc(L"Stg_Lumencor_WakeUp"));
    EXPECT_EQ(-9, Stg_WakeUp());
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device was just disconnected"));

    EXPECT_EQ(KA_DM_OK, ConnectAndConfigure());
    EXPECT_EQ(device, CKaLumencorV2CurrentDevice().Get()) << "registered again after a reconnect";
    EXPECT_NE(nullptr, DMApiHooks::FindMacroProc(L"Stg_Lumencor_WakeUp"));
}

TEST_F(DeviceTest, MacroProceduresFollowTheConnectedDevice) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    EXPECT_EQ(KA_STANDBY_OUTSIDE, Stg_GetStandByMode());
    EXPECT_EQ(0, Stg_SetStandByMode(KA_STANDBY_ENABLED));
    EXPECT_EQ(KA_STANDBY_ENABLED, device->GetStandByMode());

    CKaLumencorV2Device* second = new (__FILE__, __LINE__) CKaLumencorV2Device();
    EXPECT_EQ(KA_DM_CONNECTED, Connect()) << "reconnect of the first keeps it current";
    device->Release();
    device = nullptr;
    EXPECT_EQ(nullptr, CKaLumencorV2CurrentDevice().Get()) << "a destroyed device is forgotten";
    EXPECT_EQ(-9, Stg_SetStandByMode(1));
    EXPECT_EQ(0, Stg_GetStandByMode());

    CKaStringW settings;
    SetIntToKey(settings, L"m_iCOMPort", kPort);
    ASSERT_EQ(KA_DM_CONNECTED, second->ConnectDevice(settings));
    EXPECT_EQ(second, CKaLumencorV2CurrentDevice().Get());
    device = second;
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL ok = Thread32First(snapshot, &entry); ok; ok = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    return count;
}

TEST_F(DeviceTest, ConnectDisconnectCyclesLeakNoThreadOrHandle) {
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    device->DisconnectDevice();
    int threads = ThreadsOfThisProcess();
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    for (int cycle = 0; cycle < 200; ++cycle) {
        ASSERT_EQ(KA_DM_OK, ConnectAndConfigure()) << cycle;
        ASSERT_EQ(KA_DM_OK, device->DisconnectDevice()) << cycle;
    }
    DWORD handlesAfter = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handlesAfter);
    EXPECT_EQ(threads, ThreadsOfThisProcess());
    EXPECT_LE(handlesAfter, handles + 2);
}

TEST_F(DeviceTest, BusInfoAndBatchFollowTheState) {
    SKaBusInfo info;
    EXPECT_EQ(KA_DM_OK, device->GetBusInfo(&info));
    EXPECT_EQ(1, info.m_kind);
    EXPECT_EQ(0, info.m_comPort);
    EXPECT_EQ(-1, info.m_handle);
    EXPECT_EQ(KA_DM_FAILED, device->BeginBatch(true));
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    device->GetBusInfo(&info);
    EXPECT_EQ(kPort, info.m_comPort);
    EXPECT_EQ(2, info.m_busMode);
    EXPECT_EQ(KA_DM_OK, device->BeginBatch(true));
    bool batch = false;
    device->GetBatchMode(&batch);
    EXPECT_TRUE(batch);
    EXPECT_EQ(KA_DM_OK, device->ExecuteBatch());
    device->GetBatchMode(&batch);
    EXPECT_FALSE(batch);

    EXPECT_EQ(KA_DM_OK, device->SetBusMode(0));
    EXPECT_FALSE(Peer().m_bCommunicationEnabled);
    engine.ClearCommands();
    device->RunOnWorker<&CKaLumencorV2Device::C_Refresh>(*device);
    EXPECT_TRUE(engine.Commands().empty()) << "a disabled port sends nothing";
    device->SetBusMode(1);
    EXPECT_TRUE(Peer().m_bCommunicationEnabled);
}

} // namespace

namespace {

// Drives the next dialog this thread activates: picks `choice` in its port
// list and presses OK, or presses Cancel when `choice` is empty.
struct DialogDriver {
    static inline const wchar_t* choice = nullptr;
    static inline HHOOK hook = nullptr;
    static inline std::wstring title;
    static inline bool driven = false;
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        // Only the dialog: the window activated after it closes is left alone.
        if (code == HCBT_ACTIVATE && !driven) {
            driven = true;
            HWND dialog = reinterpret_cast<HWND>(wParam);
            wchar_t text[128] = {};
            GetWindowTextW(dialog, text, 128);
            title = text;
            HWND list = GetDlgItem(dialog, 100);
            LRESULT index = choice ? SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                  reinterpret_cast<LPARAM>(choice))
                                   : LB_ERR;
            if (index != LB_ERR) PostMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
            PostMessageW(dialog, WM_COMMAND, index != LB_ERR ? IDOK : IDCANCEL, 0);
        }
        return CallNextHookEx(hook, code, wParam, lParam);
    }
    explicit DialogDriver(const wchar_t* pick) {
        choice = pick;
        driven = false;
        hook = SetWindowsHookExW(WH_CBT, &Hook, nullptr, GetCurrentThreadId());
    }
    ~DialogDriver() { UnhookWindowsHookEx(hook); }
};

TEST_F(DeviceTest, PortDialogWritesTheChosenPortOrReportsCancel) {
    CKaStringW settings;
    SetIntToKey(settings, L"m_iCOMPort", 3);
    {
        DialogDriver driver(L"COM7");
        EXPECT_EQ(KA_DM_OK, device->ShowPortDialog(settings, nullptr));
    }
    EXPECT_EQ(L"SpectraIII/Celesta/Ziva", DialogDriver::title);
    int port = 0;
    EXPECT_TRUE(GetIntFromKey(settings, L"m_iCOMPort", port));
    EXPECT_EQ(7, port);
    {
        DialogDriver driver(nullptr);
        EXPECT_EQ(KA_DM_PORT_DIALOG_CANCELLED, device->ShowPortDialog(settings, nullptr));
    }
    EXPECT_TRUE(GetIntFromKey(settings, L"m_iCOMPort", port));
    EXPECT_EQ(7, port) << "a cancelled dialog leaves the settings";
}

TEST_F(DeviceTest, HardwareUnitListsTheActiveLogicalDevices) {
    CKaHWUnitList units;
    device->GetHWUnits(units);
    EXPECT_EQ(0, units.GetCount()) << "no unit without an id";
    DMApiHooks::PhysDev_Add(device, L"Lumencor1");
    DMApiHooks::LogDev_SetEnabled(device->Shutter().GetDeviceID(), false);
    device->GetHWUnits(units);
    ASSERT_EQ(1, units.GetCount());
    EXPECT_EQ(164, units.Get(0).m_type);
    ASSERT_EQ(1, units.Get(0).m_idCount);
    EXPECT_EQ(device->MultiLaser().GetDeviceID(), units.Get(0).m_ids[0]);
    DMApiHooks::PhysDev_Remove(device);
}

TEST_F(DeviceTest, BatchedNotificationsReplaceTheirDevicesEntryAndFlushOnExecute) {
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    device->SetNotificationCallback(DMApiHooks::GetHostNotificationCallback());
    DMApiHooks::Notifications_Clear();
    device->BeginBatch(true);
    SKaDeviceNotification record = {};
    for (int i = 0; i < 40; ++i) {
        record.m_logDevId = 5;
        record.m_changedLine = i;
        device->Notify(KA_NOTIFY_STATE, record);
    }
    EXPECT_EQ(0, DMApiHooks::Notifications_Count(KA_NOTIFY_STATE))
        << "queued, one entry per device";
    record.m_logDevId = 6;
    device->Notify(KA_NOTIFY_STATE, record);
    device->ExecuteBatch();
    EXPECT_EQ(2, DMApiHooks::Notifications_Count(KA_NOTIFY_STATE));
    SKaDeviceNotification last = {};
    DMApiHooks::Notifications_Last(KA_NOTIFY_STATE, &last);
    EXPECT_EQ(6, last.m_logDevId);

    DMApiHooks::Notifications_Clear();
    device->BeginBatch(true);
    for (int id = 1; id <= 33; ++id) {
        record.m_logDevId = id;
        device->Notify(KA_NOTIFY_STATE, record);
    }
    EXPECT_EQ(32, DMApiHooks::Notifications_Count(KA_NOTIFY_STATE)) << "a full queue is passed on";
    device->ExecuteBatch();
    EXPECT_EQ(33, DMApiHooks::Notifications_Count(KA_NOTIFY_STATE));
}

} // namespace
