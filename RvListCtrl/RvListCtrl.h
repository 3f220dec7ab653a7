// RvListCtrl: an owner-drawn list control with typed cells, attached to the
// "RvListCtrl" windows of RvWindow's dialog builder and driven by macros.
// Every export is a plain C function listed in RvListCtrl.def; the first
// argument is the list's window as a 32-bit handle. An invalid handle gives
// -1 (0 from RvListCtrl_IsRvListCtrl).
#pragma once

#include <windows.h>

#include <cstdint>

#define RVLISTCTRL_API extern "C"

// Cell formats.
enum RvListFormat : uint32_t {
    FormatNone = 0,
    FormatEdit = 1,
    FormatDateTime = 2,
    FormatCombo = 3,
    FormatCheck = 4,
    FormatCheck3 = 5,
    FormatLink = 6,
    FormatProgress = 7,
    FormatValueCombo = 9,
};

// Cell flags; the same bits serve for columns and cells.
enum RvListFlag : uint32_t {
    FlagLeft = 0x0001,
    FlagRight = 0x0002,
    FlagCentre = 0x0004,
    FlagReadOnly = 0x0008,
    FlagUpperCase = 0x0010,
    FlagNumber = 0x0020,
    FlagFloat = 0x0040,
    FlagNegative = 0x0080,
    FlagOperator = 0x0100,
    FlagComboEdit = 0x0200,
    FlagDateOnly = 0x0400,
    FlagTimeOnly = 0x0800,
    FlagDateNone = 0x1000,
    FlagProgressPlain = 0x2000,
};

// Notification codes sent to the parent with WM_NOTIFY.
enum RvListNotification : int32_t {
    ListSelected = -1501,
    ListLeftClick = -1502,
    ListRightClick = -1503,
    ListDoubleClick = -1504,
    ListEndEdit = -1505,
    ListModified = -1506,
    ListLinkClicked = -1507,
};

// The record of WM_NOTIFY from the list (56 bytes): `column` is a column
// index in notifications to the parent; `key` and the pointers are used by
// the end of an in-place edit.
struct RvListNotify {
    NMHDR header;
    int32_t item;   // -1: none
    int32_t column; // -1: none
    uint16_t key;   // VK_TAB, VK_RETURN or VK_ESCAPE that ended an edit, else 0
    uint8_t padding[6];
    const wchar_t* text;
    const SYSTEMTIME* date;
};

// Header hit-test results (`where` of RvListCtrl_HitTestHeader).
#define RVLIST_HIT_DIVIDER 0x1u
#define RVLIST_HIT_DIVIDER_LEFT 0x2u   // the divider belongs to the column's right edge
#define RVLIST_HIT_DIVIDER_HIDDEN 0x4u // moved on to a following zero-width column

typedef uint32_t RvList;

RVLISTCTRL_API int RvListCtrl_IsRvListCtrl(RvList list);

// Columns (display positions unless "index").
RVLISTCTRL_API int RvListCtrl_AddColumn(RvList list, const wchar_t* title, int32_t width,
                                        int32_t image, int32_t fixed, uint32_t format,
                                        uint32_t flags);
RVLISTCTRL_API int RvListCtrl_DeleteColumn(RvList list, int32_t column);
RVLISTCTRL_API int RvListCtrl_DeleteAllColumns(RvList list);
RVLISTCTRL_API int RvListCtrl_GetColumnCount(RvList list);
RVLISTCTRL_API int RvListCtrl_SetColumnText(RvList list, int32_t column, const wchar_t* text);
RVLISTCTRL_API int RvListCtrl_SetColumnWidth(RvList list, int32_t column, int32_t width);
RVLISTCTRL_API int RvListCtrl_GetColumnWidth(RvList list, int32_t column);
RVLISTCTRL_API int RvListCtrl_SetColumnFormat(RvList list, int32_t column, uint32_t format,
                                              uint32_t flags);
RVLISTCTRL_API int RvListCtrl_GetColumnFormat(RvList list, int32_t column);
RVLISTCTRL_API int RvListCtrl_GetColumnFlags(RvList list, int32_t column);
RVLISTCTRL_API int RvListCtrl_GetColumnIndex(RvList list, int32_t column);
RVLISTCTRL_API int RvListCtrl_SetColumnComboList(RvList list, int32_t column, uint32_t format,
                                                 uint32_t flags, const wchar_t* entries);
