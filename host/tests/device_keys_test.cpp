// Logical devices found by kind and key, renamed, and entries of other
// devices that show only their kind and key.
#include "KaDMApi.h"
#include "KaHostHooks.h"
#include "KaLogicalDevice.h"
#include "KaPhysicalDevice.h"

#include <gtest/gtest.h>

namespace {

const wchar_t kShutter[] = L"IDeviceShutter";
const wchar_t kMultiLaser[] = L"IDeviceMultiLaser";

class KindedDevice : public CKaLogicalDevice_Default {
  public:
    explicit KindedDevice(const wchar_t* kind) : m_kind(kind) {}
    EDeviceManagerReturnCode GetInterfaceName(CKaStringW& name) override {
        name = m_kind;
        return KA_DM_OK;
    }

  private:
    const wchar_t* m_kind;
};

// A light engine as the driver presents it: a multi-line source and a shutter.
class TwoDevicePhysical : public CKaPhysicalDevice_Default {
  public:
    EDeviceManagerReturnCode GetLogicalDevices(CKaLogicalDeviceList& list) override {
        list.Add(&lines);
        list.Add(&shutter);
        return KA_DM_OK;
    }
    KindedDevice lines{kMultiLaser}, shutter{kShutter};
};

std::wstring KeyOf(int logDevId) {
    CKaStringW key;
    return DMApi::LogDev_GetKey(logDevId, key) ? key.GetString() : L"(none)";
}

TEST(DeviceKeys, FoundByKindAndExactKeyAlsoAfterRenaming) {
    DMApiHooks::Reset();
    TwoDevicePhysical device;
    DMApiHooks::PhysDev_Add(&device, L"Lumencor");
    const int lines = DMApi::LogDev_GetId(&device.lines);
    const int shutter = DMApi::LogDev_GetId(&device.shutter);
    ASSERT_NE(0, shutter);

    struct {
        const wchar_t* key;
        int shutterId, multiLaserId;
    } before[] = {
        {L"Lumencor.1", shutter, 0},
        {L"Lumencor.0", 0, lines},
        {L"lumencor.1", 0, 0},
        {L"Lumencor", 0, 0},
        {L"", 0, 0},
        {nullptr, 0, 0},
    };
    for (const auto& c : before) {
        EXPECT_EQ(c.shutterId, DMApi::Shutter_GetIdByKey(c.key)) << (c.key ? c.key : L"null");
        EXPECT_EQ(c.multiLaserId, DMApi::MultiLaser_GetIdByKey(c.key)) << (c.key ? c.key : L"null");
    }

    // Both take the shared name the dialog gives them; each is found by its kind.
    EXPECT_TRUE(DMApi::LogDev_SetKey(shutter, L"Spectra"));
    EXPECT_TRUE(DMApi::LogDev_SetKey(lines, L"Spectra"));
    EXPECT_EQ(shutter, DMApi::Shutter_GetIdByKey(L"Spectra"));
    EXPECT_EQ(lines, DMApi::MultiLaser_GetIdByKey(L"Spectra"));
    EXPECT_EQ(0, DMApi::Shutter_GetIdByKey(L"Lumencor.1"));
    EXPECT_EQ(L"Spectra", KeyOf(shutter));

    // Refused renames leave the key alone.
    EXPECT_FALSE(DMApi::LogDev_SetKey(shutter, L""));
    EXPECT_FALSE(DMApi::LogDev_SetKey(shutter, nullptr));
    EXPECT_FALSE(DMApi::LogDev_SetKey(-5, L"Other"));
    EXPECT_EQ(L"Spectra", KeyOf(shutter));
    DMApiHooks::PhysDev_Remove(&device);
    EXPECT_EQ(0, DMApi::Shutter_GetIdByKey(L"Spectra"));
}

TEST(DeviceKeys, ForeignEntriesHaveKeysButNoObject) {
    DMApiHooks::Reset();
    const int foreign = DMApiHooks::LogDev_AddForeign(kShutter, L"Shutter");
    const int other = DMApiHooks::LogDev_AddForeign(kMultiLaser, L"Shutter");
    EXPECT_EQ(foreign, DMApi::Shutter_GetIdByKey(L"Shutter"));
    EXPECT_EQ(other, DMApi::MultiLaser_GetIdByKey(L"Shutter"));
    EXPECT_NE(foreign, other);
    EXPECT_EQ(L"Shutter", KeyOf(foreign));
    EXPECT_TRUE(DMApi::LogDev_SetKey(foreign, L"Shutter1"));
    EXPECT_EQ(foreign, DMApi::Shutter_GetIdByKey(L"Shutter1"));

    // The missing object is never reached.
    EXPECT_EQ(nullptr, DMApiHooks::LogDev_Get(foreign));
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, DMApi::LogDev_CustomCommand(foreign, 1, 0, nullptr));
    EXPECT_EQ(0, DMApi::LogDev_GetId(nullptr));
    EXPECT_EQ(0, DMApi::LogDev_GetPhysDevId(foreign));
    EXPECT_TRUE(DMApi::LogDev_GetVisible(foreign));
    DMApiHooks::LogDev_Remove(nullptr);
    DMApiHooks::LogDev_RemovePiezo(foreign);
    EXPECT_EQ(foreign, DMApi::Shutter_GetIdByKey(L"Shutter1"));

