#include "list_fixture.h"

#include "unmanaged_windows.h"

namespace rvltest {
namespace {

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

std::vector<Notification>* g_notifications = nullptr;
WNDPROC g_dialogProc = nullptr;

// Reads each record while it is being sent: it lives only that long.
LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && g_notifications && lParam) {
        const auto* record = reinterpret_cast<const RvListNotify*>(lParam);
        g_notifications->push_back({static_cast<int>(record->header.code), record->item,
                                    record->column, record->header.hwndFrom, record->header.idFrom,
                                    wParam});
    }
    return CallWindowProcW(g_dialogProc, window, message, wParam, lParam);
}

} // namespace

HWND ToWindow(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

uint32_t ToHandle(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

std::wstring ItemText(RvList list, int item, int subItem) {
    wchar_t buffer[512] = L"";
    RvListCtrl_GetItemText(list, item, subItem, buffer, 512);
    return buffer;
}

std::vector<int> Selection(RvList list) {
    int32_t items[64];
    const int n = RvListCtrl_GetSelectedItems(list, items, 64);
    return std::vector<int>(items, items + (n > 0 ? n : 0));
}

Picture::Picture(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    pixels_.assign(p, p + static_cast<size_t>(width_) * height_);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

COLORREF Picture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const uint32_t v = pixels_[static_cast<size_t>(y) * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int Picture::Count(const RECT& r, COLORREF colour) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (At(x, y) == colour) ++n;
    return n;
}

void ListTest::SetUp() {
    ASSERT_EQ(RvDialog_Create(0, L"List test", &dialogHandle_), 0);
    dialog_ = ToWindow(dialogHandle_);
    uint32_t control = 0;
    ASSERT_EQ(RvDialog_AddControl(dialogHandle_, L"list", L"RvListCtrl", 0, 0, 100, &control), 0);
    list_ = control;
    window_ = ToWindow(control);
    ASSERT_EQ(RvListCtrl_IsRvListCtrl(list_), 1);
    ResizeList(kListWidth, kListHeight);
    g_notifications = &notifications_;
    g_dialogProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
}

void ListTest::TearDown() {
    g_notifications = nullptr;
    if (IsWindow(dialog_)) DestroyWindow(dialog_);
}

std::vector<Notification> ListTest::Notifications() const {
    return notifications_;
}

std::vector<int> ListTest::Codes() const {
    std::vector<int> codes;
    for (const Notification& n : notifications_)
        codes.push_back(n.code);
    return codes;
}

HeldKeys::HeldKeys(bool shift, bool control) {
    GetKeyboardState(saved_);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(keys);
}

HeldKeys::~HeldKeys() {
    SetKeyboardState(saved_);
}

bool ListTest::Focus() {
    ShowWindow(dialog_, SW_SHOW);
    SetForegroundWindow(dialog_);
    SetFocus(window_);
    return GetFocus() == window_;
}

void ListTest::Mouse(UINT message, POINT at, WPARAM keys) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) keys |= MK_LBUTTON;
    if (message == WM_RBUTTONDOWN) keys |= MK_RBUTTON;
    SendMessageW(window_, message, keys, MAKELPARAM(at.x, at.y));
}

void ListTest::Click(POINT at, WPARAM keys) {
    Mouse(WM_LBUTTONDOWN, at, keys);
    Mouse(WM_LBUTTONUP, at, keys);
}

void ListTest::Key(WPARAM key) {
    SendMessageW(window_, WM_KEYDOWN, key, 0);
}

POINT ListTest::CellCentre(int item, int column) const {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    EXPECT_EQ(RvListCtrl_GetItemRect(list_, item, column, &left, &top, &right, &bottom), 1)
        << "item " << item << " is not on the page";
    return POINT{(left + right) / 2, (top + bottom) / 2};
}

POINT ListTest::HeaderPoint(int x) const {
    return POINT{x, ItemHeight() / 2};
}

void ListTest::ResizeList(int width, int height) {
    SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void ListTest::AddColumns(int count, int width) {
    for (int i = 0; i < count; ++i) {
        const std::wstring title = L"C" + std::to_wstring(i);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, title.c_str(), width, -1, 0, 0, 0), 1);
    }
}

void ListTest::AddItems(int count) {
    const int columns = RvListCtrl_GetColumnCount(list_);
    for (int i = 0; i < count; ++i) {
        const std::wstring row = L"r" + std::to_wstring(i);
        const int expected = RvListCtrl_GetItemCount(list_);
        ASSERT_EQ(RvListCtrl_AddItem(list_, row.c_str(), -1, 0, 0), expected);
        for (int j = 1; j < columns; ++j)
            RvListCtrl_SetItemText(list_, expected, j, (row + L"c" + std::to_wstring(j)).c_str());
    }
}

int ListTest::ItemHeight() const {
    int32_t top = 0, bottom = 0;
    RvListCtrl_GetColumnRect(list_, 0, nullptr, &top, nullptr, &bottom);
    return bottom - top;
}

} // namespace rvltest
