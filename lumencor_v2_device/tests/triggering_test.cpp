// NI-DAQ triggering over the stand-in NI-DAQ module: starting the DAQ, the
// triggering settings, lines switched through the card, capability 225, the
// Z-stack events, the experiment operations and the teardown.
#include "NidaqFixture.h"
#include "KaHostCodes.h"
#include "NIDAQSim.h"
#include "cfg/CfgWatcher.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class TriggeringTest : public NidaqFixture {
  protected:
    // Mode 1 on Dev1 with the lines' digital outputs (or analog ports).
    CKaStringW Mode1Settings(bool analog = false, int connectorBlock = 2) {
        CKaStringW settings;
        SetIntToKey(settings, L"m_eLumencorControl", KA_CONTROL_NIDAQ);
        SetStringToKey(settings, L"m_sCardKey", L"Dev1");
        SetIntToKey(settings, L"m_eConnectorBlock", connectorBlock);
        SetIntToKey(settings, L"TTLControlAsAnalog", analog ? 1 : 0);
        for (int i = 0; i < 8; ++i) {
            SetStringToKey(settings, Key(L"ResourceDIO%d", i).c_str(),
                           (L"Dev1/port0/line" + std::to_wstring(i)).c_str());
            SetStringToKey(settings, Key(L"ResourceAO%d", i).c_str(),
                           (L"Dev1/ao" + std::to_wstring(i % 4)).c_str());
        }
        SetIntToKey(settings, L"m_bEnableTriggering", 0);
        return settings;
    }
    static std::wstring Key(const wchar_t* format, int i) {
        wchar_t key[32];
        swprintf(key, 32, format, i);
        return key;
    }
    EDeviceManagerReturnCode Configure(const CKaStringW& settings) {
        CKaStringW copy(settings);
        return device->ConfigureDevice(copy, 0);
    }
    CNIDAQAbstraction_AOTF* Lines() { return device->GetTriggeringAbstraction(); }
    int Count(const std::wstring& call) {
        std::vector<std::wstring> calls = NIDAQSim_Calls();
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
    int CountPrefix(const std::wstring& prefix) {
        int n = 0;
        for (const std::wstring& call : NIDAQSim_Calls())
            n += call.compare(0, prefix.size(), prefix) == 0;
        return n;
    }
    std::vector<std::wstring> Matching(const std::wstring& prefix) {
        std::vector<std::wstring> found;
        for (const std::wstring& call : NIDAQSim_Calls())
            if (call.compare(0, prefix.size(), prefix) == 0) found.push_back(call);
        return found;
    }
};

TEST_F(TriggeringTest, StartingTheDAQFallsBackToTheSimulatedCards) {
    const struct {
        bool driver;
        const wchar_t* cards;
        std::vector<std::wstring> calls;
    } cases[] = {
        {false,
         L"Dev1",
         {L"NIDAQEngine_Init()", L"NIDAQmx_Init() = 0", L"NIDAQmx_InitSimulator()",
          L"CNIDAQEngine::OpenSimulator()"}},
        {true,
         L"Dev1",
         {L"NIDAQEngine_Init()", L"NIDAQmx_Init() = 1", L"CNIDAQEngine::Open() = 1"}},
        {true,
         L"",
         {L"NIDAQEngine_Init()", L"NIDAQmx_Init() = 1", L"CNIDAQEngine::Open() = 0",
          L"CNIDAQEngine::OpenSimulator()"}},
    };
    for (const auto& c : cases) {
        device->DisconnectDevice();
        NIDAQSim_Reset();
        NIDAQSim_SetCards(c.cards);
        NIDAQSim_SetDriverPresent(c.driver);
        ASSERT_EQ(KA_DM_CONNECTED, Connect());
        ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings()));
        std::vector<std::wstring> calls = NIDAQSim_Calls();
        calls.resize(c.calls.size());
        EXPECT_EQ(c.calls, calls) << c.driver << " " << c.cards;
        EXPECT_EQ(1, Count(L"AOTF::SetLineCount(8, 0)"));
        EXPECT_EQ(1, Count(L"CNIDAQEngine::CreateCardsAbstractions()"));
    }
}

