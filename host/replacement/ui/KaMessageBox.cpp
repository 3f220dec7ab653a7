// The host's message box: a real MessageBoxW, or (while a test sets an
// answer) only a record of the call. A time-out ends a real box unanswered.
#include "KaGUI.h"
#include "KaHostHooks.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

namespace {

// The start state: real boxes.
const int kShowRealBoxes = -1;
std::atomic<int> g_answer{kShowRealBoxes};

std::mutex g_callsLock;
std::vector<CKaUIHooks::MessageBoxCall>& Calls() {
    static auto* calls = new std::vector<CKaUIHooks::MessageBoxCall>();
    return *calls;
}

const wchar_t kDialogClass[] = L"#32770";
const int kClassNameCapacity = 16;

// One real box waiting to be shown or answered on this thread.
struct PendingBox {
    HWND box = nullptr;
    UINT_PTR timer = 0;
    INT_PTR unansweredResult = IDOK;
};

// Boxes of this thread, innermost last (a box's owner may open another).
thread_local std::vector<PendingBox*> t_pending;

// Catches the first dialog window the box call creates.
LRESULT CALLBACK CatchBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !t_pending.empty() && !t_pending.back()->box) {
        HWND window = reinterpret_cast<HWND>(wParam);
        wchar_t name[kClassNameCapacity] = {};
        GetClassNameW(window, name, kClassNameCapacity);
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (lstrcmpW(name, kDialogClass) == 0 && !(create->lpcs->style & WS_CHILD))
            t_pending.back()->box = window;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The box's modal loop dispatches the thread timer here.
void CALLBACK EndUnanswered(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (PendingBox* pending : t_pending)
        if (pending->timer == timer && pending->box)
            EndDialog(pending->box, pending->unansweredResult);
}

class CbtHook {
  public:
    CbtHook() : m_hook(SetWindowsHookExW(WH_CBT, CatchBox, nullptr, GetCurrentThreadId())) {}
    ~CbtHook() {
        if (m_hook) UnhookWindowsHookEx(m_hook);
    }
    CbtHook(const CbtHook&) = delete;
    CbtHook& operator=(const CbtHook&) = delete;

  private:
    HHOOK m_hook;
};

class ThreadTimer {
  public:
    ThreadTimer(UINT ms, TIMERPROC procedure) : m_id(SetTimer(nullptr, 0, ms, procedure)) {}
    ~ThreadTimer() {
        if (m_id) KillTimer(nullptr, m_id);
    }
    ThreadTimer(const ThreadTimer&) = delete;
    ThreadTimer& operator=(const ThreadTimer&) = delete;
    UINT_PTR Id() const { return m_id; }

  private:
    UINT_PTR m_id;
};

// Registers a pending box for the time of one call.
class PendingScope {
  public:
    explicit PendingScope(PendingBox* pending) : m_pending(pending) {
        t_pending.push_back(pending);
    }
    ~PendingScope() {
        t_pending.erase(std::remove(t_pending.begin(), t_pending.end(), m_pending),
                        t_pending.end());
    }
    PendingScope(const PendingScope&) = delete;
    PendingScope& operator=(const PendingScope&) = delete;

  private:
    PendingBox* m_pending;
};

// A box with only OK has nothing else to answer; any other counts as
// cancelled when nobody answered it.
INT_PTR UnansweredResult(UINT type) {
    return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}

int ShowWithTimeout(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type,
                    int timeoutMs) {
    PendingBox pending;
    pending.unansweredResult = UnansweredResult(type);
    PendingScope scope(&pending);
    CbtHook hook;
    ThreadTimer timer(static_cast<UINT>(timeoutMs), EndUnanswered);
    pending.timer = timer.Id();
    return MessageBoxW(owner, text, caption, type);
}

} // namespace

int KA_MessageBox_(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type,
                   int timeoutMs) {
    const wchar_t* shownText = text ? text : L"";
    const wchar_t* shownCaption = caption ? caption : L"";
    {
        std::lock_guard<std::mutex> guard(g_callsLock);
        Calls().push_back({owner, shownCaption, shownText, type, timeoutMs});
    }
    const int answer = g_answer.load();
    if (answer >= 0) return answer;
    if (timeoutMs > 0) return ShowWithTimeout(owner, shownText, shownCaption, type, timeoutMs);
    return MessageBoxW(owner, shownText, shownCaption, type);
}

void CKaUIHooks::SetMessageBoxAnswer(int answer) {
    g_answer = answer < 0 ? kShowRealBoxes : answer;
}

std::vector<CKaUIHooks::MessageBoxCall> CKaUIHooks::MessageBoxes() {
    std::lock_guard<std::mutex> guard(g_callsLock);
    return Calls();
}

void CKaUIHooks::ClearMessageBoxes() {
    std::lock_guard<std::mutex> guard(g_callsLock);
    Calls().clear();
}
