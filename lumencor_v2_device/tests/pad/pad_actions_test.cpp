// What the user does on the pad reaches the logical devices, the engine and
// the macro protocol; the pad's buttons, title and custom commands.
#include "PadFixture.h"
#include "cfg/CfgWatcher.h"
#include "resource.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace {

class PadActions : public PadFixture {
  protected:
    void SetUp() override {
        PadFixture::SetUp();
        ASSERT_NE(nullptr, CreatePad());
        CKaGUIHooks::ClearMacroProtocol();
        engine.ClearCommands();
    }
    CKaLumencorV2UI_Multilaser::CKaDevGUI_MultiLaserLines& Lines() {
        return Pad().MultilaserPanel()->Lines();
    }
    std::wstring LastMacro() {
        std::vector<std::wstring> lines = CKaGUIHooks::MacroProtocol();
        return lines.empty() ? std::wstring() : lines.back();
    }
    bool EngineGot(const std::string& prefix) {
        std::vector<std::string> commands = engine.Commands();
        return std::any_of(commands.begin(), commands.end(), [&](const std::string& command) {
            return command.compare(0, prefix.size(), prefix) == 0;
        });
    }
    // A left click in the middle of a window.
    static void Click(HWND window) {
        RECT client;
        GetClientRect(window, &client);
        LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(window, WM_LBUTTONUP, 0, point);
    }
};

TEST_F(PadActions, SliderMoveSetsThePowerAndRecordsTheMacroLine) {
    HWND slider = Lines()[2].GetSlider();
    ASSERT_NE(nullptr, slider);
    SendMessageW(slider, TBM_SETPOS, TRUE, 1250);
    SendMessageW(GetParent(slider), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 1250),
                 reinterpret_cast<LPARAM>(slider));
    EXPECT_EQ(L"Stg_SetMultiLaserPower(\"Lumencor.0\", 2, 12.50);", LastMacro());
    double power = 0;
    device->MultiLaser().GetLinePower(2, &power);
    EXPECT_DOUBLE_EQ(12.5, power);
    EXPECT_TRUE(EngineGot("SET CHINT ")) << "commands: " << engine.Commands().size();
}

TEST_F(PadActions, TickingALineSwitchesItAndRecordsTheMacroLine) {
    SendMessageW(Lines()[1].GetCheckBox(), BM_CLICK, 0, 0);
    EXPECT_EQ(L"Stg_SetMultiLaserLineUsed(\"Lumencor.0\", 1, 1);", LastMacro());
    bool used = false;
    device->MultiLaser().GetLineUsed(1, &used);
    EXPECT_TRUE(used);
    EXPECT_TRUE(Lines()[1].GetUsed());
    SendMessageW(Lines()[1].GetCheckBox(), BM_CLICK, 0, 0);
    EXPECT_EQ(L"Stg_SetMultiLaserLineUsed(\"Lumencor.0\", 1, 0);", LastMacro());
    device->MultiLaser().GetLineUsed(1, &used);
    EXPECT_FALSE(used);
}