// The cards and NI-DAQmx's presence from the stand-in's settings file.
TEST_F(TriggeringTest, TheSettingsFileChoosesTheSimulatedCards) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"hx_w32_niapi_test.ini";
    const struct {
        const char* text;
        std::vector<std::wstring> cards;
    } cases[] = {{"nidaqmx=0\ncards=Dev3=PCIe-6363;Dev4=USB-6343\n", {L"Dev3", L"Dev4"}},
                 {"cards=\n", {}},
                 {"cards=Dev1\r\n", {L"Dev1"}}};
    SetEnvironmentVariableW(L"HX_NIAPI_SETTINGS", path.c_str());
    for (const auto& c : cases) {
        FILE* file = _wfopen(path.c_str(), L"wb");
        ASSERT_NE(nullptr, file);
        std::fputs(c.text, file);
        std::fclose(file);
        device->DisconnectDevice();
        NIDAQSim_Reset();
        ASSERT_EQ(KA_DM_CONNECTED, Connect());
        ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings()));
        EXPECT_EQ(c.cards, device->GetNIDAQEngine()->GetDeviceList()) << c.text;
        EXPECT_EQ(1, Count(L"NIDAQmx_Init() = 0")) << c.text;
    }
    SetEnvironmentVariableW(L"HX_NIAPI_SETTINGS", nullptr);
    DeleteFileW(path.c_str());
}

TEST_F(TriggeringTest, TheSimulatedEngineAlwaysUsesTheSimulatedCards) {
    auto* simulated = new (__FILE__, __LINE__) CKaLumencorV2DeviceSim();
    CKaStringW settings;
    ASSERT_EQ(KA_DM_CONNECTED, simulated->ConnectDevice(settings));
    NIDAQSim_SetDriverPresent(true);
    NIDAQSim_ClearCalls();
    settings = Mode1Settings();
    ASSERT_EQ(KA_DM_OK, simulated->ConfigureDevice(settings, 0));
    std::vector<std::wstring> calls = NIDAQSim_Calls();
    calls.resize(3);
    EXPECT_EQ((std::vector<std::wstring>{L"NIDAQEngine_Init()", L"NIDAQmx_InitSimulator()",
                                         L"CNIDAQEngine::OpenSimulator()"}),
              calls);
    simulated->Release();
}

TEST_F(TriggeringTest, OnlyTheResourceKeysOfTheChosenKindAreRead) {
    for (bool analog : {false, true}) {
        CKaStringW settings = Mode1Settings(analog);
        // Line 3 names nothing that exists, line 5 has no key of its kind.
        SetStringToKey(settings, Key(analog ? L"ResourceAO%d" : L"ResourceDIO%d", 3).c_str(),
                       L"Dev9/nothing");
        SetStringToKey(settings, Key(analog ? L"ResourceAO%d" : L"ResourceDIO%d", 5).c_str(), L"");
        ASSERT_EQ(KA_DM_OK, Configure(settings));
        for (int i = 0; i < 8; ++i) {
            CNIDAQAbstraction_AOTFLine* line = Lines()->GetLine(i);
            const bool assigned = i != 3 && i != 5;
            EXPECT_EQ(assigned && analog, line->GetResource_AOPort1() != nullptr) << analog << i;
            EXPECT_EQ(assigned && !analog, line->GetResource_DIOLine() != nullptr) << analog << i;
        }
        EXPECT_EQ(analog, Lines()->GetTTLControlAsAnalog());
    }
    EXPECT_EQ(0, CountPrefix(L"AOTFLine::SetResource_AOPort0")) << "port 0 is left alone";
    EXPECT_EQ(2, Count(L"AOTF::Close(LumencorV2AbstractionKey)"));
    EXPECT_EQ(2, Count(L"AOTF::Open(LumencorV2AbstractionKey)"));
}

