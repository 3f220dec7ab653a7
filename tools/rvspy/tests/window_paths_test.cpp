// Every shortest path of a generated tree leads back to its window.
#include "generated_tree.h"
#include "menu_paths.h"
#include "window_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace rvspytest {
namespace {

TEST(ShortestPaths, EveryWindowOfA200WindowTreeIsReached) {
    const GeneratedTree tree = MakeTree(L"rvspy generated tree");
    ASSERT_EQ(tree.windows.size(), 200u);
    for (HWND window : tree.windows) {
        std::wstring path;
        ASSERT_TRUE(rvspy::ShortestPath(tree.top, window, &path));
        EXPECT_TRUE(rvspy::Resolves(tree.top, path, window));
        EXPECT_EQ(path.find(L"[["), std::wstring::npos);
    }
    DestroyWindow(tree.top);
}

TEST(ShortestPaths, NamesComeBeforeMarksAndCounts) {
    const GeneratedTree tree = MakeTree(L"rvspy small tree");
    HWND panel = tree.windows[0];
    std::wstring step;
    // The first "OK": a one-letter prefix reaches it; the second only a count.
    HWND firstOk = GetWindow(panel, GW_CHILD);
    ASSERT_TRUE(rvspy::ShortestStep(panel, firstOk, &step));
    EXPECT_EQ(step, L"O");
    HWND secondOk = GetWindow(firstOk, GW_HWNDNEXT);
    ASSERT_TRUE(rvspy::ShortestStep(panel, secondOk, &step));
    EXPECT_EQ(step, L"[1]");
    // "OKAY", the first static: a class prefix beats the count "[2]".
    ASSERT_TRUE(rvspy::ShortestStep(panel, GetWindow(secondOk, GW_HWNDNEXT), &step));
    EXPECT_EQ(step, L"S");
    std::wstring path;
    EXPECT_TRUE(rvspy::ShortestPath(tree.top, tree.top, &path));
    EXPECT_EQ(path, L"");
    DestroyWindow(tree.top);
}

TEST(MenuPaths, EveryCommandWithItsId) {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, 101, L"&Open...\tCtrl+O");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, 102, L"Open &recent");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_STRING, 103, L"&Help");
    HWND window = CreateWindowExW(0, L"Static", L"rvspy menu window", WS_OVERLAPPEDWINDOW, 0, 0,
                                  200, 100, nullptr, bar, GetModuleHandleW(nullptr), nullptr);
    const auto commands = rvspy::MenuCommands(window);
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].path, L"File|Open...");
    EXPECT_EQ(commands[0].id, 101u);
    EXPECT_TRUE(commands[0].resolves);
    EXPECT_EQ(commands[1].path, L"File|Open recent");
    EXPECT_TRUE(commands[1].resolves);
    EXPECT_EQ(commands[2].path, L"Help");
    EXPECT_EQ(commands[2].id, 103u);
    DestroyWindow(window);
}

} // namespace
} // namespace rvspytest
