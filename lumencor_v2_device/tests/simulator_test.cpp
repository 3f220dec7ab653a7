// The simulated light engine: its answer table, and connecting it as the
// host does with the model and channel map taken from the registry.
#include "KaDeviceMultiLaser.h"
#include "KaHostHooks.h"
#include "KaDeviceShutter.h"
#include "KaSettings.h"
#include "KaSystem.h"
#include "LogCapture.h"
#include "DevicePeer.h"
#include "LumencorV2Device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" IKaInterface* KA_ConstructorForCKaLumencorV2DeviceSim(const char* file, unsigned line);

namespace {

const wchar_t kKey[] = L"Software\\Quorvane\\Misc\\Lumencor SpectraIII";

// Keeps one registry value as it was found and puts it back (or removes
// it again) when the test ends.
class SavedRegistryValue {
  public:
    explicit SavedRegistryValue(const wchar_t* name) : m_name(name) {
        DWORD bytes = 0;
        m_present = RegGetValueW(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_REG_SZ, nullptr, nullptr,
                                 &bytes) == ERROR_SUCCESS;
        if (!m_present) return;
        m_value.resize(bytes / sizeof(wchar_t) + 1);
        bytes = static_cast<DWORD>(m_value.size() * sizeof(wchar_t));
        RegGetValueW(HKEY_LOCAL_MACHINE, kKey, name, RRF_RT_REG_SZ, nullptr, &m_value[0], &bytes);
        m_value.resize(wcslen(m_value.c_str()));
    }
    ~SavedRegistryValue() {
        if (m_present)
            Set(m_value.c_str());
        else
            Remove();
    }
    void Set(const wchar_t* value) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExW(key, m_name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    void Remove() {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
            return;
        RegDeleteValueW(key, m_name);
        RegCloseKey(key);
    }
    std::wstring Read() const {
        wchar_t value[64] = {};
        DWORD bytes = sizeof value;
        RegGetValueW(HKEY_LOCAL_MACHINE, kKey, m_name, RRF_RT_REG_SZ, nullptr, value, &bytes);
        return value;
    }

  private:
    const wchar_t* m_name;
    bool m_present;
    std::wstring m_value;
};

// The three read-outs draw from the C library's generator: the expected
// text is drawn from the same seed.
std::string Drawn(unsigned seed, const char* format, int base, int modulo, bool tenths) {
    std::srand(seed);
    int r = std::rand() % modulo;
    char text[64];
    if (tenths)
        std::snprintf(text, sizeof text, format, base + r / 10.0);
    else
        std::snprintf(text, sizeof text, format, base + r);
    return text;
}

std::string Exchange(CKaLumencorV2Device* device, const char* command, int size = 256) {
    std::vector<char> buffer(size + 16, '#');
    device->CommandSend(command, static_cast<int>(std::strlen(command)));
    int count = device->Receive(buffer.data(), size, 1);
    EXPECT_EQ(static_cast<int>(std::strlen(buffer.data())), count) << command;
    for (size_t i = static_cast<size_t>(size); i < buffer.size(); ++i)
        EXPECT_EQ('#', buffer[i]) << command << ": written beyond the buffer at " << i;
    return std::string(buffer.data(), static_cast<size_t>(count));
}

class SimulatorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DMApiHooks::Reset();
        DMApiHooks::ResetMacros();
        KA_DriveTimeCounter(true, 1.0e6);
    }
    void TearDown() override { KA_DriveTimeCounter(false, 0); }

    LogCapture log;
    SavedRegistryValue model{L"Simulator_ModelString"};
    SavedRegistryValue channelMap{L"Simulator_ChannelMap_String"};
};

void SetLine(SKaLumencorV2Line& line, const char* colour, uint32_t wavelength, int channel,
             bool used, double power) {
    line.m_sColour = colour;
    line.m_uWavelength = wavelength;
    line.m_iChannel = channel;
    line.m_bUsed = used;
    line.m_dPower = power;
}

