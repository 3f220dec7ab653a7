// Handles that are not list controls, and arguments that cannot be read or
// written: every export answers with its failure value and touches nothing.
#include "list_fixture.h"

#include <cstring>
#include <cwchar>
#include "test_memory.h"

#include <cstring>
#include <functional>
#include <vector>

namespace rvltest {
namespace {

struct Row {
    const char* name;
    std::function<int(RvList)> call;
};

// Every export, called with arguments that would work on a real list.
std::vector<Row> EveryExport(wchar_t* buffer, int32_t* value, uint32_t* colour, SYSTEMTIME* date) {
    return {
        {"AddColumn", [](RvList l) { return RvListCtrl_AddColumn(l, L"t", 50, -1, 0, 0, 0); }},
        {"DeleteColumn", [](RvList l) { return RvListCtrl_DeleteColumn(l, 0); }},
        {"DeleteAllColumns", [](RvList l) { return RvListCtrl_DeleteAllColumns(l); }},
        {"GetColumnCount", [](RvList l) { return RvListCtrl_GetColumnCount(l); }},
        {"SetColumnText", [](RvList l) { return RvListCtrl_SetColumnText(l, 0, L"x"); }},
        {"SetColumnWidth", [](RvList l) { return RvListCtrl_SetColumnWidth(l, 0, 9); }},
        {"GetColumnWidth", [](RvList l) { return RvListCtrl_GetColumnWidth(l, 0); }},
        {"SetColumnFormat", [](RvList l) { return RvListCtrl_SetColumnFormat(l, 0, 1, 1); }},
        {"GetColumnFormat", [](RvList l) { return RvListCtrl_GetColumnFormat(l, 0); }},
        {"GetColumnFlags", [](RvList l) { return RvListCtrl_GetColumnFlags(l, 0); }},
        {"GetColumnIndex", [](RvList l) { return RvListCtrl_GetColumnIndex(l, 0); }},
        {"SetColumnComboList",
         [](RvList l) { return RvListCtrl_SetColumnComboList(l, 0, 3, 0, L"a|b"); }},
        {"GetColumnComboList",
         [=](RvList l) { return RvListCtrl_GetColumnComboList(l, 0, buffer, 16); }},
        {"GetColumnRect",
         [=](RvList l) { return RvListCtrl_GetColumnRect(l, 0, value, value, value, value); }},
        {"ResizeColumn", [](RvList l) { return RvListCtrl_ResizeColumn(l, 1); }},
        {"AutoSizeColumn", [](RvList l) { return RvListCtrl_AutoSizeColumn(l, 0); }},
        {"HitTestHeader",
         [=](RvList l) { return RvListCtrl_HitTestHeader(l, 5, 5, value, value); }},
        {"InvalidateHeader", [](RvList l) { return RvListCtrl_InvalidateHeader(l); }},
        {"AddItem", [](RvList l) { return RvListCtrl_AddItem(l, L"i", -1, 0, 0); }},
        {"DeleteItem", [](RvList l) { return RvListCtrl_DeleteItem(l, 0); }},
        {"DeleteAllItems", [](RvList l) { return RvListCtrl_DeleteAllItems(l); }},
        {"GetItemCount", [](RvList l) { return RvListCtrl_GetItemCount(l); }},
        {"SetItemText", [](RvList l) { return RvListCtrl_SetItemText(l, 0, 0, L"x"); }},
        {"GetItemText", [=](RvList l) { return RvListCtrl_GetItemText(l, 0, 0, buffer, 16); }},
        {"SetItemFormat", [](RvList l) { return RvListCtrl_SetItemFormat(l, 0, 0, 1, 0); }},
        {"GetItemFormat", [](RvList l) { return RvListCtrl_GetItemFormat(l, 0, 0); }},
        {"GetItemFlags", [](RvList l) { return RvListCtrl_GetItemFlags(l, 0, 0); }},
        {"SetItemImage", [](RvList l) { return RvListCtrl_SetItemImage(l, 0, 0, 1); }},
        {"GetItemImage", [](RvList l) { return RvListCtrl_GetItemImage(l, 0, 0); }},
        {"SetItemColours", [](RvList l) { return RvListCtrl_SetItemColours(l, 0, 0, 1, 2, 3); }},
        {"GetItemColours",
         [=](RvList l) { return RvListCtrl_GetItemColours(l, 0, 0, colour, colour, colour); }},
        {"SetItemComboList", [](RvList l) { return RvListCtrl_SetItemComboList(l, 0, 0, L"a"); }},
        {"GetItemComboList",
         [=](RvList l) { return RvListCtrl_GetItemComboList(l, 0, 0, buffer, 16); }},
        {"SetItemComboIndex", [](RvList l) { return RvListCtrl_SetItemComboIndex(l, 0, 0, 0); }},
        {"SetItemCheck", [](RvList l) { return RvListCtrl_SetItemCheck(l, 0, 0, 1); }},
        {"GetItemCheck", [](RvList l) { return RvListCtrl_GetItemCheck(l, 0, 0); }},
        {"SetItemProgress", [](RvList l) { return RvListCtrl_SetItemProgress(l, 0, 0, 5.0); }},
        {"SetItemDate", [=](RvList l) { return RvListCtrl_SetItemDate(l, 0, 0, date); }},
        {"GetItemDate", [=](RvList l) { return RvListCtrl_GetItemDate(l, 0, 0, date); }},
        {"FormatDate", [=](RvList l) { return RvListCtrl_FormatDate(l, date, buffer, 16); }},
        {"FormatTime", [=](RvList l) { return RvListCtrl_FormatTime(l, date, buffer, 16); }},
        {"GetItemToolTip",
         [=](RvList l) { return RvListCtrl_GetItemToolTip(l, 0, 0, buffer, 16); }},
        {"GetItemRect",
         [=](RvList l) { return RvListCtrl_GetItemRect(l, 0, -1, value, value, value, value); }},
        {"InvalidateItem", [](RvList l) { return RvListCtrl_InvalidateItem(l, 0, -1); }},
        {"IsItemVisible", [](RvList l) { return RvListCtrl_IsItemVisible(l, 0, -1, 1); }},
        {"EnsureItemVisible", [](RvList l) { return RvListCtrl_EnsureItemVisible(l, 0, -1); }},
        {"GetTopItem", [](RvList l) { return RvListCtrl_GetTopItem(l); }},
        {"GetCountPerPage", [](RvList l) { return RvListCtrl_GetCountPerPage(l, 1); }},
        {"GetTotalHeight", [](RvList l) { return RvListCtrl_GetTotalHeight(l); }},
        {"GetTotalWidth", [](RvList l) { return RvListCtrl_GetTotalWidth(l); }},
        {"SelectItem", [](RvList l) { return RvListCtrl_SelectItem(l, 0, 0, 0); }},
        {"IsSelected", [](RvList l) { return RvListCtrl_IsSelected(l, 0); }},
        {"GetSelectedItems", [=](RvList l) { return RvListCtrl_GetSelectedItems(l, value, 1); }},
        {"ResetSelected", [](RvList l) { return RvListCtrl_ResetSelected(l); }},
        {"SetFocusItem", [](RvList l) { return RvListCtrl_SetFocusItem(l, 0, 0); }},
        {"GetFocusItem", [](RvList l) { return RvListCtrl_GetFocusItem(l); }},
        {"SetFocusSubItem", [](RvList l) { return RvListCtrl_SetFocusSubItem(l, 1); }},
        {"SetSingleSelect", [](RvList l) { return RvListCtrl_SetSingleSelect(l, 0); }},
        {"SortColumn", [](RvList l) { return RvListCtrl_SortColumn(l, 0); }},
        {"SortItems", [](RvList l) { return RvListCtrl_SortItems(l, 0); }},
        {"ReverseItems", [](RvList l) { return RvListCtrl_ReverseItems(l); }},
        {"GetSortColumn", [=](RvList l) { return RvListCtrl_GetSortColumn(l, value, value); }},
        {"ShowHeader", [](RvList l) { return RvListCtrl_ShowHeader(l, 0); }},
        {"ShowHeaderSort", [](RvList l) { return RvListCtrl_ShowHeaderSort(l, 1); }},
        {"ShowThemed", [](RvList l) { return RvListCtrl_ShowThemed(l, 0); }},
        {"ShowScrollBar", [](RvList l) { return RvListCtrl_ShowScrollBar(l, 3, 0); }},
        {"IsScrollBarVisible", [](RvList l) { return RvListCtrl_IsScrollBarVisible(l, 1); }},
        {"ResetScrollBars", [](RvList l) { return RvListCtrl_ResetScrollBars(l, 3, 0, 1); }},
        {"SetSmoothScroll", [](RvList l) { return RvListCtrl_SetSmoothScroll(l, 0); }},
        {"SetListColours", [](RvList l) { return RvListCtrl_SetListColours(l, 1, 2, 3, 4, 5); }},
        {"SetHighLightPattern",
         [](RvList l) { return RvListCtrl_SetHighLightPattern(l, 1, L"x", 5); }},
        {"ShowTitleTip", [](RvList l) { return RvListCtrl_ShowTitleTip(l, 1, 1, 0, 0); }},
        {"HideTitleTip", [](RvList l) { return RvListCtrl_HideTitleTip(l, 1); }},
    };
}

HWND PlainListBox(const void* user) {
    HWND box = CreateWindowExW(0, L"listbox", L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(user));
    return box;
}

TEST_F(ListTest, EveryExportRejectsWhatIsNoListControl) {
    AddColumns(2);
    AddItems(3);
    // A list that existed once.
    uint32_t gone = 0;
    ASSERT_EQ(RvDialog_AddControl(dialogHandle_, L"gone", L"RvListCtrl", 0, 0, 50, &gone), 0);
    ASSERT_EQ(RvListCtrl_IsRvListCtrl(gone), 1);
    DestroyWindow(ToWindow(gone));

    const uint64_t signature[2] = {0x435AB4DC64309171ull, 0x7474B1AC9D3A2AB0ull};
    testsupport::RegionEdge edge;
    std::vector<unsigned char> zeros(4096 - 64, 0);
    testsupport::ReadOnlyPage readOnly(zeros.data(), zeros.size());
    void* realObject = reinterpret_cast<void*>(GetWindowLongPtrW(window_, GWLP_USERDATA));
    ASSERT_NE(realObject, nullptr);

    struct Candidate {
        const char* what;
        HWND window; // destroyed afterwards
        RvList handle;
    };
    std::vector<Candidate> candidates = {
        {"zero", nullptr, 0},
        {"garbage", nullptr, 0xDEADBEEF},
        {"destroyed list", nullptr, gone},
        {"the dialog", nullptr, dialogHandle_},
    };
    auto add = [&](const char* what, const void* user) {
        HWND box = PlainListBox(user);
        candidates.push_back({what, box, ToHandle(box)});
    };
    add("plain list box", nullptr);
    add("user data pointing nowhere", testsupport::UnmappedAddress());
    add("user data pointing to read-only memory", readOnly.data());
    add("user data pointing to a signature cut short",
        edge.EndingAtEdge(signature, sizeof signature));
    add("user data pointing to another window's list", realObject);

    wchar_t buffer[16];
    std::wmemset(buffer, L'#', 16);
    int32_t value = 0x1234;
    uint32_t colour = 0x5678;
    SYSTEMTIME date{2024, 5, 0, 6, 7, 8, 9, 0};
    for (const Candidate& c : candidates) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RvListCtrl_IsRvListCtrl(c.handle), 0);
        for (const Row& row : EveryExport(buffer, &value, &colour, &date)) {
            SCOPED_TRACE(row.name);
            EXPECT_EQ(row.call(c.handle), -1);
        }
        EXPECT_EQ(buffer[0], L'#');
        EXPECT_EQ(value, 0x1234);
        EXPECT_EQ(colour, 0x5678u);
        EXPECT_EQ(date.wYear, 2024);
    }
    for (const Candidate& c : candidates)
        if (c.window) DestroyWindow(c.window);
    // The real list was reached through none of them.
    EXPECT_EQ(RvListCtrl_GetColumnCount(list_), 2);
    EXPECT_EQ(RvListCtrl_GetItemCount(list_), 3);
    EXPECT_EQ(RvListCtrl_GetSelectedItems(list_, &value, 1), 0);
}

