#include "DeviceFixture.h"
#include "WorkerGate.h"

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

class WorkerTest : public DeviceFixture {
  protected:
    void SetUp() override {
        DeviceFixture::SetUp();
        ASSERT_EQ(KA_DM_CONNECTED, Connect());
    }
};

// 1 when the gate was already released as the worker ran this call.
int32_t RanAfterRelease(uint64_t gate, uint64_t, uint64_t) {
    return WaitForSingleObject(reinterpret_cast<Gate*>(gate)->release, 0) == WAIT_OBJECT_0 ? 1 : 0;
}

int32_t Thrower(uint64_t, uint64_t, uint64_t) {
    throw std::runtime_error("engine fault");
}

int32_t Echo(uint64_t value, uint64_t thread, uint64_t) {
    *reinterpret_cast<DWORD*>(thread) = GetCurrentThreadId();
    return static_cast<int32_t>(value);
}

TEST_F(WorkerTest, CallsRunOnTheWorkerAndReturnTheirResult) {
    DWORD thread = 0;
    EXPECT_EQ(77, device->CallBack(&Echo, 77, reinterpret_cast<uint64_t>(&thread), 0, 0));
    EXPECT_EQ(Peer().WorkerThreadId(), thread);
    EXPECT_NE(GetCurrentThreadId(), thread);
}

TEST_F(WorkerTest, ASecondCallerWaitsForTheFirstAndBothComplete) {
    Gate gate;
    int32_t firstResult = 0, secondResult = 0;
    std::thread first([&] {
        firstResult = device->CallBack(&Blocking, reinterpret_cast<uint64_t>(&gate), 1, 0, 0);
    });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(gate.entered, 10000));
    HANDLE secondFinished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread second([&] {
        secondResult =
            device->CallBack(&RanAfterRelease, reinterpret_cast<uint64_t>(&gate), 0, 0, 0);
        SetEvent(secondFinished);
    });
    // The second caller cannot overtake the first while it runs.
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(secondFinished, 50));
    SetEvent(gate.release);
    first.join();
    second.join();
    CloseHandle(secondFinished);
    EXPECT_EQ(1, firstResult);
    EXPECT_EQ(1, secondResult) << "the second call ran only once the first was released";
}

TEST_F(WorkerTest, ACallThatOutlastsItsTimeOutReturns1460AndStillRuns) {
    Gate gate;
    EXPECT_EQ(KA_DM_TIMEOUT,
              device->CallBack(&Blocking, reinterpret_cast<uint64_t>(&gate), 5, 0, 20));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::CallBack - time-out 2", true));
    SetEvent(gate.release);
    DWORD thread = 0;
    EXPECT_EQ(9, device->CallBack(&Echo, 9, reinterpret_cast<uint64_t>(&thread), 0, 0))
        << "the worker is free again";
}

TEST_F(WorkerTest, AnExceptionGivesMinusOneAndTheWorkerLivesOn) {
    EXPECT_EQ(-1, device->CallBack(&Thrower, 0, 0, 0, 0));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::Main - Unknown exception - 1"));
    DWORD thread = 0;
    EXPECT_EQ(3, device->CallBack(&Echo, 3, reinterpret_cast<uint64_t>(&thread), 0, 0));
}

TEST_F(WorkerTest, WithoutAWorkerAHandOverFailsAtOnce) {
    device->DisconnectDevice();
    DWORD thread = 0;
    EXPECT_EQ(KA_DM_TIMEOUT, device->CallBack(&Echo, 3, reinterpret_cast<uint64_t>(&thread), 0, 0));
    EXPECT_EQ(0u, thread);
}

} // namespace

namespace {

int32_t Mark(uint64_t event, uint64_t, uint64_t) {
    SetEvent(reinterpret_cast<HANDLE>(event));
    return 0;
}

// A poll waiting for the data lock that a host thread holds cannot accept a
// call: the hand-over gives up after 10 s with 1460, and the call still runs
// once the lock is free.
TEST_F(WorkerTest, ACallThePollCannotAcceptTimesOutAndRunsLater) {
    device->DataLock().Enter();
    // The poll comes round within about a second and stops at the data lock,
    // holding the refresh lock.
    DWORD start = GetTickCount();
    bool pollWaiting = false;
    while (!pollWaiting && GetTickCount() - start < 10000) {
        if (Peer().RefreshLock().TryEnter())
            Peer().RefreshLock().Leave();
        else
            pollWaiting = true;
        SwitchToThread();
    }
    ASSERT_TRUE(pollWaiting);
    HANDLE ran = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(KA_DM_TIMEOUT, device->CallBack(&Mark, reinterpret_cast<uint64_t>(ran), 0, 0, 0));
    EXPECT_EQ(1, log.Count(L"CKaLumencorV2Device::CallBack - time-out 1", true));
    EXPECT_EQ(WAIT_TIMEOUT, WaitForSingleObject(ran, 0));
    device->DataLock().Leave();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ran, 10000))
        << "the call left in the slot runs after the poll";
    CloseHandle(ran);
    DWORD thread = 0;
    EXPECT_EQ(4, device->CallBack(&Echo, 4, reinterpret_cast<uint64_t>(&thread), 0, 0))
        << "and the next hand-over works";
}

} // namespace
