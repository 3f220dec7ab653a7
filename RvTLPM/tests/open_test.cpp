// Opening: the driver calls and their arguments, the question when no meter
// is found and the error box when opening fails.
#include "meter_fixture.h"
#include "message_box_watcher.h"

#include <cstdio>
#include <string>
#include <vector>

namespace rvtlpmtest {
namespace {

using Strings = std::vector<std::string>;

std::string StatusText(int32_t status) {
    char text[64];
    std::snprintf(text, sizeof text, "Simulated meter status 0x%08X",
                  static_cast<unsigned>(status));
    return text;
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

// The calls of a successful open of the first meter as session `s`.
Strings OpenSequence(const std::string& s, const std::string& avgTime) {
    return {"TLPM_findRsrc(0)",
            "TLPM_getRsrcName(0, 0)",
            "TLPM_init(\"SIM::PM::0\", 0, 0)",
            "TLPM_measPower(" + s + ")",
            "TLPM_setWavelength(" + s + ", 488)",
            "TLPM_getAvgTime(" + s + ", 0)",
            "TLPM_setAvgTime(" + s + ", " + avgTime + ")",
            "TLPM_setCurrentAutoRange(" + s + ", 1)",
            "TLPM_setPowerUnit(" + s + ", 0)"};
}

class OpenTest : public MeterTest {
  protected:
    // Opens with a watcher answering every box; the boxes seen come back in `boxes`.
    int32_t Open(
        uint32_t* meter, int32_t showDialogs, std::vector<SeenBox>* boxes,
        MessageBoxWatcher::Answer answer = [](const SeenBox&) { return IDCANCEL; }) {
        MessageBoxWatcher watcher(GetCurrentThreadId(), std::move(answer));
        const int32_t result = RvTLPM_Open(meter, showDialogs);
        *boxes = watcher.Seen();
        return result;
    }
};

TEST_F(OpenTest, OpensTheFirstMeterWithTheAveragingTimeWrittenBack) {
    TlpmSim_SetMeterCount(2);
    TlpmSim_SetAvgTime(0.25);
    uint32_t meter = 0;
    std::vector<SeenBox> boxes;
    EXPECT_EQ(Open(&meter, 1, &boxes), 0);
    EXPECT_EQ(meter, 1001u);
    EXPECT_EQ(Calls(), OpenSequence("1001", "0.25"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(OpenTest, AnOpenMeterIsClosedBeforeTheNextSearch) {
    uint32_t meter = 0;
    std::vector<SeenBox> boxes;
    ASSERT_EQ(Open(&meter, 0, &boxes), 0);
    ASSERT_EQ(meter, 1001u);

    int mark = TlpmSim_CallCount();
    EXPECT_EQ(Open(&meter, 0, &boxes), 0);
    EXPECT_EQ(meter, 1002u);
    Strings expected = {"TLPM_close(1001)"};
    for (const std::string& call : OpenSequence("1002", "0.1"))
        expected.push_back(call);
    EXPECT_EQ(Calls(mark), expected);

    // Gone meanwhile: the handle is still closed first, and left 0.
    TlpmSim_SetMeterCount(0);
    mark = TlpmSim_CallCount();
    EXPECT_EQ(Open(&meter, 0, &boxes), 0);
    EXPECT_EQ(meter, 0u);
    EXPECT_EQ(Calls(mark), (Strings{"TLPM_close(1002)", "TLPM_findRsrc(0)"}));
    EXPECT_TRUE(boxes.empty());
}

// No meter, or a failing search (its count says nothing): without dialogs
// the open returns at once with the handle 0.
TEST_F(OpenTest, NoMeterWithoutDialogsReturnsAtOnce) {
    // The failure is set for the first search of the test, so that case goes first.
    for (bool failingSearch : {true, false}) {
        SCOPED_TRACE(failingSearch ? "failing search" : "no meter");
        if (failingSearch)
            TlpmSim_FailCall("TLPM_findRsrc", 1, static_cast<int32_t>(0xBFFF0015));
        else
            TlpmSim_SetMeterCount(0);
        const int mark = TlpmSim_CallCount();
        uint32_t meter = 0;
        std::vector<SeenBox> boxes;
        EXPECT_EQ(Open(&meter, 0, &boxes), 0);
        EXPECT_EQ(meter, 0u);
        EXPECT_EQ(Calls(mark), Strings{"TLPM_findRsrc(0)"});
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(OpenTest, NoMeterWithDialogsAsksRetryOrCancel) {
    struct Case {
        const char* name;
        std::vector<int> presses; // one per question
        bool plugInBeforeLastPress;
        uint32_t meter;
        int searches;
    };
    const Case cases[] = {
        {"cancel", {IDCANCEL}, false, 0, 1},
        {"retry, still none, cancel", {IDRETRY, IDCANCEL}, false, 0, 2},
        {"retry after plugging in", {IDRETRY}, true, 1001, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TlpmSim_Reset();
        TlpmSim_SetMeterCount(0);
        size_t asked = 0;
        auto answer = [&](const SeenBox&) {
            const int press = asked < c.presses.size() ? c.presses[asked] : IDCANCEL;
            if (++asked == c.presses.size() && c.plugInBeforeLastPress) TlpmSim_SetMeterCount(1);
            return press;
        };
        uint32_t meter = 0;
        std::vector<SeenBox> boxes;
        EXPECT_EQ(Open(&meter, 1, &boxes, answer), 0);
        EXPECT_EQ(meter, c.meter);
        EXPECT_EQ(CountOf("TLPM_findRsrc"), c.searches);
        ASSERT_EQ(boxes.size(), c.presses.size());
        for (const SeenBox& box : boxes) {
            EXPECT_EQ(box.caption, L"No Power Meter Found");
            EXPECT_EQ(box.text, L"Thorlabs Power Meter");
            EXPECT_EQ(box.buttons, (std::vector<int>{IDCANCEL, IDRETRY}));
        }
        RvTLPM_Close(&meter);
    }
}

TEST_F(OpenTest, AFailingStepShowsTheDriverTextAndKeepsTheSession) {
    struct Step {
        const char* call;
        bool afterInit; // the session is open when it fails
    };
    const Step steps[] = {
        {"TLPM_getRsrcName", false},        {"TLPM_init", false},        {"TLPM_measPower", true},
        {"TLPM_setWavelength", true},       {"TLPM_getAvgTime", true},   {"TLPM_setAvgTime", true},
        {"TLPM_setCurrentAutoRange", true}, {"TLPM_setPowerUnit", true},
    };
    int32_t status = static_cast<int32_t>(0xBFFA4000);
    int32_t showDialogs = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.call);
        TlpmSim_Reset();
        TlpmSim_FailCall(step.call, 1, ++status);
        showDialogs ^= 1; // the box comes whatever the flag says
        uint32_t meter = 0;
        std::vector<SeenBox> boxes;
        EXPECT_EQ(Open(&meter, showDialogs, &boxes), status);

        EXPECT_EQ(meter, step.afterInit ? 1001u : 0u);
        const Strings calls = Calls();
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[calls.size() - 2].rfind(step.call, 0), 0u) << "nothing after the failure";
        char expected[64];
        std::snprintf(expected, sizeof expected, "TLPM_errorMessage(%u, 0x%08X)",
                      static_cast<unsigned>(meter), static_cast<unsigned>(status));
        EXPECT_EQ(calls.back(), expected);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].caption, Wide(StatusText(status)));
        EXPECT_EQ(boxes[0].text, L"Thorlabs Power Meter Error");
        EXPECT_EQ(boxes[0].buttons, std::vector<int>{IDOK});

        const int mark = TlpmSim_CallCount();
        EXPECT_EQ(RvTLPM_Close(&meter), 0);
        EXPECT_EQ(meter, 0u);
        EXPECT_EQ(Calls(mark), step.afterInit ? Strings{"TLPM_close(1001)"} : Strings{});
    }
}

TEST_F(OpenTest, ADriverTextFillingItsBufferIsCut) {
    TlpmSim_SetErrorText(std::string(5000, 'x').c_str());
    const int32_t status = static_cast<int32_t>(0xBFFA4001);
    TlpmSim_FailCall("TLPM_setPowerUnit", 1, status);
    uint32_t meter = 0;
    std::vector<SeenBox> boxes;
    EXPECT_EQ(Open(&meter, 0, &boxes), status);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, std::wstring(4095, L'x'));
    RvTLPM_Close(&meter);
}

TEST_F(OpenTest, CloseClosesAnOpenMeterOnly) {
    uint32_t meter = OpenMeter();
    int mark = TlpmSim_CallCount();
    EXPECT_EQ(RvTLPM_Close(&meter), 0);
    EXPECT_EQ(meter, 0u);
    EXPECT_EQ(Calls(mark), Strings{"TLPM_close(1001)"});
    mark = TlpmSim_CallCount();
    EXPECT_EQ(RvTLPM_Close(&meter), 0);
    EXPECT_EQ(Calls(mark), Strings{});
}

} // namespace
} // namespace rvtlpmtest
