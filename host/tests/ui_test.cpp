// The replacement host's user-interface services and widgets, driven
// through real windows.
#include "KaDMApi.h"
#include "KaDevUI.h"
#include "KaGUI.h"
#include "KaHostHooks.h"
#include "message_pump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HWND MakeWindow(HWND parent = nullptr) {
    return CreateWindowExW(0, L"STATIC", L"", parent ? WS_CHILD : WS_POPUP, 0, 0, 200, 100, parent,
                           nullptr, nullptr, nullptr);
}

TEST(MacroProtocol, RecordsLinesInOrderAndHandsThemToTheSink) {
    CKaGUIHooks::Reset();
    std::vector<std::wstring> seen;
    CKaGUIHooks::SetMacroProtocolSink(
        [](void* context, const wchar_t* line) {
            static_cast<std::vector<std::wstring>*>(context)->push_back(line);
        },
        &seen);
    EXPECT_TRUE(CKaSimpleDMHelper::Qm_ML_Protocol_Command(L"A();"));
    EXPECT_TRUE(CKaSimpleDMHelper::Qm_ML_Protocol_Command(L"B();"));
    EXPECT_FALSE(CKaSimpleDMHelper::Qm_ML_Protocol_Command(nullptr));
    CKaGUIHooks::SetMacroProtocolSink(nullptr, nullptr);
    EXPECT_EQ((std::vector<std::wstring>{L"A();", L"B();"}), CKaGUIHooks::MacroProtocol());
    EXPECT_EQ(CKaGUIHooks::MacroProtocol(), seen);
}

TEST(DuplicitMessages, RemovesOnlyThatMessageOfThatWindow) {
    HWND first = MakeWindow(), second = MakeWindow();
    for (int i = 0; i < 3; ++i)
        PostMessageW(first, WM_APP + 1, 0, 0);
    PostMessageW(first, WM_APP + 2, 0, 0);
    PostMessageW(second, WM_APP + 1, 0, 0);
    EXPECT_EQ(3, CKaSimpleDMHelper::PeekDuplicitMessagesFromMessageLoop(first, WM_APP + 1));
    EXPECT_EQ(0, CKaSimpleDMHelper::PeekDuplicitMessagesFromMessageLoop(nullptr, WM_APP + 1));
    MSG msg;
    EXPECT_TRUE(PeekMessageW(&msg, first, WM_APP + 2, WM_APP + 2, PM_REMOVE));
    EXPECT_TRUE(PeekMessageW(&msg, second, WM_APP + 1, WM_APP + 1, PM_REMOVE));
    DestroyWindow(first);
    DestroyWindow(second);
}

// Counts the zoom messages a window receives.
int g_zoomMessages = 0;
LRESULT CALLBACK CountZoom(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == KA_WM_GUI_ZOOM_CHANGED) ++g_zoomMessages;
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(GuiZoom, ChangeReachesEveryWindowAndScalesSizes) {
    CKaGUIHooks::Reset();
    HWND top = MakeWindow();
    HWND child = MakeWindow(top);
    SetWindowLongPtrW(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountZoom));
    SetWindowLongPtrW(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountZoom));
    g_zoomMessages = 0;
    CKaGUIHooks::SetGuiZoom(1.5);
    EXPECT_EQ(2, g_zoomMessages);
    EXPECT_DOUBLE_EQ(1.5, CKaGUILayoutManager::GetGuiZoom());
    EXPECT_DOUBLE_EQ(1.0, CKaGUILayoutManager::GetPreviousGuiZoom());
    CKaGUILayoutManager::ResizeWindowToGuiZoom(child, 1.0);
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(300, rect.right - rect.left);
    EXPECT_EQ(150, rect.bottom - rect.top);
    // Nonsense zooms change nothing.
    for (double bad : {0.0, -1.0, 100.0}) {
        CKaGUIHooks::SetGuiZoom(bad);
        EXPECT_DOUBLE_EQ(1.5, CKaGUILayoutManager::GetGuiZoom()) << bad;
    }
    CKaGUILayoutManager::ResizeWindowToGuiZoom(child, 0.0);
    CKaGUILayoutManager::ResizeWindowToGuiZoom(nullptr, 1.0);
    EXPECT_EQ(top, CKaGUILayoutManager::GetParentDockerForResize(child));
    DestroyWindow(top);
    CKaGUIHooks::Reset();
}

TEST(UpdateManager, HoldsRedrawUntilTheOutermostBatchEnds) {
    HWND window = MakeWindow();
    ShowWindow(window, SW_SHOWNA);
    {
        CKaGUIUpdateManager outer(window);
        {
            CKaGUIUpdateManager inner(window);
            EXPECT_EQ(2, CKaGUIUpdateManager::GetDepth());
        }
        EXPECT_EQ(1, CKaGUIUpdateManager::GetDepth());
        // WM_SETREDRAW FALSE clears the visible bit while the batch is open.
        EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);
    }
    EXPECT_EQ(0, CKaGUIUpdateManager::GetDepth());
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE);
    DestroyWindow(window);
}

class TitledElement : public CKaGUIControlElement {
  public:
    explicit TitledElement(const wchar_t* title) : m_title(title) {}
    void GetInfo(CKaStringW& title) const override { title = m_title; }
    CKaStringW m_title;
};

