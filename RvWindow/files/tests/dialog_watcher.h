// Answers the system dialogs a test thread opens: a watcher thread finds the
// first visible dialog of that thread, hands it to an action (which reads it
// and presses a button) and stops.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <thread>

namespace rvftest {

class DialogWatcher {
  public:
    using Action = std::function<void(HWND dialog)>;
    DialogWatcher(DWORD thread, Action action);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    bool answered() const { return answered_; }

  private:
    void Watch();

    DWORD thread_;
    Action action_;
    HANDLE stop_;
    bool answered_ = false;
    std::thread watcher_;
};

// Presses a dialog button from another thread.
void Press(HWND dialog, int button);

} // namespace rvftest
