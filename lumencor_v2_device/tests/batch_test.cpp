// Batches, the shutter and the notifications the host receives, over the
// fake engine.
#include "DeviceFixture.h"
#include "KaHostHooks.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

class BatchTest : public DeviceFixture {
  protected:
    // Connected, configured and known to the host with ids; lines unused.
    void Start(const char* channelMap = nullptr) {
        if (channelMap) engine.Set("CHMAP", channelMap);
        ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
        DMApiHooks::PhysDev_Add(device, L"Lumencor");
        device->SetNotificationCallback(DMApiHooks::GetHostNotificationCallback());
        engine.ClearCommands();
        DMApiHooks::Notifications_Clear();
        // The batch and notification lines are written without detail too.
        CKaLogFile::Detail = false;
        log.Clear();
    }
    void TearDown() override {
        DMApiHooks::PhysDev_Remove(device);
        DeviceFixture::TearDown();
    }

    CKaLumencorV2MultiLaser& Lines() { return device->MultiLaser(); }
    CKaLumencorV2Shutter& Shutter() { return device->Shutter(); }

    // The "SET ..." commands the engine received, without their CR.
    std::vector<std::string> Sets() {
        std::vector<std::string> sets;
        for (const std::string& c : engine.Commands())
            if (c.compare(0, 4, "SET ") == 0) sets.push_back(c);
        return sets;
    }

    // "SET MULCH" with " 1" at the channels of the given lines, for the
    // first `entries` channels.
    std::string Mulch(std::vector<int> litLines, int entries) {
        std::string command = "SET MULCH";
        for (int channel = 0; channel < entries; ++channel) {
            bool lit = false;
            for (int line : litLines)
                lit = lit || Peer().lines.m_lines[line].m_iChannel == channel;
            command += lit ? " 1" : " 0";
        }
        return command;
    }

    struct Received {
        int code;
        SKaDeviceNotification record;
    };
    std::vector<Received> Notifications() {
        std::vector<Received> all(DMApiHooks::Notifications_Total());
        for (size_t i = 0; i < all.size(); ++i)
            DMApiHooks::Notifications_At(static_cast<int>(i), &all[i].code, &all[i].record);
        return all;
    }
};

TEST_F(BatchTest, ARejectedFullMulchIsResentInGrowingPartialLists) {
    Start("RED GREEN BLUE CYAN TEAL NIR");
    ASSERT_EQ(6, Peer().lines.m_iNumLines);
    ASSERT_EQ(KA_DM_OK, device->BeginBatch(true));
    Lines().SetLineUsed(1, true);
    Lines().SetLineUsed(4, true);
    Shutter().SetShutterState(true);
    Lines().SetLinePower(0, 50.0);
    EXPECT_TRUE(Sets().empty()) << "nothing goes out before the batch is executed";

    engine.SetFault("MULCH", FakeEngine::kError, 1);
    ASSERT_EQ(KA_DM_OK, device->ExecuteBatch());
    std::vector<std::string> expected = {Mulch({1, 4}, 6), Mulch({1, 4}, 4), Mulch({1, 4}, 5),
                                         Mulch({1, 4}, 6)};
    std::string intensities = "SET MULCHINT";
    for (int channel = 0; channel < 6; ++channel)
        for (int line = 0; line < 6; ++line)
            if (Peer().lines.m_lines[line].m_iChannel == channel)
                intensities +=
                    " " + std::to_string(Lines().Intensity(Peer().lines.m_lines[line].m_dPower));
    expected.push_back(intensities);
    EXPECT_EQ(expected, Sets());
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2MultiLaser::C_ExecuteBatch - SET MULCH correction"));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2MultiLaser::C_ExecuteBatch - begin"));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2MultiLaser::C_ExecuteBatch - end"));
    for (const SKaLumencorV2Line& line : Peer().lines.m_lines)
        EXPECT_FALSE(line.m_bUsedChanged || line.m_bPowerChanged) << "marks are cleared";
    EXPECT_FALSE(Peer().shutter.m_bChanged);
}

