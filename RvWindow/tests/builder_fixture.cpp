#include "builder_fixture.h"

#include "unmanaged_windows.h"

#include <commctrl.h>

namespace rvwtest {
namespace {

// Before any test creates a window.
[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

Metrics Measure() {
    HWND dialog = CreateDialogParamW(Library(), MAKEINTRESOURCEW(101), nullptr, PlainDialogProc, 0);
    HWND combo = CreateWindowExW(0, L"combobox", L"", CBS_DROPDOWNLIST | WS_CHILD | WS_VISIBLE, 10,
                                 10, 155, 14, dialog, nullptr, Library(), nullptr);
    SendMessageW(combo, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo, &info);
    DestroyWindow(dialog);
    Metrics m{};
    m.itemHeight = info.rcItem.bottom - info.rcItem.top;
    m.controlHeight = m.itemHeight;
    m.rowHeight = 3 * m.itemHeight / 2;
    m.rowGap = m.itemHeight / 5;
    m.topMargin = m.leftMargin = m.itemHeight / 2;
    return m;
}

} // namespace

HMODULE Library() {
    return GetModuleHandleW(L"RvWindow.dll");
}

const Metrics& ExpectedMetrics() {
    static const Metrics metrics = Measure();
    return metrics;
}

DLGPROC DialogProcOf(HWND dialog) {
    return reinterpret_cast<DLGPROC>(GetWindowLongPtrW(dialog, DWLP_DLGPROC));
}

testsupport::MessageLog& HandlerLog() {
    static testsupport::MessageLog log;
    return log;
}

INT_PTR LogHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const wchar_t* text) {
    HandlerLog().Add(dialog, message, wParam, lParam, text);
    return 1;
}

COLORREF ErasedPixel(HWND dialog, int x, int y, COLORREF preset) {
    RECT client;
    GetClientRect(dialog, &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH fill = CreateSolidBrush(preset);
    FillRect(dc, &client, fill);
    DeleteObject(fill);
    SendMessageW(dialog, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixel;
}

void BuilderDialog::SetUp() {
    HandlerLog().Clear();
    ASSERT_EQ(RvDialog_Create(0, L"Builder test", &handle_), 0);
    dialog_ = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle_));
    ASSERT_TRUE(IsWindow(dialog_));
}

void BuilderDialog::TearDown() {
    if (IsWindow(dialog_)) DestroyWindow(dialog_);
    HandlerLog().Clear();
}

HWND BuilderDialog::Add(const wchar_t* name, const wchar_t* cls, uint32_t style, int b, int w,
                        uint32_t exStyle) {
    uint32_t control = 0;
    EXPECT_EQ(RvDialog_AddControlEx(handle_, name, cls, style, exStyle, b, w, &control), 0)
        << "adding a " << std::wstring(cls).size() << "-character class";
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(control));
}

RECT BuilderDialog::Rect(const wchar_t* name) {
    int32_t l = -1, t = -1, r = -1, b = -1;
    EXPECT_EQ(RvDialog_GetControlRect(handle_, name, &l, &t, &r, &b), 0);
    return RECT{l, t, r, b};
}

HWND BuilderDialog::Find(const wchar_t* name) {
    uint32_t control = 0xDEADu;
    EXPECT_EQ(RvDialog_FindControl(handle_, name, &control), 0);
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(control));
}

void BuilderDialog::SetOptions(uint32_t set, uint32_t clear) {
    RvDialog_AddRemoveOptions(handle_, set, clear);
}

} // namespace rvwtest
