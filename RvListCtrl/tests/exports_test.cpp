// The library's export table, its resources and its registration.
#include "list_fixture.h"
#include "pe_exports.h"

#include <algorithm>
#include <set>
#include <string>

namespace rvltest {
namespace {

HMODULE Library() {
    return GetModuleHandleW(L"RvListCtrl.dll");
}

TEST(RvListCtrlExports, ExactlyTheDocumentedNames) {
    const std::set<std::string> expected = {
        "RvListCtrl_IsRvListCtrl",       "RvListCtrl_AddColumn",
        "RvListCtrl_DeleteColumn",       "RvListCtrl_DeleteAllColumns",
        "RvListCtrl_GetColumnCount",     "RvListCtrl_SetColumnText",
        "RvListCtrl_SetColumnWidth",     "RvListCtrl_GetColumnWidth",
        "RvListCtrl_SetColumnFormat",    "RvListCtrl_GetColumnFormat",
        "RvListCtrl_GetColumnFlags",     "RvListCtrl_GetColumnIndex",
        "RvListCtrl_SetColumnComboList", "RvListCtrl_GetColumnComboList",
        "RvListCtrl_GetColumnRect",      "RvListCtrl_ResizeColumn",
        "RvListCtrl_AutoSizeColumn",     "RvListCtrl_HitTestHeader",
        "RvListCtrl_InvalidateHeader",   "RvListCtrl_AddItem",
        "RvListCtrl_DeleteItem",         "RvListCtrl_DeleteAllItems",
        "RvListCtrl_GetItemCount",       "RvListCtrl_SetItemText",
        "RvListCtrl_GetItemText",        "RvListCtrl_SetItemFormat",
        "RvListCtrl_GetItemFormat",      "RvListCtrl_GetItemFlags",
        "RvListCtrl_SetItemImage",       "RvListCtrl_GetItemImage",
        "RvListCtrl_SetItemColours",     "RvListCtrl_GetItemColours",
        "RvListCtrl_SetItemComboList",   "RvListCtrl_GetItemComboList",
        "RvListCtrl_SetItemComboIndex",  "RvListCtrl_SetItemCheck",
        "RvListCtrl_GetItemCheck",       "RvListCtrl_SetItemProgress",
        "RvListCtrl_SetItemDate",        "RvListCtrl_GetItemDate",
        "RvListCtrl_FormatDate",         "RvListCtrl_FormatTime",
        "RvListCtrl_GetItemToolTip",     "RvListCtrl_GetItemRect",
        "RvListCtrl_InvalidateItem",     "RvListCtrl_IsItemVisible",
        "RvListCtrl_EnsureItemVisible",  "RvListCtrl_GetTopItem",
        "RvListCtrl_GetCountPerPage",    "RvListCtrl_GetTotalHeight",
        "RvListCtrl_GetTotalWidth",      "RvListCtrl_SelectItem",
        "RvListCtrl_IsSelected",         "RvListCtrl_GetSelectedItems",
        "RvListCtrl_ResetSelected",      "RvListCtrl_SetFocusItem",
        "RvListCtrl_GetFocusItem",       "RvListCtrl_SetFocusSubItem",
        "RvListCtrl_SetSingleSelect",    "RvListCtrl_SortColumn",
        "RvListCtrl_SortItems",          "RvListCtrl_ReverseItems",
        "RvListCtrl_GetSortColumn",      "RvListCtrl_ShowHeader",
        "RvListCtrl_ShowHeaderSort",     "RvListCtrl_ShowThemed",
        "RvListCtrl_ShowScrollBar",      "RvListCtrl_IsScrollBarVisible",
        "RvListCtrl_ResetScrollBars",    "RvListCtrl_SetSmoothScroll",
        "RvListCtrl_SetListColours",     "RvListCtrl_SetHighLightPattern",
        "RvListCtrl_ShowTitleTip",       "RvListCtrl_HideTitleTip"};
    ASSERT_EQ(expected.size(), 74u);
    const auto names = testsupport::ExportNames(Library());
    const std::set<std::string> found(names.begin(), names.end());
    EXPECT_EQ(found, expected);
}

TEST(RvListCtrlResources, ImagesAndCursorsAreThere) {
    HBITMAP images = static_cast<HBITMAP>(
        LoadImageW(Library(), MAKEINTRESOURCEW(102), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(images, nullptr);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(images, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 160);
    EXPECT_EQ(dib.dsBm.bmHeight, 16);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    DeleteObject(images);
    EXPECT_NE(LoadCursorW(Library(), MAKEINTRESOURCEW(103)), nullptr);
    EXPECT_NE(LoadCursorW(Library(), MAKEINTRESOURCEW(104)), nullptr);
}

TEST_F(ListTest, TheBuilderMakesEveryListClassAListControl) {
    for (const wchar_t* cls : {L"LISTBOX", L"LISTCTRL", L"rvlistctrl"}) {
        uint32_t control = 0;
        ASSERT_EQ(RvDialog_AddControl(dialogHandle_, L"another", cls, 0, 0, 50, &control), 0);
        EXPECT_EQ(RvListCtrl_IsRvListCtrl(control), 1);
        wchar_t name[32] = L"";
        GetClassNameW(ToWindow(control), name, 32);
        EXPECT_EQ(CompareStringOrdinal(name, -1, L"listbox", -1, TRUE), CSTR_EQUAL)
            << "a list box underneath, so the builder's notification matching knows it";
        const LONG_PTR style = GetWindowLongPtrW(ToWindow(control), GWL_STYLE);
        EXPECT_FALSE(style & WS_BORDER);
        EXPECT_TRUE(style & WS_CLIPCHILDREN);
    }
}

TEST_F(ListTest, WantsArrowsTabsAndCharacters) {
    EXPECT_EQ(SendMessageW(window_, WM_GETDLGCODE, 0, 0),
              DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS);
}

} // namespace
} // namespace rvltest
