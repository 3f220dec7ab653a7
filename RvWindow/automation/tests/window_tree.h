// Window trees for the search tests: plain windows of a test class under a
// hidden top-level window, destroyed with it.
#pragma once

#include "RvWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace rvwtest {

inline uint32_t HandleOf(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}
inline HWND WindowOf(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

// The class of the tree's windows; WM_APP answers its lParam, the whole 64 bits.
extern const wchar_t kTreeClass[];

// A hidden top-level window of the test class.
HWND TopLevel(const wchar_t* title, HMENU menu = nullptr);

// A child window at the bottom of its parent's Z order, so that children
// come in the order they are made.
HWND Child(HWND parent, const wchar_t* cls, const wchar_t* title, int id = 0);

class WindowTree : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    HWND top_ = nullptr;
    uint32_t topHandle_ = 0;
};

} // namespace rvwtest
