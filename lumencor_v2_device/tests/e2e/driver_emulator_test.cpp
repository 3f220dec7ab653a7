// The shipped plug-in, loaded through its class records, drives the
// emulated light engine over a real COM port of the Wine prefix.
#include "LoadedDriver.h"
#include "KaHostHooks.h"

#include "KaDMApi.h"
#include "KaDeviceShutter.h"
#include "KaSettings.h"
#include "KaSystem.h"
#include "LogCapture.h"
#include "emulator_control.h"
#include "message_pump.h"
#include "pe_exports.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using lumencor_emulator::EmulatorControl;

TEST(ModuleRecords, ClassRecordsNameTheExportedConstructors) {
    CKaPluginModule module;
    ASSERT_TRUE(module.Load(L"lumencor_v2_device.dll"));
    std::vector<std::string> exports = testsupport::ExportNames(module.GetModule());
    for (const char* name :
         {"KA_ConstructorForCKaLumencorV2Device", "KA_ConstructorForCKaLumencorV2DeviceSim"})
        EXPECT_NE(exports.end(), std::find(exports.begin(), exports.end(), name)) << name;

    ASSERT_EQ(2, module.GetClassCount());
    const char* names[] = {"CKaLumencorV2Device", "CKaLumencorV2DeviceSim"};
    const char* constructors[] = {"KA_ConstructorForCKaLumencorV2Device",
                                  "KA_ConstructorForCKaLumencorV2DeviceSim"};
    for (int i = 0; i < 2; ++i) {
        const SKaRTTIClass* record = module.GetClass(i);
        EXPECT_STREQ(names[i], record->m_name);
        EXPECT_EQ(testsupport::ExportAddress(module.GetModule(), constructors[i]),
                  reinterpret_cast<void*>(record->m_constructor));
        EXPECT_STREQ("IKaPhysicalDevice", record->m_parents[0]);
        for (int p = 1; p < 9; ++p)
            EXPECT_EQ(nullptr, record->m_parents[p]);
        EXPECT_GT(record->m_size, sizeof(void*));
    }
    ASSERT_EQ(2, module.GetXmlCount());
    std::wstring classXml = module.GetXml(0), driverXml = module.GetXml(1);
    EXPECT_NE(std::wstring::npos, classXml.find(L"<CKaLumencorV2Device runtype=\"RKaRttiClass\">"));
    EXPECT_NE(std::wstring::npos,
              classXml.find(L"<m_parent1 runtype=\"CKaStringW\" value=\"IKaPhysicalDevice\"/>"));
    EXPECT_NE(std::wstring::npos, classXml.find(L"<m_parent9 runtype=\"CKaStringW\" value=\"\"/>"));
    EXPECT_NE(std::wstring::npos, driverXml.find(L"value=\"Lumencor SpectraIII/Celesta/Ziva\""));
    EXPECT_NE(std::wstring::npos,
              driverXml.find(L"<m_version runtype=\"ka_int32\" value=\"32\"/>"));

    size_t size = 0;
    auto* versions = static_cast<const wchar_t*>(module.FindSection("ver6ID", &size));
    ASSERT_NE(nullptr, versions);
    std::wstring all(versions, size / sizeof(wchar_t));
    for (const wchar_t* text :
         {L"KA_GLOB_FILEVERSION_WCS runtype=\"CKaStringW\" value=\"8, 4206, 1822, 1\"",
          L"KA_LOCAL_ORIGINALFILENAME runtype=\"CKaStringW\" value=\"lumencor_v2_device.dll\"",
          L"KA_GLOB_COMPANYNAME runtype=\"CKaStringW\" value=\"Quorvane\""})
        EXPECT_NE(std::wstring::npos, all.find(text)) << text;
}

