// The rules the device's threads keep: defaults that do not depend on the
// host's allocator, line records read under the data lock, the host told
// with that lock released, and macro procedures that cannot reach a device
// being destroyed.
#include "DeviceFixture.h"
#include "KaHostCodes.h"
#include "WorkerGate.h"

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace {

using LockRulesTest = DeviceFixture;

TEST(DeviceDefaults, ADeviceInUnclearedMemoryStartsFromItsDefaults) {
    DMApiHooks::Reset();
    for (int fill : {0x00, 0xA5, 0xFF}) {
        KA_SetAllocationFill(fill);
        auto* device = new (__FILE__, __LINE__) CKaLumencorV2Device();
        KA_SetAllocationFill(-1);
        CKaLumencorV2DevicePeer peer(*device);
        EXPECT_TRUE(peer.HandOverClean()) << fill;
        EXPECT_FALSE(peer.WorkerRunning()) << fill;
        EXPECT_EQ(KA_STATE_DISCONNECTED, device->GetState()) << fill;
        EXPECT_EQ(-1, peer.m_iRefreshCountdown) << fill;
        EXPECT_EQ(KA_STANDBY_OUTSIDE, peer.m_eStandByMode) << fill;
        EXPECT_EQ(1, peer.m_iAwake) << fill;
        EXPECT_EQ(0, peer.m_iTemperature) << fill;
        EXPECT_FALSE(peer.m_bWakeUpSupported) << fill;
        EXPECT_TRUE(peer.m_bPadEnabled) << fill;
        EXPECT_TRUE(peer.m_bShowTemperature) << fill;
        EXPECT_FALSE(device->IsBatch()) << fill;
        EXPECT_FALSE(device->HasNotificationCallback()) << fill;
        EXPECT_EQ(8, peer.lines.m_iNumLines) << fill;
        EXPECT_EQ(nullptr, peer.lines.m_pSequenceOwner) << fill;
        EXPECT_FALSE(peer.shutter.m_bOpen) << fill;
        double delay = -1;
        device->Shutter().GetSwitchTime(&delay);
        EXPECT_EQ(CKaLumencorV2Shutter::kSwitchMs, delay) << fill;
        device->Release();
    }
}

// Runs `call` on its own thread; Finished tells whether it has returned.
class Caller {
  public:
    explicit Caller(std::function<void()> call)
        : m_done(CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_thread([this, call] {
              call();
              SetEvent(m_done);
          }) {}
    ~Caller() {
        m_thread.join();
        CloseHandle(m_done);
    }
    bool Finished(DWORD waitMs) { return WaitForSingleObject(m_done, waitMs) == WAIT_OBJECT_0; }

  private:
    HANDLE m_done;
    std::thread m_thread;
};

// A wait that shows a caller is held: long enough for an unblocked call to
// return, short enough to run many.
const DWORD kHeldMs = 100;
const DWORD kReturnMs = 10000;

// The poll updates read-outs under the data lock; every reader of line
// records waits for it rather than reading records another thread writes.
TEST_F(LockRulesTest, LineRecordsAreReadUnderTheDataLockWhileAPollHoldsIt) {
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    CKaLumencorV2MultiLaser& lines = device->MultiLaser();
    const struct {
        const char* name;
        std::function<void()> read;
    } readers[] = {
        {"GetLineUsed",
         [&] {
             bool used;
             lines.GetLineUsed(1, &used);
         }},
        {"GetLinePower",
         [&] {
             double power;
             lines.GetLinePower(1, &power);
         }},
        {"GetLineWavelength",
         [&] {
             unsigned nm;
             lines.GetLineWavelength(1, &nm);
         }},
        {"SetLineWavelength", [&] { lines.SetLineWavelength(1, 500); }},
        {"GetLightState", [&] { lines.GetLightState(nullptr, nullptr, nullptr); }},
        {"GetLineLightState", [&] { lines.GetLineLightState(1, nullptr, nullptr, nullptr); }},
        {"GetSettings",
         [&] {
             CKaStringW s;
             lines.GetSettings(s);
         }},
        {"subset command",
         [&] {
             bool member;
             lines.DeviceCommand(KA_CMD_GET_LINE_IN_SUBSET, 1, &member);
         }},
        {"GetShutterState",
         [&] {
             bool open;
             device->Shutter().GetShutterState(&open);
         }},
    };
    for (const auto& reader : readers) {
        engine.Hold("TEMP");
        Caller poll([&] { OnWorker<&CKaLumencorV2Device::C_Refresh>(); });
        ASSERT_TRUE(engine.WaitUntilHeld(kReturnMs)) << reader.name;
        {
            Caller read(reader.read);
            EXPECT_FALSE(read.Finished(kHeldMs)) << reader.name << " read without the lock";
            engine.Release();
            EXPECT_TRUE(read.Finished(kReturnMs)) << reader.name;
        }
        EXPECT_TRUE(poll.Finished(kReturnMs));
    }
}

// The callback checks from another thread whether the data lock is free.
std::atomic<CKaLumencorV2Device*> g_device{nullptr};
std::atomic<int> g_calls{0}, g_callsWithLockFree{0};

void RecordingCallback(int32_t, const SKaDeviceNotification*, int32_t) {
    ++g_calls;
    bool free = false;
    std::thread probe([&] {
        free = g_device.load()->DataLock().TryEnter();
        if (free) g_device.load()->DataLock().Leave();
    });
    probe.join();
    if (free) ++g_callsWithLockFree;
}

TEST_F(LockRulesTest, TheHostIsNotifiedWithTheDataLockReleased) {
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    DMApiHooks::PhysDev_Add(device, L"Lumencor");
    g_device = device;
    g_calls = g_callsWithLockFree = 0;
    device->SetNotificationCallback(&RecordingCallback);
    device->MultiLaser().SetLinePower(0, 20.0);
    device->MultiLaser().SetLineUsed(0, true);
    device->Shutter().SetShutterState(true); // state, then the line's light state
    device->BeginBatch(true);
    device->MultiLaser().SetLinePower(1, 30.0);
    device->ExecuteBatch();
    EXPECT_EQ(5, g_calls.load());
    EXPECT_EQ(g_calls.load(), g_callsWithLockFree.load());
    device->SetNotificationCallback(nullptr);
    DMApiHooks::PhysDev_Remove(device);
}

// Once a device's destruction has begun, procedures no longer reach it, even
// while the destruction itself waits for the worker.
TEST_F(LockRulesTest, ADeviceBeingDestroyedIsNoLongerHandedToProcedures) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    Gate gate;
    Caller busy([&] { device->CallBack(&Blocking, reinterpret_cast<uint64_t>(&gate), 0, 0, 0); });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gate.entered, kReturnMs));
    CKaLumencorV2Device* doomed = device;
    device = nullptr;
    Caller destroy([doomed] { doomed->Release(); });
    // The destruction waits for the worker; the device stops being current first.
    const DWORD start = GetTickCount();
    bool forgotten = false;
    while (!forgotten && GetTickCount() - start < kReturnMs) {
        forgotten = CKaLumencorV2CurrentDevice().Get() == nullptr;
        SwitchToThread();
    }
    EXPECT_TRUE(forgotten);
    int32_t result = 0;
    {
        Caller procedure([&] { result = Stg_WakeUp(); });
        EXPECT_TRUE(procedure.Finished(kReturnMs)) << "a procedure ran into the dying device";
        SetEvent(gate.release);
    }
    EXPECT_EQ(-9, result);
    EXPECT_TRUE(destroy.Finished(kReturnMs));
}

// A procedure that is using the device holds its destruction back.
TEST_F(LockRulesTest, DestructionWaitsForAProcedureInFlight) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    KA_AdvanceTimeCounter(60000); // past the wake-up guard of the connect
    engine.Hold("WAKEUP");
    int32_t result = 1;
    Caller procedure([&] { result = Stg_WakeUp(); });
    ASSERT_TRUE(engine.WaitUntilHeld(kReturnMs));
    CKaLumencorV2Device* doomed = device;
    device = nullptr;
    {
        Caller destroy([doomed] { doomed->Release(); });
        EXPECT_FALSE(destroy.Finished(kHeldMs)) << "destroyed under a running procedure";
        engine.Release();
        EXPECT_TRUE(procedure.Finished(kReturnMs));
        EXPECT_TRUE(destroy.Finished(kReturnMs));
    }
    EXPECT_EQ(0, result);
    EXPECT_EQ(-9, Stg_WakeUp());
}

} // namespace
