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
// The selected items, through the export.
std::vector<int> Selection(RvList list);

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

// Holds Shift and Control in this thread's key state (what GetKeyState reads)
// for as long as it lives.
class HeldKeys {
  public:
    HeldKeys(bool shift, bool control);
    ~HeldKeys();
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

  private:
    BYTE saved_[256];
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
    // The codes of the notifications so far.
    std::vector<int> Codes() const;

    // Shows the dialog and gives the list the keyboard focus; false when the
    // display gives none.
    bool Focus();
    // A mouse message at a client point of the list, as the system sends it.
    void Mouse(UINT message, POINT at, WPARAM keys = 0);
    // A press and release at the same point.
    void Click(POINT at, WPARAM keys = 0);
    void Key(WPARAM key);
    // The centre of a cell (display column) on the page.
    POINT CellCentre(int item, int column) const;
    // A point on the header, `x` pixels from the left.
    POINT HeaderPoint(int x) const;
    void ResizeList(int width, int height);
    int ItemHeight() const;

    uint32_t dialogHandle_ = 0;
    HWND dialog_ = nullptr;
    RvList list_ = 0;
    HWND window_ = nullptr;
    std::vector<Notification> notifications_;
};

} // namespace rvltest
