// Builds a small dialog with the dialog builder, shows it, clicks its button
// (whose macro goes to the stand-in macro engine), prints its window tree
// with rvspy, saves a screenshot next to
// this program as rvwindow_demo.png; then a dialog of every custom control,
// saved as rvwindow_controls.png; and closes.
#include "RvWindow.h"
#include "demo_window.h"
#include "controls_dialog.h"
#include "hx_macro_engine.h"
#include "screenshot.h"
#include "unmanaged_windows.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

uint32_t Add(uint32_t dialog, const wchar_t* name, const wchar_t* cls, uint32_t style, int b,
             int width, const wchar_t* text = nullptr) {
    uint32_t control = 0;
    if (RvDialog_AddControl(dialog, name, cls, style, b, width, &control) != 0)
        std::printf("could not add %ls\n", name);
    if (text) RvDialog_SendMessageString(dialog, name, WM_SETTEXT, 0, text);
    return control;
}

uint32_t BuildDialog() {
    uint32_t dialog = 0;
    if (RvDialog_Create(0, L"RvWindow dialog builder", &dialog) != 0) return 0;
    RvDialog_SetBkColor(dialog, RGB(236, 242, 248));
    // First column: a row per control (option 1), labels sit a little lower.
    Add(dialog, L"nameLabel", L"static", 0, 0, 60, L"Sample name");
    RvDialog_AddRemoveOptions(dialog, 0, RVDIALOG_OPTION_NEW_ROW);
    Add(dialog, L"name", L"edit", WS_BORDER | ES_AUTOHSCROLL, 62, 110, L"Cell culture 7");
    RvDialog_AddRow(dialog);
    Add(dialog, L"objectiveLabel", L"static", 0, 0, 60, L"Objective");
    Add(dialog, L"objective", L"combobox", CBS_DROPDOWNLIST | WS_VSCROLL, 62, 110);
    for (const wchar_t* item : {L"10x / 0.45", L"20x / 0.75", L"60x / 1.40 oil"})
        RvDialog_SendMessageString(dialog, L"objective", CB_ADDSTRING, 0, item);
    RvDialog_SendMessage(dialog, L"objective", CB_SETCURSEL, 1, 0);
    RvDialog_AddRow(dialog);
    Add(dialog, L"progress", L"RvProgressbar", 0, 0, 172);
    RvDialog_SendMessage(dialog, L"progress", PBM_SETPOS, 60, 0);
    RvDialog_AddRow(dialog);
    Add(dialog, L"autofocus", L"button", BS_AUTOCHECKBOX, 0, 100, L"Autofocus");
    RvDialog_SendMessage(dialog, L"autofocus", BM_SETCHECK, BST_CHECKED, 0);
    Add(dialog, L"apply", L"button", BS_PUSHBUTTON, 112, 60, L"Apply");
    // Second column: a three-line note.
    RvDialog_AddColumn(dialog);
    Add(dialog, L"noteLabel", L"static", 0, 0, 100, L"Notes");
    RvDialog_AddRow(dialog);
    Add(dialog, L"notes", L"edit", WS_BORDER | ES_MULTILINE, -3, 120,
        L"Controls are placed row by row; this column started after the widest control.");
    RvDialog_AddMacroMessageHandler(dialog, L"apply", WM_COMMAND, BN_CLICKED, 0, 0, 0,
                                    L"Stg_Apply(\"Cell culture 7\");");
    return dialog;
}

// Runs rvspy on the window of `title` in a process of its own, as a macro
// author would, answering this thread's messages until it ends.
bool Inspect(const wchar_t* title) {
    const std::wstring program = NextToProgram(L"rvspy.exe");
    std::wstring command = L"\"" + program + L"\" --title \"" + title + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    constexpr DWORD kInspectTimeoutMs = 60000;
    while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, kInspectTimeoutMs, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1)
        Pump();
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    return status == 0;
}

} // namespace

int main() {
    // With no window manager on the display, Wine then draws the caption itself.
    testsupport::LeaveWindowsUnmanaged();
    const uint32_t dialog = BuildDialog();
    if (!dialog) {
        std::printf("the dialog could not be created\n");
        return 1;
    }
    HWND window = ToWindow(dialog);
    ShowWindow(window, SW_SHOW); // the first show fits the dialog to its controls
    UpdateWindow(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();

    int32_t l, t, r, b;
    RvDialog_GetControlRect(dialog, L"notes", &l, &t, &r, &b);
    std::printf("notes field at (%d, %d)-(%d, %d) in the dialog's client area\n", l, t, r, b);

    RvDialog_SendMessage(dialog, L"apply", BM_CLICK, 0, 0);
    HMODULE engine = GetModuleHandleW(L"hx_macro_engine.dll");
    auto getCall = engine ? reinterpret_cast<decltype(&HxEngine_GetCall)>(
                                reinterpret_cast<void*>(GetProcAddress(engine, "HxEngine_GetCall")))
                          : nullptr;
    HxRecordedCall call{};
    if (getCall && getCall(0, &call))
        std::printf("clicking Apply ran the macro: %ls\n", call.text);
    else
        std::printf("clicking Apply found no macro engine\n");

    std::printf("rvspy --title \"RvWindow dialog builder\":\n");
    if (!Inspect(L"RvWindow dialog builder")) std::printf("rvspy could not inspect the dialog\n");

    const std::wstring path = NextToProgram(L"rvwindow_demo.png");
    const bool saved = SaveScreenshot(window, path);
    std::printf("%s %ls\n", saved ? "screenshot saved to" : "could not save", path.c_str());
    DestroyWindow(window);

    const uint32_t controls = BuildControlsDialog(NextToProgram(L""));
    if (!controls) {
        std::printf("the custom controls dialog could not be created\n");
        return 1;
    }
    HWND controlsWindow = ToWindow(controls);
    ShowWindow(controlsWindow, SW_SHOW);
    UpdateWindow(controlsWindow);
    Pump();
    DriveControls(controls);
    RedrawWindow(controlsWindow, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    const std::wstring controlsPath = NextToProgram(L"rvwindow_controls.png");
    const bool controlsSaved = SaveScreenshot(controlsWindow, controlsPath);
    std::printf("%s %ls\n", controlsSaved ? "screenshot saved to" : "could not save",
                controlsPath.c_str());
    DestroyWindow(controlsWindow);
    return saved && controlsSaved ? 0 : 1;
}