// The plug-in imports only system DLLs and the host framework modules.
TEST(ModuleRecords, ImportsOnlySystemAndHostModules) {
    CKaPluginModule module;
    ASSERT_TRUE(module.Load(L"lumencor_v2_device.dll"));
    auto* base = reinterpret_cast<const unsigned char*>(module.GetModule());
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress);
    const char* allowed[] = {"hx_gnr_system.dll",   "hx_w32_system.dll", "hx_w32_simpleserial.dll",
                             "hx_w32_dmapi.dll",    "kernel32.dll",      "user32.dll",
                             "advapi32.dll",        "msvcrt.dll",        "hx_w32_niapi.dll",
                             "hx_w32_deviceui.dll", "gdi32.dll"};
    int count = 0;
    for (; entry->Name; ++entry, ++count) {
        const char* name = reinterpret_cast<const char*>(base + entry->Name);
        bool known = false;
        for (const char* a : allowed)
            known = known || _stricmp(a, name) == 0;
        EXPECT_TRUE(known) << name;
    }
    EXPECT_GT(count, 0);
}

TEST(ModuleRecords, ObjectsAnswerOnlyThePhysicalDeviceInterfaceAndAreFreedWithTheirLastReference) {
    long before = KA_LiveObjects();
    {
        LoadedDriver driver;
        ASSERT_NE(nullptr, driver.device);
        auto* kaClass = dynamic_cast<CKaClass*>(driver.object);
        EXPECT_STREQ("CKaLumencorV2Device", kaClass->GetClassRecord()->m_name);
        EXPECT_EQ(nullptr, kaClass->QueryInterface("IKaLogicalDevice"));
        EXPECT_EQ(nullptr, kaClass->QueryInterface(nullptr));
        EXPECT_EQ(before + 1, KA_LiveObjects());
    }
    EXPECT_EQ(before, KA_LiveObjects());
    LoadedDriver simulator("CKaLumencorV2DeviceSim");
    ASSERT_NE(nullptr, simulator.device);
    EXPECT_STREQ("CKaLumencorV2DeviceSim",
                 dynamic_cast<CKaClass*>(simulator.object)->GetClassRecord()->m_name);
}

class DriverOverSerial : public ::testing::Test {
  protected:
    void SetUp() override {
        com = lumencor_emulator::ComNumberFromEnvironment();
        ASSERT_NE(0, com) << "run through tools/wine/with_emulator.sh";
        ASSERT_TRUE(control.connected());
        ASSERT_TRUE(control.Reset());
        DMApiHooks::Reset();
        DMApiHooks::SetLogCommunication(1);
        ASSERT_NE(nullptr, driver.device);
    }
    void TearDown() override {
        if (driver.device) driver.device->DisconnectDevice();
    }
    EDeviceManagerReturnCode Connect() {
        CKaStringW settings;
        SetIntToKey(settings, L"m_iCOMPort", com);
        return driver.device->ConnectDevice(settings);
    }
    std::vector<std::string> Received() {
        std::vector<std::string> commands;
        for (const auto& c : control.Log())
            commands.push_back(std::to_string(c.baud) + " " + c.bytes);
        return commands;
    }
    // Waits for the driver's poll to come round `polls` more times.
    bool PollsPass(int polls, unsigned timeoutMs = 10000) {
        int target = log.Count(L"CKaLumencorV2Device::C_Refresh - end", true) + polls;
        return testsupport::PumpUntil(
            [&] { return log.Count(L"CKaLumencorV2Device::C_Refresh - end", true) >= target; },
            timeoutMs);
    }

    int com = 0;
    EmulatorControl control;
    LogCapture log;
    LoadedDriver driver;
};

TEST_F(DriverOverSerial, ConnectsReadsTheEngineAndPolls) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    std::vector<std::string> received = Received();
    ASSERT_FALSE(received.empty());
    EXPECT_EQ("115200 GET MODEL\r", received.front());
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::Receive A MODEL Spectra III\r"));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::Receive A SN 13021\r"));

    int lines = 0;
    ASSERT_EQ(KA_DM_OK, driver.lightSource->GetLineCount(&lines));
    ASSERT_EQ(8, lines);
    std::vector<unsigned> wavelengths;
    for (int i = 0; i < lines; ++i) {
        unsigned nm = 0;
        driver.lightSource->GetLineWavelength(i, &nm);
        wavelengths.push_back(nm);
    }
    EXPECT_EQ((std::vector<unsigned>{365, 440, 488, 514, 561, 594, 640, 730}), wavelengths);

    ASSERT_TRUE(PollsPass(1));
    EXPECT_LE(1, log.Count(L"CKaLumencorV2Device::C_Refresh - end (A TEMP 31\r; A SUPPLYCURRENT "
                           L"412.5\r; A SUPPLYPOWER 48.2\r)",
                           true));
    SKaBusInfo bus;
    driver.device->GetBusInfo(&bus);
    EXPECT_EQ(com, bus.m_comPort);
    EXPECT_NE(-1, bus.m_handle) << "a real port has a system handle";
}

