// An in-process light engine behind a virtual COM port: answers the
// protocol from a configurable state and injects faults per key word.
#pragma once

#include "KaHostHooks.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class FakeEngine : public IKaSerialEndpoint {
  public:
    enum Fault { kAnswer, kError, kSilent, kGarbage, kNoLineEnd, kOverlong };

    FakeEngine();
    ~FakeEngine() override;
    // Serves COM `port` until destroyed.
    void Attach(int port);

    // Identity and read-outs (any time; the next answer uses them).
    void Set(const std::string& keyword, const std::string& value);
    void SetStat(int state);
    // Answers of GET STAT before falling back to the stat set above.
    void QueueStat(std::initializer_list<int> states);
    // `times` answers to commands with this key word take the fault (-1: all).
    void SetFault(const std::string& keyword, Fault fault, int times = -1);
    void SilentAt(unsigned baud);
    // The far end disappears: writes fail, nothing answers.
    void Vanish();
    // Holds back the answer to the next command with this key word: the
    // reader waits in Read until Release. WaitUntilHeld waits for that
    // command to arrive.
    void Hold(const std::string& keyword);
    bool WaitUntilHeld(DWORD timeoutMs);
    void Release();

    std::vector<std::string> Commands() const;
    int Count(const std::string& command) const;
    void ClearCommands();
    std::vector<unsigned> Bauds() const;
    bool IsOpen() const;

    // IKaSerialEndpoint
    bool Open(unsigned baud) override;
    void Close() override;
    void Purge() override;
    bool Write(const char* data, unsigned length) override;
    unsigned Read(char* buffer, unsigned capacity, unsigned timeoutMs) override;

  private:
    static std::string KeyOf(const std::string& command);
    std::string Answer(const std::string& command);

    mutable std::mutex m_lock;
    int m_port = 0;
    std::map<std::string, std::string> m_values;
    std::deque<int> m_statQueue;
    std::map<std::string, std::pair<Fault, int>> m_faults;
    std::vector<unsigned> m_silentBauds;
    bool m_gone = false;
    bool m_open = false;
    unsigned m_baud = 0;
    std::vector<std::string> m_commands;
    std::vector<unsigned> m_bauds;
    std::string m_line;
    std::string m_output;
    std::string m_heldKeyword;
    std::string m_heldAnswer;
    bool m_holding = false;
    HANDLE m_heldReached = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE m_released = CreateEventW(nullptr, TRUE, FALSE, nullptr);
};
