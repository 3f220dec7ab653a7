// kahost --gui: what the pad and the configuration dialog share: letting
// the window thread run for a while and saving a window as the display
// shows it.
#pragma once

#include <windows.h>

#include <string>

namespace gui {

// Dispatches the thread's messages for `ms` milliseconds.
void PumpFor(unsigned ms);
// Raises `window`, lets it paint and saves it as PNG at `path`; prints
// where it went.
bool SaveWindowShot(HWND window, const std::wstring& path);

} // namespace gui
