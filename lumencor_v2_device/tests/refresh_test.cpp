#include "DeviceFixture.h"
#include "LumencorV2Protocol.h"
#include "KaHostHooks.h"

namespace {

class RefreshTest : public DeviceFixture {
  protected:
    void SetUp() override {
        DeviceFixture::SetUp();
        ASSERT_EQ(KA_DM_CONNECTED, Connect());
        // The polls of these tests are the ones they run themselves.
        device->CallBack(
            [](uint64_t self, uint64_t, uint64_t) {
                CKaLumencorV2DevicePeer(*reinterpret_cast<CKaLumencorV2Device*>(self))
                    .m_iRefreshCountdown = -1;
                return 0;
            },
            reinterpret_cast<uint64_t>(device), 0, 0, 0);
        TakePosted(KA_PAD_AWAKE_OR_SETTINGS);
        TakePosted(KA_PAD_READOUTS);
        engine.ClearCommands();
    }
    int32_t Refresh() { return OnWorker<&CKaLumencorV2Device::C_Refresh>(); }
    int32_t WakeUp() { return OnWorker<&CKaLumencorV2Device::C_WakeUp>(); }
};

TEST_F(RefreshTest, ChangedReadoutsArePostedOnce) {
    ASSERT_EQ(0, Refresh());
    EXPECT_EQ(41, Peer().m_iTemperature);
    EXPECT_EQ(2150, Peer().m_iSupplyCurrent);
    EXPECT_EQ(55, Peer().m_iSupplyPower);
    EXPECT_EQ(1, TakePosted(KA_PAD_READOUTS));

    Refresh();
    EXPECT_EQ(0, TakePosted(KA_PAD_READOUTS)) << "nothing changed";

    engine.Set("TEMP", "43.7");
    Refresh();
    EXPECT_EQ(43, Peer().m_iTemperature);
    EXPECT_EQ(1, TakePosted(KA_PAD_READOUTS));
}

TEST_F(RefreshTest, BadReadoutAnswersKeepTheStoredValues) {
    Refresh();
    const FakeEngine::Fault faults[] = {FakeEngine::kError, FakeEngine::kSilent,
                                        FakeEngine::kGarbage, FakeEngine::kNoLineEnd,
                                        FakeEngine::kOverlong};
    for (FakeEngine::Fault fault : faults) {
        engine.SetFault("TEMP", fault);
        EXPECT_EQ(0, Refresh());
        EXPECT_EQ(41, Peer().m_iTemperature) << fault;
        EXPECT_EQ(2150, Peer().m_iSupplyCurrent) << fault;
    }
}

TEST_F(RefreshTest, FallingAsleepIsLoggedOnceAndWakingIsPosted) {
    engine.SetStat(6);
    Refresh();
    Refresh();
    EXPECT_EQ(0, Peer().m_iAwake);
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::C_Refresh - device fall asleep"));
    EXPECT_EQ(1, TakePosted(KA_PAD_AWAKE_OR_SETTINGS));

    engine.SetStat(0);
    Refresh();
    EXPECT_EQ(1, Peer().m_iAwake);
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::C_Refresh - device fall asleep"));
    EXPECT_EQ(1, TakePosted(KA_PAD_AWAKE_OR_SETTINGS));
}

TEST_F(RefreshTest, StandByDisabledSendsWakeUpOnceAMinuteAndNeverAsksTheState) {
    Peer().m_eStandByMode = KA_STANDBY_DISABLED;
    for (int second = 0; second < 185; ++second) {
        KA_AdvanceTimeCounter(1000);
        Refresh();
    }
    // Woken at connect (t = 0); then every time more than 60 s have passed.
    EXPECT_EQ(3, engine.Count("WAKEUP"));
    EXPECT_EQ(0, engine.Count("GET STAT"));
}

TEST_F(RefreshTest, StandByOutsideExperimentKeepsAwakeOnlyDuringOne) {
    KA_AdvanceTimeCounter(61000);
    Refresh();
    EXPECT_EQ(0, engine.Count("WAKEUP"));
    EXPECT_EQ(1, engine.Count("GET STAT"));
    EXPECT_EQ(KA_STANDBY_OUTSIDE, device->GetStandByMode());

    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_JOB_EXPERIMENT_START");
    EXPECT_EQ(1, engine.Count("WAKEUP")) << "woken at the start event";
    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_ND_EXPERIMENT_END");
    EXPECT_TRUE(Peer().m_bInExperiment) << "a job ends only with its own end event";
    KA_AdvanceTimeCounter(61000);
    Refresh();
    EXPECT_EQ(2, engine.Count("WAKEUP"));
    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_JOB_EXPERIMENT_END");
    EXPECT_FALSE(Peer().m_bInExperiment);
}

TEST_F(RefreshTest, WakeUpsCloserThanSixSecondsAreIgnored) {
    struct Case {
        double gapMs;
        int wakeUps;
    } cases[] = {{5000, 1}, {7000, 2}};
    for (const Case& c : cases) {
        KA_AdvanceTimeCounter(60000);
        engine.ClearCommands();
        WakeUp();
        KA_AdvanceTimeCounter(c.gapMs);
        WakeUp();
        EXPECT_EQ(c.wakeUps, engine.Count("WAKEUP")) << c.gapMs;
    }
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::C_WakeUp - end ignore - too close after "
                           L"previous wakeup"));
}

