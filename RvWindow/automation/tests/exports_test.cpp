#include "pe_exports.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

TEST(AutomationExports, EveryWindowAndFileExportIsThere) {
    const char* expected[] = {"RvWindow_FindWindow",
                              "RvWindow_FindWindowA",
                              "RvWindow_FindWindowByID",
                              "RvWindow_FindWindowByText",
                              "RvWindow_FindWindowDeep",
                              "RvWindow_FindWindowDeepA",
                              "RvWindow_GetMainWindow",
                              "RvWindow_GetMainWindowA",
                              "RvWindow_GetMainWindowNext",
                              "RvWindow_GetMainWindowNextA",
                              "RvWindow_FindMenuID",
                              "RvWindow_SendMessage",
                              "RvWindow_SendMessage64",
                              "RvWindow_SendMessagePointer",
                              "RvWindow_SendMessageString",
                              "RvWindow_SendMessageStringA",
                              "RvWindow_PostMessage",
                              "RvWindow_SendKeyboardInput",
                              "RvWindow_SendMouseInput",
                              "RvWindow_AddressOf",
                              "RvWindow_GetParent",
                              "RvWindow_GetWindow",
                              "RvWindow_GetWindowLong",
                              "RvWindow_SetWindowLong",
                              "RvWindow_GetWindowPos",
                              "RvWindow_GetWindowRect",
                              "RvWindow_GetWindowSize",
                              "RvWindow_SetWindowPos",
                              "RvWindow_SetWindowRect",
                              "RvWindow_SetWindowSize",
                              "RvWindow_ShowWindow",
                              "RvWindow_IsWindowVisible",
                              "RvWindow_SetForeground",
                              "RvWindow_DestroyWindow",
                              "RvFile_Write",
                              "RvFile_Append",
                              "RvFile_BrowseForFolder",
                              "RvFile_GetOpenFileName",
                              "RvFile_FindFirstFile",
                              "RvFile_FindNextFile",
                              "RvFile_FindClose"};
    const auto names = testsupport::ExportNames(GetModuleHandleW(L"RvWindow.dll"));
    for (const char* name : expected)
        EXPECT_NE(std::find(names.begin(), names.end(), std::string(name)), names.end()) << name;
}

} // namespace
