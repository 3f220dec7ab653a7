// Top-level windows of this process, and of any process.
#include "window_tree.h"

#include <string>

namespace rvwtest {
namespace {

// automation_window_host, beside this program, with a window of `title`.
class WindowHost {
  public:
    explicit WindowHost(const std::wstring& title) {
        const std::wstring eventName =
            L"RvAutomationHostReady" + std::to_wstring(GetCurrentProcessId());
        ready_ = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
        wchar_t self[MAX_PATH];
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring program(self);
        program =
            program.substr(0, program.find_last_of(L"\\/") + 1) + L"automation_window_host.exe";
        std::wstring command = L"\"" + program + L"\" \"" + title + L"\" " + eventName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, nullptr, &startup, &process_);
        if (started_) CloseHandle(process_.hThread);
    }
    ~WindowHost() {
        if (started_) {
            PostThreadMessageW(process_.dwThreadId, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
                TerminateProcess(process_.hProcess, 1);
            CloseHandle(process_.hProcess);
        }
        CloseHandle(ready_);
    }
    bool Ready() const { return started_ && WaitForSingleObject(ready_, 10000) == WAIT_OBJECT_0; }
    DWORD ProcessId() const { return process_.dwProcessId; }

  private:
    HANDLE ready_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

DWORD ProcessOf(uint32_t window) {
    DWORD process = 0;
    GetWindowThreadProcessId(WindowOf(window), &process);
    return process;
}

TEST(MainWindow, VariableZeroSearchesThisProcessOnlyOtherwiseAll) {
    const std::wstring title = L"RvAutomation host " + std::to_wstring(GetCurrentProcessId());
    WindowHost host(title);
    ASSERT_TRUE(host.Ready());
    uint32_t window = 0;
    EXPECT_EQ(RvWindow_GetMainWindow(title.c_str(), nullptr, &window), 0);
    EXPECT_EQ(window, 0u);
    window = 1;
    EXPECT_EQ(RvWindow_GetMainWindow(title.c_str(), nullptr, &window), 0);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(ProcessOf(window), host.ProcessId());
    // Our own window of the same title is found with the variable 0.
    HWND own = TopLevel(title.c_str());
    window = 0;
    EXPECT_EQ(RvWindow_GetMainWindowA(nullptr, nullptr, &window), 0);
    EXPECT_EQ(ProcessOf(window), GetCurrentProcessId());
    window = 0;
    EXPECT_EQ(RvWindow_GetMainWindow(title.c_str(), nullptr, &window), 0);
    EXPECT_EQ(WindowOf(window), own);
    DestroyWindow(own);
}

class MainWindowFilters : public ::testing::Test {
  protected:
    void SetUp() override {
        withButton_ = TopLevel(L"RvMainTest one");
        Child(withButton_, L"Button", L"b");
        withEdit_ = TopLevel(L"RvMainTest two");
        Child(withEdit_, L"Edit", L"e");
        other_ = TopLevel(L"Other RvMainTest");
        Child(other_, L"Edit", L"e");
    }
    void TearDown() override {
        for (HWND w : {withButton_, withEdit_, other_})
            DestroyWindow(w);
    }
    HWND withButton_, withEdit_, other_;
};

TEST_F(MainWindowFilters, TitlePrefixAndChildClassIgnoringCase) {
    uint32_t window = 0;
    EXPECT_EQ(RvWindow_GetMainWindow(L"RvMainTest", L"edit", &window), 0);
    EXPECT_EQ(WindowOf(window), withEdit_);
    window = 0;
    EXPECT_EQ(RvWindow_GetMainWindow(L"RvMainTest", L"BUTTON", &window), 0);
    EXPECT_EQ(WindowOf(window), withButton_);
    window = 0;
    EXPECT_EQ(RvWindow_GetMainWindow(L"RvMainTest", L"ComboBox", &window), 0);
    EXPECT_EQ(window, 0u);
}

TEST_F(MainWindowFilters, NextWalksTheMatchesAndEndsWithZero) {
    uint32_t window = 0;
    ASSERT_EQ(RvWindow_GetMainWindow(L"RvMainTest", nullptr, &window), 0);
    const uint32_t first = window;
    ASSERT_NE(first, 0u);
    EXPECT_EQ(RvWindow_GetMainWindowNext(L"RvMainTest", nullptr, &window), 0);
    EXPECT_NE(window, first);
    EXPECT_TRUE(WindowOf(window) == withButton_ || WindowOf(window) == withEdit_);
    EXPECT_EQ(RvWindow_GetMainWindowNextA("RvMainTest", nullptr, &window), 0);
    EXPECT_EQ(window, 0u);
}

TEST_F(MainWindowFilters, NextKeepsAPreviousWindowItNeverMet) {
    HWND gone = TopLevel(L"RvMainTest gone");
    DestroyWindow(gone);
    uint32_t window = HandleOf(gone);
    EXPECT_EQ(RvWindow_GetMainWindowNext(L"RvMainTest", nullptr, &window), 0);
    EXPECT_EQ(window, HandleOf(gone));
    EXPECT_EQ(RvWindow_GetMainWindow(L"RvMainTest", nullptr, nullptr), -1);
    EXPECT_EQ(RvWindow_GetMainWindowNext(L"RvMainTest", nullptr, nullptr), -1);
}

} // namespace
} // namespace rvwtest