TEST_F(DriverOverSerial, AnEngineThatOnlyAnswersAt9600IsFound) {
    ASSERT_TRUE(control.Set("BAUD", "9600"));
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    std::vector<std::string> received = Received();
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ("115200 GET MODEL\r", received[0]);
    EXPECT_EQ("9600 GET MODEL\r", received[1]);
}

TEST_F(DriverOverSerial, FaultyAnswersKeepTheDriverAliveWithACode) {
    struct Case {
        const char* kind;
        const char* command;
        EDeviceManagerReturnCode connect;
    } cases[] = {
        {"SILENT", "GET MODEL", KA_DM_FAILED},   {"GARBAGE", "GET MODEL", KA_DM_FAILED},
        {"ERROR", "GET CHMAP", KA_DM_CONNECTED}, {"GARBAGE", "GET SN", KA_DM_CONNECTED},
        {"NOCR", "GET VER", KA_DM_CONNECTED},    {"OVERLONG", "GET CHMAP", KA_DM_CONNECTED},
        {"SILENT", "GET TEMP", KA_DM_CONNECTED}, {"GARBAGE", "GET STAT", KA_DM_CONNECTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " " + c.command);
        ASSERT_TRUE(control.Reset());
        ASSERT_TRUE(
            control.Fault(c.kind, c.command, c.kind == std::string("OVERLONG") ? "600" : ""));
        EXPECT_EQ(c.connect, Connect());
        if (c.connect == KA_DM_CONNECTED) {
            EXPECT_TRUE(PollsPass(1));
        }
        EXPECT_EQ(KA_DM_OK, driver.device->DisconnectDevice());
        EXPECT_EQ(0, driver.device->GetState());
    }
}

TEST_F(DriverOverSerial, AnEngineThatHangsUpMidSessionIsHarmless) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    CKaStringW settings;
    SetIntToKey(settings, L"m_eLumencorControl", 0);
    ASSERT_EQ(KA_DM_OK, driver.device->ConfigureDevice(settings, 0));
    ASSERT_TRUE(control.CloseLine());
    // Each poll of a silent line waits out its answers: allow one full poll.
    EXPECT_TRUE(PollsPass(1, 30000)) << "the poll goes on";
    EXPECT_EQ(KA_DM_OK, driver.device->ConfigureDevice(settings, 0));
    EXPECT_EQ(KA_DM_OK, driver.device->DisconnectDevice());
    EXPECT_EQ(0, driver.device->GetState());
    EXPECT_EQ(KA_DM_FAILED, Connect()) << "the dead line fails with a code";
    ASSERT_TRUE(control.Reset()); // a fresh line
    EXPECT_EQ(KA_DM_CONNECTED, Connect());
}

// The shutter and a batch over the serial line: what the engine received
// and the state it ends in.
class LinesOverSerial : public DriverOverSerial {
  protected:
    void Start(const char* channelMap = nullptr) {
        if (channelMap) {
            ASSERT_TRUE(control.Set("CHMAP", channelMap));
        }
        ASSERT_EQ(KA_DM_CONNECTED, Connect());
        CKaStringW settings;
        SetIntToKey(settings, L"m_eLumencorControl", 0);
        ASSERT_EQ(KA_DM_OK, driver.device->ConfigureDevice(settings, 0));
        CKaLogicalDeviceList list;
        driver.device->GetLogicalDevices(list);
        shutter = dynamic_cast<IKaDeviceShutter*>(list.Get(1));
        ASSERT_NE(nullptr, shutter);
    }
    // The "SET MULCH..." commands received since the log was cleared.
    std::vector<std::string> Mulches() {
        std::vector<std::string> mulches;
        for (const auto& c : control.Log())
            if (c.bytes.compare(0, 9, "SET MULCH") == 0) mulches.push_back(c.bytes);
        return mulches;
    }
    // Channel of a line: where its wavelength stands in the map's order.
    int ChannelOf(int line, const std::vector<unsigned>& mapWavelengths) {
        unsigned nm = 0;
        driver.lightSource->GetLineWavelength(line, &nm);
        for (size_t c = 0; c < mapWavelengths.size(); ++c)
            if (mapWavelengths[c] == nm) return static_cast<int>(c);
        return -1;
    }
    static std::string Entries(const std::vector<int>& litChannels, int count) {
        std::string entries;
        for (int c = 0; c < count; ++c)
            entries += std::find(litChannels.begin(), litChannels.end(), c) != litChannels.end()
                           ? " 1"
                           : " 0";
        return entries;
    }