TEST_F(SimulatorTest, AnswersEveryRowOfItsTable) {
    auto* device = new (__FILE__, __LINE__) CKaLumencorV2DeviceSim();
    CKaLumencorV2DevicePeer peer(*device);
    peer.Simulator()->SetEngine("Celesta Simulator", "RED GREEN BLUE");
    CKaLumencorV2MultiLaserPeer ml = peer.lines;
    ml.m_iMaxInt = 4095;
    ml.m_iNumLines = 3;
    // Records in wavelength order; the answers go by channel number.
    SetLine(ml.m_lines[0], "BLUE", 440, 2, false, 0.0);
    SetLine(ml.m_lines[1], "GREEN", 561, 1, true, 100.0);
    SetLine(ml.m_lines[2], "RED", 640, 0, true, 50.0);
    peer.shutter.m_bOpen = true;
    peer.m_bLogCommunication = true;

    const struct Row {
        const char* command;
        std::string answer;
        unsigned seed;
    } rows[] = {
        {"GET MODEL\r", "A MODEL Celesta Simulator\r", 0},
        {"GET VER\r", "A VER 2.1.19\r", 0},
        {"GET STAT\r", "A STAT 0\r", 0},
        {"WAKEUP\r", "A WAKEUP\r", 0},
        {"GET SN\r", "A SN 12306\r", 0},
        {"GET MAXINT\r", "A MAXINT 4095\r", 0},
        {"GET CHMAP\r", "A CHMAP RED GREEN BLUE\r", 0},
        {"SET TTLPOL POS\r", "A TTLPOL\r", 0},
        {"SET TTLENABLE 1\r", "A TTLENABLE\r", 0},
        {"SET CHINT 1 2048\r", "A CHINT\r", 0},
        {"SET MULCHINT 0 1 4095 2048\r", "A MULCH\r", 0},
        {"SET MULCH 0 1 1 0\r", "A MULCH\r", 0},
        {"SET CH 2 1\r", "A CH\r", 0},
        {"GET MULCH\r", "A MULCH 1 1 0\r", 0},
        {"GET MULCHINT\r", "A MULCHINT 2048 4095 0\r", 0}, // 2047.5 rounds up
        {"GET TEMP\r", Drawn(7, "A TEMP %d", 25, 10, false), 7},
        {"GET SUPPLYCURRENT\r", Drawn(8, "A SUPPLYCURRENT %0.1f", 400, 70000, true), 8},
        {"GET SUPPLYPOWER\r", Drawn(9, "A SUPPLYPOWER %0.1f", 5, 2000, true), 9},
        {"GET CHINT 1\r", "", 0},
        {"GET MODEL", "", 0}, // the GET commands must match whole
        {"get model\r", "", 0},
    };
    for (const Row& row : rows) {
        if (row.seed) std::srand(row.seed);
        EXPECT_EQ(row.answer, Exchange(device, row.command)) << row.command;
    }
    peer.shutter.m_bOpen = false;
    EXPECT_EQ("A MULCH 0 0 0\r", Exchange(device, "GET MULCH\r")) << "shutter closed";
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::CommandSend GET SN\r"));
    EXPECT_EQ(0, log.Count(L"CKaLumencorV2Device::Receive", true)) << "answers are not logged";
    device->Release();
}

// The device is made and connected through the exported constructor and
// the interfaces the host uses.
struct HostedSimulator {
    HostedSimulator() {
        object = KA_ConstructorForCKaLumencorV2DeviceSim(__FILE__, __LINE__);
        kaClass = dynamic_cast<CKaClass*>(object);
        physical = static_cast<IKaPhysicalDevice*>(kaClass->QueryInterface("IKaPhysicalDevice"));
        device = dynamic_cast<CKaLumencorV2Device*>(physical);
    }
    ~HostedSimulator() {
        physical->DisconnectDevice();
        kaClass->Release(); // the interface query's reference
        kaClass->Release();
    }
    CKaLumencorV2DevicePeer Peer() { return CKaLumencorV2DevicePeer(*device); }
    IKaDeviceMultiLaser* LightSource() {
        CKaLogicalDeviceList list;
        physical->GetLogicalDevices(list);
        return list.GetCount() > 0 ? dynamic_cast<IKaDeviceMultiLaser*>(list.Get(0)) : nullptr;
    }
    std::vector<std::wstring> LineNames() {
        IKaDeviceMultiLaser* lightSource = LightSource();
        int count = -1;
        std::vector<std::wstring> names;
        if (!lightSource || lightSource->GetLineCount(&count) != KA_DM_OK) return names;
        for (int i = 0; i < count; ++i) {
            CKaStringW name;
            lightSource->GetLineName(i, name);
            names.push_back(name.GetString());
        }
        return names;
    }
    // Runs `probe` on the worker thread, where every exchange happens.
    template <typename Probe> void OnWorker(Probe& probe) {
        device->CallBack(
            [](uint64_t p, uint64_t, uint64_t) {
                (*reinterpret_cast<Probe*>(p))();
                return 0;
            },
            reinterpret_cast<uint64_t>(&probe), 0, 0, 0);
    }

