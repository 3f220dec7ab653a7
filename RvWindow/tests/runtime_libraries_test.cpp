// Libraries loaded on first need: the list-control library and the SVG
// renderer from this library's own directory, and the macro engine by name. Each case runs in a
// child process from a directory of its own, so that those libraries can be
// missing at first and appear later.
#include "RvWindow.h"
#include "hx_macro_engine.h"
#include "pe_exports.h"
#include "unmanaged_windows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

const wchar_t kChildVariable[] = L"RVWINDOW_TEST_FROM";

std::wstring DirectoryOf(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n);
}

// The build's own directory when running as the child, else empty.
std::wstring BuildDirectory() {
    wchar_t value[MAX_PATH] = L"";
    const DWORD n = GetEnvironmentVariableW(kChildVariable, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(value, n) : std::wstring();
}

#define SKIP_UNLESS_CHILD()                                                                        \
    if (BuildDirectory().empty()) GTEST_SKIP() << "runs in its own directory only"

// Copies `file` from the build directory into this program's directory as `as`.
bool Provide(const wchar_t* file, const wchar_t* as) {
    const std::wstring from = BuildDirectory() + L"\\" + file;
    const std::wstring to = DirectoryOf(ProgramPath()) + L"\\" + as;
    return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

std::wstring ClassOf(uint32_t window) {
    wchar_t name[64] = L"";
    GetClassNameW(reinterpret_cast<HWND>(static_cast<uintptr_t>(window)), name, 64);
    return name;
}

class InOwnDirectory : public ::testing::Test {
  protected:
    void SetUp() override {
        SKIP_UNLESS_CHILD();
        testsupport::LeaveWindowsUnmanaged();
        ASSERT_EQ(RvDialog_Create(0, L"own directory", &dialog_), 0);
    }
    void TearDown() override {
        if (dialog_) DestroyWindow(reinterpret_cast<HWND>(static_cast<uintptr_t>(dialog_)));
    }
    int Add(const wchar_t* cls, uint32_t* control) {
        return RvDialog_AddControl(dialog_, L"c", cls, 0, 0, 40, control);
    }
    uint32_t dialog_ = 0;
};

TEST_F(InOwnDirectory, TheListLibraryIsLookedForUntilItIsThere) {
    uint32_t control = 0;
    EXPECT_EQ(Add(L"LISTCTRL", &control), -1);
    EXPECT_EQ(Add(L"RvListCtrl", &control), -1);
    ASSERT_EQ(Add(L"LISTBOX", &control), 0);
    EXPECT_EQ(CompareStringOrdinal(ClassOf(control).c_str(), -1, L"listbox", -1, TRUE), CSTR_EQUAL)
        << "without the library a list box stays a list box";

    ASSERT_TRUE(Provide(L"fake_rvlistctrl.dll", L"RvListCtrl.dll"));
    for (const wchar_t* cls : {L"LISTCTRL", L"listbox", L"rvlistctrl"}) {
        control = 0;
        ASSERT_EQ(Add(cls, &control), 0);
        EXPECT_EQ(ClassOf(control), L"RvListCtrl");
    }
    EXPECT_NE(GetModuleHandleW(L"RvListCtrl.dll"), nullptr);
}

TEST_F(InOwnDirectory, WithoutAnEngineMacrosDoNothingUntilOneIsThere) {
    HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(dialog_));
    ASSERT_EQ(RvDialog_AddMacroMessageHandler(dialog_, L"", WM_APP, 0, 0, 0, 0, L"Macro();"), 0);
    auto dialogProc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
    EXPECT_EQ(dialogProc(dialog, WM_APP, 0, 0), 0);
    EXPECT_EQ(GetModuleHandleW(L"hx_macro_engine.dll"), nullptr);

    ASSERT_TRUE(Provide(L"hx_macro_engine.dll", L"hx_macro_engine.dll"));
    EXPECT_EQ(dialogProc(dialog, WM_APP, 0, 0), 0);
    HMODULE engine = GetModuleHandleW(L"hx_macro_engine.dll");
    ASSERT_NE(engine, nullptr);
    auto count = testsupport::Exported<decltype(&HxEngine_CallCount)>(engine, "HxEngine_CallCount");
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count(), 1);
}

// The colour a window paints at its centre into a memory bitmap.
COLORREF CentrePixel(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const COLORREF pixel = GetPixel(dc, client.right / 2, client.bottom / 2);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

TEST_F(InOwnDirectory, TheSvgLibraryIsLookedForUntilItIsThere) {
    uint32_t button = 0;
    ASSERT_EQ(Add(L"RvButton", &button), 0);
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(button));
    SetWindowPos(window, nullptr, 0, 0, 32, 32, SWP_NOMOVE | SWP_NOZORDER);
    const std::wstring drawing = DirectoryOf(ProgramPath()) + L"\\red.svg";
    HANDLE file =
        CreateFileW(drawing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char svg[] = "<svg width='8' height='8'><rect width='8' height='8' fill='red'/></svg>";
    DWORD written = 0;
    WriteFile(file, svg, sizeof svg - 1, &written, nullptr);
    CloseHandle(file);
    const COLORREF blank = CentrePixel(window);

    EXPECT_EQ(RvButton_SetImage(button, drawing.c_str()), 0);
    EXPECT_EQ(CentrePixel(window), blank) << "no renderer, no image";
    ASSERT_TRUE(Provide(L"lunasvg.dll", L"lunasvg.dll"));
    EXPECT_EQ(RvButton_SetImage(button, drawing.c_str()), 0);
    EXPECT_NE(GetModuleHandleW(L"lunasvg.dll"), nullptr);
    EXPECT_EQ(CentrePixel(window), RGB(255, 0, 0));
    DeleteFileW(drawing.c_str());
}

// Runs the cases above in a child process started from a fresh directory
// holding only the program and this library.
TEST(RuntimeLibraries, AreFoundWhenTheyAppear) {
    if (!BuildDirectory().empty()) GTEST_SKIP() << "the child itself";
    const std::wstring bin = DirectoryOf(ProgramPath());
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    const std::wstring dir = std::wstring(temp) + L"rvwindow-runtime-" +
                             std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    const std::wstring program = dir + L"\\rvwindow_runtime_tests.exe";
    ASSERT_TRUE(CopyFileW(ProgramPath().c_str(), program.c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileW((bin + L"\\RvWindow.dll").c_str(), (dir + L"\\RvWindow.dll").c_str(), FALSE));

    SetEnvironmentVariableW(kChildVariable, bin.c_str());
    std::wstring command = L"\"" + program + L"\" --gtest_filter=InOwnDirectory.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    const BOOL started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, dir.c_str(), &startup, &child);
    SetEnvironmentVariableW(kChildVariable, nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    EXPECT_EQ(exitCode, 0u) << "the child's cases failed";

    for (const wchar_t* file : {L"rvwindow_runtime_tests.exe", L"RvWindow.dll", L"RvListCtrl.dll",
                                L"hx_macro_engine.dll", L"lunasvg.dll"})
        DeleteFileW((dir + L"\\" + file).c_str());
    RemoveDirectoryW(dir.c_str());
}

} // namespace
