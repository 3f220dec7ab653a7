// Saving what the display shows of a window, for the demo programs.
#pragma once

#include <windows.h>

#include <string>

// Writes the window's rectangle of the display as a PNG file.
bool SaveScreenshot(HWND window, const std::wstring& path);

// A file of that name next to this program.
std::wstring NextToProgram(const wchar_t* file);
