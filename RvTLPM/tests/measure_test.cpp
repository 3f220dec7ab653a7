// Readings in the caller's thread.
#include "meter_fixture.h"

#include <climits>
#include <vector>

namespace rvtlpmtest {
namespace {

const int64_t kUntouchedStamp = 0x5A5A5A5A;
const double kUntouched = 123.0;

int64_t LocalNow() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    FILETIME now;
    SystemTimeToFileTime(&local, &now);
    return static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) |
                                now.dwLowDateTime);
}

// Stamps of one series: local time now, whole milliseconds, never going back.
void ExpectSeriesStamps(const std::vector<int64_t>& stamps, int64_t before) {
    const int64_t after = LocalNow();
    for (size_t j = 0; j < stamps.size(); ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(stamps[j] % 10000, 0);
        EXPECT_GE(stamps[j], before - 10000);
        EXPECT_LE(stamps[j], after + 10000);
        if (j) {
            EXPECT_GE(stamps[j], stamps[j - 1]);
        }
    }
}

class MeasureTest : public MeterTest {};

TEST_F(MeasureTest, NoReadingsForACountBelowOne) {
    const uint32_t meter = OpenMeter();
    const int mark = TlpmSim_CallCount();
    for (int32_t count : {0, -1, INT_MIN}) {
        SCOPED_TRACE(count);
        std::vector<double> readings(4, kUntouched);
        std::vector<int64_t> stamps(4, kUntouchedStamp);
        EXPECT_EQ(RvTLPM_Measure(meter, count, readings.data(), stamps.data()), 0);
        EXPECT_EQ(RvTLPM_Measure(meter, count, nullptr, nullptr), 0);
        EXPECT_EQ(readings, std::vector<double>(4, kUntouched));
        EXPECT_EQ(stamps, std::vector<int64_t>(4, kUntouchedStamp));
    }
    EXPECT_EQ(TlpmSim_CallCount(), mark);
}

TEST_F(MeasureTest, TenReadingsWithTheirTimeStamps) {
    const double watts[] = {1e-3, 2e-3, 3e-3, 4e-3, 5e-3, 6e-3, 7e-3, 8e-3, 9e-3, 1e-2};
    const uint32_t meter = OpenMeter();
    TlpmSim_SetReadingDelay(3);
    for (bool withStamps : {true, false}) {
        SCOPED_TRACE(withStamps);
        TlpmSim_SetReadings(watts, 10);
        std::vector<double> readings(10, kUntouched);
        std::vector<int64_t> stamps(10, kUntouchedStamp);
        const int64_t before = LocalNow();
        EXPECT_EQ(RvTLPM_Measure(meter, 10, readings.data(), withStamps ? stamps.data() : nullptr),
                  0);
        EXPECT_EQ(readings, std::vector<double>(watts, watts + 10));
        if (withStamps) {
            ExpectSeriesStamps(stamps, before);
        } else {
            EXPECT_EQ(stamps, std::vector<int64_t>(10, kUntouchedStamp));
        }
    }
    EXPECT_EQ(CountOf("TLPM_measPower"), readingsBefore_ + 20);
}

TEST_F(MeasureTest, AFailingReadingEndsTheSeriesWithTheRestUnmeasured) {
    const uint32_t meter = OpenMeter();
    const int32_t status = static_cast<int32_t>(0xBFFA4100);
    FailReading(3, status);
    std::vector<double> readings(10, kUntouched);
    std::vector<int64_t> stamps(10, kUntouchedStamp);
    EXPECT_EQ(RvTLPM_Measure(meter, 10, readings.data(), stamps.data()), status);
    for (int j = 0; j < 10; ++j) {
        SCOPED_TRACE(j);
        if (j < 3) {
            EXPECT_GT(readings[j], 0.0);
            EXPECT_NE(stamps[j], kUntouchedStamp);
        } else {
            EXPECT_EQ(readings[j], -1.0);
            EXPECT_EQ(stamps[j], kUntouchedStamp);
        }
    }
    EXPECT_EQ(CountOf("TLPM_measPower"), readingsBefore_ + 4);
}

TEST_F(MeasureTest, AMeterThatIsNotOpenGivesTheDriverStatus) {
    for (uint32_t meter : {0u, 0xDEADBEEFu}) {
        std::vector<double> readings(3, kUntouched);
        EXPECT_EQ(RvTLPM_Measure(meter, 3, readings.data(), nullptr), TLPMSIM_NO_SUCH_SESSION);
        EXPECT_EQ(readings, std::vector<double>(3, -1.0));
    }
}

} // namespace
} // namespace rvtlpmtest
