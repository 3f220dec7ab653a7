// Answers the configuration dialog a test opens on its own thread: once the
// dialog has initialised, runs the test's look at it and then clicks OK or
// Cancel, which the dialog's modal loop handles; Cancel follows an OK that
// was refused.
#pragma once

#include "LumencorV2CfgDlg.h"

#include <windows.h>

#include <functional>

class CfgWatcher {
  public:
    using Look = std::function<void(HWND dialog)>;

    explicit CfgWatcher(int button, Look look = nullptr) : m_button(button), m_look(look) {
        s_current = this;
        m_hook =
            SetWindowsHookExW(WH_CALLWNDPROCRET, &CfgWatcher::Hook, nullptr, GetCurrentThreadId());
    }
    ~CfgWatcher() {
        if (m_hook) UnhookWindowsHookEx(m_hook);
        s_current = nullptr;
    }
    CfgWatcher(const CfgWatcher&) = delete;
    CfgWatcher& operator=(const CfgWatcher&) = delete;

    // How many dialogs it answered.
    int Answered() const { return m_answered; }

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        CfgWatcher* self = s_current;
        if (code == HC_ACTION && self && call->message == WM_INITDIALOG &&
            lumencor::CfgDlg::Current() && lumencor::CfgDlg::Current()->Window() == call->hwnd) {
            ++self->m_answered;
            if (self->m_look) self->m_look(call->hwnd);
            PostMessageW(call->hwnd, WM_COMMAND, MAKEWPARAM(self->m_button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(call->hwnd, self->m_button)));
            // An OK the dialog refuses must not leave the test waiting: the
            // dialog is gone before this arrives when OK was taken.
            PostMessageW(call->hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(call->hwnd, IDCANCEL)));
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline CfgWatcher* s_current = nullptr;
    int m_button;
    Look m_look;
    HHOOK m_hook = nullptr;
    int m_answered = 0;
};
