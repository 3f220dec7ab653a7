// Synthesised keyboard and mouse input reaching real windows.
#include "window_tree.h"

#include "message_pump.h"

#include <cstdlib>
#include <string>

namespace rvwtest {
namespace {

class InputTest : public WindowTree {
  protected:
    void SetUp() override {
        WindowTree::SetUp();
        edit_ = Child(top_, L"Edit", L"");
        SetWindowPos(edit_, nullptr, 10, 10, 200, 24, SWP_NOZORDER);
        ShowWindow(top_, SW_SHOW);
        SetForegroundWindow(top_);
        SetFocus(edit_);
        testsupport::PumpPending();
    }
    HWND edit_ = nullptr;
};

std::wstring TextOf(HWND window) {
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    return text;
}

TEST_F(InputTest, KeyPressesReachTheFocusedEdit) {
    ASSERT_EQ(GetFocus(), edit_);
    EXPECT_EQ(RvWindow_SendKeyboardInput('Q', 0, 0), 1u);
    EXPECT_EQ(RvWindow_SendKeyboardInput('Q', 0, KEYEVENTF_KEYUP), 1u);
    // Only the low 16 bits of the key are used.
    EXPECT_EQ(RvWindow_SendKeyboardInput(0x10000u | 'Z', 0, 0), 1u);
    EXPECT_EQ(RvWindow_SendKeyboardInput(0x10000u | 'Z', 0, KEYEVENTF_KEYUP), 1u);
    EXPECT_TRUE(testsupport::PumpUntil([&] { return TextOf(edit_) == L"qz"; }))
        << "the edit holds " << TextOf(edit_).size() << " characters";
}

TEST_F(InputTest, AbsoluteMouseMoveSetsTheCursor) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(
        RvWindow_SendMouseInput(65535 / 4, 65535 / 2, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE),
        1u);
    POINT at{};
    EXPECT_TRUE(testsupport::PumpUntil([&] {
        GetCursorPos(&at);
        return std::abs(at.x - width / 4) <= 1 && std::abs(at.y - height / 2) <= 1;
    })) << at.x
        << "," << at.y;
}

} // namespace
} // namespace rvwtest
