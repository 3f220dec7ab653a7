// The protocol cases the fake and the simulated engine answer, on the
// emulated engine over a real COM port.
#include "emulator_control.h"
#include "protocol/ProtocolCases.h"
#include "serial_port.h"

#include <gtest/gtest.h>

namespace {

using lumencor_emulator::EmulatorControl;
using lumencor_emulator::SerialPort;

const unsigned kBaud = 115200;

TEST(EmulatorProtocol, TheEmulatedEngineAnswersLikeTheOthers) {
    EmulatorControl control;
    ASSERT_TRUE(control.connected());
    ASSERT_TRUE(control.Reset());
    ASSERT_TRUE(control.Set("MODEL", protocol_cases::kModel));
    ASSERT_TRUE(control.Set("VER", protocol_cases::kFirmware));
    ASSERT_TRUE(control.Set("SN", protocol_cases::kSerial));
    ASSERT_TRUE(control.Set("MAXINT", protocol_cases::kMaxInt));
    ASSERT_TRUE(control.Set("CHMAP", protocol_cases::kChannelMap));
    SerialPort port;
    ASSERT_TRUE(port.Open(lumencor_emulator::ComNumberFromEnvironment(), kBaud));
    protocol_cases::RunAll([&](const std::string& command) { return port.Ask(command); }, false);
    control.Reset();
}

} // namespace
