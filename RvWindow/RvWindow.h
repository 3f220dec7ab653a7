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

// Custom controls, created by the builder through their aliases ("RvButton",
// "RvLsEdit", "RvLsScrollbar", "RvPMTGainEdit", "RvProgressbar", "RICHEDIT50W").
// Each export first checks that the window is a control of its kind.

// Image button: BM_SETIMAGE with wParam RVBUTTON_IMAGE_FROM_FILE loads a file
// (.bmp and others, .ico, .emf, .svg); message RVBUTTON_ROTATE_FLIP turns it.
#define RVBUTTON_IMAGE_FROM_FILE 4
#define RVBUTTON_ROTATE_FLIP 249u
#define RVBUTTON_FLIP_HORIZONTAL 4u // rotation flags: quarter turns clockwise in the low two bits
#define RVBUTTON_FLIP_VERTICAL 8u
RVWINDOW_API int RvButton_IsRvButtonWindow(uint32_t button);
RVWINDOW_API int RvButton_SetImage(uint32_t button, const wchar_t* path);
RVWINDOW_API int RvButton_SetRotationFlip(uint32_t button, uint32_t bits);

// Numeric edit; WM_USER+14 / +15 / +16 bind a scroll bar, a third window, a trackbar.
#define RVLSEDIT_BIND_SCROLLBAR (WM_USER + 14)
#define RVLSEDIT_BIND_THIRD_WINDOW (WM_USER + 15)
#define RVLSEDIT_BIND_TRACKBAR (WM_USER + 16)
#define RVLSEDIT_FLAG_REVERSE 1u
#define RVLSEDIT_FLAG_REPORT_ON_RELEASE 4u
#define RVLSEDIT_FLAG_IGNORE_THUMB 16u
RVWINDOW_API int RvLsEdit_IsRvLsEditWindow(uint32_t edit);
RVWINDOW_API double RvLsEdit_GetValue(uint32_t edit);
RVWINDOW_API int RvLsEdit_SetValue(uint32_t edit, double value);
RVWINDOW_API uint32_t RvLsEdit_GetFlags(uint32_t edit);
RVWINDOW_API uint32_t RvLsEdit_SetFlags(uint32_t edit, uint32_t flags);
// At most 29 characters, one floating-point conversion; the unit follows it.
// 0 (nothing changes) for a longer or unusable format.
RVWINDOW_API int RvLsEdit_SetFormat(uint32_t edit, const wchar_t* format);
RVWINDOW_API int RvLsEdit_SetRange(uint32_t edit, double endA, double endB, double step);
RVWINDOW_API int RvLsEdit_SetScale(uint32_t edit, double scale, double offset);
RVWINDOW_API int RvLsEdit_SetUnit(uint32_t edit, const wchar_t* unit);

// PMT gain edit: log10(high voltage) x slope + offset, or "off".
RVWINDOW_API int RvPMTGainEdit_IsRvPMTGainEditWindow(uint32_t gainEdit);
RVWINDOW_API int RvPMTGainEdit_SetCalibration(uint32_t gainEdit, double slope, double offset);
RVWINDOW_API int RvPMTGainEdit_AttachToHighVoltage(uint32_t gainEdit, uint32_t highVoltage);

// Progress bar: timer 1 counts up, timer 2 down; the text goes to `target` when done.
RVWINDOW_API int RvProgressBar_SetCompletionText(uint32_t progressBar, uint32_t target,
                                                 const wchar_t* text);

// Rich edit: 0, or the system error of opening the file or of the stream.
RVWINDOW_API int RvRichEdit_LoadFile(uint32_t richEdit, const wchar_t* path);
