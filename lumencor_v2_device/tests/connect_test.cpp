#include "DeviceFixture.h"
#include "KaHostHooks.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Line {
    uint32_t wavelength;
    const char* colour;
    int channel;
};

std::vector<std::string> Describe(CKaLumencorV2Device* device) {
    std::vector<std::string> lines;
    CKaLumencorV2MultiLaserPeer ml = CKaLumencorV2DevicePeer(*device).lines;
    for (int i = 0; i < ml.m_iNumLines; ++i)
        lines.push_back(std::to_string(ml.m_lines[i].m_uWavelength) + " " +
                        ml.m_lines[i].m_sColour.GetString() + " " +
                        std::to_string(ml.m_lines[i].m_iChannel));
    return lines;
}

using ConnectTest = DeviceFixture;

TEST_F(ConnectTest, ReadsIdentityAndSortsTheChannelMapByWavelength) {
    engine.Set("MODEL", "Celesta V2");
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    EXPECT_EQ(std::vector<unsigned>{115200}, engine.Bauds());
    EXPECT_STREQ(L"Celesta V2", device->GetModel());
    EXPECT_EQ(KA_MODEL_CELESTA, device->GetModelType());
    EXPECT_STREQ(L"2.1.19", device->GetFirmwareVersion());
    EXPECT_STREQ(L"SN-0042", device->GetSerialNumber());
    EXPECT_EQ(4095, Peer().lines.m_iMaxInt);
    EXPECT_EQ(KA_STATE_CONNECTING, device->GetState());
    EXPECT_EQ((std::vector<std::string>{"365 VIOLET 7", "440 BLUE 6", "488 CYAN 1", "514 TEAL 0",
                                        "561 GREEN 4", "594 YELLOW 2", "640 RED 3", "730 NIR 5"}),
              Describe(device));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::C_Connect - end - HRESULT=0x00000000"));
}

TEST_F(ConnectTest, ChannelMapsOfAnyShape) {
    struct Case {
        const char* chmap;
        std::vector<std::string> lines;
    } cases[] = {
        {"RED plum green", {"0 plum 1", "561 green 2", "640 RED 0"}},
        {"UV NIR", {"365 UV 0", "730 NIR 1"}},
        {"BLUE CYAN TEAL GREEN YELLOW RED NIR VIOLET UV EXTRA",
         {"365 VIOLET 7", "440 BLUE 0", "488 CYAN 1", "514 TEAL 2", "561 GREEN 3", "594 YELLOW 4",
          "640 RED 5", "730 NIR 6"}},
    };
    for (const Case& c : cases) {
        engine.Set("CHMAP", c.chmap);
        ASSERT_EQ(KA_DM_CONNECTED, Connect()) << c.chmap;
        EXPECT_EQ(c.lines, Describe(device)) << c.chmap;
        device->DisconnectDevice();
    }
}

TEST_F(ConnectTest, FallsBackOnceTo9600WhenSilentAt115200) {
    engine.SilentAt(115200);
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    EXPECT_EQ((std::vector<unsigned>{115200, 9600}), engine.Bauds());
    EXPECT_EQ(2, engine.Count("GET MODEL"));
    EXPECT_STREQ(L"Spectra III", device->GetModel());
}

TEST_F(ConnectTest, FailuresLeaveNothingRegistered) {
    struct Case {
        const char* name;
        void (*arrange)(FakeEngine&);
        int port;
        std::vector<unsigned> bauds;
    } cases[] = {
        {"silent at both rates",
         [](FakeEngine& e) {
             e.SilentAt(115200);
             e.SilentAt(9600);
         },
         kPort,
         {115200, 9600}},
        {"no MODEL in the answer",
         [](FakeEngine& e) { e.SetFault("MODEL", FakeEngine::kGarbage); },
         kPort,
         {115200}},
        {"port missing", [](FakeEngine&) {}, 250, {}},
    };
    for (const Case& c : cases) {
        FakeEngine fresh;
        fresh.Attach(kPort);
        c.arrange(fresh);
        EXPECT_EQ(KA_DM_FAILED, Connect(c.port)) << c.name;
        EXPECT_EQ(c.bauds, fresh.Bauds()) << c.name;
        EXPECT_FALSE(fresh.IsOpen()) << c.name;
        EXPECT_EQ(KA_STATE_CONNECTING, device->GetState()) << c.name;
        EXPECT_EQ(0, DMApiHooks::AppRntm_CountRegistrations(device)) << c.name;
        EXPECT_EQ(nullptr, CKaLumencorV2CurrentDevice().Get()) << c.name;
    }
    engine.Attach(kPort);
}

TEST_F(ConnectTest, ErrorToModelIsAskedAgainOnce) {
    engine.SetFault("MODEL", FakeEngine::kError, 1);
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    EXPECT_EQ(2, engine.Count("GET MODEL"));
}

TEST_F(ConnectTest, FirmwareDecidesWakeUpAtConnect) {
    struct Case {
        const char* version;
        bool supported;
    } cases[] = {{"2.1.18", false}, {"2.1.19", true}, {"3.0.0", true}, {"garbled", false}};
    for (const Case& c : cases) {
        engine.Set("VER", c.version);
        engine.ClearCommands();
        KA_AdvanceTimeCounter(10000); // past the wake-up guard of the last round
        ASSERT_EQ(KA_DM_CONNECTED, Connect()) << c.version;
        EXPECT_EQ(c.supported, Peer().m_bWakeUpSupported) << c.version;
        EXPECT_EQ(c.supported ? 1 : 0, engine.Count("WAKEUP")) << c.version;
        device->DisconnectDevice();
    }
}

} // namespace

namespace {

struct ReceiveProbe {
    CKaLumencorV2Device* device;
    int size;
    char buffer[300];
    int count;
};

int32_t ProbeReceive(uint64_t probe, uint64_t, uint64_t) {
    auto* p = reinterpret_cast<ReceiveProbe*>(probe);
    std::memset(p->buffer, '#', sizeof p->buffer);
    p->device->CommandSend("GET SN\r", 7);
    p->count = p->device->Receive(p->buffer, p->size, 1);
    return 0;
}

TEST_F(ConnectTest, AnswersStayInsideTheirBuffersAndAreTerminated) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    const struct {
        std::string serial;
        int size;
        int expected;
    } cases[] = {
        {std::string(250, 'S'), 256, 255}, // "A SN " + 250 + CR is 256 characters
        {std::string(249, 'S'), 256, 255}, // exactly fits with its CR
        {std::string(60, 'S'), 64, 63},
        {"X", 64, 7},
    };
    for (const auto& c : cases) {
        engine.Set("SN", c.serial);
        ReceiveProbe probe{device, c.size, {}, -1};
        device->CallBack(&ProbeReceive, reinterpret_cast<uint64_t>(&probe), 0, 0, 0);
        EXPECT_EQ(c.expected, probe.count) << c.serial.size();
        EXPECT_EQ(0, probe.buffer[probe.count]) << "terminated after the last character";
        for (int i = c.size; i < static_cast<int>(sizeof probe.buffer); ++i)
            ASSERT_EQ('#', probe.buffer[i]) << "written beyond the buffer at " << i;
    }
}

} // namespace
