// RvWindow: modeless dialogs built at run time for macros, window search and
// automation, file helpers.
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

// Window search. A parent of 0 is the desktop (top-level windows). Results
// come back through 32-bit out-parameters; -1 when there is none to write.

// The first direct child whose title equals `title`, or else whose class equals `cls`.
RVWINDOW_API int RvWindow_FindWindow(uint32_t parent, const wchar_t* cls, const wchar_t* title,
                                     uint32_t* window);
RVWINDOW_API int RvWindow_FindWindowA(uint32_t parent, const char* cls, const char* title,
                                      uint32_t* window);
// Depth-first searches of the descendants.
RVWINDOW_API int RvWindow_FindWindowByID(uint32_t parent, int32_t id, uint32_t* window);
RVWINDOW_API int RvWindow_FindWindowByText(uint32_t parent, const wchar_t* title, uint32_t* window);
// A window path: steps separated by "." ("Main.Panel[1].OK$", "Apply(Button)").
// -3 when a step finds nothing.
RVWINDOW_API int RvWindow_FindWindowDeep(uint32_t parent, const wchar_t* path, uint32_t* window);
RVWINDOW_API int RvWindow_FindWindowDeepA(uint32_t parent, const char* path, uint32_t* window);
// Top-level windows by title prefix and a direct child's class. With *window
// 0 on entry only this process's windows count, otherwise every process's.
RVWINDOW_API int RvWindow_GetMainWindow(const wchar_t* titlePrefix, const wchar_t* childClass,
                                        uint32_t* window);
RVWINDOW_API int RvWindow_GetMainWindowA(const char* titlePrefix, const char* childClass,
                                         uint32_t* window);
// The next such window of this process after *window (kept when *window is not met).
RVWINDOW_API int RvWindow_GetMainWindowNext(const wchar_t* titlePrefix, const wchar_t* childClass,
                                            uint32_t* window);
RVWINDOW_API int RvWindow_GetMainWindowNextA(const char* titlePrefix, const char* childClass,
                                             uint32_t* window);
// A menu path "File|Open": item texts without "&" and accelerator, matched by prefix.
// -1 no such item, -2 a null path or one ending on a submenu, -3 no menu.
RVWINDOW_API int RvWindow_FindMenuID(HWND window, const wchar_t* path, uint32_t* id);

// Messages and input.
RVWINDOW_API INT_PTR RvWindow_SendMessage(uint32_t window, uint32_t message, int32_t wParam,
                                          int32_t lParam);
// The result cut to its low 32 bits.
RVWINDOW_API int32_t RvWindow_SendMessage64(uint32_t window, uint32_t message, uint64_t wParam,
                                            uint64_t lParam);
RVWINDOW_API INT_PTR RvWindow_SendMessagePointer(uint32_t window, uint32_t message, int32_t wParam,
                                                 void* lParam);
RVWINDOW_API INT_PTR RvWindow_SendMessageString(uint32_t window, uint32_t message, int32_t wParam,
                                                const wchar_t* text);
RVWINDOW_API INT_PTR RvWindow_SendMessageStringA(uint32_t window, uint32_t message, int32_t wParam,
                                                 const char* text);
RVWINDOW_API int RvWindow_PostMessage(uint32_t window, uint32_t message, int32_t wParam,
                                      int32_t lParam);
// One SendInput event each; the number of events inserted.
RVWINDOW_API uint32_t RvWindow_SendKeyboardInput(uint32_t virtualKey, uint32_t scanCode,
                                                 uint32_t flags);
RVWINDOW_API uint32_t RvWindow_SendMouseInput(int32_t dx, int32_t dy, uint32_t mouseData,
                                              uint32_t flags);
// The address of a macro variable, for RvWindow_SendMessagePointer. Also
// exported as RvWindow_AddressOfByte, ...Char, ...Double, ...Dword, ...Float,
// ...Int64 and ...Long.
RVWINDOW_API uintptr_t RvWindow_AddressOf(const void* variable);

// Window state and geometry: Win32 results passed through.
RVWINDOW_API int RvWindow_GetParent(uint32_t window, uint32_t* parent);
RVWINDOW_API int RvWindow_GetWindow(uint32_t window, uint32_t relation, uint32_t* related);
RVWINDOW_API int32_t RvWindow_GetWindowLong(uint32_t window, int32_t index);
RVWINDOW_API int32_t RvWindow_SetWindowLong(uint32_t window, int32_t index, int32_t value);
RVWINDOW_API int RvWindow_GetWindowPos(uint32_t window, int32_t* left, int32_t* top);
RVWINDOW_API int RvWindow_GetWindowRect(uint32_t window, int32_t* left, int32_t* top,
                                        int32_t* right, int32_t* bottom);
RVWINDOW_API int RvWindow_GetWindowSize(uint32_t window, int32_t* width, int32_t* height);
RVWINDOW_API int RvWindow_SetWindowPos(uint32_t window, int32_t x, int32_t y);
RVWINDOW_API int RvWindow_SetWindowRect(uint32_t window, int32_t left, int32_t top, int32_t right,
                                        int32_t bottom);
RVWINDOW_API int RvWindow_SetWindowSize(uint32_t window, int32_t width, int32_t height);
RVWINDOW_API int RvWindow_ShowWindow(uint32_t window, int32_t command);
RVWINDOW_API int RvWindow_IsWindowVisible(uint32_t window, uint32_t* visible);
RVWINDOW_API int RvWindow_SetForeground(uint32_t window);
RVWINDOW_API int RvWindow_DestroyWindow(uint32_t window);

// Files. Write and Append: characters written, or the negated system error.
RVWINDOW_API int32_t RvFile_Write(const wchar_t* path, const wchar_t* text, uint32_t utf8);
RVWINDOW_API int32_t RvFile_Append(const wchar_t* path, const wchar_t* text, uint32_t utf8);
// `path`: MAX_PATH characters, the initial selection in, the chosen folder out.
// 1 chosen, 2 cancelled or no file-system folder, -1 for an unwritable buffer.
RVWINDOW_API int RvFile_BrowseForFolder(wchar_t* path, const wchar_t* title);
// `filter` pairs separated by "|"; non-zero when a file was chosen.
RVWINDOW_API int RvFile_GetOpenFileName(const wchar_t* initialDirectory, wchar_t* file,
                                        uint32_t fileSize, const wchar_t* filter,
                                        uint32_t filterIndex, const wchar_t* title, uint32_t flags);
// A directory walk kept in *walk; `path` receives MAX_PATH characters at most.
RVWINDOW_API int RvFile_FindFirstFile(void** walk, const wchar_t* pattern, wchar_t* path);
RVWINDOW_API int RvFile_FindNextFile(void** walk, wchar_t* path);
RVWINDOW_API int RvFile_FindClose(void** walk);
