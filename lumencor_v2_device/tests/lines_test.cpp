// Switching lines and setting their powers over the fake engine, and the
// line settings.
#include "DeviceFixture.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

class LinesTest : public DeviceFixture {
  protected:
    void SetUp() override {
        DeviceFixture::SetUp();
        ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
        engine.ClearCommands();
    }

    CKaLumencorV2MultiLaser& Lines() { return device->MultiLaser(); }
    int Channel(int line) { return Peer().lines.m_lines[line].m_iChannel; }
    std::string Command(const char* verb, int line, int value) {
        return std::string(verb) + " " + std::to_string(Channel(line)) + " " +
               std::to_string(value);
    }
};

TEST_F(LinesTest, PowerBecomesTheEngineIntensityRoundedHalfAwayFromZero) {
    struct Case {
        double power;
        bool raw;
        double stored;
        int sent;
    } cases[] = {{0.0, false, 0.0, 0},        {50.0, false, 50.0, 2048},
                 {100.0, false, 100.0, 4095}, {25.0, false, 25.0, 1024},
                 {4095.0, true, 100.0, 4095}, {150.0, false, 100.0, 4095},
                 {-5.0, false, 0.0, 0}};
    const int line = 2;
    device->SetLogCommunication(true);
    for (const Case& c : cases) {
        engine.ClearCommands();
        EXPECT_EQ(KA_DM_OK, c.raw ? Lines().SetLinePowerRaw(line, static_cast<int>(c.power), true)
                                  : Lines().SetLinePower(line, c.power));
        EXPECT_EQ(1, engine.Count(Command("SET CHINT", line, c.sent))) << c.power;
        EXPECT_EQ(1, log.Count(L"CKaLumencorV2MultiLaser::C_SetLinePower(2, " +
                               std::to_wstring(c.sent) + L")"))
            << c.power;
        log.Clear();
        double power = -1;
        EXPECT_EQ(KA_DM_OK, Lines().GetLinePower(line, &power));
        EXPECT_DOUBLE_EQ(c.stored, power) << c.power;
        EXPECT_DOUBLE_EQ(c.stored, Peer().lines.m_lines[line].m_dRequestedPower) << c.power;
    }
    double power = 0;
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Lines().SetLinePower(8, 10.0));
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Lines().GetLinePower(-1, &power));
    int steps = 0, maximum = 0;
    EXPECT_EQ(KA_DM_OK, Lines().GetPowerLimits(0, &steps, &maximum));
    EXPECT_EQ(101, steps);
    EXPECT_EQ(4096, maximum);
}

TEST_F(LinesTest, SwitchingALineFollowsTheControlModeAndTheShutter) {
    struct Case {
        int control;
        bool open;
        bool refused;
        const char* sent; // null: nothing goes to the engine
        EDeviceManagerReturnCode result;
        bool storedUsed;
    } cases[] = {{KA_CONTROL_USB, false, false, "SET CH %d 0", KA_DM_OK, true},
                 {KA_CONTROL_USB, true, false, "SET CH %d 1", KA_DM_OK, true},
                 {KA_CONTROL_VEYRA, true, false, nullptr, KA_DM_OK, true},
                 {KA_CONTROL_USB, true, true, "SET CH %d 1", KA_DM_FAILED, false}};
    const int line = 0;
    for (const Case& c : cases) {
        Peer().lines.m_lines[line].m_bUsed = Peer().lines.m_lines[line].m_bRequestedUsed = false;
        Peer().lines.m_lines[line].m_dPower = 30.0;
        device->SetControlMode(c.control);
        Peer().shutter.m_bOpen = c.open;
        if (c.refused) engine.SetFault("CH", FakeEngine::kError, 1);
        engine.ClearCommands();

        EXPECT_EQ(c.result, Lines().SetLineUsed(line, true)) << c.sent;
        if (c.sent) {
            char expected[32];
            snprintf(expected, sizeof expected, c.sent, Channel(line));
            EXPECT_EQ(std::vector<std::string>{expected}, engine.Commands());
        } else {
            EXPECT_TRUE(engine.Commands().empty());
        }
        bool used = !c.storedUsed;
        EXPECT_EQ(KA_DM_OK, Lines().GetLineUsed(line, &used));
        EXPECT_EQ(c.storedUsed, used);
        EXPECT_EQ(c.storedUsed, Peer().lines.m_lines[line].m_bRequestedUsed);
        // A refused line is cleared, power included.
        EXPECT_DOUBLE_EQ(c.refused ? 0.0 : 30.0, Peer().lines.m_lines[line].m_dPower);
    }
    bool used = false;
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Lines().SetLineUsed(8, true));
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Lines().GetLineUsed(8, &used));
}

