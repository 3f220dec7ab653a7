// Helpers of the custom-control tests: handles, texts, files in a folder of
// the test's own, and the pixels a control paints into memory.
#pragma once

#include "builder_fixture.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rvwtest {

inline uint32_t HandleOf(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

inline HWND AsWindow(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

std::wstring TextOf(HWND window);

// Range, page and position of a scroll bar control.
SCROLLINFO ScrollInfoOf(HWND bar);

// A file path in a temporary folder of this test program.
std::wstring TempFile(const std::wstring& name);
void WriteFile(const std::wstring& path, const std::string& bytes);

// Four coloured quadrants, `size` x `size` pixels.
constexpr COLORREF kTopLeft = RGB(255, 0, 0);
constexpr COLORREF kTopRight = RGB(0, 255, 0);
constexpr COLORREF kBottomLeft = RGB(0, 0, 255);
constexpr COLORREF kBottomRight = RGB(255, 255, 0);
void WriteQuadrantBitmap(const std::wstring& path, int size);
std::string QuadrantSvg(int size);

// What a window paints through WM_PRINTCLIENT into a bitmap of its client
// size, first filled with `background`.
class Painted {
  public:
    Painted(HWND window, COLORREF background);
    COLORREF At(int x, int y) const;
    // The colours at the centres of the four quadrants: TL, TR, BL, BR.
    std::vector<COLORREF> Quadrants() const;
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_; // top row first, 0x00RRGGBB
};

// True when two colours differ by at most `tolerance` in every channel.
bool Near(COLORREF a, COLORREF b, int tolerance = 8);

} // namespace rvwtest
