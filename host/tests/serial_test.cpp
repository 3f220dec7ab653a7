#include "KaSerial.h"
#include "KaHostHooks.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace {

// A far end that answers each read with the next scripted chunk ("" = silence).
class ScriptedEnd : public IKaSerialEndpoint {
  public:
    std::deque<std::string> chunks;
    std::string written;
    unsigned baud = 0;
    int purges = 0, silentReads = 0;
    bool open = false;

    bool Open(unsigned b) override {
        baud = b;
        return open = true;
    }
    void Close() override { open = false; }
    void Purge() override { ++purges; }
    bool Write(const char* data, unsigned length) override {
        written.append(data, length);
        return true;
    }
    unsigned Read(char* buffer, unsigned capacity, unsigned) override {
        if (chunks.empty() || chunks.front().empty()) {
            if (!chunks.empty()) chunks.pop_front();
            ++silentReads;
            return 0;
        }
        std::string& c = chunks.front();
        unsigned n = static_cast<unsigned>(std::min<size_t>(capacity, c.size()));
        memcpy(buffer, c.data(), n);
        c.erase(0, n);
        if (c.empty()) chunks.pop_front();
        return n;
    }
};

class SerialTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CKaSerialHooks::RegisterVirtualPort(41, &end);
        ASSERT_TRUE(port.OpenCOM(41, 115200, 8, KA_PARITY_NONE, KA_STOPBITS_ONE, false, 13, 0,
                                 KA_FLOW_NONE, false, false, 17, 19));
    }
    void TearDown() override { CKaSerialHooks::RegisterVirtualPort(41, nullptr); }
    std::string Receive(int size = 64, int attempts = 3) {
        char buffer[300];
        memset(buffer, '#', sizeof buffer);
        int n = port.ReceiveWithLoop('\r', 1, buffer, size, attempts, 1);
        EXPECT_EQ('#', buffer[n]) << "nothing written past the count";
        return std::string(buffer, static_cast<size_t>(n));
    }
    ScriptedEnd end;
    CKaSimpleSerial port;
};

TEST_F(SerialTest, ReadsOneLineAcrossChunksAndKeepsTheRestForTheNext) {
    end.chunks = {"A MO", "DEL X\rA VER", " 2\r"};
    EXPECT_EQ("A MODEL X\r", Receive());
    EXPECT_EQ("A VER 2\r", Receive());
}

TEST_F(SerialTest, FaultyAnswersEndWithWhatCameOrNothing) {
    struct Case {
        const char* name;
        std::deque<std::string> chunks;
        int size;
        std::string expected;
    } cases[] = {
        {"silence gives 0 after the attempts", {"", "", "", "A LATE\r"}, 64, ""},
        {"a line after two silent waits", {"", "", "A X\r"}, 64, "A X\r"},
        {"half a line ends at the gap", {"A HAL", ""}, 64, "A HAL"},
        {"an overlong line stops at the size",
         {std::string(100, 'z') + "\r"},
         63,
         std::string(63, 'z')},
    };
    for (auto& c : cases) {
        end.chunks = c.chunks;
        port.Purge();
        EXPECT_EQ(c.expected, Receive(c.size, 3)) << c.name;
    }
}

TEST_F(SerialTest, PurgeDropsLeftoversAndDisabledPortIsSilent) {
    end.chunks = {"A ONE\rA TWO\r"};
    EXPECT_EQ("A ONE\r", Receive());
    port.Purge();
    end.chunks = {"A THREE\r"};
    EXPECT_EQ("A THREE\r", Receive());

    port.SetEnabled(false);
    EXPECT_FALSE(port.Send("X\r", 2));
    end.chunks = {"A FOUR\r"};
    EXPECT_EQ("", Receive());
    port.SetEnabled(true);
    EXPECT_TRUE(port.Send("GET VER\r", 8));
    EXPECT_EQ("GET VER\r", end.written);
    EXPECT_EQ(INVALID_HANDLE_VALUE, port.GetHandle());
    port.ClosePort();
    EXPECT_FALSE(end.open);
    EXPECT_FALSE(port.Send("X\r", 2));
}

TEST(SerialPort, MissingSystemPortDoesNotOpen) {
    CKaSimpleSerial port;
    EXPECT_FALSE(port.OpenCOM(250, 115200, 8, KA_PARITY_NONE, KA_STOPBITS_ONE, false, 13, 0,
                              KA_FLOW_NONE, false, false, 17, 19));
    EXPECT_FALSE(port.IsOpen());
    char buffer[8];
    EXPECT_EQ(0, port.ReceiveWithLoop('\r', 1, buffer, 8, 1, 1));
}

} // namespace