// The batch sends only what changed: switch states, intensities, or both.
TEST_F(BatchTest, ABatchSendsOnlyTheKindOfChangeItHolds) {
    Start();
    struct Case {
        bool switchLine, setPower;
        size_t commands;
        const char* first;
    } cases[] = {{false, false, 0, nullptr},
                 {true, false, 1, "SET MULCH "},
                 {false, true, 1, "SET MULCHINT "},
                 {true, true, 2, "SET MULCH "}};
    for (const Case& c : cases) {
        engine.ClearCommands();
        device->BeginBatch(true);
        if (c.switchLine) Lines().SetLineUsed(3, true);
        if (c.setPower) Lines().SetLinePower(3, 20.0);
        device->ExecuteBatch();
        std::vector<std::string> sets = Sets();
        ASSERT_EQ(c.commands, sets.size()) << c.switchLine << c.setPower;
        if (c.first) {
            EXPECT_EQ(0u, sets[0].find(c.first));
        }
    }
}

// With lines 0 and 2 used, opening lights their channels only; closing
// darkens every channel. Inside an open batch nothing goes out before
// ExecuteBatch.
TEST_F(BatchTest, TheShutterSwitchesTheUsedLinesInOneCommand) {
    Start();
    Lines().SetLineUsed(0, true);
    Lines().SetLineUsed(2, true);
    engine.ClearCommands();

    EXPECT_EQ(KA_DM_OK, Shutter().SetShutterState(true));
    EXPECT_EQ(std::vector<std::string>{Mulch({0, 2}, 8)}, Sets());
    EXPECT_EQ(std::string("SET MULCH 0 0 0 0 0 0 0 0").size(), Mulch({0, 2}, 8).size());
    engine.ClearCommands();
    EXPECT_EQ(KA_DM_OK, Shutter().SetShutterState(false));
    EXPECT_EQ(std::vector<std::string>{"SET MULCH 0 0 0 0 0 0 0 0"}, Sets());

    engine.ClearCommands();
    device->BeginBatch(true);
    EXPECT_EQ(KA_DM_OK, Shutter().SetShutterState(true));
    bool open = false;
    Shutter().GetShutterState(&open);
    EXPECT_TRUE(open);
    EXPECT_TRUE(Peer().shutter.m_bChanged);
    EXPECT_TRUE(Sets().empty());
    device->ExecuteBatch();
    EXPECT_EQ(std::vector<std::string>{Mulch({0, 2}, 8)}, Sets());
}

// The shutter tells the host its state (code 1), then each used line's
// light state (code 30); the pad hears of it too.
TEST_F(BatchTest, ShutterAndLineChangesAreNotified) {
    Start();
    Lines().SetLineUsed(0, true);
    Lines().SetLineUsed(2, true);
    std::vector<Received> got = Notifications();
    ASSERT_EQ(2u, got.size()) << "the shutter is closed: no light-state notification";
    EXPECT_EQ(KA_NOTIFY_STATE, got[1].code);
    EXPECT_EQ(Lines().GetDeviceID(), got[1].record.m_logDevId);
    EXPECT_EQ(2, got[1].record.m_changedLine);
    EXPECT_EQ(8, got[1].record.m_lineCount);
    EXPECT_TRUE(got[1].record.m_lines[0].m_used && got[1].record.m_lines[2].m_used);
    EXPECT_EQ(1, got[1].record.m_lines[2].m_onOff);
    EXPECT_FALSE(got[1].record.m_lines[1].m_used);
    EXPECT_EQ(Peer().lines.m_lines[2].m_uWavelength, got[1].record.m_lines[2].m_wavelength);
    EXPECT_EQ(-1, got[1].record.m_lines[5].m_extra);
    EXPECT_EQ(2, TakePosted(KA_PAD_LINE_STATE));

    DMApiHooks::Notifications_Clear();
    Shutter().SetShutterState(true);
    got = Notifications();
    ASSERT_EQ(3u, got.size());
    EXPECT_EQ(KA_NOTIFY_STATE, got[0].code);
    EXPECT_EQ(Shutter().GetDeviceID(), got[0].record.m_logDevId);
    EXPECT_TRUE(got[0].record.m_open);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(KA_NOTIFY_LINE_LIGHT, got[i].code);
        EXPECT_EQ(Lines().GetDeviceID(), got[i].record.m_logDevId);
        EXPECT_EQ(i == 1 ? 0 : 2, got[i].record.m_changedLine);
        EXPECT_TRUE(got[i].record.m_lineLightState[0] && got[i].record.m_lineLightState[1] &&
                    got[i].record.m_lineLightState[2])
            << "lit, used, open";
    }
    EXPECT_EQ(1, TakePosted(KA_PAD_SHUTTER_STATE));

    DMApiHooks::Notifications_Clear();
    log.Clear();
    Lines().SetLineUsed(5, false);
    got = Notifications();
    ASSERT_EQ(2u, got.size()) << "with the shutter open a line also reports its light state";
    EXPECT_EQ(KA_NOTIFY_LINE_LIGHT, got[1].code);
    EXPECT_EQ(5, got[1].record.m_changedLine);
    EXPECT_FALSE(got[1].record.m_lineLightState[0]);
    EXPECT_TRUE(got[1].record.m_lineLightState[2]);
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2MultiLaser::Notify"));
}