TEST_F(TriggeringTest, TheTimeStampDecidesWhetherTheTerminalsAreTaken) {
    CKaStringW settings = Mode1Settings();
    SetIntToKey(settings, L"PFI_TimeStamp", 1000);
    SetStringToKey(settings, L"PFI_Terminal0", L"Dev1/PFI3");
    SetStringToKey(settings, L"PFI_Terminal1", L"Dev1/PFI4");
    ASSERT_EQ(KA_DM_OK, Configure(settings));
    CNIDAQAbstraction_Multiexcitation* multi = device->GetMultiexcitation();
    ASSERT_NE(nullptr, multi);
    EXPECT_EQ(1000u, multi->GetPFITimeStampLastConfiguration());
    EXPECT_STREQ(L"Dev1/PFI3", multi->GetResource_PFITerminal(0)->GetNIKey());
    EXPECT_STREQ(L"Dev1/PFI4", multi->GetResource_PFITerminal(1)->GetNIKey());

    const struct {
        int stamp;
        const wchar_t* terminal0;
    } cases[] = {{1000, L"Dev1/PFI4"}, {999, L"Dev1/PFI4"}, {1001, L"Dev1/PFI7"}};
    SetStringToKey(settings, L"PFI_Terminal0", L"Dev1/PFI7");
    multi->SetResource_PFITerminal(multi->GetResource_PFITerminal(1), 0);
    for (const auto& c : cases) {
        SetIntToKey(settings, L"PFI_TimeStamp", c.stamp);
        ASSERT_EQ(KA_DM_OK, Configure(settings));
        EXPECT_STREQ(c.terminal0, multi->GetResource_PFITerminal(0)->GetNIKey()) << c.stamp;
    }
    const std::vector<std::wstring> cameras = DMApiHooks::CameraTriggerCalls();
    EXPECT_EQ(L"refresh", cameras.back()) << "the cameras read the terminals after each configure";
}

TEST_F(TriggeringTest, SavedTriggeringSettingsApplyBackUnchanged) {
    // No connector block: the dialog keeps the lines' own resources.
    CKaStringW settings = Mode1Settings(false, 0);
    SetIntToKey(settings, L"m_bEnableTriggering", 1);
    SetStringToKey(settings, L"ResourceDIO6", L"Dev1/port0/line12");
    SetStringToKey(settings, L"PFI_Terminal0", L"Dev1/PFI5");
    SetStringToKey(settings, L"PFI_Terminal1", L"");
    ASSERT_EQ(KA_DM_OK, Configure(settings));
    CKaStringW saved;
    CfgWatcher ok(IDOK);
    ASSERT_EQ(KA_DM_OK, device->ShowDeviceConfigurationDialog(saved, nullptr));
    const struct {
        const wchar_t* key;
        const wchar_t* value;
    } strings[] = {{L"m_sCardKey", L"Dev1"},
                   {L"ResourceDIO0", L"Dev1/port0/line0"},
                   {L"ResourceDIO6", L"Dev1/port0/line12"},
                   {L"ResourceAO0", L""},
                   {L"PFI_Terminal0", L"Dev1/PFI5"},
                   {L"PFI_Terminal1", L""}};
    for (const auto& s : strings) {
        CKaStringW value(L"missing");
        EXPECT_TRUE(GetStringFromKey(saved, s.key, value)) << s.key;
        EXPECT_STREQ(s.value, value) << s.key;
    }
    const struct {
        const wchar_t* key;
        int value;
    } numbers[] = {{L"m_eLumencorControl", 1},
                   {L"m_eConnectorBlock", 0},
                   {L"TTLControlAsAnalog", 0},
                   {L"m_bEnableTriggering", 1}};
    for (const auto& n : numbers) {
        int value = -1;
        EXPECT_TRUE(GetIntFromKey(saved, n.key, value)) << n.key;
        EXPECT_EQ(n.value, value) << n.key;
    }
    int stamp = 0;
    EXPECT_TRUE(GetIntFromKey(saved, L"PFI_TimeStamp", stamp));
    EXPECT_GT(stamp, 1700000000) << "seconds since 1970";
    std::vector<std::wstring> cameras = DMApiHooks::CameraTriggerCalls();
    ASSERT_GE(cameras.size(), 2u);
    EXPECT_EQ(L"0: Dev1/PFI5", cameras[cameras.size() - 2]);
    EXPECT_EQ(L"1: ", cameras.back());

    // Applying what was saved gives the same state, terminals included
    // (the saved stamp is newer than the card's).
    device->GetMultiexcitation()->SetResource_PFITerminal(nullptr, 0);
    ASSERT_EQ(KA_DM_OK, Configure(saved));
    CKaStringW again;
    device->ShowDeviceConfigurationDialog(again, nullptr);
    for (const auto& s : strings) {
        CKaStringW value;
        GetStringFromKey(again, s.key, value);
        EXPECT_STREQ(s.value, value) << s.key;
    }
    EXPECT_TRUE(device->GetTriggeringEnabled());
}

