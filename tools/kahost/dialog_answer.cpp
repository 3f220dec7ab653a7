#include "dialog_answer.h"

#include "gui_window.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace gui {

namespace {

const UINT kLookEveryMs = 50;
const DWORD kShowWithinMs = 10000;
const wchar_t kDialogClass[] = L"#32770";
const int kTextChars = 256;

struct Waiting {
    DialogAnswer answer;
    UINT_PTR timer = 0;
    DWORD start = 0;
    HWND dialog = nullptr;
    bool inLook = false;
};

Waiting& W() {
    static Waiting waiting;
    return waiting;
}

struct Search {
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchShownDialog(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (window == search.except || std::wcscmp(name, kDialogClass) != 0 || !IsWindowVisible(window))
        return TRUE;
    search.found = window;
    return FALSE;
}

// A dialog or message box this thread shows, other than `except` (the pad
// is a child window, not one of them).
HWND FindShownDialog(HWND except) {
    Search search = {except, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchShownDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TextOf(HWND window) {
    wchar_t text[kTextChars] = {};
    GetWindowTextW(window, text, kTextChars);
    return text;
}

BOOL CALLBACK AppendStaticText(HWND window, LPARAM text) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (_wcsicmp(name, L"Static") == 0) *reinterpret_cast<std::wstring*>(text) += TextOf(window);
    return TRUE;
}

// What a message box says: its caption and its text.
void PrintMessageBox(HWND box) {
    std::wstring text;
    EnumChildWindows(box, AppendStaticText, reinterpret_cast<LPARAM>(&text));
    std::printf("message box: %ls: %ls\n", TextOf(box).c_str(), text.c_str());
}

void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void StopLooking() {
    Waiting& w = W();
    if (w.timer) KillTimer(nullptr, w.timer);
    w.timer = 0;
}

void CALLBACK Look(HWND, UINT, UINT_PTR, DWORD) {
    Waiting& w = W();
    // Painting for a screenshot runs messages, this timer's among them.
    if (w.inLook) return;
    w.inLook = true;
    if (!w.dialog) {
        if (HWND dialog = FindShownDialog(nullptr)) {
            w.dialog = dialog;
            std::printf("configuration dialog: %ls\n", TextOf(dialog).c_str());
            if (!w.answer.screenshot.empty()) SaveWindowShot(dialog, w.answer.screenshot);
            std::printf("configuration dialog: %s\n", w.answer.button == IDOK ? "OK" : "Cancel");
            Press(dialog, w.answer.button);
        } else if (GetTickCount() - w.start > kShowWithinMs) {
            std::printf("no configuration dialog within %lu ms\n", kShowWithinMs);
            StopLooking();
        }
    } else if (HWND box = FindShownDialog(w.dialog)) {
        // OK refused: the message box says why.
        PrintMessageBox(box);
        Press(box, IDOK);
    } else if (IsWindow(w.dialog)) {
        std::printf("configuration dialog: still open, Cancel\n");
        StopLooking();
        Press(w.dialog, IDCANCEL);
    }
    std::fflush(stdout);
    w.inLook = false;
}

} // namespace

void ArmDialogAnswer(const DialogAnswer& answer) {
    Waiting& w = W();
    StopLooking();
    w.answer = answer;
    w.dialog = nullptr;
    w.start = GetTickCount();
    w.timer = SetTimer(nullptr, 0, kLookEveryMs, Look);
}

bool DisarmDialogAnswer() {
    Waiting& w = W();
    StopLooking();
    return w.dialog != nullptr;
}

} // namespace gui
