// Client of the light-engine emulator's control channel, for test programs
// run by tools/wine/with_emulator.sh (see ../README.md for the protocol).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumencor_emulator {

// One command line the engine received, CR included, and the baud rate the
// port was set to when it arrived.
struct ReceivedCommand {
    unsigned baud = 0;
    std::string bytes;
};

// The COM number the harness exported in LUMENCOR_EMULATOR_COM; 0 when unset.
int ComNumberFromEnvironment();
// The control port exported in LUMENCOR_EMULATOR_CONTROL; 0 when unset.
unsigned short ControlPortFromEnvironment();
// "\\.\COMn", the name CreateFile needs for any COM number.
std::string ComDeviceName(int number);

// Wire text of the control protocol: printable ASCII as is, \\ \r \n \t and \xNN.
std::string Escape(const std::string& bytes);
std::string Unescape(const std::string& text);

class EmulatorControl {
  public:
    explicit EmulatorControl(unsigned short port = ControlPortFromEnvironment());
    ~EmulatorControl();
    EmulatorControl(const EmulatorControl&) = delete;
    EmulatorControl& operator=(const EmulatorControl&) = delete;

    bool connected() const;

    // One request line; returns the first reply line ("OK ..." or "ERR ..."),
    // empty when the channel broke or `timeoutMs` passed.
    std::string Request(const std::string& line, unsigned timeoutMs = 10000);

    // Start-up state again: settings, channels, no faults, empty log, a fresh line.
    bool Reset();
    // SET <key> <value>: MODEL, VER, SN, MAXINT, CHMAP, TEMP, SUPPLYCURRENT,
    // SUPPLYPOWER, STAT, AWAKE, WAKING, SLEEPAFTER, BAUD, PACE, "CH <c>", "CHINT <c>".
    bool Set(const std::string& key, const std::string& value);
    // The value text of GET <key>; empty when refused.
    std::string Get(const std::string& key);
    // The answer to commands starting with `command` ("*": all) goes wrong as
    // `kind` says: ERROR, SILENT, GARBAGE, NOCR, OVERLONG, DELAY or CLOSE.
    // `arg` holds raw bytes (ERROR, GARBAGE) or a number (OVERLONG, DELAY);
    // `times` 0 means for ever.
    bool Fault(const std::string& kind, const std::string& command, const std::string& arg = "",
               int times = 0);
    bool ClearFaults();
    std::vector<ReceivedCommand> Log();
    bool ClearLog();
    // Waits until the engine has received `count` commands in all.
    bool WaitForCommands(size_t count, unsigned timeoutMs);
    // Bytes received after the last CR.
    std::string Pending();
    // The engine drops its end of the serial line.
    bool CloseLine();

  private:
    bool ReadLine(std::string& line, unsigned timeoutMs);

    std::uintptr_t socket_;
    bool started_ = false;
    std::string buffered_;
};

} // namespace lumencor_emulator