TEST_F(TriggeringTest, LinesAreSwitchedThroughTheCardAndTheBatchWakesOnTheFirstOn) {
    DMApiHooks::PhysDev_Add(device, L"Lumencor");
    ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings()));
    CKaLumencorV2MultiLaser& lines = device->MultiLaser();
    engine.ClearCommands();
    NIDAQSim_ClearCalls();
    KA_AdvanceTimeCounter(60000);
    EXPECT_EQ(KA_DM_OK, lines.SetLineUsed(2, true));
    EXPECT_EQ(1, Count(L"AOTFLine::SetState(LumencorV2AbstractionKey 2, 0)")) << "shutter closed";
    EXPECT_EQ(0,
              engine.Count("SET CH " + std::to_string(Peer().lines.m_lines[2].m_iChannel) + " 0"))
        << "no serial command in mode 1";

    // The shutter opens the used lines in a batch: line 2 goes on, the
    // engine is woken once, and only intensities go over the wire.
    engine.ClearCommands();
    NIDAQSim_ClearCalls();
    KA_AdvanceTimeCounter(60000);
    lines.SetLinePower(2, 40.0);
    ASSERT_EQ(KA_DM_OK, device->BeginBatch(true));
    lines.SetLinePower(2, 60.0);
    device->Shutter().SetShutterState(true);
    ASSERT_EQ(KA_DM_OK, device->ExecuteBatch());
    EXPECT_EQ(1, Count(L"AOTFLine::SetState(LumencorV2AbstractionKey 2, 1)"));
    EXPECT_EQ(8, CountPrefix(L"AOTFLine::SetState(LumencorV2AbstractionKey ")) << "every line";
    EXPECT_EQ(1, engine.Count("WAKEUP"));
    int mulch = 0, mulchint = 0;
    for (const std::string& c : engine.Commands()) {
        mulch += c.compare(0, 10, "SET MULCH ") == 0;
        mulchint += c.compare(0, 13, "SET MULCHINT ") == 0;
    }
    EXPECT_EQ(0, mulch);
    EXPECT_EQ(1, mulchint);

    // A line already on: the next batch does not wake the engine again.
    engine.ClearCommands();
    KA_AdvanceTimeCounter(60000);
    device->BeginBatch(true);
    lines.SetLineUsed(4, true);
    device->ExecuteBatch();
    EXPECT_EQ(0, engine.Count("WAKEUP"));
    DMApiHooks::PhysDev_Remove(device);
}

