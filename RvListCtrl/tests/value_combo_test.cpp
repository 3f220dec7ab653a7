// Value drop-downs: a cell's value map (no export sets one) fills the
// drop-down, and the value of the chosen entry is stored as the cell's text.
#include "rv_list_ctrl.h"
#include "unmanaged_windows.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using rvl::CRvListCtrl;

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

class ValueCombo : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                  nullptr, nullptr, nullptr);
        window_ = CreateWindowExW(0, L"listbox", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300,
                                  parent_, nullptr, nullptr, nullptr);
        list_ = CRvListCtrl::Attach(window_);
        ASSERT_NE(list_, nullptr);
        list_->AddColumnExport(L"Gain", 150, -1, 0, FormatValueCombo, 0);
        for (int item = 0; item < 3; ++item)
            ASSERT_EQ(list_->AddItemExport(L"", -1, 0, 0), item);
        SetFocus(window_);
        ASSERT_EQ(GetFocus(), window_);
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND OpenCombo(int item) {
        EXPECT_EQ(list_->OpenEditor(item, 0), 1);
        HWND combo = list_->EditorWindow();
        return combo && IsWindowVisible(combo) ? combo : nullptr;
    }

    HWND parent_ = nullptr, window_ = nullptr;
    CRvListCtrl* list_ = nullptr;
};

TEST_F(ValueCombo, TheChosenEntrysValueIsStored) {
    auto map = std::make_shared<rvl::ValueMap>(
        rvl::ValueMap{{5, L"five"}, {1, L"one"}, {30000000000LL, L"thirty billion"}});
    ASSERT_TRUE(list_->SetValueMap(1, 0, map));
    list_->Cell(1, 0)->text = L"30000000000";
    HWND combo = OpenCombo(1);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    const LRESULT chosen = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    ASSERT_GE(chosen, 0);
    EXPECT_EQ(SendMessageW(combo, CB_GETITEMDATA, chosen, 0), 30000000000LL)
        << "the entry of the cell's value";
    const LRESULT one = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(L"one"));
    SendMessageW(combo, CB_SETCURSEL, one, 0);
    SendMessageW(combo, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(list_->Cell(1, 0)->text, L"1");
    EXPECT_FALSE(list_->IsEditing());

    // The map is shared, not copied: what its owner adds shows in the next edit.
    map->emplace(-7, L"minus seven");
    list_->Cell(1, 0)->text = L"-7";
    combo = OpenCombo(1);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 4);
    SendMessageW(combo, WM_CHAR, VK_ESCAPE, 0);
    EXPECT_EQ(list_->Cell(1, 0)->text, L"-7");
}

TEST_F(ValueCombo, WithoutValuesNothingOpens) {
    EXPECT_EQ(OpenCombo(0), nullptr) << "no map";
    list_->SetValueMap(0, 0, std::make_shared<rvl::ValueMap>());
    EXPECT_EQ(OpenCombo(0), nullptr) << "an empty map";
    EXPECT_FALSE(list_->IsEditing());
    EXPECT_FALSE(list_->SetValueMap(7, 0, nullptr)) << "no such item";
}

} // namespace