TEST_F(RefreshTest, WakeUpWaitsThroughStandByAndWakingStates) {
    KA_AdvanceTimeCounter(60000);
    Peer().m_iAwake = 0;
    engine.QueueStat({6, 7, 7, 0});
    EXPECT_EQ(0, WakeUp());
    EXPECT_EQ(2, engine.Count("WAKEUP"));
    EXPECT_EQ(4, engine.Count("GET STAT"));
    EXPECT_EQ(1, Peer().m_iAwake);
    EXPECT_EQ(1, TakePosted(KA_PAD_AWAKE_OR_SETTINGS));
}

// The worker gives up well inside the caller's hand-over time-out, with a
// result and a log line, and the command behind the wake-up still goes out.
TEST_F(RefreshTest, AnEngineThatNeverWakesIsGivenUpOnWithinItsBound) {
    for (int state : {lumencor::kStateWakingUp, lumencor::kStateStandBy}) {
        KA_AdvanceTimeCounter(60000);
        Peer().m_iAwake = 0;
        engine.SetStat(state);
        engine.ClearCommands();
        log.Clear();
        const double before = KA_GetTimeCounter();
        EXPECT_EQ(1, WakeUp()) << state;
        const double waited = KA_GetTimeCounter() - before;
        EXPECT_GE(waited, lumencor::kWakeUpLimitMs) << state;
        EXPECT_LT(waited, lumencor::kWakeUpLimitMs + 2 * lumencor::kStatePollMs) << state;
        EXPECT_EQ(static_cast<int>(lumencor::kWakeUpLimitMs / lumencor::kStatePollMs) + 1,
                  engine.Count("GET STAT"))
            << state;
        EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::C_WakeUp - engine still in state " +
                                   std::to_wstring(state),
                               true));
        EXPECT_EQ(0, Peer().m_iAwake) << "not reported awake";
    }
    EXPECT_EQ(0, Refresh()) << "the worker goes on";
    KA_AdvanceTimeCounter(60000);
    Peer().m_bInExperiment = false;
    EXPECT_EQ(KA_DM_OK, device->MultiLaser().SetLinePower(0, 10.0))
        << "a command behind the wake-up returns its own code";
    EXPECT_EQ(1, engine.Count("SET CHINT " + std::to_string(Peer().lines.m_lines[0].m_iChannel) +
                              " 410"));
}

TEST_F(RefreshTest, AnEngineThatGoesAwayLeavesTheDriverWorking) {
    Refresh();
    engine.Vanish();
    EXPECT_NE(0, device->CallBack(
                     [](uint64_t self, uint64_t, uint64_t) {
                         return reinterpret_cast<CKaLumencorV2Device*>(self)->CommandSend(
                             "GET VER\r", 8);
                     },
                     reinterpret_cast<uint64_t>(device), 0, 0, 0));
    EXPECT_EQ(0, Refresh());
    EXPECT_EQ(41, Peer().m_iTemperature);
    EXPECT_EQ(KA_DM_OK, device->DisconnectDevice());
    EXPECT_EQ(KA_DM_FAILED, Connect()) << "a vanished engine fails with a code";
}

} // namespace

namespace {

TEST_F(RefreshTest, StartEventsWakeOnlyInModeOutsideExperiment) {
    const struct {
        int mode;
        int wakeUps;
    } cases[] = {{KA_STANDBY_DISABLED, 0}, {KA_STANDBY_OUTSIDE, 1}, {KA_STANDBY_ENABLED, 0}};
    for (const auto& c : cases) {
        KA_AdvanceTimeCounter(60000);
        Peer().m_eStandByMode = c.mode;
        engine.ClearCommands();
        DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_ND_EXPERIMENT_START");
        EXPECT_EQ(c.wakeUps, engine.Count("WAKEUP")) << c.mode;
        DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_ND_EXPERIMENT_END");
        EXPECT_FALSE(Peer().m_bInExperiment);
    }
    DMApiHooks::AppRntm_FireEvent(L"KA_MODULEEVENT_APP_ASKTOEXIT_AFTER");
    EXPECT_EQ(nullptr, device->Pad()->GetHandle()) << "no more messages to the pad";
}

TEST_F(RefreshTest, ReselectingAStandByModeWakesTheEngineButTwoDoesNot) {
    const struct {
        int from, to, wakeUps;
    } cases[] = {{1, 1, 1}, {0, 0, 1}, {2, 2, 0}, {2, 1, 0}, {1, 2, 0}};
    for (const auto& c : cases) {
        KA_AdvanceTimeCounter(60000);
        Peer().m_eStandByMode = c.from;
        engine.ClearCommands();
        EXPECT_EQ(0, Stg_SetStandByMode(c.to));
        EXPECT_EQ(c.wakeUps, engine.Count("WAKEUP")) << c.from << " to " << c.to;
        EXPECT_EQ(c.to, Stg_GetStandByMode());
    }
}

} // namespace