TEST_F(TriggeringTest, HardwareSequencingCapabilityFollowsTheOutputs) {
    CKaLumencorV2MultiLaser& lines = device->MultiLaser();
    EXPECT_FALSE(lines.GetCapability(KA_CAP_HARDWARE_SEQUENCING)) << "mode 0, no triggering";
    CKaStringW settings = Mode1Settings(false);
    ASSERT_EQ(KA_DM_OK, Configure(settings));
    EXPECT_TRUE(lines.GetCapability(KA_CAP_HARDWARE_SEQUENCING)) << "lines 0..7 play waveforms";
    SetStringToKey(settings, L"ResourceDIO3", L"Dev1/port0/line30");
    ASSERT_EQ(KA_DM_OK, Configure(settings));
    EXPECT_FALSE(lines.GetCapability(KA_CAP_HARDWARE_SEQUENCING)) << "line 30 cannot";
    device->SetTriggeringEnabled(true);
    EXPECT_TRUE(lines.GetCapability(KA_CAP_HARDWARE_SEQUENCING)) << "triggering enabled";
    device->SetTriggeringEnabled(false);
    SetStringToKey(settings, L"ResourceDIO3", L"");
    ASSERT_EQ(KA_DM_OK, Configure(settings));
    EXPECT_FALSE(lines.GetCapability(KA_CAP_HARDWARE_SEQUENCING)) << "a line without output";
    ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings(true)));
    EXPECT_TRUE(lines.GetCapability(KA_CAP_HARDWARE_SEQUENCING)) << "analog levels";
    CKaStringW usb;
    SetIntToKey(usb, L"m_eLumencorControl", KA_CONTROL_USB);
    ASSERT_EQ(KA_DM_OK, Configure(usb));
    EXPECT_FALSE(lines.GetCapability(KA_CAP_HARDWARE_SEQUENCING)) << "mode 0";
}

TEST_F(TriggeringTest, ZStackEventsFlagEveryMultiexcitationOnlyInMode1) {
    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_ND_ZSTACK_BEFORE_MOVEZ");
    EXPECT_EQ(0, CountPrefix(L"Multiexcitation::SetFlagMayMovePiezoZ")) << "no engine";
    ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings()));
    NIDAQSim_ClearCalls();
    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_ND_ZSTACK_BEFORE_MOVEZ");
    EXPECT_EQ((std::vector<std::wstring>{L"Multiexcitation::SetFlagMayMovePiezoZ(Dev1, 1)",
                                         L"Multiexcitation::SetFlagMayMovePiezoZ(Dev2, 1)"}),
              Matching(L"Multiexcitation::SetFlagMayMovePiezoZ"));
    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_ND_ZSTACK_AFTER_MOVEZ");
    EXPECT_EQ(1, Count(L"Multiexcitation::SetFlagMayMovePiezoZ(Dev1, 0)"));
    EXPECT_EQ(1, Count(L"Multiexcitation::SetFlagMayMovePiezoZ(Dev2, 0)"));
    EXPECT_FALSE(device->GetMultiexcitation()->GetFlagMayMovePiezoZ());
    CKaStringW usb;
    SetIntToKey(usb, L"m_eLumencorControl", KA_CONTROL_USB);
    ASSERT_EQ(KA_DM_OK, Configure(usb));
    NIDAQSim_ClearCalls();
    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_ND_ZSTACK_BEFORE_MOVEZ");
    EXPECT_EQ(0, CountPrefix(L"Multiexcitation::SetFlagMayMovePiezoZ")) << "mode 0";
}

TEST_F(TriggeringTest, AnotherModeClearsTheLineResourcesAndDisconnectReleasesWhatWasStarted) {
    ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings()));
    CKaStringW usb;
    SetIntToKey(usb, L"m_eLumencorControl", KA_CONTROL_USB);
    ASSERT_EQ(KA_DM_OK, Configure(usb));
    ASSERT_NE(nullptr, Lines()) << "the engine and the lines stay";
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(nullptr, Lines()->GetLine(i)->GetResource_DIOLine()) << i;
    EXPECT_EQ(1, NIDAQSim_EngineUses());
    NIDAQSim_ClearCalls();
    device->DisconnectDevice();
    EXPECT_EQ(8, CountPrefix(L"AOTFLine::SetResource_AOPort0(")) << "every port cleared";
    EXPECT_EQ(1, Count(L"AOTF::~AOTF(LumencorV2AbstractionKey)"));
    EXPECT_EQ(1, Count(L"NIDAQEngine_Done()"));
    EXPECT_EQ(1, Count(L"NIDAQmx_Done()"));
    EXPECT_EQ(0, NIDAQSim_EngineUses());
    EXPECT_EQ(nullptr, Lines());

    // A device that never started the DAQ releases nothing.
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    NIDAQSim_ClearCalls();
    device->DisconnectDevice();
    EXPECT_EQ(0, Count(L"NIDAQEngine_Done()"));
}