// The worker stores the read-back under the data lock while the host thread
// waits for the hand-over: the host must not hold that lock meanwhile.
TEST_F(LinesTest, ARefusedIntensityIsReadBackFromTheEngine) {
    struct Case {
        const char* engineValue; // null: the read-back is refused as well
        double power;
    } cases[] = {{"1024", 100.0 * 1024 / 4095}, {nullptr, 80.0}};
    const int line = 3;
    for (const Case& c : cases) {
        engine.SetFault("CHINT", FakeEngine::kError, c.engineValue ? 1 : 2);
        if (c.engineValue) engine.Set("CHINT", c.engineValue);
        engine.ClearCommands();
        EXPECT_EQ(KA_DM_OK, Lines().SetLinePower(line, 80.0));
        EXPECT_EQ((std::vector<std::string>{Command("SET CHINT", line, 3276),
                                            "GET CHINT " + std::to_string(Channel(line))}),
                  engine.Commands());
        double power = 0;
        Lines().GetLinePower(line, &power);
        EXPECT_DOUBLE_EQ(c.power, power);
        EXPECT_DOUBLE_EQ(c.power, Peer().lines.m_lines[line].m_dRequestedPower);
    }
}

TEST_F(LinesTest, SettingsRoundTripAndDefaults) {
    Peer().shutter.m_bOpen = true;
    for (int i = 0; i < 8; ++i) {
        Lines().SetLinePower(i, 10.0 * i + 0.5);
        Lines().SetLineUsed(i, i % 3 == 0);
        Peer().lines.m_lines[i].m_bSubset = i % 2 == 1;
    }
    CKaStringW saved;
    ASSERT_EQ(KA_DM_OK, Lines().GetSettings(saved));
    int value = -1;
    EXPECT_TRUE(GetIntFromKey(saved, L"LINEUSED3", value));
    EXPECT_EQ(1, value);

    // Another state, then the saved one back: the engine hears it again.
    for (int i = 0; i < 8; ++i) {
        Lines().SetLinePower(i, 99.0);
        Lines().SetLineUsed(i, false);
        Peer().lines.m_lines[i].m_bSubset = false;
    }
    engine.ClearCommands();
    ASSERT_EQ(KA_DM_OK, Lines().SetSettings(saved));
    for (int i = 0; i < 8; ++i) {
        EXPECT_DOUBLE_EQ(10.0 * i + 0.5, Peer().lines.m_lines[i].m_dPower) << i;
        EXPECT_EQ(i % 3 == 0, Peer().lines.m_lines[i].m_bUsed) << i;
        EXPECT_EQ(i % 2 == 1, Peer().lines.m_lines[i].m_bSubset) << i;
        EXPECT_EQ(1, engine.Count(Command("SET CH", i, i % 3 == 0 ? 1 : 0))) << i;
    }
    CKaStringW status;
    Lines().CKaLogicalDevice_Default::GetSettings(status);
    EXPECT_STREQ(saved, status);

    // Missing keys: half power, not used, subset kept; nothing saved: half power.
    CKaStringW partial;
    SetIntToKey(partial, L"LINEUSED0", 1);
    ASSERT_EQ(KA_DM_OK, Lines().SetSettings(partial));
    EXPECT_TRUE(Peer().lines.m_lines[0].m_bUsed);
    EXPECT_FALSE(Peer().lines.m_lines[3].m_bUsed);
    EXPECT_DOUBLE_EQ(50.0, Peer().lines.m_lines[3].m_dPower);
    EXPECT_TRUE(Peer().lines.m_lines[1].m_bSubset);
    for (const wchar_t* empty : {L"", static_cast<const wchar_t*>(nullptr)}) {
        for (int i = 0; i < 8; ++i)
            Peer().lines.m_lines[i].m_dPower = 7.0;
        ASSERT_EQ(KA_DM_OK, Lines().SetSettings(empty));
        for (int i = 0; i < 8; ++i)
            EXPECT_DOUBLE_EQ(50.0, Peer().lines.m_lines[i].m_dPower) << i;
    }
}

TEST(LinesDefaults, AFreshDeviceHasNoLineUsed) {
    CKaLumencorV2Device* device = new (__FILE__, __LINE__) CKaLumencorV2Device();
    device->MultiLaser().SetSettings(L"");
    for (const SKaLumencorV2Line& line : CKaLumencorV2DevicePeer(*device).lines.m_lines) {
        EXPECT_FALSE(line.m_bUsed);
        EXPECT_DOUBLE_EQ(50.0, line.m_dPower);
    }
    device->Release();
}

} // namespace
