// Command identifiers by menu path.
#include "window_tree.h"

namespace rvwtest {
namespace {

constexpr UINT kOpen = 101, kSave = 102, kRecentOne = 201, kAbout = 301;

// &File: "&Open...\tCtrl+O", "&Save", Recent > "one"; &Help: "&About".
HMENU TestMenu() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kOpen, L"&Open...\tCtrl+O");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kSave, L"&Save\tCtrl+S");
    HMENU recent = CreatePopupMenu();
    AppendMenuW(recent, MF_STRING, kRecentOne, L"one");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"Re&cent");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    HMENU help = CreatePopupMenu();
    AppendMenuW(help, MF_STRING, kAbout, L"&About");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), L"&Help");
    return bar;
}

class MenuTest : public ::testing::Test {
  protected:
    void SetUp() override { window_ = TopLevel(L"Menu owner", TestMenu()); }
    void TearDown() override { DestroyWindow(window_); }
    HWND window_ = nullptr;
};

TEST_F(MenuTest, PathsToCommands) {
    struct Case {
        const wchar_t* path;
        int result;
        uint32_t id;
    } cases[] = {
        {L"File|Open", 0, kOpen},
        {L"File|Open...", 0, kOpen},
        {L"F|S", 0, kSave},
        {L"File|Recent|one", 0, kRecentOne},
        {L"Help|About", 0, kAbout},
        {L"File|Open|more", 0, kOpen},
        {L"File", -2, 0},
        {L"File|Recent", -2, 0},
        {L"File|Close", -1, 0},
        {L"Edit", -1, 0},
        {L"File|Open...\tCtrl+O", -1, 0},
        {L"&File|Open", -1, 0},
    };
    for (const Case& c : cases) {
        uint32_t id = 0;
        EXPECT_EQ(RvWindow_FindMenuID(window_, c.path, &id), c.result) << c.path;
        EXPECT_EQ(id, c.id) << c.path;
    }
}

TEST_F(MenuTest, NoMenuNoPathNoOutParameter) {
    uint32_t id = 0;
    HWND plain = TopLevel(L"No menu");
    EXPECT_EQ(RvWindow_FindMenuID(plain, L"File", &id), -3);
    // A child window's identifier is no menu.
    HWND child = Child(plain, L"Button", L"child", 1234);
    EXPECT_EQ(RvWindow_FindMenuID(child, L"File", &id), -3);
    EXPECT_EQ(RvWindow_FindMenuID(reinterpret_cast<HWND>(0xDEAD0000), L"File", &id), -3);
    DestroyWindow(plain);
    EXPECT_EQ(RvWindow_FindMenuID(window_, nullptr, &id), -2);
    EXPECT_EQ(RvWindow_FindMenuID(window_, L"File|Open", nullptr), -1);
}

} // namespace
} // namespace rvwtest
