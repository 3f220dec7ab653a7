#include "controls_dialog.h"

#include "RvWindow.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>

namespace {

constexpr UINT kTickMs = 15;        // of the progress bar's counting timer
constexpr ULONGLONG kWaitMs = 5000; // for the progress bar to reach its end

HWND Window(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

uint32_t Add(uint32_t dialog, const wchar_t* name, const wchar_t* cls, uint32_t style, int b,
             int width, const wchar_t* text = nullptr) {
    uint32_t control = 0;
    if (RvDialog_AddControl(dialog, name, cls, style, b, width, &control) != 0)
        std::printf("could not add %ls\n", name);
    if (text) RvDialog_SendMessageString(dialog, name, WM_SETTEXT, 0, text);
    return control;
}

std::wstring TextOf(uint32_t dialog, const wchar_t* name) {
    uint32_t control = 0;
    RvDialog_FindControl(dialog, name, &control);
    wchar_t text[128] = L"";
    GetWindowTextW(Window(control), text, 128);
    return text;
}

void WriteRichText(const std::wstring& path) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return;
    std::fputs("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red29\\green63\\blue143;}"
               "\\f0\\fs18{\\b\\cf1 Acquisition notes}\\par "
               "Objective 60x / 1.40 oil, {\\i widefield}.\\par "
               "Exposure and gain are set on the left.\\par}",
               f);
    std::fclose(f);
}

} // namespace

uint32_t BuildControlsDialog(const std::wstring& folder) {
    uint32_t dialog = 0;
    if (RvDialog_Create(0, L"RvWindow custom controls", &dialog) != 0) return 0;
    RvDialog_SetBkColor(dialog, RGB(236, 242, 248));
    // First column: a row per labelled control.
    Add(dialog, L"exposureLabel", L"static", 0, 0, 60, L"Exposure");
    RvDialog_AddRemoveOptions(dialog, 0, RVDIALOG_OPTION_NEW_ROW);
    const uint32_t exposure = Add(dialog, L"exposure", L"RvLsEdit", WS_BORDER, 62, 70);
    Add(dialog, L"exposureBar", L"RvLsScrollbar", SBS_HORZ, 134, 120); // bound to the edit
    RvLsEdit_SetRange(exposure, 0, 500, 0.5);
    RvLsEdit_SetFormat(exposure, L"%.1lf ");
    RvLsEdit_SetUnit(exposure, L"ms");
    RvLsEdit_SetValue(exposure, 120);

    RvDialog_AddRow(dialog);
    Add(dialog, L"voltageLabel", L"static", 0, 0, 60, L"PMT voltage");
    const uint32_t voltage = Add(dialog, L"voltage", L"edit", WS_BORDER | ES_NUMBER, 62, 70);
    Add(dialog, L"gainLabel", L"static", 0, 140, 40, L"Gain");
    const uint32_t gain = Add(dialog, L"gain", L"RvPMTGainEdit", WS_BORDER | ES_READONLY, 176, 78);
    RvPMTGainEdit_AttachToHighVoltage(gain, voltage);

    RvDialog_AddRow(dialog);
    const uint32_t progress = Add(dialog, L"progress", L"RvProgressbar", 0, 0, 190);
    const uint32_t status = Add(dialog, L"status", L"static", 0, 196, 58, L"Acquiring...");
    SendMessageW(Window(progress), PBM_SETRANGE32, 0, 100);
    SendMessageW(Window(progress), PBM_SETPOS, 80, 0);
    RvProgressBar_SetCompletionText(progress, status, L"Done");

    // Two image buttons of one drawing, the second a quarter turn clockwise.
    const std::wstring icon = folder + L"microscope.svg";
    RvDialog_AddColumn(dialog);
    const uint32_t upright = Add(dialog, L"icon", L"RvButton", 0, -5, 72);
    RvDialog_AddColumn(dialog);
    const uint32_t turned = Add(dialog, L"iconTurned", L"RvButton", 0, -5, 72);
    RvButton_SetImage(upright, icon.c_str());
    RvButton_SetImage(turned, icon.c_str());
    RvButton_SetRotationFlip(turned, 1);

    RvDialog_AddColumn(dialog);
    const uint32_t notes = Add(dialog, L"notes", L"RICHEDIT", ES_MULTILINE | WS_BORDER, -5, 170);
    const std::wstring rtf = folder + L"rvwindow_demo_notes.rtf";
    WriteRichText(rtf);
    const int loaded = RvRichEdit_LoadFile(notes, rtf.c_str());
    if (loaded != 0) std::printf("the notes did not load: %d\n", loaded);
    DeleteFileW(rtf.c_str());
    return dialog;
}

void DriveControls(uint32_t dialog) {
    uint32_t bar = 0, voltage = 0, progress = 0;
    RvDialog_FindControl(dialog, L"exposureBar", &bar);
    RvDialog_FindControl(dialog, L"voltage", &voltage);
    RvDialog_FindControl(dialog, L"progress", &progress);
    // What the scroll bar sends when its right arrow is clicked, twice.
    for (int i = 0; i < 2; ++i)
        SendMessageW(Window(dialog), WM_HSCROLL, SB_LINEDOWN, static_cast<LPARAM>(bar));
    std::printf("exposure after two clicks on the scroll bar: %ls\n",
                TextOf(dialog, L"exposure").c_str());
    SetWindowTextW(Window(voltage), L"850");
    std::printf("a high voltage of 850 shows a gain of %ls\n", TextOf(dialog, L"gain").c_str());

    SetTimer(Window(progress), 1, kTickMs, nullptr);
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    MSG msg;
    while (TextOf(dialog, L"status") != L"Done" && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kTickMs, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    std::printf("the progress bar counted to %d and wrote \"%ls\"\n",
                static_cast<int>(SendMessageW(Window(progress), PBM_GETPOS, 0, 0)),
                TextOf(dialog, L"status").c_str());
}
