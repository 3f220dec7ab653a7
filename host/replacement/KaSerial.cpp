#include "KaSerial.h"
#include "KaHostHooks.h"

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

std::mutex g_virtualLock;
std::map<int, IKaSerialEndpoint*>& VirtualPorts() {
    static auto* ports = new std::map<int, IKaSerialEndpoint*>();
    return *ports;
}

IKaSerialEndpoint* FindVirtual(int port) {
    std::lock_guard<std::mutex> guard(g_virtualLock);
    auto it = VirtualPorts().find(port);
    return it == VirtualPorts().end() ? nullptr : it->second;
}

BYTE ParityOf(EKaParity parity) {
    static const BYTE values[] = {NOPARITY, ODDPARITY, EVENPARITY, MARKPARITY, SPACEPARITY};
    return values[parity >= KA_PARITY_NONE && parity <= KA_PARITY_SPACE ? parity : 0];
}

BYTE StopBitsOf(EKaStopBits stop) {
    static const BYTE values[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};
    return values[stop >= KA_STOPBITS_ONE && stop <= KA_STOPBITS_TWO ? stop : 0];
}

} // namespace

std::vector<int> VirtualPortNumbers() {
    std::lock_guard<std::mutex> guard(g_virtualLock);
    std::vector<int> ports;
    for (const auto& entry : VirtualPorts())
        ports.push_back(entry.first);
    return ports;
}

void CKaSerialHooks::RegisterVirtualPort(int port, IKaSerialEndpoint* endpoint) {
    std::lock_guard<std::mutex> guard(g_virtualLock);
    if (endpoint)
        VirtualPorts()[port] = endpoint;
    else
        VirtualPorts().erase(port);
}

CKaSimpleSerial::CKaSimpleSerial()
    : m_handle(INVALID_HANDLE_VALUE), m_virtual(nullptr), m_enabled(true), m_baud(0),
      m_interCharacterMs(200), m_firstCharacterMs(400), m_writeMs(1000), m_pendingCount(0),
      m_readTimeoutsSet(false), m_readWaitMs(0) {}

CKaSimpleSerial::~CKaSimpleSerial() {
    ClosePort();
}

