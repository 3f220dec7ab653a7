// Finds the message boxes a thread shows, reads them and presses their buttons.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace rvtlpmtest {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons; // control ids of the visible buttons (IDOK, IDRETRY, ...)
};

// From a thread of its own, answers every message box that `thread` shows
// with the button `answer` picks, until destroyed.
class MessageBoxWatcher {
  public:
    using Answer = std::function<int(const SeenBox&)>;
    MessageBoxWatcher(DWORD thread, Answer answer);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SeenBox> Seen();

  private:
    void Watch();
    void Respond(HWND box);

    DWORD thread_;
    Answer answer_;
    HANDLE stop_;
    std::set<HWND> answered_;
    std::mutex lock_;
    std::vector<SeenBox> seen_;
    std::thread watcher_;
};

} // namespace rvtlpmtest
