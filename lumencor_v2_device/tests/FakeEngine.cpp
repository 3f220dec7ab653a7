#include "FakeEngine.h"
#include "KaHostHooks.h"

#include <algorithm>
#include <cstring>
#include <sstream>

FakeEngine::FakeEngine() {
    m_values = {{"MODEL", "Spectra III"},
                {"VER", "2.1.19"},
                {"SN", "SN-0042"},
                {"MAXINT", "4095"},
                {"CHMAP", "TEAL CYAN YELLOW RED GREEN NIR BLUE VIOLET"},
                {"TEMP", "41"},
                {"SUPPLYCURRENT", "2150"},
                {"SUPPLYPOWER", "55"},
                {"STAT", "5"}};
}

FakeEngine::~FakeEngine() {
    if (m_port) CKaSerialHooks::RegisterVirtualPort(m_port, nullptr);
    SetEvent(m_released);
    CloseHandle(m_heldReached);
    CloseHandle(m_released);
}

void FakeEngine::Hold(const std::string& keyword) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_heldKeyword = keyword;
    ResetEvent(m_heldReached);
    ResetEvent(m_released);
}

bool FakeEngine::WaitUntilHeld(DWORD timeoutMs) {
    return WaitForSingleObject(m_heldReached, timeoutMs) == WAIT_OBJECT_0;
}

void FakeEngine::Release() {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_heldKeyword.clear();
    }
    SetEvent(m_released);
}

void FakeEngine::Attach(int port) {
    m_port = port;
    CKaSerialHooks::RegisterVirtualPort(port, this);
}

void FakeEngine::Set(const std::string& keyword, const std::string& value) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_values[keyword] = value;
}

void FakeEngine::SetStat(int state) {
    Set("STAT", std::to_string(state));
}

void FakeEngine::QueueStat(std::initializer_list<int> states) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_statQueue.insert(m_statQueue.end(), states);
}

void FakeEngine::SetFault(const std::string& keyword, Fault fault, int times) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_faults[keyword] = {fault, times};
}

void FakeEngine::SilentAt(unsigned baud) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_silentBauds.push_back(baud);
}

void FakeEngine::Vanish() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_gone = true;
    m_output.clear();
}

std::vector<std::string> FakeEngine::Commands() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_commands;
}

int FakeEngine::Count(const std::string& command) const {
    std::lock_guard<std::mutex> guard(m_lock);
    return static_cast<int>(std::count(m_commands.begin(), m_commands.end(), command));
}

void FakeEngine::ClearCommands() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_commands.clear();
}

std::vector<unsigned> FakeEngine::Bauds() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_bauds;
}

bool FakeEngine::IsOpen() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_open;
}

bool FakeEngine::Open(unsigned baud) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_bauds.push_back(baud);
    m_baud = baud;
    m_open = true;
    m_output.clear();
    return true;
}

void FakeEngine::Close() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_open = false;
}

void FakeEngine::Purge() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_output.clear();
}

bool FakeEngine::Write(const char* data, unsigned length) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_gone) return false;
    for (unsigned i = 0; i < length; ++i) {
        if (data[i] != '\r') {
            m_line += data[i];
            continue;
        }
        m_commands.push_back(m_line);
        bool silent =
            std::find(m_silentBauds.begin(), m_silentBauds.end(), m_baud) != m_silentBauds.end();
        std::string answer = silent ? std::string() : Answer(m_line);
        if (!m_heldKeyword.empty() && KeyOf(m_line) == m_heldKeyword) {
            m_heldKeyword.clear();
            m_heldAnswer = answer;
            m_holding = true;
            SetEvent(m_heldReached);
        } else {
            m_output += answer;
        }
        m_line.clear();
    }
    return true;
}

unsigned FakeEngine::Read(char* buffer, unsigned capacity, unsigned) {
    bool holding = false;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        holding = m_holding;
    }
    if (holding) {
        WaitForSingleObject(m_released, INFINITE);
        std::lock_guard<std::mutex> guard(m_lock);
        m_output += m_heldAnswer;
        m_holding = false;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    unsigned n = static_cast<unsigned>(std::min<size_t>(capacity, m_output.size()));
    std::memcpy(buffer, m_output.data(), n);
    m_output.erase(0, n);
    return n;
}

std::string FakeEngine::KeyOf(const std::string& command) {
    std::istringstream words(command);
    std::string verb, keyword;
    words >> verb >> keyword;
    return verb == "GET" || verb == "SET" ? keyword : verb;
}

std::string FakeEngine::Answer(const std::string& command) {
    std::istringstream words(command);
    std::string verb, keyword;
    words >> verb >> keyword;
    std::string key = KeyOf(command);
    auto fault = m_faults.find(key);
    if (fault == m_faults.end()) fault = m_faults.find("*");
    if (fault != m_faults.end() && fault->second.second != 0) {
        if (fault->second.second > 0) --fault->second.second;
        switch (fault->second.first) {
        case kError:
            return "E\r";
        case kSilent:
            return "";
        case kGarbage:
            return std::string("\x01\xfe#?\x7f", 5) + "\r";
        case kNoLineEnd:
            return "A " + key.substr(0, key.size() / 2);
        case kOverlong:
            return "A " + key + " " + std::string(400, 'X') + "\r";
        case kAnswer:
            break;
        }
    }
    if (verb == "GET") {
        std::string value;
        if (keyword == "STAT" && !m_statQueue.empty()) {
            value = std::to_string(m_statQueue.front());
            m_statQueue.pop_front();
        } else if (m_values.count(keyword)) {
            value = m_values[keyword];
        } else {
            return "E\r";
        }
        return "A " + keyword + " " + value + "\r";
    }
    // An accepted command is echoed after "A ", without its verb.
    if (verb == "WAKEUP") return "A WAKEUP\r";
    if (verb == "SET") return "A " + command.substr(4) + "\r";
    return "E\r";
}
