// GDI+ for the libraries that draw with it: the C++ headers, which expect
// min and max in their namespace (NOMINMAX removes the macros they were
// written for), and one process-wide start.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus

#include <gdiplus.h>

namespace rv {

// Starts GDI+ once for the process, on first need, and never shuts it down:
// starting or stopping it while the loader lock is held can deadlock.
// True when GDI+ is running.
inline bool EnsureGdiplus() {
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

} // namespace rv