RVLISTCTRL_API int RvListCtrl_GetColumnComboList(RvList list, int32_t column, wchar_t* buffer,
                                                 int32_t size);
RVLISTCTRL_API int RvListCtrl_GetColumnRect(RvList list, int32_t column, int32_t* left,
                                            int32_t* top, int32_t* right, int32_t* bottom);
RVLISTCTRL_API int RvListCtrl_ResizeColumn(RvList list, int32_t fromTimer);
RVLISTCTRL_API int RvListCtrl_AutoSizeColumn(RvList list, int32_t column);
RVLISTCTRL_API int RvListCtrl_HitTestHeader(RvList list, int32_t x, int32_t y, int32_t* column,
                                            int32_t* where);
RVLISTCTRL_API int RvListCtrl_InvalidateHeader(RvList list);

// Items and cells (sub-items are column index fields).
RVLISTCTRL_API int RvListCtrl_AddItem(RvList list, const wchar_t* text, int32_t image,
                                      uint32_t format, uint32_t flags);
RVLISTCTRL_API int RvListCtrl_DeleteItem(RvList list, int32_t item);
RVLISTCTRL_API int RvListCtrl_DeleteAllItems(RvList list);
RVLISTCTRL_API int RvListCtrl_GetItemCount(RvList list);
RVLISTCTRL_API int RvListCtrl_SetItemText(RvList list, int32_t item, int32_t subItem,
                                          const wchar_t* text);
RVLISTCTRL_API int RvListCtrl_GetItemText(RvList list, int32_t item, int32_t subItem,
                                          wchar_t* buffer, int32_t size);
RVLISTCTRL_API int RvListCtrl_SetItemFormat(RvList list, int32_t item, int32_t subItem,
                                            uint32_t format, uint32_t flags);
RVLISTCTRL_API int RvListCtrl_GetItemFormat(RvList list, int32_t item, int32_t subItem);
RVLISTCTRL_API int RvListCtrl_GetItemFlags(RvList list, int32_t item, int32_t subItem);
RVLISTCTRL_API int RvListCtrl_SetItemImage(RvList list, int32_t item, int32_t subItem,
                                           int32_t image);
RVLISTCTRL_API int RvListCtrl_GetItemImage(RvList list, int32_t item, int32_t subItem);
RVLISTCTRL_API int RvListCtrl_SetItemColours(RvList list, int32_t item, int32_t subItem,
                                             uint32_t background, uint32_t text, uint32_t border);
RVLISTCTRL_API int RvListCtrl_GetItemColours(RvList list, int32_t item, int32_t subItem,
                                             uint32_t* background, uint32_t* text,
                                             uint32_t* border);
RVLISTCTRL_API int RvListCtrl_SetItemComboList(RvList list, int32_t item, int32_t subItem,
                                               const wchar_t* entries);
RVLISTCTRL_API int RvListCtrl_GetItemComboList(RvList list, int32_t item, int32_t subItem,
                                               wchar_t* buffer, int32_t size);
RVLISTCTRL_API int RvListCtrl_SetItemComboIndex(RvList list, int32_t item, int32_t subItem,
                                                int32_t entry);
RVLISTCTRL_API int RvListCtrl_SetItemCheck(RvList list, int32_t item, int32_t subItem,
                                           int32_t state);
RVLISTCTRL_API int RvListCtrl_GetItemCheck(RvList list, int32_t item, int32_t subItem);
RVLISTCTRL_API int RvListCtrl_SetItemProgress(RvList list, int32_t item, int32_t subItem,
                                              double percent);
RVLISTCTRL_API int RvListCtrl_SetItemDate(RvList list, int32_t item, int32_t subItem,
                                          const SYSTEMTIME* date);
RVLISTCTRL_API int RvListCtrl_GetItemDate(RvList list, int32_t item, int32_t subItem,
                                          SYSTEMTIME* date);
RVLISTCTRL_API int RvListCtrl_FormatDate(RvList list, const SYSTEMTIME* date, wchar_t* buffer,
                                         int32_t size);
