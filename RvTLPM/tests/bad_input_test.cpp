// Arguments that cannot be read or written are refused before anything is
// touched or the driver is called.
#include "meter_fixture.h"
#include "test_memory.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace rvtlpmtest {
namespace {

class BadInputTest : public MeterTest {};

TEST_F(BadInputTest, MeterHandleAddresses) {
    const uint32_t open = 1001;
    testsupport::ReadOnlyPage readOnly(&open, sizeof open);
    uint32_t* const bad[] = {nullptr, static_cast<uint32_t*>(testsupport::UnmappedAddress()),
                             static_cast<uint32_t*>(readOnly.data())};
    for (uint32_t* meter : bad) {
        EXPECT_EQ(RvTLPM_Open(meter, 0), RVTLPM_BAD_ARGUMENT);
        EXPECT_EQ(RvTLPM_Close(meter), RVTLPM_BAD_ARGUMENT);
    }
    EXPECT_EQ(*static_cast<uint32_t*>(readOnly.data()), open);
    EXPECT_EQ(TlpmSim_CallCount(), 0);
}

// A handle value that is no session goes to the driver, which refuses it;
// the variable is still cleared.
TEST_F(BadInputTest, AHandleThatIsNoSession) {
    uint32_t meter = 0xDEADBEEF;
    EXPECT_EQ(RvTLPM_Close(&meter), 0);
    EXPECT_EQ(meter, 0u);
    meter = 0xDEADBEEF;
    EXPECT_EQ(RvTLPM_Open(&meter, 0), 0);
    EXPECT_EQ(meter, 1001u);
    const auto calls = Calls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[0], "TLPM_close(3735928559)");
    EXPECT_EQ(calls[1], "TLPM_close(3735928559)");
    EXPECT_EQ(calls[2], "TLPM_findRsrc(0)");
}

TEST_F(BadInputTest, ReadingsAndTimeStampArrays) {
    const uint32_t meter = OpenMeter();
    const int mark = TlpmSim_CallCount();
    const char zeros[64] = {};
    testsupport::ReadOnlyPage readOnly(zeros, sizeof zeros);
    testsupport::RegionEdge edge;
    // Room for three elements before the edge; four are asked for.
    void* short3 = edge.EndingAtEdge(zeros, 3 * sizeof(double));
    std::vector<double> good(4, 5.0);
    std::vector<int64_t> goodStamps(4, 5);

    struct Case {
        const char* name;
        void* readings;
        void* stamps;
    };
    const Case cases[] = {
        {"null readings", nullptr, goodStamps.data()},
        {"unmapped readings", testsupport::UnmappedAddress(), goodStamps.data()},
        {"read-only readings", readOnly.data(), goodStamps.data()},
        {"readings too short", short3, goodStamps.data()},
        {"unmapped stamps", good.data(), testsupport::UnmappedAddress()},
        {"read-only stamps", good.data(), readOnly.data()},
        {"stamps too short", good.data(), short3},
    };
    using Export = int32_t (*)(uint32_t, int32_t, double*, int64_t*);
    const std::pair<const char*, Export> exports[] = {{"Measure", RvTLPM_Measure},
                                                      {"StartMeasure", RvTLPM_StartMeasure}};
    for (const auto& e : exports) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(e.first) + ": " + c.name);
            EXPECT_EQ(e.second(meter, 4, static_cast<double*>(c.readings),
                               static_cast<int64_t*>(c.stamps)),
                      RVTLPM_BAD_ARGUMENT);
            EXPECT_EQ(good, std::vector<double>(4, 5.0));
            EXPECT_EQ(goodStamps, std::vector<int64_t>(4, 5));
            EXPECT_EQ(std::memcmp(readOnly.data(), zeros, sizeof zeros), 0);
        }
    }
    EXPECT_EQ(TlpmSim_CallCount(), mark);
}

TEST_F(BadInputTest, ARefusedStartLeavesTheRunningSeriesAlone) {
    const uint32_t meter = OpenMeter();
    TlpmSim_SetReadingDelay(100);
    std::vector<double> readings(3, 0.0);
    ASSERT_EQ(RvTLPM_StartMeasure(meter, 3, readings.data(), nullptr), 0);
    ASSERT_TRUE(ReadingBegun(0));
    EXPECT_EQ(RvTLPM_StartMeasure(meter, 3, nullptr, nullptr), RVTLPM_BAD_ARGUMENT);
    ASSERT_TRUE(ReadingBegun(2));
    EXPECT_EQ(RvTLPM_StopMeasure(), 0);
    EXPECT_EQ(readings[2] != -1.0, true) << "the series went on to its end";
}

} // namespace
} // namespace rvtlpmtest
