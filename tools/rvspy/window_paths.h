// Shortest window paths: for each window on the way down from a top-level
// window, the shortest step RvWindow_FindWindowDeep takes to it. Names are
// preferred; "$", the class form and "[n]" only where a name alone reaches
// another window. Every step is checked by calling the export. Windows of
// another process that show their own process another title than the one
// read here (edit controls) get, and pass over, only steps that treat both
// titles alike, so the path means the same in their own process.
#pragma once

#include <windows.h>

#include <string>

namespace rvspy {

// The step from `parent` to its direct child `child`; false when none reaches it.
bool ShortestStep(HWND parent, HWND child, std::wstring* step);

// The path from `top` down to `window` (a descendant, or `top` itself: "").
bool ShortestPath(HWND top, HWND window, std::wstring* path);

// True when RvWindow_FindWindowDeep follows `path` from `top` to `window`.
bool Resolves(HWND top, const std::wstring& path, HWND window);

} // namespace rvspy
