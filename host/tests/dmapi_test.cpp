#include "KaDMApi.h"
#include "KaHostHooks.h"
#include "KaPhysicalDevice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Consumer : IKaDMApiPluginNotification {
    std::vector<std::wstring> events;
    int OnModuleEvent(const wchar_t* name) override {
        events.emplace_back(name);
        return 0;
    }
};

TEST(ModuleEvents, DeliveredOnlyToConsumersRegisteredForTheName) {
    DMApiHooks::Reset();
    Consumer a, b;
    EXPECT_FALSE(DMApi::AppRntm_RegisterEvent(&a, L"E1")) << "consumer must register first";
    DMApi::AppRntm_RegisterConsumer(&a);
    DMApi::AppRntm_RegisterConsumer(&b);
    DMApi::AppRntm_RegisterEvent(&a, L"E1");
    DMApi::AppRntm_RegisterEvent(&b, L"E2");
    EXPECT_EQ(1, DMApiHooks::AppRntm_FireEvent(L"E1"));
    EXPECT_EQ(0, DMApiHooks::AppRntm_FireEvent(L"e1"));
    EXPECT_EQ(std::vector<std::wstring>{L"E1"}, a.events);
    EXPECT_TRUE(b.events.empty());

    DMApi::AppRntm_UnregisterConsumer(&a);
    EXPECT_EQ(0, DMApiHooks::AppRntm_FireEvent(L"E1"));
    EXPECT_EQ(0, DMApiHooks::AppRntm_CountRegistrations(&a));
}

TEST(SetupOptions, FoundOnlyWhenSet) {
    CKaVariant value;
    EXPECT_FALSE(CKaSimpleDMHelper::Qm_GetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &value));
    CKaVariant on;
    on.SetInt(1);
    DMApiHooks::SetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &on);
    EXPECT_TRUE(CKaSimpleDMHelper::Qm_GetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &value));
    EXPECT_TRUE(value.GetBool());
    DMApiHooks::SetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", nullptr);
}

TEST(MacroRegistration, ParameterIndexesStartAtOne) {
    DMApiHooks::ResetMacros();
    EXPECT_LT(CKaScript::GetParameterIndex(L"Lumencor_StandByMode"), 1);
    int index = CKaScript::Register_Parameter(L"Lumencor_StandByMode", 5, 65535, 0, 0, 0);
    EXPECT_GE(index, 1);
    EXPECT_EQ(index, CKaScript::GetParameterIndex(L"Lumencor_StandByMode"));
}

// A device whose dialog answers as told and writes its settings.
struct DialogDevice : CKaPhysicalDevice_Default {
    EDeviceManagerReturnCode answer = KA_DM_OK;
    std::vector<std::wstring> configured;
    EDeviceManagerReturnCode ShowDeviceConfigurationDialog(CKaStringW& settings, HWND) override {
        if (answer == KA_DM_OK) settings = L"m_eLumencorControl=1";
        return answer;
    }
    EDeviceManagerReturnCode ConfigureDevice(CKaStringW& settings, int) override {
        configured.emplace_back(settings.GetString());
        return KA_DM_OK;
    }
};

struct Told {
    int calls = 0, result = -1;
    std::wstring settings;
    static void Sink(void* context, int, int result, const wchar_t* settings) {
        Told& told = *static_cast<Told*>(context);
        ++told.calls;
        told.result = result;
        told.settings = settings;
    }
};

TEST(PhysDevConfigure, OkConfiguresTheDeviceWithWhatItsDialogWroteAndKeepsIt) {
    struct Case {
        EDeviceManagerReturnCode answer;
        const wchar_t* kept;
        size_t configurations;
    };
    const Case cases[] = {{KA_DM_DIALOG_CANCELLED, L"", 0}, {KA_DM_OK, L"m_eLumencorControl=1", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        DMApiHooks::Reset();
        DialogDevice device;
        device.answer = c.answer;
        const int id = DMApiHooks::PhysDev_Add(&device, L"Dialog");
        Told told;
        DMApiHooks::SetConfigureSink(&Told::Sink, &told);
        EXPECT_EQ(c.answer, DMApi::PhysDev_Configure(id, nullptr));
        DMApiHooks::SetConfigureSink(nullptr, nullptr);
        ASSERT_EQ(c.configurations, device.configured.size());
        if (c.configurations) {
            EXPECT_EQ(c.kept, device.configured[0]);
        }
        CKaStringW kept;
        EXPECT_TRUE(DMApiHooks::PhysDev_GetSettings(id, kept));
        EXPECT_STREQ(c.kept, kept);
        EXPECT_EQ(1, told.calls);
        EXPECT_EQ(int(c.answer), told.result);
        EXPECT_EQ(c.kept, told.settings);
        DMApiHooks::PhysDev_Remove(&device);
    }
    EXPECT_EQ(KA_DM_NOT_AVAILABLE, DMApi::PhysDev_Configure(12345, nullptr));
}

} // namespace

#include "KaPluginModule.h"

namespace {

TEST(PluginModule, ModulesWithoutClassRecordsAreRefused) {
    CKaPluginModule module;
    EXPECT_FALSE(module.Load(L"no_such_module.dll"));
    EXPECT_FALSE(module.Load(L"hx_gnr_system.dll")) << "no registration section";
    EXPECT_EQ(0, module.GetClassCount());
    EXPECT_EQ(nullptr, module.Construct("CKaLumencorV2Device", __FILE__, __LINE__));
    EXPECT_NE(nullptr, module.FindSection(".text", nullptr));
}

} // namespace
