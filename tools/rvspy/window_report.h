// The text rvspy prints for a top-level window: one line per window, indented
// by depth, then the menu commands.
#pragma once

#include <windows.h>

#include <string>

namespace rvspy {

// Lines end with the window's path: `path "Main.Panel[1].OK$"`, or
// `path (none)` when no path reaches it.
std::wstring WindowReport(HWND top);

} // namespace rvspy
