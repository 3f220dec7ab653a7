// A builder dialog holding one list control, its notifications recorded at
// the dialog, and reading the list's pixels through a memory DC.
#pragma once

#include "RvListCtrl.h"
#include "RvWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace rvltest {

constexpr int kListWidth = 400;
constexpr int kListHeight = 240;

HWND ToWindow(uint32_t handle);
uint32_t ToHandle(HWND window);

// The text of a cell, read through the export with a roomy buffer.
std::wstring ItemText(RvList list, int item, int subItem);

// A painted picture of a window's client area (WM_PRINTCLIENT into a memory DC).
class Picture {
  public:
    explicit Picture(HWND window);
    COLORREF At(int x, int y) const;
    int width() const { return width_; }
    int height() const { return height_; }
    // How many pixels of the rectangle have exactly this colour.
    int Count(const RECT& r, COLORREF colour) const;

  private:
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_; // 0x00RRGGBB, top row first
};

// What WM_NOTIFY from the list brought to the dialog.
struct Notification {
    int code, item, column;
    HWND from;
    UINT_PTR id;
    WPARAM wParam;
};

class ListTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Adds `count` columns "C0".. of `width` pixels.
    void AddColumns(int count, int width = 80);
    // Adds items "r0", "r1", ... with cells "r<i>c<j>".
    void AddItems(int count);
    std::vector<Notification> Notifications() const;
    void ResizeList(int width, int height);
    int ItemHeight() const;

    uint32_t dialogHandle_ = 0;
    HWND dialog_ = nullptr;
    RvList list_ = 0;
    HWND window_ = nullptr;
    std::vector<Notification> notifications_;
};

} // namespace rvltest
