// The two logical devices as the host sees them: names by model, the
// capabilities, device commands, shutter indexes, settings and configuration.
#include "DeviceFixture.h"
#include "KaHostHooks.h"
#include "cfg/CfgWatcher.h"

#include <cwchar>
#include <string>

namespace {

class LogicalTest : public DeviceFixture {
  protected:
    CKaLumencorV2MultiLaser& Lines() { return device->MultiLaser(); }
    CKaLumencorV2Shutter& Shutter() { return device->Shutter(); }
    std::wstring Text(EDeviceManagerReturnCode (IKaLogicalDevice::*get)(CKaStringW&),
                      IKaLogicalDevice& logical) {
        CKaStringW text;
        EXPECT_EQ(KA_DM_OK, (logical.*get)(text));
        return text.GetString();
    }
    std::wstring LogDevString(IKaLogicalDevice& logical, int index) {
        CKaStringW text(L"stale");
        EXPECT_EQ(KA_DM_OK, logical.GetLogDevString(index, text));
        return text.GetString();
    }
};

TEST_F(LogicalTest, NamesFollowTheModelType) {
    const struct Case {
        int model;
        const wchar_t* shortName;
    } cases[] = {{KA_MODEL_SPECTRA3, L"SpectraIII"},
                 {KA_MODEL_CELESTA, L"Celesta"},
                 {KA_MODEL_ZIVA, L"Ziva"}};
    IKaLogicalDevice& lines = Lines();
    IKaLogicalDevice& shutter = Shutter();
    for (const Case& c : cases) {
        Peer().m_eModelType = c.model;
        const std::wstring name = c.shortName;
        EXPECT_EQ(name + L" Multilaser", Text(&IKaLogicalDevice::GetDeviceFullName, lines));
        EXPECT_EQ(name + L" Shutter", Text(&IKaLogicalDevice::GetDeviceFullName, shutter));
        for (IKaLogicalDevice* logical : {&lines, &shutter}) {
            EXPECT_EQ(name, Text(&IKaLogicalDevice::GetDeviceShortName, *logical));
            EXPECT_EQ(Text(&IKaLogicalDevice::GetDeviceFullName, *logical),
                      LogDevString(*logical, 1));
            EXPECT_EQ(name, LogDevString(*logical, 2));
            EXPECT_EQ(L"", LogDevString(*logical, 4));
            EXPECT_EQ(L"", LogDevString(*logical, -1));
        }
        EXPECT_EQ(name, Text(&IKaLogicalDevice::GetDeviceDisplayName, shutter));
        EXPECT_EQ(L"SpectraIII", Text(&IKaLogicalDevice::GetDeviceDisplayName, lines))
            << "named once, at construction";
    }
    EXPECT_EQ(L"MultiLaser", LogDevString(lines, 3));
    EXPECT_EQ(L"Shutter", LogDevString(shutter, 3));
    EXPECT_EQ(L"IDeviceMultiLaser", Text(&IKaLogicalDevice::GetInterfaceName, lines));
    EXPECT_EQ(L"IDeviceShutter", Text(&IKaLogicalDevice::GetInterfaceName, shutter));
    Peer().lines.m_lines[1].m_uWavelength = 488;
    CKaStringW name;
    EXPECT_EQ(KA_DM_OK, Lines().GetLineName(1, name));
    EXPECT_STREQ(L"488 nm", name);
}

TEST_F(LogicalTest, CapabilitiesFollowControlModeAndTriggering) {
    const struct Case {
        int code;
        // Answers for: USB, USB + triggering, NI-DAQ, direct TTL.
        bool answers[4];
    } cases[] = {
        {16, {false, false, true, true}},   {17, {true, true, false, false}},
        {48, {false, true, false, false}},  {80, {false, true, false, false}},
        {49, {false, false, false, false}}, {82, {false, false, false, false}},
        {50, {true, true, true, true}},     {56, {true, true, true, true}},
        {81, {true, true, true, true}},     {86, {true, true, true, true}},
        {57, {false, false, false, false}}, {225, {false, true, false, false}},
    };
    const int controls[] = {KA_CONTROL_USB, KA_CONTROL_USB, KA_CONTROL_NIDAQ, KA_CONTROL_VEYRA};
    for (int mode = 0; mode < 4; ++mode) {
        device->SetControlMode(controls[mode]);
        device->SetTriggeringEnabled(mode == 1);
        for (const Case& c : cases)
            EXPECT_EQ(c.answers[mode], Lines().GetCapability(c.code))
                << "code " << c.code << ", mode " << mode;
        EXPECT_EQ(mode == 1, Shutter().GetCapability(129));
        EXPECT_FALSE(Shutter().GetCapability(16));
    }
    EXPECT_EQ(16, Lines().GetTypeCode());
    EXPECT_TRUE(Lines().SupportsAllLines());
    EXPECT_TRUE(Lines().SupportsSettings() && Shutter().SupportsSettings());
}

TEST_F(LogicalTest, DeviceCommandsOfTheLightSource) {
    ASSERT_EQ(KA_DM_CONNECTED, Connect());
    CKaStringW settings;
    SetIntToKey(settings, L"m_eLumencorControl", KA_CONTROL_NIDAQ);
    SetStringToKey(settings, L"m_sCardKey", std::wstring(400, L'k').c_str());
    ASSERT_EQ(KA_DM_OK, device->ConfigureDevice(settings, 0));
    wchar_t key[KA_CARD_KEY_CHARS + 8];
    std::wmemset(key, L'#', KA_CARD_KEY_CHARS + 8);
    EXPECT_EQ(KA_DM_OK, Lines().DeviceCommand(0xC00F, 0, key));
    EXPECT_EQ(static_cast<size_t>(KA_CARD_KEY_CHARS - 1), std::wcslen(key))
        << "a long key is cut to the buffer";
    EXPECT_EQ(L'#', key[KA_CARD_KEY_CHARS]);

    Peer().lines.m_iNumLines = 3;
    Peer().lines.m_lines[1].m_bSubset = true;
    const struct {
        int64_t line;
        bool member;
    } subsets[] = {{0, false}, {1, true}, {3, true}, {-1, true}};
    for (const auto& s : subsets) {
        bool member = !s.member;
        EXPECT_EQ(KA_DM_OK, Lines().DeviceCommand(0xC01B, s.line, &member));
        EXPECT_EQ(s.member, member) << s.line;
    }
    void* abstraction = &abstraction;
    EXPECT_EQ(KA_DM_OK, Lines().DeviceCommand(0x13003, 0, &abstraction));
    ASSERT_NE(nullptr, device->GetTriggeringAbstraction()) << "mode 1 made the card's lines";
    EXPECT_EQ(static_cast<void*>(device->GetTriggeringAbstraction()), abstraction);
    int32_t value = 7;
    EXPECT_EQ(KA_DM_OK, Lines().DeviceCommand(0x13004, 0, &value));
    EXPECT_EQ(0, value);
    int owner = 0;
    EXPECT_EQ(KA_DM_OK, Lines().DeviceCommand(0xC01C, 0, &owner));
    EXPECT_EQ(&owner, Peer().lines.m_pSequenceOwner);
    EXPECT_EQ(KA_DM_NOT_SUPPORTED, Lines().DeviceCommand(0x1234, 0, &value));
    EXPECT_EQ(KA_DM_OK, Lines().DeviceCommand(0x1234, 0, nullptr)) << "no out: nothing to do";
    EXPECT_EQ(KA_DM_NOT_SUPPORTED, Shutter().DeviceCommand(0xC01B, 0, &value));
    EXPECT_EQ(KA_DM_NOT_SUPPORTED, Shutter().DeviceCommand(0xC01B, 0, nullptr));
}

TEST_F(LogicalTest, TheShutterHasOneIndexANameAType) {
    EXPECT_TRUE(Shutter().IsValidShutterIndex(0));
    EXPECT_FALSE(Shutter().IsValidShutterIndex(1));
    EXPECT_EQ(KA_DM_OK, Shutter().CheckShutterIndex(0));
    EXPECT_EQ(KA_DM_OUT_OF_RANGE, Shutter().CheckShutterIndex(-1));
    int count = 5, position = 0;
    EXPECT_EQ(KA_DM_OK, Shutter().GetShutterIndexCount(&count));
    EXPECT_EQ(0, count);
    EXPECT_FALSE(Shutter().HasShutterIndexes());
    EXPECT_EQ(KA_DM_NOT_SUPPORTED, Shutter().GetShutterPosition(0, &position));
    EXPECT_EQ(KA_DM_NOT_SUPPORTED, Shutter().SetShutterStateEx(0, true));

    EXPECT_EQ(KA_DM_OK, Shutter().SetUserName(L"Epi"));
    CKaStringW name;
    Shutter().GetShutterName(name);
    EXPECT_STREQ(L"Epi", name);
    EXPECT_EQ(KA_DM_OK, Shutter().SetUserName(nullptr));
    Shutter().GetUserName(name);
    EXPECT_STREQ(L"", name);
    EXPECT_EQ(KA_DM_NOT_SUPPORTED, Lines().GetUserName(name));

    EXPECT_EQ(KA_DM_OK, Shutter().SetShutterType(3));
    CKaStringW settings;
    Shutter().GetSettings(settings);
    Shutter().SetShutterType(0);
    Shutter().SetSettings(settings.GetString());
    int type = 0;
    Shutter().GetShutterType(&type);
    EXPECT_EQ(3, type) << "settings round trip";
    Shutter().SetSettings(L"");
    Shutter().GetShutterType(&type);
    EXPECT_EQ(3, type) << "a missing key keeps the type";
    EXPECT_FALSE(Shutter().GetActiveChangeable());
}

TEST_F(LogicalTest, TheShutterIsControlledByItselfOrTheLightSource) {
    DMApiHooks::PhysDev_Add(device, L"Lumencor");
    const int shutter = Shutter().GetDeviceID(), lines = Lines().GetDeviceID();
    ASSERT_NE(0, shutter);
    const int both[] = {99, lines}, own[] = {shutter}, other[] = {99, 0};
    EXPECT_TRUE(Shutter().IsControlledBy(both, 2));
    EXPECT_FALSE(Shutter().IsControlledBy(both, 1));
    EXPECT_TRUE(Shutter().IsControlledBy(own, 1));
    EXPECT_FALSE(Shutter().IsControlledBy(other, 2));
    EXPECT_FALSE(Shutter().IsControlledBy(nullptr, 3));
    EXPECT_FALSE(Shutter().IsControlledBy(own, -1));
    DMApiHooks::PhysDev_Remove(device);
}

// The host opens the physical device's configuration, then refreshes.
TEST_F(LogicalTest, TheShutterConfiguresItsDeviceThroughTheHost) {
    EXPECT_TRUE(Shutter().IsConfigurationDialogAvailable());
    const int refreshes = DMApiHooks::GetRefreshCount();
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, Shutter().ShowConfigurationDialog(nullptr))
        << "a device the host does not know";
    EXPECT_EQ(refreshes + 1, DMApiHooks::GetRefreshCount());
    ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    DMApiHooks::PhysDev_Add(device, L"Lumencor");
    CfgWatcher ok(IDOK);
    EXPECT_EQ(KA_DM_OK, Shutter().ShowConfigurationDialog(nullptr));
    EXPECT_EQ(1, ok.Answered());
    EXPECT_EQ(refreshes + 2, DMApiHooks::GetRefreshCount());
    DMApiHooks::PhysDev_Remove(device);
}

} // namespace
