// Relations, state and geometry read back from real windows.
#include "window_tree.h"

#include "test_memory.h"

#include <commctrl.h>

namespace rvwtest {
namespace {

using GeometryTest = WindowTree;

TEST_F(GeometryTest, MoveSizeAndReadBack) {
    EXPECT_NE(RvWindow_SetWindowRect(topHandle_, 30, 40, 330, 240), 0);
    int32_t l = 0, t = 0, r = 0, b = 0;
    EXPECT_NE(RvWindow_GetWindowRect(topHandle_, &l, &t, &r, &b), 0);
    EXPECT_EQ(l, 30);
    EXPECT_EQ(t, 40);
    EXPECT_EQ(r, 330);
    EXPECT_EQ(b, 240);
    EXPECT_NE(RvWindow_SetWindowPos(topHandle_, 50, 60), 0);
    int32_t w = 0, h = 0;
    EXPECT_NE(RvWindow_GetWindowPos(topHandle_, &l, &t), 0);
    EXPECT_NE(RvWindow_GetWindowSize(topHandle_, &w, &h), 0);
    EXPECT_EQ(l, 50);
    EXPECT_EQ(t, 60);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);
    EXPECT_NE(RvWindow_SetWindowSize(topHandle_, 120, 90), 0);
    EXPECT_NE(RvWindow_GetWindowRect(topHandle_, &l, &t, nullptr, nullptr), 0);
    EXPECT_NE(RvWindow_GetWindowSize(topHandle_, nullptr, &h), 0);
    EXPECT_EQ(l, 50);
    EXPECT_EQ(t, 60);
    EXPECT_EQ(h, 90);
}

TEST_F(GeometryTest, UnwritableOutParametersFailAndNothingIsWritten) {
    const int32_t preset = 77;
    testsupport::ReadOnlyPage readOnly(&preset, sizeof preset);
    auto* cannotWrite = static_cast<int32_t*>(readOnly.data());
    int32_t l = -1;
    EXPECT_EQ(RvWindow_GetWindowRect(topHandle_, &l, nullptr, cannotWrite, nullptr), 0);
    EXPECT_EQ(RvWindow_GetWindowPos(topHandle_, &l,
                                    static_cast<int32_t*>(testsupport::UnmappedAddress())),
              0);
    EXPECT_EQ(RvWindow_GetWindowSize(topHandle_, cannotWrite, &l), 0);
    EXPECT_EQ(l, -1);
    EXPECT_EQ(*cannotWrite, 77);
}

TEST_F(GeometryTest, RelationsAndVisibility) {
    HWND first = Child(top_, L"Button", L"a", 5);
    HWND second = Child(top_, L"Button", L"b", 6);
    uint32_t related = 0;
    EXPECT_EQ(RvWindow_GetParent(HandleOf(second), &related), 0);
    EXPECT_EQ(WindowOf(related), top_);
    EXPECT_EQ(RvWindow_GetWindow(topHandle_, GW_CHILD, &related), 0);
    EXPECT_EQ(WindowOf(related), first);
    EXPECT_EQ(RvWindow_GetWindow(HandleOf(first), GW_HWNDNEXT, &related), 0);
    EXPECT_EQ(WindowOf(related), second);
    EXPECT_EQ(RvWindow_GetWindowLong(HandleOf(second), GWL_ID), 6);

    uint32_t visible = 7;
    EXPECT_EQ(RvWindow_IsWindowVisible(topHandle_, &visible), 0);
    EXPECT_EQ(visible, 0u);
    EXPECT_EQ(RvWindow_ShowWindow(topHandle_, SW_SHOWNA), 0); // was hidden
    EXPECT_EQ(RvWindow_IsWindowVisible(topHandle_, &visible), 0);
    EXPECT_EQ(visible, 1u);
    EXPECT_NE(RvWindow_ShowWindow(topHandle_, SW_HIDE), 0);
    EXPECT_NE(RvWindow_SetForeground(topHandle_), 0);
    EXPECT_EQ(RvWindow_GetParent(topHandle_, nullptr), -1);
    EXPECT_EQ(RvWindow_GetWindow(topHandle_, GW_CHILD, nullptr), -1);
    EXPECT_EQ(RvWindow_IsWindowVisible(topHandle_, nullptr), -1);
}

TEST_F(GeometryTest, SetWindowLongAndDestroy) {
    HWND button = Child(top_, L"Button", L"a", 5);
    EXPECT_EQ(RvWindow_SetWindowLong(HandleOf(button), GWL_ID, 9), 5);
    EXPECT_EQ(GetDlgCtrlID(button), 9);
    EXPECT_EQ(RvWindow_SetWindowLong(HandleOf(button), GWLP_USERDATA, -3), 0);
    EXPECT_EQ(RvWindow_GetWindowLong(HandleOf(button), GWLP_USERDATA), -3);
    EXPECT_EQ(RvWindow_DestroyWindow(HandleOf(button)), 0);
    EXPECT_FALSE(IsWindow(button));
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(DialogProcedureSlot, A32BitWriteCannotTearIt) {
    HWND dialog = CreateDialogParamW(GetModuleHandleW(L"RvWindow.dll"), MAKEINTRESOURCEW(101),
                                     nullptr, PlainDialogProc, 0);
    ASSERT_TRUE(dialog);
    for (int32_t index : {DWLP_DLGPROC - 3, DWLP_DLGPROC, DWLP_DLGPROC + 4})
        EXPECT_EQ(RvWindow_SetWindowLong(HandleOf(dialog), index, 0x1234), 0) << index;
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_DLGPROC), reinterpret_cast<LONG_PTR>(PlainDialogProc));
    // Other slots are written as asked.
    RvWindow_SetWindowLong(HandleOf(dialog), DWLP_USER, 0x1234);
    EXPECT_EQ(GetWindowLongPtrW(dialog, DWLP_USER), 0x1234);
    DestroyWindow(dialog);
}

TEST(RecordSlots, OurControlsAndDialogsKeepTheirRecords) {
    uint32_t dialog = 0, progress = 0;
    ASSERT_EQ(RvDialog_Create(0, L"Record slots", &dialog), 0);
    ASSERT_EQ(RvDialog_AddControl(dialog, L"progress", L"RvProgressbar", 0, 0, 100, &progress), 0);
    HWND bar = WindowOf(progress);
    const LONG_PTR record = GetWindowLongPtrW(bar, GWLP_USERDATA);
    ASSERT_NE(record, 0);
    EXPECT_EQ(RvWindow_SetWindowLong(progress, GWLP_USERDATA, 5), 0);
    EXPECT_EQ(GetWindowLongPtrW(bar, GWLP_USERDATA), record);
    EXPECT_EQ(RvWindow_SetWindowLong(dialog, DWLP_USER, 5), 0);
    EXPECT_EQ(RvDialog_IsRvDialog(dialog), 1);
    // The control still answers through its record, and both are freed with the dialog.
    SendMessageW(bar, PBM_SETPOS, 30, 0);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 30);
    DestroyWindow(WindowOf(dialog));
}

} // namespace
} // namespace rvwtest