// In a batch a device's newer state replaces its queued one; the host gets
// one record per device when the batch is executed.
TEST_F(BatchTest, NotificationsOfABatchArriveOnceItIsExecuted) {
    Start();
    device->BeginBatch(true);
    for (int line = 0; line < 8; ++line)
        Lines().SetLinePower(line, 10.0 * line);
    Shutter().SetShutterState(true);
    EXPECT_EQ(0, DMApiHooks::Notifications_Total());
    device->ExecuteBatch();
    std::vector<Received> got = Notifications();
    ASSERT_EQ(2u, got.size());
    EXPECT_EQ(Lines().GetDeviceID(), got[0].record.m_logDevId);
    EXPECT_EQ(7, got[0].record.m_changedLine) << "the newest state of the light source";
    EXPECT_DOUBLE_EQ(70.0, got[0].record.m_lines[7].m_power);
    EXPECT_EQ(Shutter().GetDeviceID(), got[1].record.m_logDevId);
    EXPECT_TRUE(got[1].record.m_open);
}

TEST_F(BatchTest, WithoutAnIdNothingIsNotified) {
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    device->SetNotificationCallback(DMApiHooks::GetHostNotificationCallback());
    DMApiHooks::Notifications_Clear();
    Lines().SetLinePower(1, 20.0);
    Shutter().SetShutterState(false);
    EXPECT_EQ(0, DMApiHooks::Notifications_Total());
    EXPECT_EQ(0, TakePosted(KA_PAD_LINE_STATE) + TakePosted(KA_PAD_SHUTTER_STATE));
}

// The delay blocks the caller on the host's clock, which the test drives.
TEST_F(BatchTest, TheShutterWaitsForItsDelay) {
    struct Case {
        double set, stored;
    } cases[] = {{20.0, 20.0}, {0.0, 0.0},           {-5.0, 0.0},
                 {NAN, 0.0},   {100000.0, 100000.0}, {1.0e9, 100000.0}};
    for (const Case& c : cases) {
        Shutter().SetDelay(c.set);
        EXPECT_DOUBLE_EQ(c.stored, Shutter().GetDelay()) << c.set;
        double switchTime = 0;
        Shutter().GetSwitchTime(&switchTime);
        EXPECT_DOUBLE_EQ(c.stored + 50.0, switchTime);
        // Unconfigured: no batch runs, so only the delay moves the clock.
        const double before = KA_GetTimeCounter();
        Shutter().SetShutterState(true);
        EXPECT_DOUBLE_EQ(c.stored, KA_GetTimeCounter() - before) << c.set;
    }
}

// An unconfigured device sends nothing, but keeps and reports the state.
TEST_F(BatchTest, AnUnconfiguredDeviceKeepsTheShutterStateWithoutSending) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    DMApiHooks::PhysDev_Add(device, L"Lumencor");
    device->SetNotificationCallback(DMApiHooks::GetHostNotificationCallback());
    engine.ClearCommands();
    EXPECT_EQ(KA_DM_FAILED, device->BeginBatch(true));
    EXPECT_EQ(KA_DM_OK, Shutter().SetShutterState(true));
    EXPECT_TRUE(Sets().empty());
    EXPECT_TRUE(Peer().shutter.m_bOpen);
    EXPECT_EQ(1, DMApiHooks::Notifications_Count(KA_NOTIFY_STATE));
    EXPECT_EQ(KA_DM_FAILED, device->ExecuteBatch());
}

} // namespace