class ExperimentTest : public TriggeringTest {
  protected:
    void SetUp() override {
        TriggeringTest::SetUp();
        DMApiHooks::PhysDev_Add(device, L"Lumencor");
        ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings()));
        NIDAQSim_ClearCalls();
    }
    void TearDown() override {
        DMApiHooks::PhysDev_Remove(device);
        TriggeringTest::TearDown();
    }
    CKaLumencorV2MultiLaser& Source() { return device->MultiLaser(); }
};

TEST_F(ExperimentTest, AlternationTimingIsPassedOnlyWhenItChanges) {
    const double values[2] = {1.0, 2.0};
    EXPECT_EQ(KA_DM_OK, Source().SetLineAlternationTiming(10, 20, 30, false, values, 2, 0));
    EXPECT_EQ(KA_DM_OK, Source().SetLineAlternationTiming(10, 99, 30, true, values, 2, 0));
    EXPECT_EQ(KA_DM_OK, Source().SetLineAlternationTiming(10, 20, 30, false, values, 2, 1));
    EXPECT_EQ((std::vector<std::wstring>{
                  L"Multiexcitation::SetLineAlternationTiming(Dev1, 10, 20, 30, 0, 2, 0)",
                  L"Multiexcitation::SetLineAlternationTiming(Dev1, 10, 20, 30, 0, 2, 1)"}),
              Matching(L"Multiexcitation::SetLineAlternationTiming"));

    // Follow-exposure mode: only the select the card triggers from.
    EXPECT_EQ(KA_DM_OK, Source().SetOperationMode(10, 1));
    EXPECT_EQ(1, Count(L"Sequence::SetAndStartFollowExposureMode(Dev1, LumencorV2AbstractionKey, "
                       L"0, 1, 0.01, 0.03, " +
                       std::to_wstring(Source().GetDeviceID()) + L")"));
    NIDAQSim_ClearCalls();
    Source().SetLineAlternationTiming(40, 0, 50, false, values, 2, 1);
    EXPECT_EQ(0, CountPrefix(L"Sequence::FollowExposureModeTimingChanged")) << "select 0 in use";
    Source().SetLineAlternationTiming(40, 0, 50, false, values, 2, 0);
    EXPECT_EQ(1, Count(L"Sequence::FollowExposureModeTimingChanged(Dev1, 0.04, 0.05, 0)"));
    EXPECT_EQ(0, CountPrefix(L"Multiexcitation::SetLineAlternationTiming"));
    EXPECT_EQ(KA_DM_OK, Source().SetOperationMode(0, 0));
    EXPECT_EQ(1, Count(L"Sequence::StopFollowExposureMode(Dev1)"));
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Source().SetLineAlternationTiming(1, 2, 3, false, values, 2, 7));
}

