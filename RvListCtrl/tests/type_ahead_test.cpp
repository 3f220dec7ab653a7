// Type-ahead search over the tick counter the list reads, driven here, so
// that "within 800 ms" and "after a second" need no waiting.
#include "clock.h"
#include "rv_list_ctrl.h"
#include "unmanaged_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rvl::CRvListCtrl;

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

DWORD g_now = 0;
DWORD DrivenTicks() {
    return g_now;
}

class TypeAhead : public ::testing::Test {
  protected:
    void SetUp() override {
        rvl::SetTickSource(&DrivenTicks);
        g_now = 0xFFFFF000u; // just before the counter wraps
        parent_ = CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
        window_ = CreateWindowExW(0, L"listbox", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300,
                                  parent_, nullptr, nullptr, nullptr);
        list_ = CRvListCtrl::Attach(window_);
        ASSERT_NE(list_, nullptr);
        list_->AddColumnExport(L"Name", 100, -1, 0, 0, 0);
        list_->AddColumnExport(L"Code", 100, -1, 0, 0, 0);
        const wchar_t* names[] = {L"Apple", L"banana", L"Abacus", L"apricot",
                                  L"Berry", L"cherry", L"ABBEY"};
        int item = 0;
        for (const wchar_t* name : names) {
            ASSERT_EQ(list_->AddItemExport(name, -1, 0, 0), item);
            list_->Cell(item, 1)->text = std::wstring(1, static_cast<wchar_t>(L'z' - item));
            ++item;
        }
    }
    void TearDown() override {
        DestroyWindow(parent_);
        rvl::SetTickSource(nullptr);
    }
    // Types a letter `after` milliseconds after the last one.
    int Type(wchar_t letter, DWORD after) {
        g_now += after;
        SendMessageW(window_, WM_KEYDOWN, letter, 0);
        return list_->CurrentItem();
    }

    HWND parent_ = nullptr, window_ = nullptr;
    CRvListCtrl* list_ = nullptr;
};

TEST_F(TypeAhead, LettersWithin800MsExtendTheSearchAndAPauseStartsAgain) {
    EXPECT_EQ(Type(L'A', 0), 0) << "Apple, the first match";
    EXPECT_EQ(Type(L'B', 100), 2) << "Abacus: \"ab\" in either case, after Apple";
    EXPECT_EQ(Type(L'B', 799), 6) << "ABBEY: still within 800 ms of the last letter";
    EXPECT_EQ(Type(L'B', 1000), 1) << "after a second B alone: banana, wrapping round";
    EXPECT_EQ(Type(L'B', 800), 4) << "800 ms is a pause too: the next B after banana";
    EXPECT_EQ(Type(L'Q', 50), 4) << "\"bq\" matches nothing; the selection stays";
}

TEST_F(TypeAhead, TheSortColumnIsSearchedAndControlOrOtherKeysDoNot) {
    list_->ShowHeaderSort(true);
    list_->SortColumn(1); // z, y, x ... ascending: ABBEY first
    EXPECT_EQ(list_->Cell(0, 0)->text, L"ABBEY");
    EXPECT_EQ(Type(L'Y', 0), 5) << "the code column: banana's \"y\"";
    EXPECT_EQ(list_->Cell(5, 0)->text, L"banana");
    const int before = list_->CurrentItem();
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    EXPECT_EQ(Type(L'Z', 2000), before) << "Control+letter is no search";
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(Type(L'5', 2000), before) << "only letters count";
    EXPECT_EQ(Type(L'Z', 0), 6);
}

} // namespace
