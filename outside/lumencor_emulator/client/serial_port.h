// Plain Win32 serial I/O to the emulated engine, as a driver does it: 8N1,
// no flow control, CR-terminated lines.
#pragma once

#include <string>

namespace lumencor_emulator {

class SerialPort {
  public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens COM`number` at `baud` 8N1; false with GetLastError() set on failure.
    bool Open(int number, unsigned baud);
    bool SetBaud(unsigned baud);
    void Close();

    bool Write(const std::string& bytes);
    // Reads until a CR arrives, `timeoutMs` pass or the port fails; returns
    // what came, CR included.
    std::string ReadLine(unsigned timeoutMs = 2000);
    // Write then ReadLine after purging what is left over from before.
    std::string Ask(const std::string& command, unsigned timeoutMs = 2000);

  private:
    void* handle_ = nullptr;
};

} // namespace lumencor_emulator
