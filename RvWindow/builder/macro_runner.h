// Running a handler's text as macro code in the host's macro engine.
#pragma once

#include <windows.h>

namespace rvw {

// The callback of macro handlers: hands `text` to the engine; always 0.
INT_PTR RunMacro(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const wchar_t* text);

} // namespace rvw
