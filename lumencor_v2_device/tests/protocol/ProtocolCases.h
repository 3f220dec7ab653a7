// The protocol cases every engine we test against must answer alike: the
// in-process fake, the simulated engine and the emulator. Each engine is set
// to the identity below first.
#pragma once

#include <functional>
#include <string>

namespace protocol_cases {

// The identity the engines are set to.
const char kModel[] = "Spectra III";
const char kFirmware[] = "2.1.19";
const char kSerial[] = "12306";
const char kMaxInt[] = "4095";
const char kChannelMap[] = "TEAL CYAN YELLOW RED GREEN NIR BLUE VIOLET";

// Sends one command (CR included) and returns the whole answer, CR included.
using Exchange = std::function<std::string(const std::string& command)>;

// Runs every case through `exchange`, reporting each mismatch as a test
// failure. The simulated engine answers an unknown command with nothing
// where an engine answers with an error.
void RunAll(const Exchange& exchange, bool simulated);

} // namespace protocol_cases
