// The bench host's view of the log: lines to the console when asked, and
// what the driver's communication lines reveal (identity, read-outs, polls).
#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

class HostLog {
  public:
    // What is printed as it is logged: nothing; the exchanges with the
    // engine and the light source's own lines, polls left out; every line.
    enum Echo { kQuiet, kTrace, kAll };

    HostLog();
    ~HostLog();

    void SetEcho(Echo echo);
    // The last answer the engine gave for a key word ("MODEL", "VER" ...).
    std::string Answer(const std::string& keyword) const;
    std::string LastReadouts() const;
    // Waits until `count` more polls ended; false after `timeoutMs`.
    bool WaitForPolls(int count, unsigned timeoutMs);

  private:
    static void Sink(void* context, const wchar_t* line);
    void Take(const std::string& line);
    void Print(const std::string& line);

    mutable std::mutex m_lock;
    std::condition_variable m_polled;
    Echo m_echo = kQuiet;
    bool m_inPoll = false;
    int m_polls = 0;
    std::map<std::string, std::string> m_answers;
    std::string m_readouts;
};