TEST_F(ListTest, UnusableArgumentsOfARealList) {
    AddColumns(2);
    AddItems(2);
    const auto* unmapped = static_cast<wchar_t*>(testsupport::UnmappedAddress());
    auto* unmappedOut = static_cast<wchar_t*>(testsupport::UnmappedAddress());
    wchar_t value = L'r';
    testsupport::ReadOnlyPage readOnly(&value, sizeof value);
    auto* ro = static_cast<wchar_t*>(readOnly.data());

    // Unreadable text reads as empty text.
    EXPECT_EQ(RvListCtrl_SetItemText(list_, 0, 0, unmapped), 1);
    EXPECT_EQ(ItemText(list_, 0, 0), L"");
    EXPECT_EQ(RvListCtrl_SetItemText(list_, 0, 1, nullptr), 1);
    EXPECT_EQ(RvListCtrl_AddColumn(list_, unmapped, 20, -1, 0, 0, 0), 1);
    EXPECT_EQ(RvListCtrl_AddItem(list_, nullptr, -1, 0, 0), 2);

    // Buffers that cannot be written, or have no room.
    for (wchar_t* out : {unmappedOut, ro, static_cast<wchar_t*>(nullptr)}) {
        EXPECT_EQ(RvListCtrl_GetItemText(list_, 1, 0, out, 16), -1);
        EXPECT_EQ(RvListCtrl_GetColumnComboList(list_, 0, out, 16), -1);
        EXPECT_EQ(RvListCtrl_GetItemComboList(list_, 1, 0, out, 16), -1);
        EXPECT_EQ(RvListCtrl_GetItemToolTip(list_, 1, 0, out, 16), -1);
    }
    EXPECT_EQ(*ro, L'r');
    wchar_t small[4] = L"abc";
    EXPECT_EQ(RvListCtrl_GetItemText(list_, 1, 0, small, 0), 0);
    EXPECT_EQ(RvListCtrl_GetItemText(list_, 1, 0, small, -5), 0);
    EXPECT_STREQ(small, L"abc");

    // Dates and numbers that cannot be read or written.
    auto* badDate = static_cast<SYSTEMTIME*>(testsupport::UnmappedAddress());
    EXPECT_EQ(RvListCtrl_SetItemDate(list_, 0, 0, badDate), -1);
    EXPECT_EQ(RvListCtrl_SetItemDate(list_, 0, 0, nullptr), -1);
    EXPECT_EQ(RvListCtrl_GetItemDate(list_, 0, 0, badDate), -1);
    wchar_t text[32];
    EXPECT_EQ(RvListCtrl_FormatDate(list_, nullptr, text, 32), -1);
    EXPECT_EQ(RvListCtrl_FormatTime(list_, badDate, text, 32), -1);
    RvListCtrl_SetSingleSelect(list_, 0);
    RvListCtrl_SelectItem(list_, 0, 0, 0);
    RvListCtrl_SelectItem(list_, 1, 0, MK_SHIFT);
    EXPECT_EQ(RvListCtrl_GetSelectedItems(list_, static_cast<int32_t*>(readOnly.data()), 2), -1);
    EXPECT_EQ(RvListCtrl_GetSelectedItems(list_, nullptr, 2), -1);
    EXPECT_EQ(RvListCtrl_GetSelectedItems(list_, nullptr, 0), 0);
    auto* roInt = static_cast<int32_t*>(readOnly.data());
    EXPECT_EQ(RvListCtrl_GetColumnRect(list_, 0, roInt, nullptr, roInt, nullptr), 1)
        << "out-parameters that cannot be written are skipped";
    EXPECT_EQ(*ro, L'r');

    // A text of 100 000 characters is kept whole.
    const std::wstring huge(100000, L'h');
    EXPECT_EQ(RvListCtrl_SetItemText(list_, 0, 0, huge.c_str()), 1);
    std::vector<wchar_t> back(huge.size() + 1);
    EXPECT_EQ(RvListCtrl_GetItemText(list_, 0, 0, back.data(), static_cast<int>(back.size())),
              100000);
}

