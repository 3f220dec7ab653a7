#include "RvTLPM.h"
#include "pe_exports.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

TEST(RvTLPMExports, ExactlyTheFiveExportsAreThere) {
    HMODULE module = GetModuleHandleW(L"RvTLPM.dll");
    ASSERT_NE(module, nullptr);
    auto names = testsupport::ExportNames(module);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"RvTLPM_Close", "RvTLPM_Measure", "RvTLPM_Open",
                                               "RvTLPM_StartMeasure", "RvTLPM_StopMeasure"}));
}

} // namespace
