// The emulated engine end to end from the Windows side: plain Win32 serial I/O
// on the COM port that tools/wine/with_emulator.sh set up, scenarios chosen
// through the control channel.
#include "emulator_control.h"
#include "serial_port.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {

using lumencor_emulator::EmulatorControl;
using lumencor_emulator::ReceivedCommand;
using lumencor_emulator::SerialPort;

// Long enough for a present answer under a loaded Wine, short enough to wait
// out for an absent one.
constexpr unsigned kAbsentMs = 500;

class EmulatedEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        com_ = lumencor_emulator::ComNumberFromEnvironment();
        ASSERT_NE(com_, 0) << "run through tools/wine/with_emulator.sh";
        ASSERT_TRUE(control_.connected());
        ASSERT_TRUE(control_.Reset());
        ASSERT_TRUE(port_.Open(com_, 115200)) << "error " << GetLastError();
    }

    int com_ = 0;
    EmulatorControl control_;
    SerialPort port_;
};

struct Exchange {
    const char* command;
    const char* answer;
};

TEST_F(EmulatedEngine, AnswersIdentityAndReadoutsAsConfigured) {
    struct Case {
        const char* key; // nullptr: the start-up value
        const char* value;
        Exchange exchange;
    };
    const Case cases[] = {
        {nullptr, nullptr, {"GET MODEL\r", "A MODEL Spectra III\r"}},
        {"MODEL", "Celesta", {"GET MODEL\r", "A MODEL Celesta\r"}},
        {"MODEL", "Ziva Light Engine", {"GET MODEL\r", "A MODEL Ziva Light Engine\r"}},
        {"VER", "2.1.18", {"GET VER\r", "A VER 2.1.18\r"}},
        {"SN", "S-4711", {"GET SN\r", "A SN S-4711\r"}},
        {"MAXINT", "1000", {"GET MAXINT\r", "A MAXINT 1000\r"}},
        {nullptr, nullptr, {"GET CHMAP\r", "A CHMAP TEAL CYAN YELLOW RED GREEN NIR BLUE VIOLET\r"}},
        {"CHMAP",
         "UV BLUE CYAN TEAL GREEN YELLOW RED NIR MAGENTA",
         {"GET CHMAP\r", "A CHMAP UV BLUE CYAN TEAL GREEN YELLOW RED NIR MAGENTA\r"}},
        {"TEMP", "42", {"GET TEMP\r", "A TEMP 42\r"}},
        {"SUPPLYCURRENT", "1500.5", {"GET SUPPLYCURRENT\r", "A SUPPLYCURRENT 1500.5\r"}},
        {"SUPPLYPOWER", "77.1", {"GET SUPPLYPOWER\r", "A SUPPLYPOWER 77.1\r"}},
        {"STAT", "6", {"GET STAT\r", "A STAT 6\r"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.exchange.command);
        if (c.key) {
            ASSERT_TRUE(control_.Set(c.key, c.value));
        }
        EXPECT_EQ(port_.Ask(c.exchange.command), c.exchange.answer);
    }
}

TEST_F(EmulatedEngine, ReadsBackWhatWasSet) {
    const struct {
        Exchange set;
        Exchange get;
    } cases[] = {
        {{"SET CH 3 1\r", "A CH 3 1\r"}, {"GET CH 3\r", "A CH 1\r"}},
        {{"SET CHINT 2 4095\r", "A CHINT 2 4095\r"}, {"GET CHINT 2\r", "A CHINT 4095\r"}},
        {{"SET MULCH 1 0 1 1\r", "A MULCH 1 0 1 1\r"},
         {"GET MULCH\r", "A MULCH 1 0 1 1 0 0 0 0\r"}},
        {{"SET MULCHINT 10 20 30 40 50 60 70 4095\r", "A MULCHINT 10 20 30 40 50 60 70 4095\r"},
         {"GET MULCHINT\r", "A MULCHINT 10 20 30 40 50 60 70 4095\r"}},
        {{"SET TTLPOL NEG\r", "A TTLPOL NEG\r"}, {"GET TTLPOL\r", "A TTLPOL NEG\r"}},
        {{"SET TTLENABLE 1\r", "A TTLENABLE 1\r"}, {"GET TTLENABLE\r", "A TTLENABLE 1\r"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set.command);
        EXPECT_EQ(port_.Ask(c.set.command), c.set.answer);
        EXPECT_EQ(port_.Ask(c.get.command), c.get.answer);
    }
}

TEST_F(EmulatedEngine, RejectsWhatAnEngineRejects) {
    const char* const commands[] = {
        "SET CH 8 1\r",      "SET CH 0 2\r", "SET CHINT 0 4096\r",
        "SET MULCH\r",       "GET CHINT\r",  "SET MULCH 1 1 1 1 1 1 1 1 1\r",
        "GET MODEL EXTRA\r", "get model\r",  "FROB\r",
    };
    for (const char* command : commands) {
        SCOPED_TRACE(command);
        const std::string answer = port_.Ask(command);
        ASSERT_FALSE(answer.empty());
        EXPECT_EQ(answer.front(), 'E');
        EXPECT_EQ(answer.back(), '\r');
    }
}

TEST_F(EmulatedEngine, StandbyWakesThroughWakingState) {
    ASSERT_TRUE(control_.Set("WAKING", "1"));
    ASSERT_TRUE(control_.Set("STAT", "6"));
    const Exchange steps[] = {
        {"GET STAT\r", "A STAT 6\r"}, {"SET CH 0 1\r", "E STANDBY\r"},
        {"WAKEUP\r", "A WAKEUP\r"},   {"GET STAT\r", "A STAT 7\r"},
        {"GET STAT\r", "A STAT 0\r"}, {"SET CH 0 1\r", "A CH 0 1\r"},
    };
    for (const Exchange& step : steps)
        EXPECT_EQ(port_.Ask(step.command), step.answer);

    // Before 2.1.19 the engine has no stand-by and does not know the command.
    ASSERT_TRUE(control_.Set("VER", "2.1.18"));
    EXPECT_EQ(port_.Ask("WAKEUP\r").substr(0, 1), "E");
}

TEST_F(EmulatedEngine, ReadoutsStepThroughTheirValues) {
    ASSERT_TRUE(control_.Set("TEMP", "30 31"));
    EXPECT_EQ(port_.Ask("GET TEMP\r"), "A TEMP 30\r");
    EXPECT_EQ(port_.Ask("GET TEMP\r"), "A TEMP 31\r");
    EXPECT_EQ(port_.Ask("GET TEMP\r"), "A TEMP 30\r");
}

TEST_F(EmulatedEngine, RecordsTheExactBytesAndTheirBaudRate) {
    port_.Ask("GET MODEL\r");
    port_.Ask("SET CHINT 1 5\r");
    ASSERT_TRUE(port_.Write("GET V"));
    ASSERT_TRUE(control_.WaitForCommands(2, 5000));

    const std::vector<ReceivedCommand> log = control_.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].bytes, "GET MODEL\r");
    EXPECT_EQ(log[1].bytes, "SET CHINT 1 5\r");
    EXPECT_EQ(log[1].baud, 115200u);
    // No CR yet: not a command, but visible.
    EXPECT_EQ(control_.Pending(), "GET V");
}