TEST_F(ListTest, ExtremeNumbersNeitherOverflowNorReachOutside) {
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"huge", INT32_MAX, -1, 0, 0, 0), 1);
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"negative", INT32_MIN, -1, 0, 0, 0), 1);
    ASSERT_EQ(RvListCtrl_AddColumn(list_, L"huge too", INT32_MAX, INT32_MAX, 0, 0, 0), 1);
    AddItems(3);
    EXPECT_EQ(RvListCtrl_GetColumnWidth(list_, 0), INT32_MAX) << "kept as given";
    int32_t left = 0, right = 0;
    ASSERT_EQ(RvListCtrl_GetColumnRect(list_, 2, &left, nullptr, &right, nullptr), 1);
    EXPECT_GT(right, left);
    EXPECT_GT(RvListCtrl_GetTotalWidth(list_), 0);
    int32_t column = -1, where = -1;
    for (int32_t x : {INT32_MIN, -1, 0, 10, INT32_MAX})
        RvListCtrl_HitTestHeader(list_, x, 5, &column, &where);
    EXPECT_EQ(RvListCtrl_ResetScrollBars(list_, 3, INT32_MAX, 1), 1);
    SendMessageW(window_, WM_HSCROLL, SB_PAGERIGHT, 0);
    SendMessageW(window_, WM_VSCROLL, SB_BOTTOM, 0);
    SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, -32000), 0);
    Picture painted(window_);
    EXPECT_EQ(painted.width(), kListWidth - GetSystemMetrics(SM_CXVSCROLL) *
                                                RvListCtrl_IsScrollBarVisible(list_, 1));
    for (int32_t n : {INT32_MIN, -2, 3, INT32_MAX}) {
        SCOPED_TRACE(n);
        EXPECT_EQ(RvListCtrl_SelectItem(list_, n, n, 0xFFFFFFFFu), 0);
        EXPECT_EQ(RvListCtrl_EnsureItemVisible(list_, n, n), 0);
        EXPECT_EQ(RvListCtrl_GetItemRect(list_, n, n, &left, nullptr, nullptr, nullptr), 0);
        EXPECT_EQ(RvListCtrl_InvalidateItem(list_, n, -1), 0);
        EXPECT_EQ(RvListCtrl_SetItemCheck(list_, 0, n, 1), 0);
        EXPECT_EQ(RvListCtrl_GetItemImage(list_, n, 0), -1);
        EXPECT_EQ(RvListCtrl_SetItemComboIndex(list_, 0, 0, n), 1);
        EXPECT_EQ(RvListCtrl_DeleteColumn(list_, n), 0);
        EXPECT_EQ(RvListCtrl_SortColumn(list_, n), 0);
        EXPECT_EQ(RvListCtrl_GetCountPerPage(list_, n) >= 1, true);
    }
    EXPECT_EQ(RvListCtrl_SelectItem(list_, 1, INT32_MAX, 0), 1);
    int32_t selected[2] = {-1, -1};
    EXPECT_EQ(RvListCtrl_GetSelectedItems(list_, selected, INT32_MAX), 1)
        << "only as many as are selected are written";
    EXPECT_EQ(selected[0], 1);
    EXPECT_EQ(selected[1], -1);
}

} // namespace
} // namespace rvltest
