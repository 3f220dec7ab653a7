// RvWindow_FindWindow (title or class among direct children) and the
// depth-first searches by identifier and by text.
#include "window_tree.h"

#include <string>

namespace rvwtest {
namespace {

using FindWindowTest = WindowTree;

TEST_F(FindWindowTest, ClassOnlyFindsTheFirstChildOfThatClass) {
    Child(top_, L"Static", L"label");
    HWND first = Child(top_, L"Button", L"one");
    Child(top_, L"Button", L"two");
    uint32_t found = 0xDEAD;
    EXPECT_EQ(RvWindow_FindWindow(topHandle_, L"Button", nullptr, &found), 0);
    EXPECT_EQ(WindowOf(found), first);
    EXPECT_EQ(RvWindow_FindWindowA(topHandle_, "Button", nullptr, &found), 0);
    EXPECT_EQ(WindowOf(found), first);
}

TEST_F(FindWindowTest, TitleOrClassMatchesWhicheverChildComesFirst) {
    HWND target = Child(top_, L"Button", L"Target");
    Child(top_, L"Static", L"label");
    uint32_t found = 0;
    // The title matches though the class is another one.
    EXPECT_EQ(RvWindow_FindWindow(topHandle_, L"Static", L"Target", &found), 0);
    EXPECT_EQ(WindowOf(found), target);
    // The class matches a window before any title does.
    HWND label = GetWindow(target, GW_HWNDNEXT);
    EXPECT_EQ(RvWindow_FindWindow(topHandle_, L"Static", L"Absent", &found), 0);
    EXPECT_EQ(WindowOf(found), label);
}

TEST_F(FindWindowTest, OnlyDirectChildrenExactTitlesAndExactClasses) {
    HWND panel = Child(top_, L"Static", L"panel");
    Child(panel, L"Button", L"Deep");
    Child(top_, L"Button", L"Deeper");
    uint32_t found = 0xDEAD;
    for (const wchar_t* title : {L"Deep", L"deeper", L"Deepe"}) {
        EXPECT_EQ(RvWindow_FindWindow(topHandle_, nullptr, title, &found), 0);
        EXPECT_EQ(found, 0u) << title;
    }
    EXPECT_EQ(RvWindow_FindWindow(topHandle_, L"Butto", nullptr, &found), 0);
    EXPECT_EQ(found, 0u);
}

TEST_F(FindWindowTest, TopLevelWindowsUnderParentZero) {
    uint32_t found = 0;
    EXPECT_EQ(RvWindow_FindWindow(0, nullptr, L"Automation tree", &found), 0);
    EXPECT_EQ(WindowOf(found), top_);
}

TEST_F(FindWindowTest, TitlesLongerThanTheReadLimitNeverMatch) {
    const std::wstring longTitle(300, L'x');
    Child(top_, L"Button", longTitle.c_str());
    uint32_t found = 0xDEAD;
    for (size_t length : {254u, 255u, 300u}) {
        const std::wstring wanted(length, L'x');
        EXPECT_EQ(RvWindow_FindWindow(topHandle_, nullptr, wanted.c_str(), &found), 0);
        EXPECT_EQ(found, 0u) << length;
    }
}

TEST_F(FindWindowTest, NoNamesOrNoOutParameter) {
    uint32_t found = 0;
    EXPECT_EQ(RvWindow_FindWindow(topHandle_, nullptr, nullptr, &found), -2);
    EXPECT_EQ(RvWindow_FindWindowA(topHandle_, nullptr, nullptr, &found), -2);
    EXPECT_EQ(RvWindow_FindWindow(topHandle_, L"Button", nullptr, nullptr), -1);
}

using DepthFirstTest = WindowTree;

// top: first(id 1) > inner(id 7, "Needle"), then second(id 7, "Needle").
TEST_F(DepthFirstTest, DescendantsOfAChildComeBeforeItsSiblings) {
    HWND first = Child(top_, L"Static", L"first", 1);
    HWND inner = Child(first, L"Button", L"Needle", 7);
    Child(top_, L"Button", L"Needle", 7);
    uint32_t found = 0;
    EXPECT_EQ(RvWindow_FindWindowByID(topHandle_, 7, &found), 0);
    EXPECT_EQ(WindowOf(found), inner);
    EXPECT_EQ(RvWindow_FindWindowByText(topHandle_, L"Needle", &found), 0);
    EXPECT_EQ(WindowOf(found), inner);
    EXPECT_EQ(RvWindow_FindWindowByID(topHandle_, 1, &found), 0);
    EXPECT_EQ(WindowOf(found), first);
}

TEST_F(DepthFirstTest, MissesAndBadArguments) {
    Child(Child(top_, L"Static", L"first", 1), L"Button", L"Needle", 7);
    uint32_t found = 0xDEAD;
    EXPECT_EQ(RvWindow_FindWindowByID(topHandle_, 99, &found), 0);
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(RvWindow_FindWindowByID(topHandle_, 0, &found), -2);
    EXPECT_EQ(RvWindow_FindWindowByID(topHandle_, 7, nullptr), -1);
    found = 0xDEAD;
    EXPECT_EQ(RvWindow_FindWindowByText(topHandle_, L"Needl", &found), -1);
    EXPECT_EQ(found, 0u);
    EXPECT_EQ(RvWindow_FindWindowByText(topHandle_, nullptr, &found), -1);
    EXPECT_EQ(RvWindow_FindWindowByText(topHandle_, L"Needle", nullptr), -1);
}

} // namespace
} // namespace rvwtest