TEST_F(EmulatedEngine, AnswersOnlyAtTheRateItRunsAt) {
    ASSERT_TRUE(control_.Set("BAUD", "9600"));
    EXPECT_EQ(port_.Ask("GET MODEL\r", kAbsentMs), "");
    ASSERT_TRUE(port_.SetBaud(9600));
    EXPECT_EQ(port_.Ask("GET MODEL\r"), "A MODEL Spectra III\r");

    const std::vector<ReceivedCommand> log = control_.Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].baud, 115200u);
    EXPECT_EQ(log[1].baud, 9600u);
}

TEST_F(EmulatedEngine, FaultsShapeTheAnswer) {
    const std::string chmapAnswer = "A CHMAP TEAL CYAN YELLOW RED GREEN NIR BLUE VIOLET";
    const struct {
        const char* kind;
        std::string arg;
        const char* match;
        const char* command;
        std::string answer;
    } cases[] = {
        {"ERROR", "", "GET MODEL", "GET MODEL\r", "E\r"},
        {"ERROR", "E 12", "SET CH", "SET CH 1 1\r", "E 12\r"},
        {"SILENT", "", "*", "GET SN\r", ""},
        {"GARBAGE", "", "GET TEMP", "GET TEMP\r",
         std::string("\x00\xff\x80#?\x11\x13~%\x7f\r", 11)},
        {"NOCR", "", "GET SN", "GET SN\r", "A SN 13021"},
        {"OVERLONG", "300", "GET CHMAP", "GET CHMAP\r",
         chmapAnswer + std::string(300 - chmapAnswer.size(), 'X') + "\r"},
        {"DELAY", "300", "GET VER", "GET VER\r", "A VER 2.1.19\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ASSERT_TRUE(control_.ClearFaults());
        ASSERT_TRUE(control_.Fault(c.kind, c.match, c.arg));
        EXPECT_EQ(
            port_.Ask(c.command, c.answer.empty() || c.answer.back() != '\r' ? kAbsentMs : 2000),
            c.answer);
    }
    // The rejected "SET CH" left the channel as it was.
    ASSERT_TRUE(control_.ClearFaults());
    EXPECT_EQ(port_.Ask("GET CH 1\r"), "A CH 0\r") << "a rejected command changed the engine";
}

TEST_F(EmulatedEngine, CountedFaultWearsOff) {
    ASSERT_TRUE(control_.Fault("ERROR", "GET MODEL", "", 1));
    EXPECT_EQ(port_.Ask("GET MODEL\r"), "E\r");
    EXPECT_EQ(port_.Ask("GET MODEL\r"), "A MODEL Spectra III\r");
}

// What the Windows side sees once the engine has dropped its end: it must not
// hang, and gets an error or nothing.
std::string AskWithin(SerialPort& port, const char* command, unsigned waitMs, bool& returned) {
    auto done = std::make_shared<std::promise<std::string>>();
    std::future<std::string> answer = done->get_future();
    std::thread([&port, command, done] { done->set_value(port.Ask(command, 1000)); }).detach();
    returned = answer.wait_for(std::chrono::milliseconds(waitMs)) == std::future_status::ready;
    return returned ? answer.get() : std::string();
}

TEST_F(EmulatedEngine, DroppedLineLeavesTheCallerFreeAndResetRestoresIt) {
    const struct {
        const char* name;
        bool byFault;
    } cases[] = {{"closed by control", false}, {"closed on a command", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(port_.Ask("GET MODEL\r"), "A MODEL Spectra III\r");
        if (c.byFault)
            ASSERT_TRUE(control_.Fault("CLOSE", "GET SN"));
        else
            ASSERT_TRUE(control_.CloseLine());

        for (const char* command : {"GET SN\r", "GET MODEL\r"}) {
            bool returned = false;
            const std::string answer = AskWithin(port_, command, 10000, returned);
            ASSERT_TRUE(returned) << command << " hung";
            EXPECT_EQ(answer.find('\r'), std::string::npos) << answer;
        }

        // A fresh line behind the same COM number.
        port_.Close();
        ASSERT_TRUE(control_.Reset());
        ASSERT_TRUE(port_.Open(com_, 115200)) << "error " << GetLastError();
    }
    EXPECT_EQ(port_.Ask("GET MODEL\r"), "A MODEL Spectra III\r");
}

} // namespace
