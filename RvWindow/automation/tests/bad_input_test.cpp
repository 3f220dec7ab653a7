// Garbage handles and unusable pointers for every window export: a failure
// value, never a crash, and nothing written where it may not be.
#include "window_tree.h"

#include "test_memory.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rvwtest {
namespace {

constexpr uint32_t kGarbage[] = {0xDEADBEEFu, 0x00000001u, 0xFFFFFFFFu};

struct Row {
    const char* name;
    std::function<INT_PTR(uint32_t)> call;
    INT_PTR expected;
};

std::vector<Row> WindowRows() {
    static uint32_t out;
    static int32_t coordinate;
    return {
        {"FindWindow", [](uint32_t w) { return RvWindow_FindWindow(w, L"Button", L"x", &out); }, 0},
        {"FindWindowByID", [](uint32_t w) { return RvWindow_FindWindowByID(w, 3, &out); }, 0},
        {"FindWindowByText", [](uint32_t w) { return RvWindow_FindWindowByText(w, L"x", &out); },
         -1},
        {"FindWindowDeep", [](uint32_t w) { return RvWindow_FindWindowDeep(w, L"a.b", &out); }, -3},
        {"SendMessage", [](uint32_t w) { return RvWindow_SendMessage(w, WM_APP, 1, 2); }, 0},
        {"SendMessage64", [](uint32_t w) { return RvWindow_SendMessage64(w, WM_APP, 1, 2); }, 0},
        {"SendMessagePointer",
         [](uint32_t w) { return RvWindow_SendMessagePointer(w, WM_APP, 1, &out); }, 0},
        {"SendMessageString",
         [](uint32_t w) { return RvWindow_SendMessageString(w, WM_SETTEXT, 0, L"x"); }, 0},
        {"SendMessageStringA",
         [](uint32_t w) { return RvWindow_SendMessageStringA(w, WM_SETTEXT, 0, "x"); }, 0},
        {"PostMessage", [](uint32_t w) { return RvWindow_PostMessage(w, WM_APP, 0, 0); }, 0},
        {"GetWindowLong", [](uint32_t w) { return RvWindow_GetWindowLong(w, GWL_STYLE); }, 0},
        {"SetWindowLong", [](uint32_t w) { return RvWindow_SetWindowLong(w, GWL_ID, 1); }, 0},
        {"GetWindowPos",
         [](uint32_t w) { return RvWindow_GetWindowPos(w, &coordinate, &coordinate); }, 0},
        {"GetWindowRect",
         [](uint32_t w) {
             return RvWindow_GetWindowRect(w, &coordinate, &coordinate, &coordinate, &coordinate);
         },
         0},
        {"GetWindowSize",
         [](uint32_t w) { return RvWindow_GetWindowSize(w, &coordinate, &coordinate); }, 0},
        {"SetWindowPos", [](uint32_t w) { return RvWindow_SetWindowPos(w, 1, 2); }, 0},
        {"SetWindowRect", [](uint32_t w) { return RvWindow_SetWindowRect(w, 1, 2, 3, 4); }, 0},
        {"SetWindowSize", [](uint32_t w) { return RvWindow_SetWindowSize(w, 1, 2); }, 0},
        {"ShowWindow", [](uint32_t w) { return RvWindow_ShowWindow(w, SW_SHOW); }, 0},
        {"SetForeground", [](uint32_t w) { return RvWindow_SetForeground(w); }, 0},
        {"DestroyWindow", [](uint32_t w) { return RvWindow_DestroyWindow(w); }, 0},
    };
}

TEST(AutomationBadInput, GarbageWindowHandles) {
    for (const Row& row : WindowRows())
        for (uint32_t garbage : kGarbage)
            EXPECT_EQ(row.call(garbage), row.expected) << row.name << " " << garbage;
    uint32_t related = 7;
    for (uint32_t garbage : kGarbage) {
        EXPECT_EQ(RvWindow_GetParent(garbage, &related), 0);
        EXPECT_EQ(related, 0u);
        EXPECT_EQ(RvWindow_IsWindowVisible(garbage, &related), 0);
        EXPECT_EQ(related, 0u);
    }
}

// Out-parameters at an unmapped address, in read-only memory and straddling
// the end of committed memory.
class BadOutParameters : public WindowTree {
  protected:
    void SetUp() override {
        WindowTree::SetUp();
        Child(top_, L"Button", L"x", 3);
        const uint32_t preset = 0x5A5A5A5Au;
        readOnly_ = std::make_unique<testsupport::ReadOnlyPage>(&preset, sizeof preset);
        outs_ = {static_cast<uint32_t*>(testsupport::UnmappedAddress()),
                 static_cast<uint32_t*>(readOnly_->data()),
                 static_cast<uint32_t*>(edge_.Straddling(&preset, sizeof preset, 2))};
    }
    std::unique_ptr<testsupport::ReadOnlyPage> readOnly_;
    testsupport::RegionEdge edge_;
    std::vector<uint32_t*> outs_;
};

TEST_F(BadOutParameters, EverySearchRefusesThem) {
    for (uint32_t* out : outs_) {
        EXPECT_EQ(RvWindow_FindWindow(topHandle_, L"Button", nullptr, out), -1);
        EXPECT_EQ(RvWindow_FindWindowA(topHandle_, "Button", nullptr, out), -1);
        EXPECT_EQ(RvWindow_FindWindowByID(topHandle_, 3, out), -1);
        EXPECT_EQ(RvWindow_FindWindowByText(topHandle_, L"x", out), -1);
        EXPECT_EQ(RvWindow_FindWindowDeep(topHandle_, L"x", out), -1);
        EXPECT_EQ(RvWindow_FindWindowDeepA(topHandle_, "x", out), -1);
        EXPECT_EQ(RvWindow_GetMainWindow(nullptr, nullptr, out), -1);
        EXPECT_EQ(RvWindow_GetMainWindowNext(nullptr, nullptr, out), -1);
        EXPECT_EQ(RvWindow_FindMenuID(top_, L"File", out), -1);
        EXPECT_EQ(RvWindow_GetParent(HandleOf(GetWindow(top_, GW_CHILD)), out), -1);
        EXPECT_EQ(RvWindow_GetWindow(topHandle_, GW_CHILD, out), -1);
        EXPECT_EQ(RvWindow_IsWindowVisible(topHandle_, out), -1);
    }
    EXPECT_EQ(*static_cast<uint32_t*>(readOnly_->data()), 0x5A5A5A5Au);
}

TEST_F(BadOutParameters, UnreadableTextsCountAsNone) {
    const auto* unreadable = static_cast<const wchar_t*>(testsupport::UnmappedAddress());
    const auto* unreadableA = static_cast<const char*>(testsupport::UnmappedAddress());
    // A string running into the reserved page, with no terminator before it.
    const std::wstring letters(testsupport::PageSize() / sizeof(wchar_t), L'x');
    const auto* unterminated = static_cast<const wchar_t*>(
        edge_.EndingAtEdge(letters.data(), letters.size() * sizeof(wchar_t)));
    uint32_t out = 0;
    for (const wchar_t* bad : {unreadable, unterminated}) {
        EXPECT_EQ(RvWindow_FindWindow(topHandle_, bad, bad, &out), -2);
        EXPECT_EQ(RvWindow_FindWindowByText(topHandle_, bad, &out), -1);
        EXPECT_EQ(RvWindow_FindWindowDeep(topHandle_, bad, &out), -2);
        EXPECT_EQ(RvWindow_FindMenuID(top_, bad, &out), -2);
        EXPECT_EQ(RvWindow_GetMainWindow(bad, bad, &out), 0);
        EXPECT_EQ(RvWindow_SendMessageString(topHandle_, WM_SETTEXT, 0, bad), 0);
    }
    EXPECT_EQ(RvWindow_FindWindowA(topHandle_, unreadableA, unreadableA, &out), -2);
    EXPECT_EQ(RvWindow_FindWindowDeepA(topHandle_, unreadableA, &out), -2);
    EXPECT_EQ(RvWindow_GetMainWindowA(unreadableA, unreadableA, &out), 0);
    EXPECT_EQ(RvWindow_SendMessageStringA(topHandle_, WM_SETTEXT, 0, unreadableA), TRUE);
}

} // namespace
} // namespace rvwtest