    DMApiHooks::Reset();
    EXPECT_EQ(0, DMApi::Shutter_GetIdByKey(L"Shutter1"));
    EXPECT_EQ(0, DMApi::LogDev_GetCount());
}

TEST(Cameras, ListedInOrderWithTheirNamesAndTriggerCapability) {
    DMApiHooks::Reset();
    EXPECT_EQ(0, DMApiHooks::Camera_Add(L"CKaGrabberDriverA1New", L"A1 camera", true));
    EXPECT_EQ(1, DMApiHooks::Camera_Add(L"CKaCameraSim", L"Sim camera", false));
    EXPECT_EQ(2, DMApiHooks::Camera_Add(nullptr, nullptr, true));
    EXPECT_EQ(3, CKaSimpleDMHelper::Qm_CAM_GetCount());

    const int kTrigger = 1, kOtherCapability = 2;
    struct {
        int camera, capability;
        bool expected;
    } capabilities[] = {
        {0, kTrigger, true},          {1, kTrigger, false}, {2, kTrigger, true},
        {0, kOtherCapability, false}, {0, 0, false},        {-1, kTrigger, false},
        {3, kTrigger, false},
    };
    for (const auto& c : capabilities)
        EXPECT_EQ(c.expected, CKaSimpleDMHelper::Qm_CAM_GetCapability(c.camera, c.capability))
            << c.camera << " " << c.capability;

    CKaStringW className, dmName;
    EXPECT_TRUE(CKaSimpleDMHelper::Qm_CAM_GetClassName(1, className));
    EXPECT_TRUE(CKaSimpleDMHelper::Qm_CAM_GetDMName(1, dmName));
    EXPECT_STREQ(L"CKaCameraSim", className);
    EXPECT_STREQ(L"Sim camera", dmName);
    EXPECT_TRUE(CKaSimpleDMHelper::Qm_CAM_GetDMName(2, dmName));
    EXPECT_STREQ(L"", dmName) << "null names are empty";
    for (int bad : {-1, 3}) {
        className = L"kept";
        EXPECT_FALSE(CKaSimpleDMHelper::Qm_CAM_GetClassName(bad, className));
        EXPECT_FALSE(CKaSimpleDMHelper::Qm_CAM_GetDMName(bad, className));
        EXPECT_STREQ(L"kept", className);
    }

    DMApiHooks::Cameras_Clear();
    EXPECT_EQ(0, CKaSimpleDMHelper::Qm_CAM_GetCount());
    DMApiHooks::Camera_Add(L"CKaCameraSim", L"Sim camera", true);
    DMApiHooks::Reset();
    EXPECT_EQ(0, CKaSimpleDMHelper::Qm_CAM_GetCount());
}

} // namespace