RVLISTCTRL_API int RvListCtrl_FormatTime(RvList list, const SYSTEMTIME* date, wchar_t* buffer,
                                         int32_t size);
RVLISTCTRL_API int RvListCtrl_GetItemToolTip(RvList list, int32_t item, int32_t ignored,
                                             wchar_t* buffer, int32_t size);

// Geometry and scrolling.
RVLISTCTRL_API int RvListCtrl_GetItemRect(RvList list, int32_t item, int32_t column, int32_t* left,
                                          int32_t* top, int32_t* right, int32_t* bottom);
RVLISTCTRL_API int RvListCtrl_InvalidateItem(RvList list, int32_t item, int32_t column);
RVLISTCTRL_API int RvListCtrl_IsItemVisible(RvList list, int32_t item, int32_t column,
                                            int32_t partial);
RVLISTCTRL_API int RvListCtrl_EnsureItemVisible(RvList list, int32_t item, int32_t column);
RVLISTCTRL_API int RvListCtrl_GetTopItem(RvList list);
RVLISTCTRL_API int RvListCtrl_GetCountPerPage(RvList list, int32_t partial);
RVLISTCTRL_API int RvListCtrl_GetTotalHeight(RvList list);
RVLISTCTRL_API int RvListCtrl_GetTotalWidth(RvList list);

// Selection and sorting (key state: MK_SHIFT 0x4 extends, MK_CONTROL 0x8 toggles).
RVLISTCTRL_API int RvListCtrl_SelectItem(RvList list, int32_t item, int32_t column,
                                         uint32_t keyState);
RVLISTCTRL_API int RvListCtrl_IsSelected(RvList list, int32_t item);
RVLISTCTRL_API int RvListCtrl_GetSelectedItems(RvList list, int32_t* items, int32_t capacity);
RVLISTCTRL_API int RvListCtrl_ResetSelected(RvList list);
RVLISTCTRL_API int RvListCtrl_SetFocusItem(RvList list, int32_t item, int32_t column);
RVLISTCTRL_API int RvListCtrl_GetFocusItem(RvList list);
RVLISTCTRL_API int RvListCtrl_SetFocusSubItem(RvList list, int32_t on);
RVLISTCTRL_API int RvListCtrl_SetSingleSelect(RvList list, int32_t on);
RVLISTCTRL_API int RvListCtrl_SortColumn(RvList list, int32_t column);
RVLISTCTRL_API int RvListCtrl_SortItems(RvList list, int32_t columnIndex);
RVLISTCTRL_API int RvListCtrl_ReverseItems(RvList list);
RVLISTCTRL_API int RvListCtrl_GetSortColumn(RvList list, int32_t* column, int32_t* ascending);

// View.
RVLISTCTRL_API int RvListCtrl_ShowHeader(RvList list, int32_t on);
RVLISTCTRL_API int RvListCtrl_ShowHeaderSort(RvList list, int32_t on);
RVLISTCTRL_API int RvListCtrl_ShowThemed(RvList list, int32_t on);
RVLISTCTRL_API int RvListCtrl_ShowScrollBar(RvList list, int32_t bar, int32_t on);
RVLISTCTRL_API int RvListCtrl_IsScrollBarVisible(RvList list, int32_t bar);
RVLISTCTRL_API int RvListCtrl_ResetScrollBars(RvList list, int32_t bar, int32_t position,
                                              int32_t recalculate);
RVLISTCTRL_API int RvListCtrl_SetSmoothScroll(RvList list, int32_t on);
RVLISTCTRL_API int RvListCtrl_SetListColours(RvList list, uint32_t background, uint32_t text,
                                             uint32_t border, uint32_t frameOuter,
                                             uint32_t frameInner);
RVLISTCTRL_API int RvListCtrl_SetHighLightPattern(RvList list, int32_t mode, const wchar_t* pattern,
                                                  uint32_t colour);
RVLISTCTRL_API int RvListCtrl_ShowTitleTip(RvList list, int32_t x, int32_t y, int32_t item,
                                           int32_t column);
RVLISTCTRL_API int RvListCtrl_HideTitleTip(RvList list, int32_t reset);
