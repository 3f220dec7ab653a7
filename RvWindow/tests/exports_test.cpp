#include "builder_fixture.h"
#include "pe_exports.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace rvwtest {
namespace {

TEST(RvWindowExports, EveryDialogAndControlExportIsThere) {
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
                              "RvDialog_DestroyAllControls",
                              "RvButton_IsRvButtonWindow",
                              "RvButton_SetImage",
                              "RvButton_SetRotationFlip",
                              "RvLsEdit_IsRvLsEditWindow",
                              "RvLsEdit_GetValue",
                              "RvLsEdit_SetValue",
                              "RvLsEdit_GetFlags",
                              "RvLsEdit_SetFlags",
                              "RvLsEdit_SetFormat",
                              "RvLsEdit_SetRange",
                              "RvLsEdit_SetScale",
                              "RvLsEdit_SetUnit",
                              "RvPMTGainEdit_IsRvPMTGainEditWindow",
                              "RvPMTGainEdit_SetCalibration",
                              "RvPMTGainEdit_AttachToHighVoltage",
                              "RvProgressBar_SetCompletionText",
                              "RvRichEdit_LoadFile",
                              "RichEdit_LoadFile"};
    const auto names = testsupport::ExportNames(Library());
    for (const char* name : expected)
        EXPECT_NE(std::find(names.begin(), names.end(), std::string(name)), names.end()) << name;
}

// Reads a null-terminated UTF-16 string of a dialog template and moves past it.
std::wstring TemplateString(const WORD*& at) {
    std::wstring text;
    while (*at)
        text.push_back(static_cast<wchar_t>(*at++));
    ++at;
    return text;
}

TEST(RvWindowResources, Template101IsAnEmptyHiddenDialog) {
    HRSRC found =
        FindResourceW(Library(), MAKEINTRESOURCEW(101), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    ASSERT_NE(found, nullptr);
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(Library(), found)));
    ASSERT_NE(words, nullptr);
    ASSERT_EQ(words[0], 1);      // extended template, version 1
    ASSERT_EQ(words[1], 0xFFFF); // signature
    DWORD style;
    std::memcpy(&style, words + 6, sizeof style);
    EXPECT_EQ(style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                        DS_SETFONT | DS_FIXEDSYS));
    EXPECT_EQ(words[8], 0) << "no items";
    EXPECT_EQ(words[11], 316);
    EXPECT_EQ(words[12], 185);
    const WORD* at = words + 13;
    EXPECT_EQ(*at, 0) << "no menu";
    ++at;
    EXPECT_EQ(*at, 0) << "the standard dialog class";
    ++at;
    EXPECT_EQ(TemplateString(at), L"Dialog");
    EXPECT_EQ(*at, 8) << "points";
    at += 3; // points, weight, italic and character set
    EXPECT_EQ(TemplateString(at), L"MS Shell Dlg");
}

} // namespace
} // namespace rvwtest
