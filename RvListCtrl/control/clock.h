// The tick counter that time-dependent interaction (type-ahead search, the
// rubber band's scrolling pace) reads; tests may drive it.
#pragma once

#include <windows.h>

namespace rvl {

using TickSource = DWORD (*)();

// Milliseconds, wrapping as GetTickCount does.
DWORD Ticks();
// Replaces the counter; null puts the system's back.
void SetTickSource(TickSource source);

} // namespace rvl
