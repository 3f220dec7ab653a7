// The window-path language of RvWindow_FindWindowDeep.
#include "window_tree.h"

#include <string>

namespace rvwtest {
namespace {

// top
//   "Main window" (tree class)
//     "Panel A" (Static) > "OK" (Button)
//     "Status" (Static)
//     "Panel B" (Static) > "OKAY" (Button), "OK" (Button)
//   "Tools" (Static)
//     "Apply note" (Static), "Apply" (Button), "Close" (Button)
class WindowPathTest : public WindowTree {
  protected:
    void SetUp() override {
        WindowTree::SetUp();
        main_ = Child(top_, kTreeClass, L"Main window");
        panelA_ = Child(main_, L"Static", L"Panel A");
        okA_ = Child(panelA_, L"Button", L"OK");
        Child(main_, L"Static", L"Status");
        panelB_ = Child(main_, L"Static", L"Panel B");
        okay_ = Child(panelB_, L"Button", L"OKAY");
        okB_ = Child(panelB_, L"Button", L"OK");
        tools_ = Child(top_, L"Static", L"Tools");
        note_ = Child(tools_, L"Static", L"Apply note");
        apply_ = Child(tools_, L"Button", L"Apply");
        close_ = Child(tools_, L"Button", L"Close");
    }

    // The window the path reaches, or null with the result in `result`.
    HWND Deep(const wchar_t* path, int* result = nullptr) {
        uint32_t found = 0xDEAD;
        const int r = RvWindow_FindWindowDeep(topHandle_, path, &found);
        if (result) *result = r;
        return r == 0 ? WindowOf(found) : nullptr;
    }

    HWND main_, panelA_, okA_, panelB_, okay_, okB_, tools_, note_, apply_, close_;
};

TEST_F(WindowPathTest, StepsByTitlePrefixIndexAndExactTitle) {
    EXPECT_EQ(Deep(L"Main.Panel[1].OK$"), okB_);
    EXPECT_EQ(Deep(L"Main.Panel[1].OK"), okay_);
    EXPECT_EQ(Deep(L"Main.Panel.OK$"), okA_);
    EXPECT_EQ(Deep(L"Main.Panel[1].OK[1]"), okB_);
    EXPECT_EQ(Deep(L"Main window$.Status$"), GetWindow(panelA_, GW_HWNDNEXT));
}

TEST_F(WindowPathTest, ClassFormNeedsTheExactClass) {
    EXPECT_EQ(Deep(L"Tools.Apply"), note_);
    EXPECT_EQ(Deep(L"Tools.Apply(Button)"), apply_);
    EXPECT_EQ(Deep(L"Tools.Apply(Static)"), note_);
    EXPECT_EQ(Deep(L"Tools.Apply$(Static)"), nullptr);
    EXPECT_EQ(Deep(L"Tools.Apply$(Button)"), apply_);
    EXPECT_EQ(Deep(L"Tools.(Button)[1]"), close_);
    int result = 0;
    EXPECT_EQ(Deep(L"Tools.Apply(Butto)", &result), nullptr);
    EXPECT_EQ(result, -3);
    EXPECT_EQ(Deep(L"Tools.Apply(button)", &result), nullptr);
    EXPECT_EQ(result, -3);
}

TEST_F(WindowPathTest, AStepFallsBackToAClassPrefix) {
    // No title begins with "Butt": the first child whose class does.
    EXPECT_EQ(Deep(L"Tools.Butt"), apply_);
    EXPECT_EQ(Deep(L"Tools.Butt[1]"), close_);
    EXPECT_EQ(Deep(L"RvAutomation"), main_);
}

TEST_F(WindowPathTest, EmptyStepsAndTheEmptyPath) {
    EXPECT_EQ(Deep(L""), top_);
    EXPECT_EQ(Deep(L"[1]"), tools_);
    EXPECT_EQ(Deep(L"Main.[2].[1]"), okB_);
    uint32_t found = 0;
    EXPECT_EQ(RvWindow_FindWindowDeep(0, L"Automation tree.Tools.Close$", &found), 0);
    EXPECT_EQ(WindowOf(found), close_);
}

TEST_F(WindowPathTest, AStepThatFindsNothingGivesMinusThreeAndZero) {
    const std::wstring longStep = L"Main." + std::wstring(256, L'P');
    const std::wstring longestStep = L"Main." + std::wstring(255, L'P');
    for (const wchar_t* path :
         {L"Nothing", L"Main.Panel[2]", L"Main.Panel[1].OK$.x", L"Main.Panel[x]", L"Main.Panel[1",
          L"Main.Panel[]", L"Main.Panel[1]x", L"Main.Panel[99999999999]", L"Main.OK",
          longStep.c_str(), longestStep.c_str()}) {
        uint32_t found = 0xDEAD;
        EXPECT_EQ(RvWindow_FindWindowDeep(topHandle_, path, &found), -3) << path;
        EXPECT_EQ(found, 0u) << path;
    }
}

TEST_F(WindowPathTest, AnsiPathAndBadArguments) {
    uint32_t found = 0;
    EXPECT_EQ(RvWindow_FindWindowDeepA(topHandle_, "Main.Panel[1].OK$", &found), 0);
    EXPECT_EQ(WindowOf(found), okB_);
    EXPECT_EQ(RvWindow_FindWindowDeep(topHandle_, nullptr, &found), -2);
    EXPECT_EQ(RvWindow_FindWindowDeepA(topHandle_, nullptr, &found), -2);
    EXPECT_EQ(RvWindow_FindWindowDeep(topHandle_, L"Main", nullptr), -1);
}

} // namespace
} // namespace rvwtest
