// Collects the host log's lines while alive, for tests.
#pragma once

#include <mutex>
#include <string>
#include <vector>

class LogCapture {
  public:
    explicit LogCapture(bool detail = true);
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::wstring> Lines() const;
    // Lines equal to `line`, or starting with it when `prefix`.
    int Count(const std::wstring& line, bool prefix = false) const;
    void Clear();

  private:
    static void Sink(void* context, const wchar_t* line);
    mutable std::mutex m_lock;
    std::vector<std::wstring> m_lines;
    bool m_previousDetail;
};
