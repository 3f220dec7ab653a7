#include "serial_port.h"

#include <windows.h>

namespace lumencor_emulator {

namespace {
const HANDLE kNone = INVALID_HANDLE_VALUE;
}

SerialPort::~SerialPort() {
    Close();
}

bool SerialPort::Open(int number, unsigned baud) {
    Close();
    const std::wstring name = L"\\\\.\\COM" + std::to_wstring(number);
    const HANDLE h = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (h == kNone) return false;
    handle_ = h;
    // Byte by byte, each read waiting at most 100 ms: Wine wakes such a read
    // on the byte's arrival, but lets a "return what is there" read
    // (MAXDWORD, MAXDWORD, constant) run into its full constant.
    COMMTIMEOUTS timeouts = {};
    timeouts.ReadTotalTimeoutConstant = 100;
    timeouts.WriteTotalTimeoutConstant = 1000;
    if (!SetBaud(baud) || !SetCommTimeouts(h, &timeouts)) {
        const DWORD error = GetLastError();
        Close();
        SetLastError(error);
        return false;
    }
    return true;
}

bool SerialPort::SetBaud(unsigned baud) {
    DCB dcb = {};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb)) return false;
    dcb.BaudRate = baud;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    return SetCommState(handle_, &dcb) != FALSE;
}

void SerialPort::Close() {
    if (handle_) CloseHandle(handle_);
    handle_ = nullptr;
}

bool SerialPort::Write(const std::string& bytes) {
    DWORD written = 0;
    return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string SerialPort::ReadLine(unsigned timeoutMs) {
    std::string line;
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < deadline) {
        char c = 0;
        DWORD got = 0;
        if (!ReadFile(handle_, &c, 1, &got, nullptr)) break;
        if (got == 0) continue;
        line += c;
        if (c == '\r') break;
    }
    return line;
}

std::string SerialPort::Ask(const std::string& command, unsigned timeoutMs) {
    PurgeComm(handle_, PURGE_RXCLEAR | PURGE_TXCLEAR);
    if (!Write(command)) return {};
    return ReadLine(timeoutMs);
}

} // namespace lumencor_emulator
