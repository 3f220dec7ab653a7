// In-place editing through real windows: a click opens the cell's editor,
// keys typed into it end the edit, and the list stores the value and tells
// its parent.
#include "list_fixture.h"
#include "message_pump.h"

#include <commctrl.h>

namespace rvltest {
namespace {

// The open (visible) editor of a class among the list's children, or null.
HWND OpenEditor(HWND list, const wchar_t* windowClass) {
    for (HWND child = FindWindowExW(list, nullptr, windowClass, nullptr); child;
         child = FindWindowExW(list, child, windowClass, nullptr))
        if (IsWindowVisible(child)) return child;
    return nullptr;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    return text;
}

void Type(HWND window, const std::wstring& characters) {
    for (wchar_t c : characters)
        SendMessageW(window, WM_CHAR, c, 0);
}

class Editing : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Name", 120, -1, 0, FormatEdit, 0), 1);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Note", 120, -1, 0, FormatEdit, 0), 1);
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Fixed", 80, -1, 0, FormatNone, 0), 1);
        AddItems(5);
        ASSERT_TRUE(Focus()) << "editing needs the keyboard focus";
        notifications_.clear();
    }
    // Clicks a cell and returns its open edit box.
    HWND EditCell(int item, int column) {
        Click(CellCentre(item, column));
        return OpenEditor(window_, L"Edit");
    }
    int Count(int code) const {
        int n = 0;
        for (const Notification& record : Notifications())
            n += record.code == code;
        return n;
    }
};

TEST_F(Editing, AClickOpensTheEditBoxOverTheCellWithItsTextSelected) {
    HWND edit = EditCell(2, 1);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(TextOf(edit), L"r2c1");
    DWORD start = 1, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    int32_t left, top, right, bottom;
    RvListCtrl_GetItemRect(list_, 2, 1, &left, &top, &right, &bottom);
    RECT r;
    GetWindowRect(edit, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, left + 2);
    EXPECT_EQ(r.top, top + 3);
    EXPECT_EQ(r.right, right - 3);
    EXPECT_EQ(r.bottom, bottom - 2);
}

TEST_F(Editing, EscapeStoresNothingAndReturnStores) {
    HWND edit = EditCell(1, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"changed");
    SendMessageW(edit, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_EQ(GetFocus(), window_) << "the focus is back on the list";
    EXPECT_EQ(ItemText(list_, 1, 0), L"r1");
    EXPECT_EQ(Count(ListModified), 0);

    edit = EditCell(1, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"stored");
    SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"stored");
    ASSERT_EQ(Count(ListModified), 1);
    EXPECT_EQ(Notifications().back().code, ListModified);
    EXPECT_EQ(Notifications().back().item, 1);
    EXPECT_EQ(Notifications().back().column, 0);

    // Losing the focus any other way stores too (key 0).
    edit = EditCell(3, 1);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"by a click elsewhere");
    Click(CellCentre(4, 2));
    EXPECT_EQ(ItemText(list_, 3, 1), L"by a click elsewhere");
    EXPECT_EQ(Count(ListModified), 2);
}

TEST_F(Editing, TabStoresAndOpensTheNextItemsEditor) {
    HWND edit = EditCell(1, 1);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"tabbed");
    SendMessageW(edit, WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(ItemText(list_, 1, 1), L"tabbed");
    HWND next = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        next = OpenEditor(window_, L"Edit");
        return next != nullptr;
    })) << "the posted Tab opens the next editor";
    EXPECT_EQ(TextOf(next), L"r2c1") << "the same column of the next item";
    EXPECT_EQ(RvListCtrl_IsSelected(list_, 2), 1);
    SendMessageW(next, WM_CHAR, VK_ESCAPE, 0);
}

TEST_F(Editing, TabInFocusSubItemModeOpensTheNextCell) {
    RvListCtrl_SetFocusSubItem(list_, 1);
    HWND edit = EditCell(3, 0);
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_CHAR, VK_TAB, 0);
    HWND next = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        next = OpenEditor(window_, L"Edit");
        return next != nullptr;
    }));
    EXPECT_EQ(TextOf(next), L"r3c1");
    // Tab again: the last column is not editable, so nothing opens there.
    SendMessageW(next, WM_CHAR, VK_TAB, 0);
    testsupport::PumpPending();
    EXPECT_EQ(OpenEditor(window_, L"Edit"), nullptr);
    EXPECT_EQ(RvListCtrl_IsSelected(list_, 3), 1) << "the focus moved on to the last cell";
}

