// Tests run RvTLPM over the simulated meter of tlpm_64.dll, reset for each test.
#pragma once

#include "RvTLPM.h"
#include "tlpm_sim.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace rvtlpmtest {

// Every recorded driver call from `from` on, as text.
std::vector<std::string> Calls(int from = 0);
// The recorded calls themselves.
std::vector<TlpmSimCall> RecordedCalls(int from = 0);
// How many calls of `name` (e.g. "TLPM_measPower") were recorded.
int CountOf(const char* name);

// Waits until the thread `id` has ended; true when it has (or is already gone).
bool ThreadEnds(DWORD id, DWORD* exitCode = nullptr);

class MeterTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the simulated meter without dialogs; the record keeps the open calls.
    uint32_t OpenMeter();
    // Makes reading `k` (from 0) of the next series fail with `status`.
    void FailReading(int k, int32_t status);
    // Waits until reading `k` (from 0) of the next series has begun.
    bool ReadingBegun(int k, unsigned timeoutMs = 5000);

    int readingsBefore_ = 0; // meter readings taken before the series under test
};

} // namespace rvtlpmtest