TEST_F(PadActions, ShutterButtonTogglesTheShutterAndRecordsTheMacroLine) {
    HWND button = Pad().ShuttersPanel()->Widget().GetHandle();
    ASSERT_NE(nullptr, button);
    Click(button);
    EXPECT_EQ(L"Stg_SetShutterStateEx(\"Lumencor.1\", 1);", LastMacro());
    bool open = false;
    device->Shutter().GetShutterState(&open);
    EXPECT_TRUE(open);
    EXPECT_TRUE(Pad().ShuttersPanel()->Widget().IsOpen());
    SendMessageW(button, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(L"Stg_SetShutterStateEx(\"Lumencor.1\", 0);", LastMacro());
    device->Shutter().GetShutterState(&open);
    EXPECT_FALSE(open);
}

TEST_F(PadActions, DisabledShutterButtonIgnoresClicks) {
    Peer().lines.m_eOperationMode = 2;
    Post(KA_PAD_OPERATION_MODE);
    Click(Pad().ShuttersPanel()->Widget().GetHandle());
    EXPECT_TRUE(CKaGUIHooks::MacroProtocol().empty());
}

TEST_F(PadActions, SubsetChangeIsStoredAndRebuildsThePad) {
    Peer().m_bShowSubset = true;
    Post(KA_PAD_AWAKE_OR_SETTINGS);
    HWND check = Lines().GetSubsetGUI().GetCheckBox(3);
    ASSERT_NE(nullptr, check);
    const bool before = device->MultiLaser().GetLineRecord(3).m_bSubset;
    SendMessageW(check, BM_CLICK, 0, 0);
    testsupport::PumpPending();
    EXPECT_EQ(!before, device->MultiLaser().GetLineRecord(3).m_bSubset);
    // The rebuilt strip shows the stored membership.
    EXPECT_EQ(!before, Lines().GetSubsetGUI().GetCheck(3));
    EXPECT_NE(check, Lines().GetSubsetGUI().GetCheckBox(3));
}

TEST_F(PadActions, WakeUpButtonQueuesTheWakeUpOnTheWorker) {
    Peer().m_iAwake = 0;
    Peer().m_bWakeUpSupported = true;
    Post(KA_PAD_AWAKE_OR_SETTINGS);
    ASSERT_TRUE(Visible(Pad().WakeUpButton()));
    KA_AdvanceTimeCounter(60000.0);
    engine.ClearCommands();
    SendMessageW(Pad().WakeUpButton(), BM_CLICK, 0, 0);
    EXPECT_GE(engine.Count("WAKEUP"), 1);
    // Awake again: the device asked for a rebuild, which hides the button.
    testsupport::PumpPending();
    EXPECT_FALSE(Visible(Pad().WakeUpButton()));
}

TEST_F(PadActions, TitleFollowsTheLightSourceKeyAndRefreshesTheTabs) {
    EXPECT_STREQ(L"Lumencor.0 pad", Pad().GetTitle());
    EXPECT_STREQ(L"Lumencor.0 pad", tabs.GetTabTitle(0));
    const int refreshes = tabs.GetRefreshCount();
    const int sorts = CKaGUIHooks::GetSortControlsCount();
    DMApiHooks::PhysDev_Remove(device);
    DMApiHooks::PhysDev_Add(device, L"Engine");
    Post(KA_PAD_RELAYOUT);
    EXPECT_STREQ(L"Engine.0 pad", Pad().GetTitle());
    EXPECT_STREQ(L"Engine.0 pad", tabs.GetTabTitle(0));
    EXPECT_EQ(refreshes + 1, tabs.GetRefreshCount());
    EXPECT_EQ(sorts + 1, CKaGUIHooks::GetSortControlsCount());
    wchar_t caption[64];
    GetWindowTextW(host, caption, 64);
    EXPECT_STREQ(L"Engine.0 pad", caption);
    // Unchanged: no refresh.
    Post(KA_PAD_RELAYOUT);
    EXPECT_EQ(refreshes + 1, tabs.GetRefreshCount());
}

TEST_F(PadActions, CustomCommands) {
    EXPECT_EQ(TRUE, Pad().CustomCommand(KA_PAD_COMMAND_IS_PAD, 0, 0));
    // A wheel turn over line 0's slider moves it and is reported handled.
    HWND slider = Lines()[0].GetSlider();
    RECT rect;
    GetWindowRect(slider, &rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    double before = Lines()[0].GetPower();
    EXPECT_EQ(KA_PAD_WHEEL_HANDLED,
              Pad().CustomCommand(KA_PAD_COMMAND_MOUSE_WHEEL, MAKEWPARAM(0, WHEEL_DELTA), point));
    EXPECT_DOUBLE_EQ(before + 1.0, Lines()[0].GetPower());
    EXPECT_NE(std::wstring::npos, LastMacro().find(L"Stg_SetMultiLaserPower(\"Lumencor.0\", 0, "));
    // Far away from every slider: not handled.
    EXPECT_EQ(0, Pad().CustomCommand(KA_PAD_COMMAND_MOUSE_WHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                                     MAKELPARAM(30000, 30000)));
    EXPECT_EQ(0, Pad().CustomCommand(12345, 0, 0));
}

TEST_F(PadActions, ConfigureNeedsTheRightAndOpensTheConfiguration) {
    EXPECT_TRUE(IsWindowEnabled(Pad().ConfigureButton()));
    MSG msg;
    while (PeekMessageW(&msg, Pad().GetHandle(), KA_PAD_AWAKE_OR_SETTINGS, KA_PAD_AWAKE_OR_SETTINGS,
                        PM_REMOVE)) {
    }
    // The configuration dialog opens from the pad; OK on it ends by asking
    // the pad to rebuild.
    CfgWatcher ok(IDOK);
    SendMessageW(Pad().ConfigureButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, ok.Answered());
    EXPECT_TRUE(PeekMessageW(&msg, Pad().GetHandle(), KA_PAD_AWAKE_OR_SETTINGS,
                             KA_PAD_AWAKE_OR_SETTINGS, PM_NOREMOVE));

    CKaUIHooks::SetUserRight(KA_USER_RIGHT_CONFIGURE_DEVICES, false);
    Post(KA_PAD_AWAKE_OR_SETTINGS);
    EXPECT_FALSE(IsWindowEnabled(Pad().ConfigureButton()));
    CKaUIHooks::SetUserRight(KA_USER_RIGHT_CONFIGURE_DEVICES, true);
}

// ---- painting of "Configure..." ----

class ConfigurePaint : public PadActions {
  protected:
    static const int kWidth = 120, kHeight = 25;
    // Draws the button in the given state into a memory bitmap through the
    // pad's WM_DRAWITEM and returns the bitmap's pixels.
    std::vector<COLORREF> Draw(UINT state) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_BUTTON;
        item.CtlID = IDC_PAD_CONFIGURE;
        item.itemAction = ODA_DRAWENTIRE;
        item.itemState = state;
        item.hwndItem = Pad().ConfigureButton();
        item.hDC = dc;
        item.rcItem = {0, 0, kWidth, kHeight};
        SendMessageW(Pad().GetHandle(), WM_DRAWITEM, IDC_PAD_CONFIGURE,
                     reinterpret_cast<LPARAM>(&item));
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return pixels;
    }
    // Leftmost column holding the image's colour, or -1.
    static int ImageLeft(const std::vector<COLORREF>& pixels, COLORREF colour) {
        for (int x = 0; x < kWidth; ++x)
            for (int y = 0; y < kHeight; ++y)
                if (pixels[size_t(y * kWidth + x)] == colour) return x;
        return -1;
    }
};

TEST_F(ConfigurePaint, NormalPressedAndDisabled) {
    const COLORREF gear = RGB(70, 90, 120);
    const COLORREF grey = GetSysColor(COLOR_GRAYTEXT);
    std::vector<COLORREF> normal = Draw(0);
    std::vector<COLORREF> pressed = Draw(ODS_SELECTED);
    std::vector<COLORREF> disabled = Draw(ODS_DISABLED);
    // The image's square: side height - 4, left edge at half of it, top 2.
    const int side = kHeight - 4;
    ASSERT_NE(-1, ImageLeft(normal, gear));
    EXPECT_NEAR(side / 2, ImageLeft(normal, gear), 1);
    EXPECT_EQ(ImageLeft(normal, gear) + 1, ImageLeft(pressed, gear));
    EXPECT_EQ(-1, ImageLeft(disabled, gear));
    EXPECT_NEAR(side / 2, ImageLeft(disabled, grey), 1);
    // Text in the button-text colour right of the image.
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    EXPECT_GE(ImageLeft(normal, text), 2 * side - 1);
}

} // namespace
