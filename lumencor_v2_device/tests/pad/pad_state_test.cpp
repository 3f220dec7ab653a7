// What the pad shows of the device's state, and how it commits what the poll
// found: under the data lock, with the host told after it.
#include "PadFixture.h"

namespace {

class PadState : public PadFixture {
  protected:
    void SetUp() override {
        PadFixture::SetUp();
        ASSERT_NE(nullptr, CreatePad());
    }
    CKaLumencorV2UI_Multilaser::CKaDevGUI_MultiLaserLines& Lines() {
        return Pad().MultilaserPanel()->Lines();
    }
};

struct ModeCase {
    int mode;
    bool checkBoxes;
    bool shutterEnabled;
    bool shineFollowsSequence;
};

TEST_F(PadState, OperationModeDecidesCheckBoxesShineAndShutter) {
    const ModeCase cases[] = {
        {0, true, true, false},  {1, false, false, true}, {2, true, false, false},
        {4, false, false, true}, {0, true, true, false},
    };
    {
        CKaScopedLock dataLock(device->DataLock());
        for (int i = 0; i < 4; ++i) {
            Peer().lines.m_lines[i].m_bUsed = i < 2;            // lines 0 and 1 used
            Peer().lines.m_lines[i].m_bInSequence = i % 2 == 1; // lines 1 and 3 in the sequence
        }
        Peer().shutter.m_bOpen = true;
    }
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.mode);
        Peer().lines.m_eOperationMode = c.mode;
        Post(KA_PAD_OPERATION_MODE);
        ASSERT_GE(Lines().GetCount(), 4);
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(c.checkBoxes, Lines()[i].IsCheckboxEnabled());
            EXPECT_EQ(c.checkBoxes, IsWindowEnabled(Lines()[i].GetCheckBox()) != FALSE);
            EXPECT_EQ(c.shineFollowsSequence ? i % 2 == 1 : i < 2, Lines()[i].GetLaserShine());
        }
        EXPECT_EQ(c.shutterEnabled, Pad().ShuttersPanel()->Widget().IsWidgetEnabled());
    }
}

TEST_F(PadState, ClosedShutterDarkensUsedLines) {
    {
        CKaScopedLock dataLock(device->DataLock());
        Peer().lines.m_lines[0].m_bUsed = true;
        Peer().shutter.m_bOpen = false;
    }
    Post(KA_PAD_SHUTTER_STATE);
    EXPECT_TRUE(Lines()[0].GetUsed());
    EXPECT_FALSE(Lines()[0].GetLaserShine());
    EXPECT_FALSE(Pad().ShuttersPanel()->Widget().IsOpen());
}

// Whether the data lock was held when the host heard of a state.
bool g_heldAtNotification = false;
int g_notifications = 0;
CKaLumencorV2Device* g_device = nullptr;
void RecordingCallback(int32_t code, const SKaDeviceNotification* record, int32_t extra) {
    ++g_notifications;
    if (g_device->DataLock().IsHeldByThisThread()) g_heldAtNotification = true;
    DMApiHooks::GetHostNotificationCallback()(code, record, extra);
}

TEST_F(PadState, BurstOfPolledStateIsCommittedOnceAndReportedAfterTheLock) {
    g_device = device;
    g_heldAtNotification = false;
    g_notifications = 0;
    device->SetNotificationCallback(RecordingCallback);
    {
        CKaScopedLock dataLock(device->DataLock());
        Peer().m_bValuesChanged = true;
        Peer().lines.m_lines[2].m_dRequestedPower = 33.0;
        Peer().lines.m_lines[2].m_bRequestedUsed = true;
    }
    for (int i = 0; i < 5; ++i)
        PostMessageW(Pad().GetHandle(), KA_PAD_READOUTS, 0, 0);
    testsupport::PumpPending();
    EXPECT_EQ(1, g_notifications);
    EXPECT_FALSE(g_heldAtNotification);
    EXPECT_FALSE(Peer().m_bValuesChanged);
    SKaLumencorV2Line line = device->MultiLaser().GetLineRecord(2);
    EXPECT_DOUBLE_EQ(33.0, line.m_dPower);
    EXPECT_TRUE(line.m_bUsed);
    // The light source's own message brought the row up to date.
    EXPECT_DOUBLE_EQ(33.0, Lines()[2].GetPower());
    EXPECT_TRUE(Lines()[2].GetUsed());
    SKaDeviceNotification record = {};
    ASSERT_TRUE(DMApiHooks::Notifications_Last(KA_NOTIFY_STATE, &record));
    EXPECT_EQ(device->MultiLaser().GetDeviceID(), record.m_logDevId);
}

TEST_F(PadState, ReadoutsRefreshTheTemperatureLineOnlyWhenMarked) {
    {
        CKaScopedLock dataLock(device->DataLock());
        Peer().m_iTemperature = 31;
        Peer().m_iSupplyCurrent = 1500;
        Peer().m_iSupplyPower = 42;
    }
    HWND text = Pad().TemperaturePanel()->GetText();
    wchar_t before[128];
    GetWindowTextW(text, before, 128);
    Post(KA_PAD_READOUTS);
    wchar_t shown[128];
    GetWindowTextW(text, shown, 128);
    EXPECT_STREQ(before, shown);

    {
        CKaScopedLock dataLock(device->DataLock());
        Peer().m_bReadoutsChanged = true;
    }
    Post(KA_PAD_READOUTS);
    GetWindowTextW(text, shown, 128);
    EXPECT_STREQ(L"Temperature: 31\u00b0C, Supply: 1500mA, 42W", shown);
    EXPECT_FALSE(Peer().m_bReadoutsChanged);
    EXPECT_EQ(0, DMApiHooks::Notifications_Count(KA_NOTIFY_STATE));
}

TEST_F(PadState, RowsShowTheLinesOfTheSource) {
    const int count = device->MultiLaser().GetLineCountValue();
    ASSERT_EQ(count, Lines().GetCount());
    for (int i = 0; i < count; ++i) {
        unsigned wavelength = 0;
        device->MultiLaser().GetLineWavelength(i, &wavelength);
        EXPECT_EQ(wavelength, Lines()[i].GetWavelength()) << i;
    }
    // Out of range: a detached row, never a crash.
    Lines()[-1].SetUsed(true);
    Lines()[99].SetPowerEx(50.0, 0);
    EXPECT_EQ(nullptr, Lines()[99].GetHandle());
}

} // namespace
