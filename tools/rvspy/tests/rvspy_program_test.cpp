// rvspy.exe run against a tree of this process: one line per window, and
// each printed path leads back to the printed window.
#include "RvWindow.h"
#include "generated_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace rvspytest {
namespace {

std::wstring NextToThisProgram(const wchar_t* file) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + file;
}

// Runs rvspy with `arguments`, pumping this thread's windows meanwhile; its output.
std::string RunRvspy(const std::wstring& arguments) {
    const std::wstring outputPath = NextToThisProgram(L"rvspy_test_output.txt");
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE output = CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    const std::wstring program = NextToThisProgram(L"rvspy.exe");
    std::wstring command = L"\"" + program + L"\" " + arguments;
    const BOOL started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &process);
    CloseHandle(output);
    if (!started) return "";
    CloseHandle(process.hThread);
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 60000, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    CloseHandle(process.hProcess);
    std::string text;
    HANDLE in = CreateFileW(outputPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(in, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(in);
    DeleteFileW(outputPath.c_str());
    return text;
}

TEST(RvspyProgram, PrintsEveryWindowWithAPathThatLeadsBackToIt) {
    const GeneratedTree tree = MakeTree(L"rvspy program tree");
    const std::string output = RunRvspy(L"--title \"rvspy program tree\"");
    std::istringstream lines(output);
    std::string line;
    std::set<HWND> reached;
    int count = 0;
    while (std::getline(lines, line)) {
        const size_t handleAt = line.find("0x");
        const size_t pathAt = line.rfind(" path \"");
        ASSERT_NE(handleAt, std::string::npos) << line;
        ASSERT_NE(pathAt, std::string::npos) << line;
        ++count;
        HWND window = reinterpret_cast<HWND>(std::stoull(line.substr(handleAt, 10), nullptr, 16));
        std::string path = line.substr(pathAt + 7);
        path = path.substr(0, path.rfind('"'));
        uint32_t found = 0;
        EXPECT_EQ(
            RvWindow_FindWindowDeepA(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(tree.top)),
                                     path.c_str(), &found),
            0)
            << line;
        EXPECT_EQ(reinterpret_cast<HWND>(static_cast<uintptr_t>(found)), window) << line;
        reached.insert(window);
    }
    EXPECT_EQ(count, 201);
    EXPECT_EQ(reached.size(), 201u);
    DestroyWindow(tree.top);
}

TEST(RvspyProgram, NoSuchWindow) {
    EXPECT_NE(RunRvspy(L"--title \"no window has this title\"").find("no such window"),
              std::string::npos);
}

} // namespace
} // namespace rvspytest
