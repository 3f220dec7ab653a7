// The PMT gain edit and the high-voltage window it watches.
#include "control_fixture.h"

namespace rvwtest {
namespace {

class GainEdit : public BuilderDialog {
  protected:
    void SetUp() override {
        BuilderDialog::SetUp();
        voltage_ = Add(L"hv", L"edit", 0, 0, 50);
        gain_ = Add(L"gain", L"RvPMTGainEdit", ES_READONLY, 52, 50);
        ASSERT_EQ(RvPMTGainEdit_IsRvPMTGainEditWindow(HandleOf(gain_)), 1);
    }
    HWND voltage_ = nullptr, gain_ = nullptr;
};

TEST_F(GainEdit, TheGainFollowsTheHighVoltageText) {
    ASSERT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(gain_), HandleOf(voltage_)), 1);
    const struct {
        const wchar_t* voltage;
        const wchar_t* gain;
    } cases[] = {{L"1000", L"11.00"}, {L"10", L"off"},   {L"0", L"off"},     {L"-50", L"off"},
                 {L"volts", L"off"},  {L"100", L"4.00"}, {L"850V", L"10.51"}};
    for (const auto& c : cases) {
        SetWindowTextW(voltage_, c.voltage);
        EXPECT_EQ(TextOf(gain_), c.gain) << std::wstring(c.voltage).size();
    }
    SetWindowTextW(voltage_, L"1000");
    ASSERT_EQ(RvPMTGainEdit_SetCalibration(HandleOf(gain_), 1, 0), 1);
    EXPECT_EQ(TextOf(gain_), L"3.00");
    ASSERT_EQ(RvPMTGainEdit_SetCalibration(HandleOf(gain_), 5e307, 0), 1);
    EXPECT_EQ(TextOf(gain_).size(), 63u) << "312 characters, cut to 63";
    EXPECT_EQ(TextOf(gain_).substr(0, 2), L"15");
    ASSERT_EQ(RvPMTGainEdit_SetCalibration(HandleOf(gain_), 1e308, 0), 1);
    EXPECT_EQ(TextOf(gain_), L"off") << "beyond the largest double";
}

TEST_F(GainEdit, ReattachingGivesTheFirstWindowItsProcedureBack) {
    HWND second = Add(L"hv2", L"edit", 0, 0, 50);
    const LONG_PTR firstProcedure = GetWindowLongPtrW(voltage_, GWLP_WNDPROC);
    ASSERT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(gain_), HandleOf(voltage_)), 1);
    EXPECT_NE(GetWindowLongPtrW(voltage_, GWLP_WNDPROC), firstProcedure);
    ASSERT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(gain_), HandleOf(second)), 1);
    EXPECT_EQ(GetWindowLongPtrW(voltage_, GWLP_WNDPROC), firstProcedure);
    SetWindowTextW(second, L"1000");
    EXPECT_EQ(TextOf(gain_), L"11.00");
    SetWindowTextW(voltage_, L"100");
    EXPECT_EQ(TextOf(gain_), L"11.00") << "the first window is no longer watched";
}

TEST_F(GainEdit, AWatchedWindowBelongsToOneGainEditAtATime) {
    HWND other = Add(L"gain2", L"RvPMTGainEdit", 0, 0, 50);
    ASSERT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(gain_), HandleOf(voltage_)), 1);
    EXPECT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(other), HandleOf(voltage_)), 0);
    EXPECT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(other), HandleOf(other)), 0);
    EXPECT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(other), 0), 0);
    EXPECT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(other), 0x7FFF0000u), 0);
    SetWindowTextW(voltage_, L"1000");
    EXPECT_EQ(TextOf(gain_), L"11.00");
}

TEST_F(GainEdit, EitherWindowMayGoFirst) {
    ASSERT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(gain_), HandleOf(voltage_)), 1);
    DestroyWindow(voltage_);
    EXPECT_EQ(RvPMTGainEdit_SetCalibration(HandleOf(gain_), 2, 0), 1);
    HWND again = Add(L"hv3", L"edit", 0, 0, 50);
    const LONG_PTR plain = GetWindowLongPtrW(again, GWLP_WNDPROC);
    ASSERT_EQ(RvPMTGainEdit_AttachToHighVoltage(HandleOf(gain_), HandleOf(again)), 1);
    DestroyWindow(gain_);
    EXPECT_EQ(RvPMTGainEdit_IsRvPMTGainEditWindow(HandleOf(gain_)), 0);
    EXPECT_EQ(GetWindowLongPtrW(again, GWLP_WNDPROC), plain);
    SetWindowTextW(again, L"1000");
    EXPECT_EQ(TextOf(again), L"1000");
}

} // namespace
} // namespace rvwtest
