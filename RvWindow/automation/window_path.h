// The window-path language of RvWindow_FindWindowDeep: steps separated by
// ".", each searched among the direct children of the window the step before
// found.
//   name        title begins with name, or else class name begins with name
//   name$       title is exactly name (or else class name begins with name)
//   name(cls)   class name is exactly cls and title begins with name
//   name$(cls)  class name is exactly cls and title is exactly name
//   step[n]     the n-th matching child, counted from 0
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace rvw {

constexpr size_t kStepNameLimit = 255;

struct PathStep {
    std::wstring_view name;
    std::wstring_view windowClass; // compared only when hasClass
    bool hasClass = false;
    bool exactTitle = false;
    uint32_t index = 0;
};

// Takes the step at the start of `rest` and moves `rest` past it and its
// "."; `last` tells whether it was the final step. False for a malformed
// index ("[x]", "[1", "[1]x").
bool TakeStep(std::wstring_view& rest, PathStep* step, bool* last);

bool StepMatches(HWND child, const PathStep& step);

// Follows a non-empty path from `parent` (the desktop for null); false when
// a step finds nothing.
bool FollowWindowPath(HWND parent, std::wstring_view path, HWND* found);

} // namespace rvw
