#include "host_log.h"
#include "KaHostHooks.h"

#include "KaString.h"
#include "KaSystem.h"

#include <chrono>
#include <cstdio>

namespace {
const std::string kSend = "CKaLumencorV2Device::CommandSend ";
const std::string kReceived = "CKaLumencorV2Device::Receive ";
const std::string kReceive = "CKaLumencorV2Device::Receive A ";
const std::string kPollBegin = "CKaLumencorV2Device::C_Refresh - begin";
const std::string kPollEnd = "CKaLumencorV2Device::C_Refresh - end (";
const std::string kLightSource = "CKaLumencorV2MultiLaser::";

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

std::string Printable(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}
} // namespace

HostLog::HostLog() {
    CKaLogHooks::SetSink(&HostLog::Sink, this);
}
HostLog::~HostLog() {
    CKaLogHooks::SetSink(nullptr, nullptr);
}

void HostLog::SetEcho(Echo echo) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_echo = echo;
}

void HostLog::Sink(void* context, const wchar_t* line) {
    static_cast<HostLog*>(context)->Take(CKaStringW(line).ToNarrow().GetString());
}

void HostLog::Take(const std::string& line) {
    std::lock_guard<std::mutex> guard(m_lock);
    Print(line);
    if (StartsWith(line, kPollBegin)) m_inPoll = true;
    if (StartsWith(line, kReceive)) {
        std::string answer = line.substr(kReceive.size());
        size_t space = answer.find(' ');
        if (space != std::string::npos)
            m_answers[answer.substr(0, space)] = Printable(answer.substr(space + 1));
    } else if (line.compare(0, kPollEnd.size(), kPollEnd) == 0) {
        m_inPoll = false;
        m_readouts = Printable(line.substr(kPollEnd.size(), line.size() - kPollEnd.size() - 1));
        ++m_polls;
        m_polled.notify_all();
    }
}

// Called with the lock held.
void HostLog::Print(const std::string& line) {
    if (m_echo == kAll) {
        std::printf("  log: %s\n", Printable(line).c_str());
    } else if (m_echo == kTrace && !m_inPoll) {
        if (StartsWith(line, kSend))
            std::printf("  engine <- %s\n", Printable(line.substr(kSend.size())).c_str());
        else if (StartsWith(line, kReceived))
            std::printf("  engine -> %s\n", Printable(line.substr(kReceived.size())).c_str());
        else if (StartsWith(line, kLightSource))
            std::printf("  driver: %s\n", Printable(line).c_str());
        else
            return;
    } else {
        return;
    }
    std::fflush(stdout);
}

std::string HostLog::Answer(const std::string& keyword) const {
    std::lock_guard<std::mutex> guard(m_lock);
    auto it = m_answers.find(keyword);
    return it == m_answers.end() ? std::string("(not read)") : it->second;
}

std::string HostLog::LastReadouts() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_readouts.empty() ? std::string("(no poll yet)") : m_readouts;
}

bool HostLog::WaitForPolls(int count, unsigned timeoutMs) {
    std::unique_lock<std::mutex> guard(m_lock);
    int target = m_polls + count;
    return m_polled.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                             [&] { return m_polls >= target; });
}