TEST_F(Editing, F2EditsTheCurrentItemsFirstEditableCellAndTabWalksDownTheColumn) {
    RvListCtrl_SetColumnFormat(list_, 0, FormatNone, 0);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(OpenEditor(window_, L"Edit"), nullptr) << "selecting a row edits nothing";
    Key(VK_F2);
    HWND edit = OpenEditor(window_, L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), L"r1c1");
    SendMessageW(edit, WM_CHAR, VK_TAB, 0);
    HWND next = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        next = OpenEditor(window_, L"Edit");
        return next != nullptr;
    }));
    EXPECT_EQ(TextOf(next), L"r2c1");
    SendMessageW(next, WM_CHAR, VK_ESCAPE, 0);
}

TEST_F(Editing, ASelectionOffThePageOpensItsEditorOnceTheTimerHasScrolledToIt) {
    AddItems(40);
    ASSERT_EQ(RvListCtrl_IsItemVisible(list_, 30, 0, 0), 0);
    ASSERT_EQ(RvListCtrl_SelectItem(list_, 30, 0, 0), 1);
    EXPECT_EQ(OpenEditor(window_, L"Edit"), nullptr) << "not at once";
    HWND edit = nullptr;
    ASSERT_TRUE(testsupport::PumpUntil([&] {
        edit = OpenEditor(window_, L"Edit");
        return edit != nullptr;
    })) << "timer 1002 opens it";
    EXPECT_EQ(TextOf(edit), ItemText(list_, 30, 0));
    EXPECT_EQ(RvListCtrl_IsItemVisible(list_, 30, 0, 0), 1);
    SendMessageW(edit, WM_CHAR, VK_ESCAPE, 0);
}

TEST_F(Editing, TheNumberFilter) {
    struct Case {
        uint32_t flags;
        const wchar_t* text;  // in the cell
        const wchar_t* typed; // replaces the selected text
        const wchar_t* expected;
    };
    const Case cases[] = {
        {FlagNumber, L"", L"12a", L"12"},
        {FlagNumber, L"", L"1.5", L"15"},
        {FlagNumber, L"", L"<5", L"5"},
        {FlagNumber, L"", L"-3-", L"-3-"},
        {FlagFloat, L"", L"1.2.3", L"1.23"},
        {FlagNumber | FlagOperator, L"", L"<12", L"<12"},
        {FlagNumber | FlagOperator, L"", L"<1<2", L"<12"},
        {FlagNumber | FlagOperator, L"", L">=4=>", L">=4"},
        {FlagNumber | FlagNegative, L"12", L"-", L"-12"},
        {FlagNumber | FlagNegative, L"12", L"--", L"12"},
        {FlagFloat | FlagNegative, L"2.5", L"-", L"-2.500000"},
        {FlagNumber | FlagNegative | FlagOperator, L"<7", L"-", L"<-7"},
        {FlagNumber | FlagNegative, L"-2147483648", L"-", L"2147483648"},
        {FlagNumber, L"", L"12\b3", L"13"},
    };
    for (const Case& c : cases) {
        RvListCtrl_SetItemFormat(list_, 0, 0, FormatEdit, c.flags);
        RvListCtrl_SetItemText(list_, 0, 0, c.text);
        HWND edit = EditCell(0, 0);
        ASSERT_NE(edit, nullptr);
        if (c.typed[0] != L'-') SendMessageW(edit, EM_SETSEL, 0, -1);
        Type(edit, c.typed);
        EXPECT_EQ(TextOf(edit), c.expected) << "flags " << c.flags << ", typed " << c.typed;
        SendMessageW(edit, WM_CHAR, VK_ESCAPE, 0);
    }
    // Upper case and right alignment come from the flags.
    RvListCtrl_SetItemFormat(list_, 0, 0, FormatEdit, FlagUpperCase);
    HWND edit = EditCell(0, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_UPPERCASE);
    SendMessageW(edit, WM_CHAR, VK_ESCAPE, 0);
    RvListCtrl_SetItemFormat(list_, 0, 0, FormatEdit, FlagFloat);
    edit = EditCell(0, 0);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_RIGHT);
    SendMessageW(edit, WM_CHAR, VK_ESCAPE, 0);
}

