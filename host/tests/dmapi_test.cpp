#include "KaDMApi.h"
#include "KaHostHooks.h"

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
