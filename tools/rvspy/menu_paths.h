// The commands of a window's menu bar as RvWindow_FindMenuID paths.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace rvspy {

struct MenuCommand {
    std::wstring path; // "File|Open..."
    uint32_t id;
    bool resolves; // RvWindow_FindMenuID gives this id for the path
};

std::vector<MenuCommand> MenuCommands(HWND window);

} // namespace rvspy