TEST_F(Editing, CellsWithoutAnEditorOpenNothing) {
    RvListCtrl_SetItemFormat(list_, 2, 0, FormatEdit, FlagReadOnly);
    EXPECT_EQ(EditCell(2, 0), nullptr) << "read-only";
    EXPECT_EQ(EditCell(2, 2), nullptr) << "plain text";
    RvListCtrl_SetItemFormat(list_, 2, 1, FormatCheck, 0);
    EXPECT_EQ(EditCell(2, 1), nullptr) << "a check box toggles instead";
    RvListCtrl_SetItemFormat(list_, 2, 1, FormatValueCombo, 0);
    Click(CellCentre(2, 1));
    EXPECT_EQ(OpenEditor(window_, L"ComboBox"), nullptr) << "a value drop-down without values";
    EXPECT_EQ(Count(ListModified), 1) << "only the check box";
}

TEST_F(Editing, ScrollingAndTheWheelCloseTheEditorAndStore) {
    AddItems(30);
    HWND edit = EditCell(1, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"wheeled");
    SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_FALSE(IsWindowVisible(edit));
    EXPECT_EQ(ItemText(list_, 1, 0), L"wheeled");
    EXPECT_EQ(GetFocus(), window_);
    SendMessageW(window_, WM_VSCROLL, SB_TOP, 0);
    edit = EditCell(2, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"scrolled");
    SendMessageW(window_, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(ItemText(list_, 2, 0), L"scrolled");
}

TEST_F(Editing, DeletingTheEditedItemDropsTheEditWithoutStoringElsewhere) {
    HWND edit = EditCell(2, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"orphan");
    ASSERT_EQ(RvListCtrl_DeleteItem(list_, 2), 1);
    EXPECT_EQ(GetFocus(), window_);
    for (int item = 0; item < RvListCtrl_GetItemCount(list_); ++item)
        EXPECT_NE(ItemText(list_, item, 0), L"orphan") << "item " << item;
    EXPECT_EQ(Count(ListModified), 0);
    // Sorting moves the rows under an editor just as much.
    edit = EditCell(0, 0);
    ASSERT_NE(edit, nullptr);
    SetWindowTextW(edit, L"zz");
    RvListCtrl_ReverseItems(list_);
    EXPECT_EQ(ItemText(list_, 0, 0), L"r4");
    EXPECT_EQ(ItemText(list_, 3, 0), L"r0");
}

TEST_F(Editing, AnEndOfEditFromAnotherWindowIsIgnored) {
    const std::wstring text = L"forged";
    RvListNotify record{};
    record.header.hwndFrom = dialog_;
    record.header.code = static_cast<UINT>(ListEndEdit);
    record.item = 1;
    record.column = 0;
    record.text = text.c_str();
    SendMessageW(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(ItemText(list_, 1, 0), L"r1");
    EXPECT_EQ(Count(ListModified), 0);
}

// A parent that destroys its dialog when the list tells it `g_destroyOn`.
int g_destroyOn = 0;
WNDPROC g_beforeDestroyer = nullptr;
LRESULT CALLBACK DestroyingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam &&
        static_cast<int>(reinterpret_cast<const NMHDR*>(lParam)->code) == g_destroyOn) {
        DestroyWindow(window);
        return 0;
    }
    return CallWindowProcW(g_beforeDestroyer, window, message, wParam, lParam);
}

class DestroyingParent : public Editing {
  protected:
    void DestroyOn(int code) {
        g_destroyOn = code;
        g_beforeDestroyer = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(dialog_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DestroyingProc)));
    }
};

TEST_F(DestroyingParent, OnASelectionTheClickEndsQuietly) {
    DestroyOn(ListSelected);
    Click(CellCentre(2, 2));
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(RvListCtrl_IsRvListCtrl(list_), 0);
}

TEST_F(DestroyingParent, OnAStoredEditTheEditorEndsQuietly) {
    HWND edit = EditCell(2, 0);
    ASSERT_NE(edit, nullptr);
    DestroyOn(ListModified);
    SetWindowTextW(edit, L"last words");
    SendMessageW(edit, WM_CHAR, VK_RETURN, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_FALSE(IsWindow(edit));
}

class DateEditing : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"When", 200, -1, 0, FormatDateTime, 0), 1);
        AddItems(3);
        RvListCtrl_SetItemText(list_, 1, 0, L"20240309140512");
        ASSERT_TRUE(Focus());
        notifications_.clear();
    }
    HWND OpenPicker(uint32_t flags) {
        RvListCtrl_SetItemFormat(list_, 1, 0, FormatDateTime, flags);
        Click(CellCentre(1, 0));
        return OpenEditor(window_, DATETIMEPICK_CLASSW);
    }
};

