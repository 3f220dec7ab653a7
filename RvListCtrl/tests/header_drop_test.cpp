// Header drag and drop, through the list's own drop target and data object:
// the moved column keeps its index field and every item keeps its cells.
#include "header_drop.h"
#include "rv_list_ctrl.h"
#include "unmanaged_windows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using rvl::CRvListCtrl;

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

class HeaderDrop : public ::testing::Test {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        parent_ = CreateWindowExW(0, L"static", L"", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr,
                                  nullptr, nullptr);
        window_ = CreateWindowExW(0, L"listbox", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 200,
                                  parent_, nullptr, nullptr, nullptr);
        list_ = CRvListCtrl::Attach(window_);
        ASSERT_NE(list_, nullptr);
        for (const wchar_t* title : {L"A", L"B", L"C", L"D"})
            list_->AddColumnExport(title, kWidth, -1, 0, 0, 0);
        for (int item = 0; item < 3; ++item) {
            ASSERT_EQ(list_->AddItemExport(L"", -1, 0, 0), item);
            for (int index = 0; index < 4; ++index)
                list_->Cell(item, index)->text = Text(item, index);
        }
    }
    void TearDown() override {
        DestroyWindow(parent_);
        OleUninitialize();
    }
    static std::wstring Text(int item, int index) {
        return std::to_wstring(item) + L":" + std::to_wstring(index);
    }
    // A point in the header, `x` pixels from the list's left edge, on the screen.
    POINTL HeaderPoint(int x) const {
        POINT p{x, 4};
        ClientToScreen(window_, &p);
        return POINTL{p.x, p.y};
    }
    std::wstring Titles() const {
        std::wstring titles;
        for (int i = 0; i < list_->ColumnCount(); ++i)
            titles += list_->ColumnAt(i)->title;
        return titles;
    }
    // Drags `column` with `data` and drops it at `x`; the effect the target gave.
    DWORD DragAndDrop(int column, IDataObject* data, int x) {
        auto* target = new rvl::HeaderDropTarget(list_);
        list_->PrepareHeaderDrag(column);
        DWORD effect = DROPEFFECT_MOVE;
        target->DragEnter(data, MK_LBUTTON, HeaderPoint(x), &effect);
        target->DragOver(MK_LBUTTON, HeaderPoint(x), &effect);
        entered_ = effect;
        effect = DROPEFFECT_MOVE;
        target->Drop(data, 0, HeaderPoint(x), &effect);
        list_->EndHeaderDrag();
        target->Release();
        return effect;
    }
    IDataObject* DataOf(HWND window) const {
        return new rvl::HeaderDataObject(window, list_->ClipboardFormat());
    }

    static constexpr int kWidth = 60;
    HWND parent_ = nullptr, window_ = nullptr;
    CRvListCtrl* list_ = nullptr;
    DWORD entered_ = 0;
};

TEST_F(HeaderDrop, ColumnZeroDroppedBehindColumnTwo) {
    IDataObject* data = DataOf(window_);
    EXPECT_EQ(DragAndDrop(0, data, 2 * kWidth + kWidth * 3 / 4), DWORD{DROPEFFECT_MOVE});
    data->Release();
    EXPECT_EQ(entered_, DWORD{DROPEFFECT_MOVE});
    EXPECT_EQ(Titles(), L"BCAD");
    const int indices[] = {1, 2, 0, 3};
    for (int position = 0; position < 4; ++position)
        EXPECT_EQ(list_->ColumnAt(position)->index, indices[position]);
    for (int item = 0; item < 3; ++item)
        for (int index = 0; index < 4; ++index)
            EXPECT_EQ(list_->Cell(item, index)->text, Text(item, index));
}

TEST_F(HeaderDrop, TheLeftHalfOfAColumnIsTheGapBeforeIt) {
    IDataObject* data = DataOf(window_);
    EXPECT_EQ(DragAndDrop(3, data, kWidth + 5), DWORD{DROPEFFECT_MOVE});
    EXPECT_EQ(Titles(), L"ADBC");
    data->Release();
}

TEST_F(HeaderDrop, NoMoveOntoItselfOrForAnotherList) {
    IDataObject* data = DataOf(window_);
    for (int x : {kWidth + 5, 2 * kWidth - 5, 2 * kWidth + 5}) { // gaps 1 and 2 around column 1
        SCOPED_TRACE(x);
        EXPECT_EQ(DragAndDrop(1, data, x), DWORD{DROPEFFECT_NONE});
        EXPECT_EQ(entered_, DWORD{DROPEFFECT_NONE});
    }
    EXPECT_EQ(DragAndDrop(1, data, 400 - 5), DWORD{DROPEFFECT_NONE}) << "right of the columns";
    data->Release();
    IDataObject* foreign = DataOf(parent_);
    EXPECT_EQ(DragAndDrop(0, foreign, 3 * kWidth + 50), DWORD{DROPEFFECT_NONE});
    foreign->Release();
    EXPECT_EQ(Titles(), L"ABCD");
}

TEST_F(HeaderDrop, TheArrowsMarkTheGap) {
    auto* target = new rvl::HeaderDropTarget(list_);
    IDataObject* data = DataOf(window_);
    list_->PrepareHeaderDrag(0);
    DWORD effect = DROPEFFECT_MOVE;
    target->DragEnter(data, MK_LBUTTON, HeaderPoint(2 * kWidth + 40), &effect);
    HWND arrows = FindWindowW(L"RvListCtrlDragArrows", nullptr);
    ASSERT_NE(arrows, nullptr);
    EXPECT_TRUE(IsWindowVisible(arrows));
    RECT r;
    GetWindowRect(arrows, &r);
    POINT gap{3 * kWidth, 0};
    ClientToScreen(window_, &gap);
    EXPECT_EQ((r.left + r.right) / 2, gap.x) << "centred on the gap";
    EXPECT_EQ(r.right - r.left, 12);
    EXPECT_TRUE(GetWindowLongPtrW(arrows, GWL_STYLE) & WS_DISABLED);
    EXPECT_TRUE(GetWindowLongPtrW(arrows, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    target->DragLeave();
    EXPECT_FALSE(IsWindowVisible(arrows));
    list_->EndHeaderDrag();
    target->Release();
    data->Release();
}

} // namespace
