// A tree of 200 windows under a hidden top-level window, with titles made to
// collide: repeated titles and prefixes, empty titles, titles holding the
// path language's own characters, one title under several classes.
#pragma once

#include <windows.h>

#include <vector>

namespace rvspytest {

struct GeneratedTree {
    HWND top = nullptr;
    std::vector<HWND> windows; // every window below the top, parents first
};

GeneratedTree MakeTree(const wchar_t* title);

} // namespace rvspytest