TEST(TabContainer, AnswersItsInterfaceAndRereadsTitles) {
    CKaTabContainer tabs;
    EXPECT_EQ(&tabs, tabs.GetInterface("CKaTabContainer"));
    EXPECT_EQ(nullptr, tabs.GetInterface("Other"));
    EXPECT_EQ(nullptr, tabs.GetInterface(nullptr));
    TitledElement a(L"one"), b(L"two");
    tabs.AddTab(&a);
    tabs.AddTab(&b);
    tabs.AddTab(nullptr);
    EXPECT_EQ(2, tabs.GetTabCount());
    a.m_title = L"uno";
    tabs.RefreshTabTitles();
    EXPECT_STREQ(L"uno", tabs.GetTabTitle(0));
    EXPECT_STREQ(L"two", tabs.GetTabTitle(1));
    EXPECT_STREQ(L"", tabs.GetTabTitle(7));
    tabs.RemoveTab(&a);
    EXPECT_STREQ(L"two", tabs.GetTabTitle(0));
}

TEST(Services, BitmapPoolRightsAndBadArguments) {
    EXPECT_EQ(0, CKaBitmapPool::AddImageBaseUI(L"SETTINGS"));
    EXPECT_EQ(-1, CKaBitmapPool::AddImageBaseUI(L"NOPE"));
    EXPECT_EQ(-1, CKaBitmapPool::AddImageBaseUI(nullptr));
    RECT rect = {0, 0, 10, 10};
    EXPECT_FALSE(CKaBitmapPool::DrawOptimalImage(nullptr, 0, rect, false));
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(CKaBitmapPool::DrawOptimalImage(dc, 5, rect, false));
    EXPECT_TRUE(CKaBitmapPool::DrawOptimalImage(dc, 0, RECT{0, 0, -5, -5}, false));
    DeleteDC(dc);
    EXPECT_TRUE(CKaUserManager::GetCurrentUserRights(KA_USER_RIGHT_CONFIGURE_DEVICES));
    CKaUIHooks::SetUserRight(KA_USER_RIGHT_CONFIGURE_DEVICES, false);
    EXPECT_FALSE(CKaUserManager::GetCurrentUserRights(KA_USER_RIGHT_CONFIGURE_DEVICES));
    CKaUIHooks::SetUserRight(KA_USER_RIGHT_CONFIGURE_DEVICES, true);
    EXPECT_FALSE(CKaUserManager::GetCurrentUserRights(-1));
    EXPECT_FALSE(CKaUserManager::GetCurrentUserRights(99));
    EXPECT_NE(nullptr, KA_GetDefaultGuiFont());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), KA_GetSysColor(COLOR_BTNFACE));
}

class RecordingShutter : public CKaDevUI_Shutter {
  public:
    void OnShutterButtonPressed(bool open) override {
        pressed.push_back(open);
        CKaDevUI_Shutter::OnShutterButtonPressed(open);
    }
    void OnOpenConfiguration() override { ++configurations; }
    std::vector<bool> pressed;
    int configurations = 0;
};

TEST(ShutterWidget, MouseAndKeyboardToggleWhileEnabled) {
    HWND parent = MakeWindow();
    RecordingShutter shutter;
    shutter.SetAutomaticallyResizable(true, 35, 80);
    ASSERT_TRUE(shutter.Create(parent, 10, 0, -1, -1, true, true));
    EXPECT_GE(shutter.GetWidth(), 35);
    EXPECT_LE(shutter.GetWidth(), 80);
    HWND window = shutter.GetHandle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    // Released outside: no press.
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(-50, 5));
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ((std::vector<bool>{true, false}), shutter.pressed);
    SendMessageW(window, WM_RBUTTONUP, 0, 0);
    EXPECT_EQ(1, shutter.configurations);
    shutter.SetEnabled(false);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageW(window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(2u, shutter.pressed.size());
    // An unknown device leaves the state alone.
    shutter.Update(-7, true, true, true);
    EXPECT_FALSE(shutter.IsOpen());
    DestroyWindow(parent);
    EXPECT_EQ(nullptr, shutter.GetHandle());
}

TEST(LineRow, ValueTextTakesOnlyOneFloatingConversion) {
    CKaDevUI_MultiLaserLine row;
    struct {
        const wchar_t* format;
        const wchar_t* expected;
    } cases[] = {
        {L"%0.2f", L"12.50 [%]"}, {L"%5.1f%%", L" 12.5% [%]"}, {L"%s", L"[%]"},
        {L"%n", L"[%]"},          {L"%f %f", L"[%]"},          {L"%*f", L"[%]"},
        {L"plain", L"[%]"},
    };
    for (const auto& c : cases) {
        row.SetValueText(c.format, L"[%]", 12.5);
        EXPECT_STREQ(c.expected, row.GetValueText()) << c.format;
    }
    row.SetValueText(nullptr, nullptr, 1.0);
    EXPECT_STREQ(L"", row.GetValueText());
    // Without a window the row keeps its values.
    row.SetPowerEx(250.0, 0);
    EXPECT_DOUBLE_EQ(100.0, row.GetPower());
    row.SetPowerEx(-1.0, 0);
    EXPECT_DOUBLE_EQ(0.0, row.GetPower());
}

} // namespace
