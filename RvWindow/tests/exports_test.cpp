#include "builder_fixture.h"
#include "pe_exports.h"

#include <algorithm>

namespace rvwtest {
namespace {

TEST(RvWindowExports, EveryDialogExportIsThere) {
    const char* expected[] = {"RvDialog_Create",
                              "RvDialog_CreateA",
                              "RvDialog_IsRvDialog",
                              "RvDialog_AddControl",
                              "RvDialog_AddControlA",
                              "RvDialog_AddControlEx",
                              "RvDialog_AddControlClass",
                              "RvDialog_AddRow",
                              "RvDialog_AddColumn",
                              "RvDialog_AddRemoveOptions",
                              "RvDialog_AddMessageHandler",
                              "RvDialog_AddControlMessageHandler",
                              "RvDialog_AddMacroMessageHandler",
                              "RvDialog_FindControl",
                              "RvDialog_FindControlA",
                              "RvDialog_GetControlRect",
                              "RvDialog_SendMessage",
                              "RvDialog_SendMessageString",
                              "RvDialog_SetBkColor",
                              "RvDialog_SetFocus",
                              "RvDialog_DestroyControl",
                              "RvDialog_DestroyAllControls"};
    const auto names = testsupport::ExportNames(Library());
    for (const char* name : expected)
        EXPECT_NE(std::find(names.begin(), names.end(), std::string(name)), names.end()) << name;
}

} // namespace
} // namespace rvwtest
