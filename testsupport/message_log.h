// Recording the messages that reach windows and callbacks, so that tests can
// compare what arrived, and in which order, with what they expect.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

struct LoggedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::wstring tag; // who saw it: a recorder's name, a handler's text
};

class MessageLog {
  public:
    void Add(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::wstring tag = {});
    void Clear() { entries_.clear(); }
    const std::vector<LoggedMessage>& entries() const { return entries_; }

    // The messages in arrival order, only those listed (all when none are).
    std::vector<UINT> Messages(std::initializer_list<UINT> only = {}) const;
    // The tags of the entries for `message`, in arrival order.
    std::vector<std::wstring> Tags(UINT message) const;
    // The entries for `message`, in arrival order.
    std::vector<LoggedMessage> Of(UINT message) const;
    size_t Count(UINT message) const;

  private:
    std::vector<LoggedMessage> entries_;
};

// Subclasses a window and logs every message that reaches it before passing
// it on. The window procedure is restored when the recorder ends or the
// window is destroyed, whichever comes first. One recorder per window at a
// time: recorders of one window do not chain.
class MessageRecorder {
  public:
    MessageRecorder(HWND window, MessageLog& log, std::wstring tag = {});
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

  private:
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    void Detach();

    HWND window_;
    MessageLog& log_;
    std::wstring tag_;
    WNDPROC previous_ = nullptr;
};

} // namespace testsupport
