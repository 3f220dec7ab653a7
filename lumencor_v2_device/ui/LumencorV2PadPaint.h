// Painting of the pad and its panels: double-buffered, children included,
// and the owner-drawn "Configure..." button.
#pragma once

#include <windows.h>

namespace lumencor {

// WM_PAINT of a pad or panel window: paints the window and its visible
// children into a memory bitmap of the button face, keeps the children's
// own areas out of the screen copy, then copies the bitmap to the screen.
void PaintBuffered(HWND window, WNDPROC defaultProcedure);

// Draws the "Configure..." button of a WM_DRAWITEM.
void DrawConfigureButton(const DRAWITEMSTRUCT& item, const wchar_t* text);

} // namespace lumencor
