#include "meter_fixture.h"

#include "unmanaged_windows.h"

namespace rvtlpmtest {
namespace {

// Message boxes have captions; without this Wine waits for a window manager when they close.
[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

} // namespace

std::vector<TlpmSimCall> RecordedCalls(int from) {
    std::vector<TlpmSimCall> calls;
    TlpmSimCall call;
    for (int i = from; TlpmSim_GetCall(i, &call); ++i)
        calls.push_back(call);
    return calls;
}

std::vector<std::string> Calls(int from) {
    std::vector<std::string> texts;
    for (const TlpmSimCall& call : RecordedCalls(from))
        texts.emplace_back(call.text);
    return texts;
}

int CountOf(const char* name) {
    const std::string prefix = std::string(name) + "(";
    int n = 0;
    for (const std::string& text : Calls())
        n += text.compare(0, prefix.size(), prefix) == 0;
    return n;
}

bool ThreadEnds(DWORD id, DWORD* exitCode) {
    HANDLE thread = OpenThread(SYNCHRONIZE | THREAD_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (!thread) return true;
    const bool ended = WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
    if (exitCode) GetExitCodeThread(thread, exitCode);
    CloseHandle(thread);
    return ended;
}

void MeterTest::SetUp() {
    RvTLPM_StopMeasure();
    TlpmSim_Reset();
}

void MeterTest::TearDown() {
    RvTLPM_StopMeasure();
}

uint32_t MeterTest::OpenMeter() {
    uint32_t meter = 0;
    EXPECT_EQ(RvTLPM_Open(&meter, 0), 0);
    EXPECT_NE(meter, 0u);
    readingsBefore_ = CountOf("TLPM_measPower");
    return meter;
}

void MeterTest::FailReading(int k, int32_t status) {
    TlpmSim_FailCall("TLPM_measPower", readingsBefore_ + k + 1, status);
}

bool MeterTest::ReadingBegun(int k, unsigned timeoutMs) {
    return TlpmSim_WaitForCalls("TLPM_measPower", readingsBefore_ + k + 1, timeoutMs) == 1;
}

} // namespace rvtlpmtest
