// RvWindow: modeless dialogs built at run time for macros.
// Every export is a plain C function listed in RvWindow.def. Window handles
// cross the macro interface as 32-bit values, widened by zero extension.
#pragma once

#include <windows.h>

#include <cstdint>

#define RVWINDOW_API extern "C"

// Runs after a control of a registered class has been created; the result is ignored.
typedef int (*RvControlInitialiser)(HWND control);

// A message handler: the dialog, the message and its parameters, and the
// text registered with the handler.
typedef INT_PTR (*RvMessageCallback)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                     const wchar_t* text);

// Dialog options (RvDialog_AddRemoveOptions).
#define RVDIALOG_OPTION_NEW_ROW 1u      // every control starts a new row
#define RVDIALOG_OPTION_DIRECT_CALLS 2u // handlers run at once, never deferred
#define RVDIALOG_OPTION_AUTO_SIZE 4u    // fit the dialog to its controls on first show

RVWINDOW_API int RvDialog_Create(uint32_t owner, const wchar_t* title, uint32_t* dialog);
RVWINDOW_API int RvDialog_CreateA(uint32_t owner, const char* title, uint32_t* dialog);
RVWINDOW_API int RvDialog_IsRvDialog(uint32_t dialog);

// `xOffsetOrLines`: a non-negative x offset, or minus the number of lines.
// Offsets and widths are in fourteenths of the row height.
RVWINDOW_API int RvDialog_AddControl(uint32_t dialog, const wchar_t* name,
                                     const wchar_t* windowClass, uint32_t style,
                                     int32_t xOffsetOrLines, int32_t width, uint32_t* control);
RVWINDOW_API int RvDialog_AddControlA(uint32_t dialog, const char* name, const char* windowClass,
                                      uint32_t style, int32_t xOffsetOrLines, int32_t width,
                                      uint32_t* control);
RVWINDOW_API int RvDialog_AddControlEx(uint32_t dialog, const wchar_t* name,
                                       const wchar_t* windowClass, uint32_t style, uint32_t exStyle,
                                       int32_t xOffsetOrLines, int32_t width, uint32_t* control);
RVWINDOW_API int RvDialog_AddControlClass(const wchar_t* alias, const wchar_t* baseClass,
                                          RvControlInitialiser initialiser);

RVWINDOW_API int RvDialog_AddRow(uint32_t dialog);
RVWINDOW_API int RvDialog_AddColumn(uint32_t dialog);
RVWINDOW_API int RvDialog_AddRemoveOptions(uint32_t dialog, uint32_t set, uint32_t clear);

RVWINDOW_API int RvDialog_AddMessageHandler(uint32_t dialog, HWND control, uint32_t firstMessage,
                                            uint32_t lastMessage, uint64_t wParamValue,
                                            uint64_t wParamMask, uint64_t lParamValue,
                                            uint64_t lParamMask, RvMessageCallback callback,
                                            const wchar_t* text);
RVWINDOW_API int RvDialog_AddControlMessageHandler(uint32_t dialog, const wchar_t* controlName,
                                                   uint32_t message, uint64_t wParamValue,
                                                   uint64_t wParamMask, uint64_t lParamValue,
                                                   uint64_t lParamMask, RvMessageCallback callback,
                                                   const wchar_t* text);
RVWINDOW_API int RvDialog_AddMacroMessageHandler(uint32_t dialog, const wchar_t* controlName,
                                                 uint32_t message, uint64_t wParamValue,
                                                 uint64_t wParamMask, uint64_t lParamValue,
                                                 uint64_t lParamMask, const wchar_t* macro);

RVWINDOW_API int RvDialog_FindControl(uint32_t dialog, const wchar_t* name, uint32_t* control);
RVWINDOW_API int RvDialog_FindControlA(uint32_t dialog, const char* name, uint32_t* control);
RVWINDOW_API int RvDialog_GetControlRect(uint32_t dialog, const wchar_t* name, int32_t* left,
                                         int32_t* top, int32_t* right, int32_t* bottom);
RVWINDOW_API INT_PTR RvDialog_SendMessage(uint32_t dialog, const wchar_t* name, uint32_t message,
                                          int32_t wParam, int32_t lParam);
RVWINDOW_API INT_PTR RvDialog_SendMessageString(uint32_t dialog, const wchar_t* name,
                                                uint32_t message, int32_t wParam,
                                                const wchar_t* text);
RVWINDOW_API int RvDialog_SetBkColor(uint32_t dialog, uint32_t colour);
RVWINDOW_API int RvDialog_SetFocus(uint32_t dialog, const wchar_t* name);
RVWINDOW_API int RvDialog_DestroyControl(uint32_t dialog, const wchar_t* name);
RVWINDOW_API int RvDialog_DestroyAllControls(uint32_t dialog);
