// The host's message box: answered by the test without a window, or shown
// for real and ended by its time-out.
#include "KaGUI.h"
#include "KaHostHooks.h"
#include "unmanaged_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

// Counts the dialog windows this thread creates while it lives.
class DialogCounter {
  public:
    DialogCounter() {
        s_count = 0;
        m_hook = SetWindowsHookExW(WH_CBT, Count, nullptr, GetCurrentThreadId());
    }
    ~DialogCounter() { UnhookWindowsHookEx(m_hook); }
    DialogCounter(const DialogCounter&) = delete;
    DialogCounter& operator=(const DialogCounter&) = delete;
    int Dialogs() const { return s_count; }

  private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam) {
        wchar_t name[16] = {};
        if (code == HCBT_CREATEWND && GetClassNameW(reinterpret_cast<HWND>(wParam), name, 16) > 0 &&
            std::wstring(name) == L"#32770")
            ++s_count;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static int s_count;
    HHOOK m_hook;
};
int DialogCounter::s_count = 0;

const int kNoTimeout = -1;

TEST(HostMessageBox, AnsweredByTheTestRecordsTheCallAndShowsNothing) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    CKaUIHooks::ClearMessageBoxes();
    CKaUIHooks::SetMessageBoxAnswer(IDNO);
    DialogCounter counter;
    EXPECT_EQ(IDNO, KA_MessageBox_(owner, L"Shutter name cannot be empty.", L"Invalid Name", 0,
                                   kNoTimeout));
    EXPECT_EQ(IDNO, KA_MessageBox_(nullptr, nullptr, nullptr, MB_YESNO, 250));
    CKaUIHooks::SetMessageBoxAnswer(IDOK);
    EXPECT_EQ(IDOK, KA_MessageBox_(nullptr, L"t", L"c", MB_OKCANCEL, kNoTimeout));
    CKaUIHooks::SetMessageBoxAnswer(-1);
    EXPECT_EQ(0, counter.Dialogs());

    const auto calls = CKaUIHooks::MessageBoxes();
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ(owner, calls[0].owner);
    EXPECT_EQ(L"Invalid Name", calls[0].caption);
    EXPECT_EQ(L"Shutter name cannot be empty.", calls[0].text);
    EXPECT_EQ(0u, calls[0].type);
    EXPECT_EQ(kNoTimeout, calls[0].timeoutMs);
    EXPECT_EQ(L"", calls[1].caption) << "null texts are recorded empty";
    EXPECT_EQ(L"", calls[1].text);
    EXPECT_EQ(static_cast<unsigned>(MB_YESNO), calls[1].type);
    EXPECT_EQ(250, calls[1].timeoutMs);
    CKaUIHooks::ClearMessageBoxes();
    EXPECT_TRUE(CKaUIHooks::MessageBoxes().empty());
    DestroyWindow(owner);
}

// Nobody presses a button: the time-out ends the real box, as unanswered
// as its buttons allow.
TEST(HostMessageBox, RealBoxEndsUnansweredAtItsTimeout) {
    CKaUIHooks::ClearMessageBoxes();
    CKaUIHooks::SetMessageBoxAnswer(-1);
    const int kShortTimeoutMs = 1;
    struct {
        UINT type;
        int expected;
    } cases[] = {{MB_OK, IDOK}, {MB_OKCANCEL, IDCANCEL}, {MB_YESNO, IDCANCEL}};
    for (const auto& c : cases) {
        DialogCounter counter;
        EXPECT_EQ(c.expected,
                  KA_MessageBox_(nullptr, L"closing by itself", nullptr, c.type, kShortTimeoutMs))
            << c.type;
        EXPECT_EQ(1, counter.Dialogs()) << "a real box was shown";
    }
    const auto calls = CKaUIHooks::MessageBoxes();
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ(L"closing by itself", calls[2].text);
    EXPECT_EQ(kShortTimeoutMs, calls[2].timeoutMs);
}

} // namespace
