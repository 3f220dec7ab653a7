// Macro handlers hand their text to the host's macro engine.
#include "builder_fixture.h"
#include "hx_macro_engine.h"
#include "pe_exports.h"

#include <string>

namespace rvwtest {
namespace {

class MacroHandlers : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        button_ = Add(L"run", L"button");
    }
    // The replacement engine's record, once the builder has loaded it.
    int Calls() {
        auto count =
            testsupport::Exported<decltype(&HxEngine_CallCount)>(Engine(), "HxEngine_CallCount");
        return count ? count() : -1;
    }
    HxRecordedCall Call(int index) {
        auto get = testsupport::Exported<decltype(&HxEngine_GetCall)>(Engine(), "HxEngine_GetCall");
        HxRecordedCall call{};
        EXPECT_TRUE(get && get(index, &call));
        return call;
    }
    static HMODULE Engine() { return GetModuleHandleW(L"hx_macro_engine.dll"); }
    HWND button_ = nullptr;
};

TEST_F(MacroHandlers, AClickRunsTheMacroTextInTheEngine) {
    ASSERT_EQ(RvDialog_AddMacroMessageHandler(handle_, L"run", WM_COMMAND, BN_CLICKED, 0, 0, 0,
                                              L"Int_Beep(440);"),
              0);
    SendMessageW(button_, BM_CLICK, 0, 0);
    ASSERT_NE(Engine(), nullptr) << "loaded by name on first use";
    const int before = Calls() - 1;
    ASSERT_GE(before, 0);
    const HxRecordedCall call = Call(before);
    EXPECT_STREQ(call.text, L"Int_Beep(440);");
    EXPECT_EQ(call.length, 14);
    EXPECT_EQ(call.context, nullptr);
    EXPECT_TRUE(call.sourceIsText);
    EXPECT_EQ(call.flags, 0);

    SendMessageW(button_, BM_CLICK, 0, 0);
    EXPECT_EQ(Calls(), before + 2);
}

TEST_F(MacroHandlers, TheHandlerAnswersZeroAndLongTextIsCut) {
    const std::wstring text = L"Macro(" + std::wstring(300, L'1') + L");";
    RvDialog_AddMacroMessageHandler(handle_, L"", WM_APP, 0, 0, 0, 0, text.c_str());
    SendMessageW(dialog_, WM_APP, 0, 0); // loads the engine
    const int before = Calls();
    EXPECT_EQ(DialogProcOf(dialog_)(dialog_, WM_APP, 0, 0), 0);
    ASSERT_EQ(Calls(), before + 1);
    const HxRecordedCall call = Call(before);
    EXPECT_EQ(call.length, 256);
    EXPECT_EQ(std::wstring(call.text), text.substr(0, 256));
}

} // namespace
} // namespace rvwtest
