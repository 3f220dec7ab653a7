#include "ProtocolCases.h"

#include <gtest/gtest.h>

namespace protocol_cases {

namespace {

struct Case {
    const char* command;
    // The whole answer, or its beginning when `prefix`.
    std::string answer;
    bool prefix;
};

bool Matches(const Case& c, const std::string& answer) {
    return c.prefix ? answer.compare(0, c.answer.size(), c.answer) == 0 : answer == c.answer;
}

} // namespace

void RunAll(const Exchange& exchange, bool simulated) {
    const std::string cr = "\r";
    const Case cases[] = {
        // Identity: the value after the key word is what the driver keeps.
        {"GET MODEL\r", std::string("A MODEL ") + kModel + cr, false},
        {"GET VER\r", std::string("A VER ") + kFirmware + cr, false},
        {"GET SN\r", std::string("A SN ") + kSerial + cr, false},
        {"GET MAXINT\r", std::string("A MAXINT ") + kMaxInt + cr, false},
        {"GET CHMAP\r", std::string("A CHMAP ") + kChannelMap + cr, false},
        // Read-outs and state: a number follows the key word.
        {"GET TEMP\r", "A TEMP ", true},
        {"GET SUPPLYCURRENT\r", "A SUPPLYCURRENT ", true},
        {"GET SUPPLYPOWER\r", "A SUPPLYPOWER ", true},
        {"GET STAT\r", "A STAT ", true},
        {"WAKEUP\r", "A WAKEUP", true},
        // Accepted settings answer "A " and their key word, never "A SET".
        {"SET TTLPOL POS\r", "A TTLPOL", true},
        {"SET TTLENABLE 1\r", "A TTLENABLE", true},
        {"SET CH 2 1\r", "A CH", true},
        {"SET CHINT 2 2048\r", "A CHINT", true},
        {"SET MULCH 1 0 1 0 0 0 0 0\r", "A MULCH", true},
        {"SET MULCHINT 0 0 4095 0 0 0 0 0\r", "A MULCH", true},
        {"SET TTLENABLE 0\r", "A TTLENABLE", true},
    };
    for (const Case& c : cases) {
        const std::string answer = exchange(c.command);
        EXPECT_TRUE(Matches(c, answer)) << c.command << " answered \"" << answer << "\"";
        EXPECT_EQ(std::string::npos, answer.find("A SET")) << c.command;
    }
    const std::string unknown = exchange("GET NOTHING\r");
    if (simulated)
        EXPECT_EQ("", unknown);
    else
        EXPECT_EQ('E', unknown.empty() ? 0 : unknown[0]) << unknown;
}

} // namespace protocol_cases
