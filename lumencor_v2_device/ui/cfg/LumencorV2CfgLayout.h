// Hiding a part of a dialog and closing the gap it leaves.
#pragma once

#include <windows.h>

namespace lumencor {

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// Moves every child of `dialog` whose top is at or below `top` (client
// pixels) up by `by` pixels and makes the dialog that much shorter.
void MoveUpFrom(HWND dialog, int top, int by);

// Hides `child` and closes the gap it leaves (its height).
void HideAndClose(HWND dialog, HWND child);

// Sizes a section title to its text in `font` and starts its separator a
// little after it (the separator keeps its right end).
void FitTitle(HWND title, HWND separator, HFONT font);

} // namespace lumencor