TEST_F(DateEditing, ThePickerShowsTheStoredDateAndStoresTheNewOne) {
    HWND picker = OpenPicker(0);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(GetFocus(), picker);
    SYSTEMTIME shown{};
    ASSERT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
              GDT_VALID);
    EXPECT_EQ(shown.wYear, 2024);
    EXPECT_EQ(shown.wMonth, 3);
    EXPECT_EQ(shown.wDay, 9);
    EXPECT_EQ(shown.wHour, 14);
    SYSTEMTIME chosen{2025, 1, 0, 2, 3, 4, 5, 0};
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&chosen));
    SendMessageW(picker, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"20250102030405");
    ASSERT_FALSE(Notifications().empty());
    EXPECT_EQ(Notifications().back().code, ListModified);
}

TEST_F(DateEditing, ClosedInItsNoDateStateThePickerClearsTheCell) {
    HWND picker = OpenPicker(FlagDateNone);
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(GetWindowLongW(picker, GWL_STYLE) & DTS_SHOWNONE);
    SYSTEMTIME none{};
    ASSERT_TRUE(SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_NONE, reinterpret_cast<LPARAM>(&none)));
    SendMessageW(picker, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"");
    EXPECT_EQ(Notifications().back().code, ListModified);
    // An empty cell opens in the no-date state.
    picker = OpenPicker(FlagDateNone);
    ASSERT_NE(picker, nullptr);
    SYSTEMTIME shown{};
    EXPECT_EQ(SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
              GDT_NONE);
    SendMessageW(picker, WM_CHAR, VK_ESCAPE, 0);
}

TEST_F(DateEditing, TimeOnlyStoresNoDateAndDateOnlyNoTime) {
    HWND picker = OpenPicker(FlagTimeOnly);
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(GetWindowLongW(picker, GWL_STYLE) & DTS_UPDOWN);
    SYSTEMTIME shown{}, today{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
    GetLocalTime(&today);
    EXPECT_EQ(shown.wYear, today.wYear) << "the date part is today's";
    EXPECT_EQ(shown.wHour, 14);
    EXPECT_EQ(shown.wSecond, 12);
    SendMessageW(picker, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"00000000140512");

    RvListCtrl_SetItemText(list_, 1, 0, L"20240309140512");
    picker = OpenPicker(FlagDateOnly);
    ASSERT_NE(picker, nullptr);
    SendMessageW(picker, WM_CHAR, VK_TAB, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"20240309000000");
}

class ComboEditing : public ListTest {
  protected:
    void SetUp() override {
        ListTest::SetUp();
        ASSERT_EQ(RvListCtrl_AddColumn(list_, L"Lens", 150, -1, 0, FormatCombo, 0), 1);
        ASSERT_EQ(RvListCtrl_SetColumnComboList(list_, 0, FormatCombo, 0, L"60x|10x|20x"), 1);
        AddItems(3);
        RvListCtrl_SetItemText(list_, 1, 0, L"20x");
        ASSERT_TRUE(Focus());
        notifications_.clear();
    }
    HWND OpenCombo(uint32_t flags) {
        RvListCtrl_SetItemFormat(list_, 1, 0, FormatCombo, flags);
        Click(CellCentre(1, 0));
        return OpenEditor(window_, L"ComboBox");
    }
};

TEST_F(ComboEditing, TheListOffersTheEntriesWithTheCellsTextChosen) {
    HWND combo = OpenCombo(0);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1) << "sorted: 10x, 20x, 60x";
    EXPECT_TRUE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    SendMessageW(combo, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"60x");
    EXPECT_EQ(Notifications().back().code, ListModified);

    combo = OpenCombo(0);
    ASSERT_NE(combo, nullptr);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    SendMessageW(combo, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"60x");
}

TEST_F(ComboEditing, AnEditableDropDownStoresWhatIsTypedThroughTheNumberFilter) {
    HWND combo = OpenCombo(FlagComboEdit | FlagNumber);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(TextOf(combo), L"20x");
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    HWND field = info.hwndItem;
    EXPECT_EQ(SendMessageW(field, WM_GETDLGCODE, 0, 0), DLGC_WANTALLKEYS);
    SendMessageW(field, EM_SETSEL, 0, -1);
    Type(field, L"4x0");
    EXPECT_EQ(TextOf(field), L"40");
    SendMessageW(field, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(ItemText(list_, 1, 0), L"40");
}

} // namespace
} // namespace rvltest