    IKaInterface* object;
    CKaClass* kaClass;
    IKaPhysicalDevice* physical;
    CKaLumencorV2Device* device;
};

TEST_F(SimulatorTest, ConnectsWithTheRegistryModelAndChannelMap) {
    const struct Case {
        const wchar_t* model;      // null: the value is missing
        const wchar_t* channelMap; // null: the value is missing
        int modelType;
        std::vector<std::wstring> names;
    } cases[] = {
        {L"Celesta Simulator",
         L"RED GREEN BLUE",
         KA_MODEL_CELESTA,
         {L"440 nm", L"561 nm", L"640 nm"}},
        {L"Ziva Simulator", L"UV NIR", KA_MODEL_ZIVA, {L"365 nm", L"730 nm"}},
        {nullptr,
         nullptr,
         KA_MODEL_SPECTRA3,
         {L"365 nm", L"440 nm", L"488 nm", L"514 nm", L"561 nm", L"594 nm", L"640 nm", L"730 nm"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model ? c.model : L"defaults");
        c.model ? model.Set(c.model) : model.Remove();
        c.channelMap ? channelMap.Set(c.channelMap) : channelMap.Remove();
        HostedSimulator sim;
        ASSERT_NE(nullptr, sim.device);
        CKaStringW settings;
        ASSERT_EQ(KA_DM_CONNECTED, sim.physical->ConnectDevice(settings));
        EXPECT_STREQ(c.model ? c.model : L"Spectra III Simulator", sim.device->GetModel());
        EXPECT_EQ(c.modelType, sim.device->GetModelType());
        EXPECT_STREQ(L"2.1.19", sim.device->GetFirmwareVersion());
        EXPECT_STREQ(L"12306", sim.device->GetSerialNumber());
        EXPECT_EQ(4095, sim.Peer().lines.m_iMaxInt);
        EXPECT_EQ(c.names, sim.LineNames());
        const wchar_t* shortNames[] = {L"SpectraIII", L"Celesta", L"Ziva"};
        CKaStringW fullName;
        sim.LightSource()->GetDeviceFullName(fullName);
        EXPECT_EQ(std::wstring(shortNames[c.modelType]) + L" Multilaser", fullName.GetString());
        sim.device->Shutter().GetDeviceFullName(fullName);
        EXPECT_EQ(std::wstring(shortNames[c.modelType]) + L" Shutter", fullName.GetString());
        EXPECT_EQ(std::wstring(c.model ? c.model : L"Spectra III Simulator"), model.Read())
            << "a missing value is created with its default";
        EXPECT_EQ(std::wstring(c.channelMap ? c.channelMap
                                            : L"TEAL CYAN YELLOW RED GREEN NIR BLUE VIOLET"),
                  channelMap.Read());
    }
}

TEST_F(SimulatorTest, GetMulchWithEveryLineUnusedAnswersZeroPerLine) {
    channelMap.Remove();
    HostedSimulator sim;
    CKaStringW settings;
    ASSERT_EQ(KA_DM_CONNECTED, sim.physical->ConnectDevice(settings));
    sim.device->DataLock().Enter();
    sim.Peer().shutter.m_bOpen = true;
    sim.device->DataLock().Leave();
    std::string answer;
    auto probe = [&] { answer = Exchange(sim.device, "GET MULCH\r"); };
    sim.OnWorker(probe);
    EXPECT_EQ("A MULCH 0 0 0 0 0 0 0 0\r", answer);
}

// A long registry channel map and full 12-bit intensities are cut to the
// caller's buffer, terminated inside it.
TEST_F(SimulatorTest, AnswersAreCutToTheCallersBuffer) {
    std::wstring longMap;
    while (longMap.size() < 1000)
        longMap += L"GREEN ";
    longMap.resize(1000, L'X');
    channelMap.Set(longMap.c_str());
    HostedSimulator sim;
    CKaStringW settings;
    ASSERT_EQ(KA_DM_CONNECTED, sim.physical->ConnectDevice(settings));
    EXPECT_EQ(8, sim.Peer().lines.m_iNumLines) << "only eight lines exist";

    sim.device->DataLock().Enter();
    for (int i = 0; i < KA_LUMENCOR_MAX_LINES; ++i)
        sim.Peer().lines.m_lines[i].m_dPower = 100.0;
    sim.device->DataLock().Leave();

    const std::string chmap = "A CHMAP " + std::string(longMap.begin(), longMap.end()) + "\r";
    const std::string mulchint = "A MULCHINT 4095 4095 4095 4095 4095 4095 4095 4095\r";
    const struct Case {
        const char* command;
        int size;
        std::string expected;
    } cases[] = {
        {"GET CHMAP\r", 256, chmap.substr(0, 255)},
        {"GET CHMAP\r", 64, chmap.substr(0, 63)},
        {"GET CHMAP\r", 1, ""},
        {"GET MULCHINT\r", 64, mulchint},
        {"GET MULCHINT\r", 16, mulchint.substr(0, 15)},
    };
    for (const Case& c : cases) {
        std::string answer;
        auto probe = [&] { answer = Exchange(sim.device, c.command, c.size); };
        sim.OnWorker(probe);
        EXPECT_EQ(c.expected, answer) << c.command << " into " << c.size;
    }
    char untouched = '#';
    int count = -1;
    auto empty = [&] { count = sim.device->Receive(&untouched, 0, 1); };
    sim.OnWorker(empty);
    EXPECT_EQ(0, count);
    EXPECT_EQ('#', untouched) << "a buffer of size 0 is not written";
}

// The shutter and a batch on the simulated engine: the switch states and
// intensities it is sent come back from its "GET MULCH" and "GET MULCHINT".
TEST_F(SimulatorTest, ShutterAndBatchReachTheSimulatedEngine) {
    channelMap.Remove();
    HostedSimulator sim;
    CKaStringW settings;
    ASSERT_EQ(KA_DM_CONNECTED, sim.physical->ConnectDevice(settings));
    SetIntToKey(settings, L"m_eLumencorControl", 0);
    ASSERT_EQ(KA_DM_OK, sim.physical->ConfigureDevice(settings, 0));
    sim.device->SetLogCommunication(true);
    IKaDeviceMultiLaser* lines = sim.LightSource();
    CKaLogicalDeviceList list;
    sim.physical->GetLogicalDevices(list);
    auto* shutter = dynamic_cast<IKaDeviceShutter*>(list.Get(1));
    ASSERT_TRUE(lines && shutter);
    auto ask = [&](const char* command) {
        std::string answer;
        auto probe = [&] { answer = Exchange(sim.device, command); };
        sim.OnWorker(probe);
        return answer;
    };
    // Wavelength order against the default map's channels.
    const int channel0 = sim.Peer().lines.m_lines[0].m_iChannel;
    const int channel2 = sim.Peer().lines.m_lines[2].m_iChannel;
    auto lit = [&](std::vector<int> channels) {
        std::string expected = "A MULCH";
        for (int c = 0; c < 8; ++c)
            expected +=
                std::find(channels.begin(), channels.end(), c) != channels.end() ? " 1" : " 0";
        return expected + "\r";
    };

    lines->SetLineUsed(0, true);
    lines->SetLineUsed(2, true);
    EXPECT_EQ(lit({}), ask("GET MULCH\r"));
    log.Clear();
    EXPECT_EQ(KA_DM_OK, shutter->SetShutterState(true));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::CommandSend SET MULCH", true));
    EXPECT_EQ(lit({channel0, channel2}), ask("GET MULCH\r"));

    log.Clear();
    ASSERT_EQ(KA_DM_OK, sim.physical->BeginBatch(true));
    for (int line = 0; line < 8; ++line)
        lines->SetLinePower(line, line == 2 ? 100.0 : 50.0);
    lines->SetLineUsed(0, false);
    EXPECT_EQ(0, log.Count(L"CKaLumencorV2Device::CommandSend SET", true)) << "not before execute";
    ASSERT_EQ(KA_DM_OK, sim.physical->ExecuteBatch());
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::CommandSend SET MULCH ", true));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::CommandSend SET MULCHINT ", true));
    EXPECT_EQ(lit({channel2}), ask("GET MULCH\r"));
    std::string intensities = "A MULCHINT";
    for (int c = 0; c < 8; ++c)
        intensities += c == channel2 ? " 4095" : " 2048";
    EXPECT_EQ(intensities + "\r", ask("GET MULCHINT\r"));

    EXPECT_EQ(KA_DM_OK, shutter->SetShutterState(false));
    EXPECT_EQ(lit({}), ask("GET MULCH\r"));
}

} // namespace