TEST_F(ExperimentTest, SequenceModesSaveApplyAndRestoreThePowers) {
    for (int i = 0; i < 8; ++i)
        Source().SetLinePower(i, 10.0 + i);
    const SKaNidaqIlluminationSequence_Item items[2] = {{1.0, 0.0, 0.1}, {0.5, 0.1, 0.2}};
    const SKaNidaqIlluminationSequence_Device devices[3] = {
        {Source().GetDeviceID(), 1, 80.0, 2, items},
        {Source().GetDeviceID(), 9, 90.0, 2, items}, // not a line: skipped
        {Source().GetDeviceID(), 4, 70.0, 1, items}};
    const SKaNidaqIlluminationSequence_Sequence sequence = {3, devices, 0.5, 3, 0};
    ASSERT_EQ(KA_DM_OK, Source().SetIlluminationSequence(&sequence));
    const std::wstring id = std::to_wstring(Source().GetDeviceID());
    EXPECT_EQ(1, Count(L"Sequence::SetIlluminationSequence(Dev1, [" + id +
                       L" line 1 (none) Dev1/port0/line1 5 5] [" + id +
                       L" line 4 (none) Dev1/port0/line4 5], 0.5, 3, 0)"));

    EXPECT_EQ(KA_DM_OK, Source().SetOperationMode(5, 0));
    double power = 0;
    Source().GetLinePower(1, &power);
    EXPECT_DOUBLE_EQ(80.0, power);
    Source().GetLinePower(4, &power);
    EXPECT_DOUBLE_EQ(70.0, power);
    Source().GetLinePower(2, &power);
    EXPECT_DOUBLE_EQ(12.0, power);
    EXPECT_EQ(1, Count(L"Sequence::SetOperationMode(Dev1, 5)"));
    EXPECT_EQ(KA_DM_OK, Source().SetOperationMode(0, 0));
    for (int i = 0; i < 8; ++i) {
        Source().GetLinePower(i, &power);
        EXPECT_DOUBLE_EQ(10.0 + i, power) << i;
    }
    EXPECT_EQ(1, Count(L"Sequence::SetOperationMode(Dev1, 0)"));
    int mode = -1;
    Source().GetOperationMode(&mode);
    EXPECT_EQ(0, mode);
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, Source().SetIlluminationSequence(nullptr));
}

TEST_F(ExperimentTest, OperationModesReachTheirAbstractionsAndTheShutterReportsTheRun) {
    device->SetNotificationCallback(DMApiHooks::GetHostNotificationCallback());
    DMApiHooks::Notifications_Clear();
    EXPECT_EQ(KA_DM_OK, Source().SetOperationMode(4, 0));
    EXPECT_EQ(1, Count(L"Multiexcitation::SetOperationMode(Dev1, 4, 1, 0)"));
    SKaDeviceNotification record = {};
    ASSERT_TRUE(DMApiHooks::Notifications_Last(KA_NOTIFY_RUNNING, &record));
    EXPECT_EQ(2, record.m_running);
    ASSERT_TRUE(DMApiHooks::Notifications_Last(KA_NOTIFY_STATE, &record));
    EXPECT_EQ(device->Shutter().GetDeviceID(), record.m_logDevId);
    EXPECT_TRUE(record.m_open) << "open while the sequence runs";
    EXPECT_EQ(KA_DM_OK, Source().SetOperationMode(0, 0));
    EXPECT_EQ(1, Count(L"Multiexcitation::SetOperationMode(Dev1, 0, 1, 0)"));
    DMApiHooks::Notifications_Last(KA_NOTIFY_RUNNING, &record);
    EXPECT_EQ(3, record.m_running);
    DMApiHooks::Notifications_Last(KA_NOTIFY_STATE, &record);
    EXPECT_FALSE(record.m_open) << "the stored state once stopped";

    Source().SetOperationMode(3, 0);
    EXPECT_EQ(
        1, Count(L"Multiexcitation::SetOperationModePrepare(Dev1, LumencorV2AbstractionKey, 0)"));
    Source().SetOperationMode(6, 0);
    EXPECT_EQ(1, Count(L"Sequence::PrepareIlluminationSequence(Dev1, " +
                       std::to_wstring(Source().GetDeviceID()) + L")"));
    EXPECT_EQ(KA_DM_OK, Source().SetTriggeringStatus(2));
    EXPECT_EQ(1, Count(L"Multiexcitation::SetTriggeringStatus(Dev1, 2)"));
    device->SetNotificationCallback(nullptr);
}

