#include "emulator_control.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdlib>

namespace lumencor_emulator {

namespace {

std::string Variable(const char* name) {
    char value[64];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

SOCKET Socket(std::uintptr_t s) {
    return static_cast<SOCKET>(s);
}

bool IsOk(const std::string& reply) {
    return reply == "OK" || reply.rfind("OK ", 0) == 0;
}

} // namespace

int ComNumberFromEnvironment() {
    return std::atoi(Variable("LUMENCOR_EMULATOR_COM").c_str());
}

unsigned short ControlPortFromEnvironment() {
    return static_cast<unsigned short>(std::atoi(Variable("LUMENCOR_EMULATOR_CONTROL").c_str()));
}

std::string ComDeviceName(int number) {
    return "\\\\.\\COM" + std::to_string(number);
}

EmulatorControl::EmulatorControl(unsigned short port) : socket_(INVALID_SOCKET) {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    if (!started_ || port == 0) return;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        closesocket(s);
        return;
    }
    // Requests and replies are single short lines: send each at once.
    const BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof noDelay);
    socket_ = s;
}

EmulatorControl::~EmulatorControl() {
    if (connected()) closesocket(Socket(socket_));
    if (started_) WSACleanup();
}

bool EmulatorControl::connected() const {
    return Socket(socket_) != INVALID_SOCKET;
}

bool EmulatorControl::ReadLine(std::string& line, unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const size_t end = buffered_.find('\n');
        if (end != std::string::npos) {
            line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return true;
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(Socket(socket_), &readable);
        const ULONGLONG left = deadline - now;
        timeval wait = {static_cast<long>(left / 1000), static_cast<long>(left % 1000 * 1000)};
        if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        char chunk[4096];
        const int got = recv(Socket(socket_), chunk, sizeof chunk, 0);
        if (got <= 0) return false;
        buffered_.append(chunk, static_cast<size_t>(got));
    }
}

std::string EmulatorControl::Request(const std::string& line, unsigned timeoutMs) {
    if (!connected()) return {};
    const std::string request = line + "\n";
    if (send(Socket(socket_), request.data(), static_cast<int>(request.size()), 0) !=
        static_cast<int>(request.size()))
        return {};
    std::string reply;
    return ReadLine(reply, timeoutMs) ? reply : std::string();
}

bool EmulatorControl::Reset() {
    return IsOk(Request("RESET"));
}

bool EmulatorControl::Set(const std::string& key, const std::string& value) {
    return IsOk(Request("SET " + key + " " + value));
}

std::string EmulatorControl::Get(const std::string& key) {
    const std::string reply = Request("GET " + key);
    return reply.rfind("OK ", 0) == 0 ? reply.substr(3) : std::string();
}

bool EmulatorControl::Fault(const std::string& kind, const std::string& command,
                            const std::string& arg, int times) {
    std::string head = kind;
    if (!arg.empty()) {
        // The arg is one word of the request: its spaces travel escaped too.
        std::string escaped;
        for (char c : Escape(arg))
            escaped += c == ' ' ? std::string("\\x20") : std::string(1, c);
        head += "=" + escaped;
    }
    if (times > 0) head += "*" + std::to_string(times);
    return IsOk(Request("FAULT " + head + " " + command));
}

bool EmulatorControl::ClearFaults() {
    return IsOk(Request("CLEARFAULTS"));
}

std::vector<ReceivedCommand> EmulatorControl::Log() {
    std::vector<ReceivedCommand> log;
    const std::string reply = Request("LOG");
    if (reply.rfind("OK ", 0) != 0) return log;
    const int count = std::atoi(reply.c_str() + 3);
    for (int i = 0; i < count; ++i) {
        std::string line;
        if (!ReadLine(line, 10000)) break;
        const size_t space = line.find(' ');
        ReceivedCommand entry;
        entry.baud = static_cast<unsigned>(std::strtoul(line.c_str(), nullptr, 10));
        entry.bytes = space == std::string::npos ? std::string() : Unescape(line.substr(space + 1));
        log.push_back(entry);
    }
    return log;
}

bool EmulatorControl::ClearLog() {
    return IsOk(Request("CLEARLOG"));
}

bool EmulatorControl::WaitForCommands(size_t count, unsigned timeoutMs) {
    const std::string request = "WAIT " + std::to_string(count) + " " + std::to_string(timeoutMs);
    return IsOk(Request(request, timeoutMs + 10000));
}

std::string EmulatorControl::Pending() {
    const std::string reply = Request("PENDING");
    return reply.rfind("OK ", 0) == 0 ? Unescape(reply.substr(3)) : std::string();
}

bool EmulatorControl::CloseLine() {
    return IsOk(Request("CLOSE"));
}

} // namespace lumencor_emulator