    IKaDeviceShutter* shutter = nullptr;
};

TEST_F(LinesOverSerial, OpeningLightsTheUsedLinesAndClosingDarkensAll) {
    Start();
    // The emulator's default map: its channels' wavelengths in map order.
    const std::vector<unsigned> map = {514, 488, 594, 640, 561, 730, 440, 365};
    driver.lightSource->SetLineUsed(0, true);
    driver.lightSource->SetLineUsed(2, true);
    const std::vector<int> lit = {ChannelOf(0, map), ChannelOf(2, map)};
    ASSERT_TRUE(control.ClearLog());

    EXPECT_EQ(KA_DM_OK, shutter->SetShutterState(true));
    EXPECT_EQ(std::vector<std::string>{"SET MULCH" + Entries(lit, 8) + "\r"}, Mulches());
    EXPECT_EQ(Entries(lit, 8).substr(1), control.Get("MULCH"));

    ASSERT_TRUE(control.ClearLog());
    ASSERT_EQ(KA_DM_OK, driver.device->BeginBatch(true));
    EXPECT_EQ(KA_DM_OK, shutter->SetShutterState(false));
    EXPECT_TRUE(Mulches().empty()) << "an open batch holds the change";
    ASSERT_EQ(KA_DM_OK, driver.device->ExecuteBatch());
    EXPECT_EQ(std::vector<std::string>{"SET MULCH 0 0 0 0 0 0 0 0\r"}, Mulches());
    EXPECT_EQ("0 0 0 0 0 0 0 0", control.Get("MULCH"));
}

TEST_F(LinesOverSerial, ARejectedFullMulchIsResentInGrowingPartialLists) {
    Start("UV CYAN TEAL GREEN RED NIR");
    int count = 0;
    driver.lightSource->GetLineCount(&count);
    ASSERT_EQ(6, count);
    const std::vector<unsigned> map = {365, 488, 514, 561, 640, 730};
    ASSERT_EQ(KA_DM_OK, driver.device->BeginBatch(true));
    driver.lightSource->SetLineUsed(1, true);
    driver.lightSource->SetLineUsed(5, true);
    for (int line = 0; line < 6; ++line)
        driver.lightSource->SetLinePower(line, line == 5 ? 100.0 : 50.0);
    shutter->SetShutterState(true);
    ASSERT_TRUE(control.ClearLog());
    ASSERT_TRUE(control.Fault("ERROR", "SET MULCH", "", 1));
    ASSERT_EQ(KA_DM_OK, driver.device->ExecuteBatch());

    const std::vector<int> lit = {ChannelOf(1, map), ChannelOf(5, map)};
    EXPECT_EQ((std::vector<std::string>{
                  "SET MULCH" + Entries(lit, 6) + "\r", "SET MULCH" + Entries(lit, 4) + "\r",
                  "SET MULCH" + Entries(lit, 5) + "\r", "SET MULCH" + Entries(lit, 6) + "\r",
                  "SET MULCHINT 2048 2048 2048 2048 2048 4095\r"}),
              Mulches());
    EXPECT_EQ(Entries(lit, 6).substr(1), control.Get("MULCH"));
    EXPECT_EQ("2048 2048 2048 2048 2048 4095", control.Get("MULCHINT"));
}

} // namespace
