// The image button ("RvButton"): a static control that paints an image from
// a file, kept in proportion, turned by quarter turns and flipped.
#pragma once

#include "image_loading.h"
#include "rv_memory.h"

#include <windows.h>

#include <cstdint>

namespace rvw {

constexpr rv::Signature kImageButtonSignature{0x49ee4dbc94275348ull, 0x978a54cde2f9ba92ull};

constexpr WPARAM kSetImageFromFile = 4; // BM_SETIMAGE's wParam for a file path
constexpr UINT kRotateFlip = 249;
constexpr uint32_t kRotationMask = 3; // quarter turns clockwise
constexpr uint32_t kFlipHorizontal = 4;
constexpr uint32_t kFlipVertical = 8;

class ImageButton {
  public:
    static int Init(HWND window);
    static ImageButton* From(HWND window);
    // The procedure the exports send their messages to.
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    ImageButton() = default;
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // True when the message was a file to load (valid or not) and is done.
    bool SetImage(LPARAM path);
    void RotateFlip(WPARAM bits);
    void PaintInto(HDC dc);
    void Paint(HDC given);

    rv::Signature signature_ = kImageButtonSignature;
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    LoadedImage image_;
    uint32_t rotation_ = 0;
};

} // namespace rvw