TEST_F(ExperimentTest, AlternationSequenceMarksItsLinesAndRefusesUnknownOnes) {
    const uint32_t step1[] = {1, 3, 0xFFFFFFFF}, step2[] = {5, 0xFFFFFFFF};
    const uint32_t* steps[] = {step1, step2, nullptr};
    const double powers1[] = {20.0, 30.0}, powers2[] = {50.0};
    const double* powers[] = {powers1, powers2};
    ASSERT_EQ(KA_DM_OK, Source().SetLineAlternationSequence(steps, powers, 1));
    EXPECT_EQ((std::vector<std::wstring>{
                  L"Multiexcitation::SetTriggerSourcePFISelect(Dev1, 1)",
                  L"Multiexcitation::SetLineAlternationSequence(Dev1, LumencorV2AbstractionKey, 1 "
                  L"3 | 5)"}),
              Matching(L"Multiexcitation::"));
    for (int line : {1, 3, 5})
        EXPECT_TRUE(Peer().lines.m_lines[line].m_bInSequence) << line;
    EXPECT_FALSE(Peer().lines.m_lines[2].m_bInSequence);
    double power = 0;
    Source().GetLinePower(3, &power);
    EXPECT_DOUBLE_EQ(30.0, power);
    const uint32_t bad[] = {12, 0xFFFFFFFF};
    const uint32_t* badSteps[] = {bad, nullptr};
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Source().SetLineAlternationSequence(badSteps, nullptr, 0));
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, Source().SetLineAlternationSequence(nullptr, nullptr, 0));
}

TEST_F(ExperimentTest, VeyraLinesAreNumberedCompactlyAndZBecomesAVoltage) {
    CNIDAQEngine* engine = device->GetNIDAQEngine();
    auto* ao = static_cast<CNIDAQResource_AOPort*>(engine->GetResource(L"Dev2/ao3"));
    auto* piezo = new CNIDAQAbstraction_PiezoZ(engine, L"Piezo", ao, 0.0, 10.0, 0.0, 100.0);
    engine->AddAbstraction(piezo);
    const int piezoId = DMApiHooks::LogDev_AddPiezo(L"Piezo", piezo);

    const SKaVeyraItem a[] = {{5, 0.3}, {2, 0.4}}, b[] = {{5, 0.7}, {7, 0.2}};
    const SKaVeyraStep steps[] = {{2, a, 25.0}, {2, b, 50.0}};
    const SKaVeyraExperiment experiment = {piezoId, 2, steps, 20.0, 5.0, 100.0};
    ASSERT_EQ(KA_DM_OK, Source().SetVeyra_Experiment(&experiment));
    EXPECT_EQ((std::vector<std::wstring>{
                  L"Sequence::SetVeyraExperiment(Dev1, [0:1 1:1 z 2.5] [0:1 2:1 z 5], 0.02, "
                  L"0.005, 0.1, piezo Dev2/ao3, ao0 -, ao1 -, ttl Dev1/port0/line5 "
                  L"Dev1/port0/line2 Dev1/port0/line7)"}),
              Matching(L"Sequence::SetVeyraExperiment"));
    DMApiHooks::LogDev_RemovePiezo(piezoId);

    const SKaVeyraItem wrong[] = {{8, 1.0}};
    const SKaVeyraStep wrongSteps[] = {{1, wrong, 0.0}};
    const SKaVeyraExperiment outside = {0, 1, wrongSteps, 1.0, 1.0, 1.0};
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Source().SetVeyra_Experiment(&outside));
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, Source().SetVeyra_Experiment(nullptr));
}

TEST_F(ExperimentTest, TriggeringLimitsFollowTheOutputKind) {
    SKaNidaqIlluminationSequence_TriggeringLimits limits = {};
    limits.requestedGranularity = 2.4e-6;
    ASSERT_EQ(KA_DM_OK, Source().GetIlluminationSequenceTriggeringLimits(&limits));
    EXPECT_DOUBLE_EQ(2e-6, limits.granularity);
    EXPECT_DOUBLE_EQ(1e-8, limits.smallestStep);
    EXPECT_DOUBLE_EQ(1e-5, limits.constant);
    EXPECT_TRUE(limits.supported);
    ASSERT_EQ(KA_DM_OK, Configure(Mode1Settings(true)));
    Source().GetIlluminationSequenceTriggeringLimits(&limits);
    EXPECT_DOUBLE_EQ(5e-6, limits.smallestStep);
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, Source().GetIlluminationSequenceTriggeringLimits(nullptr));
}

} // namespace