bool CKaSimpleSerial::OpenCOM(int port, unsigned baud, int dataBits, EKaParity parity,
                              EKaStopBits stopBits, bool abortOnError, char eventChar,
                              char errorChar, EKaFlowControl flow, bool dtrHandshake,
                              bool rtsHandshake, char xonChar, char xoffChar) {
    ClosePort();
    if (IKaSerialEndpoint* endpoint = FindVirtual(port)) {
        if (!endpoint->Open(baud)) return false;
        m_virtual = endpoint;
        m_baud = baud;
        return true;
    }
    wchar_t name[32];
    swprintf(name, 32, L"\\\\.\\COM%d", port);
    HANDLE handle = CreateFileW(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;

    DCB dcb;
    std::memset(&dcb, 0, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    GetCommState(handle, &dcb);
    dcb.BaudRate = baud;
    dcb.ByteSize = static_cast<BYTE>(dataBits);
    dcb.Parity = ParityOf(parity);
    dcb.StopBits = StopBitsOf(stopBits);
    dcb.fBinary = TRUE;
    dcb.fParity = parity != KA_PARITY_NONE;
    dcb.fAbortOnError = abortOnError;
    dcb.EvtChar = eventChar;
    dcb.ErrorChar = errorChar;
    dcb.fErrorChar = errorChar != 0;
    dcb.fOutxCtsFlow = flow == KA_FLOW_HARDWARE;
    dcb.fRtsControl =
        flow == KA_FLOW_HARDWARE || rtsHandshake ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    dcb.fDtrControl = dtrHandshake ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
    dcb.fOutX = dcb.fInX = flow == KA_FLOW_XONXOFF;
    dcb.XonChar = xonChar;
    dcb.XoffChar = xoffChar;
    if (!SetCommState(handle, &dcb)) {
        CloseHandle(handle);
        return false;
    }
    m_handle = handle;
    m_baud = baud;
    m_readTimeoutsSet = false;
    SetTimeout(m_interCharacterMs, m_firstCharacterMs, m_writeMs);
    return true;
}

bool CKaSimpleSerial::SetTimeout(unsigned interCharacterMs, unsigned firstCharacterMs,
                                 unsigned writeMs) {
    m_interCharacterMs = interCharacterMs;
    m_firstCharacterMs = firstCharacterMs;
    m_writeMs = writeMs;
    m_readTimeoutsSet = false;
    return IsOpen();
}

bool CKaSimpleSerial::IsOpen() const {
    return m_virtual || m_handle != INVALID_HANDLE_VALUE;
}

HANDLE CKaSimpleSerial::GetHandle() const {
    return m_handle;
}

bool CKaSimpleSerial::Purge() {
    m_pendingCount = 0;
    if (m_virtual) {
        m_virtual->Purge();
        return true;
    }
    if (m_handle == INVALID_HANDLE_VALUE) return false;
    return PurgeComm(m_handle, PURGE_RXCLEAR | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_TXABORT);
}

bool CKaSimpleSerial::Send(const char* data, unsigned length) {
    if (!m_enabled || !IsOpen()) return false;
    if (m_virtual) return m_virtual->Write(data, length);
    if (!m_readTimeoutsSet) SetReadTimeouts(m_firstCharacterMs);
    DWORD written = 0;
    return WriteFile(m_handle, data, length, &written, nullptr) && written == length;
}

// Waits up to `waitMs` for data and returns what is there, without waiting
// for the buffer to fill: one byte is awaited, the rest already queued is
// taken at once.
unsigned CKaSimpleSerial::ReadChunk(char* buffer, unsigned capacity, unsigned waitMs) {
    if (m_virtual) return m_virtual->Read(buffer, capacity, waitMs);
    DWORD read = 0;
    if (!QueuedBytes()) {
        SetReadTimeouts(waitMs ? waitMs : 1);
        if (!ReadFile(m_handle, buffer, 1, &read, nullptr) || read == 0) return 0;
    }
    DWORD queued = QueuedBytes();
    if (queued && read < capacity) {
        DWORD more = 0;
        SetReadTimeouts(0);
        DWORD want = queued < capacity - read ? queued : capacity - read;
        if (ReadFile(m_handle, buffer + read, want, &more, nullptr)) read += more;
    }
    return read;
}

DWORD CKaSimpleSerial::QueuedBytes() {
    DWORD errors = 0;
    COMSTAT status = {};
    return ClearCommError(m_handle, &errors, &status) ? status.cbInQue : 0;
}

// 0: return at once with what is queued; otherwise wait up to `waitMs` for
// the bytes asked for. Set only when it changes.
void CKaSimpleSerial::SetReadTimeouts(unsigned waitMs) {
    if (m_readTimeoutsSet && m_readWaitMs == waitMs) return;
    COMMTIMEOUTS timeouts = {};
    if (waitMs == 0)
        timeouts.ReadIntervalTimeout = MAXDWORD;
    else
        timeouts.ReadTotalTimeoutConstant = waitMs;
    timeouts.WriteTotalTimeoutConstant = m_writeMs;
    m_readTimeoutsSet = SetCommTimeouts(m_handle, &timeouts) != FALSE;
    m_readWaitMs = waitMs;
}

int CKaSimpleSerial::ReceiveWithLoop(char terminator, int stopAtTerminator, char* buffer, int size,
                                     int attempts, int keepTerminator) {
    if (!m_enabled || !IsOpen() || !buffer || size <= 0) return 0;
    unsigned capacity = static_cast<unsigned>(size);
    unsigned count = 0;
    int silentWaits = 0;
    char chunk[256];
    for (;;) {
        unsigned got = 0;
        if (m_pendingCount) {
            got = m_pendingCount;
            std::memcpy(chunk, m_pending, got);
            m_pendingCount = 0;
        } else {
            got = ReadChunk(chunk, sizeof chunk, count ? m_interCharacterMs : m_firstCharacterMs);
        }
        if (got == 0) {
            // A gap inside a line ends it; before the first byte, try again.
            if (count || ++silentWaits >= (attempts > 0 ? attempts : 1)) break;
            continue;
        }
        unsigned used = 0;
        bool ended = false;
        while (used < got && count < capacity) {
            char c = chunk[used++];
            if (stopAtTerminator && c == terminator) {
                if (keepTerminator) buffer[count++] = c;
                ended = true;
                break;
            }
            buffer[count++] = c;
        }
        // Keep what belongs to the next line (or did not fit) for later.
        unsigned rest = got - used;
        if (rest > sizeof m_pending) rest = sizeof m_pending;
        std::memcpy(m_pending, chunk + used, rest);
        m_pendingCount = rest;
        if (ended || count >= capacity) break;
    }
    return static_cast<int>(count);
}

void CKaSimpleSerial::ClosePort() {
    if (m_virtual) m_virtual->Close();
    m_virtual = nullptr;
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
    m_handle = INVALID_HANDLE_VALUE;
    m_pendingCount = 0;
    m_baud = 0;
}

void CKaSimpleSerial::SetEnabled(bool enabled) {
    m_enabled = enabled;
}
