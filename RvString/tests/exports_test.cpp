#include "RvString.h"
#include "pe_exports.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

namespace {

struct Alias {
    const char* name;
    const char* function;
};

// Every export a macro may call, with the function each alias stands for.
const Alias kExports[] = {
    {"StrMapCreate", "StrMapCreate"},
    {"StrMapAdd", "StrMapAdd"},
    {"StrMapSet", "StrMapSet"},
    {"StrMapGet", "StrMapGet"},
    {"StrMapFind", "StrMapFind"},
    {"StrMapUnset", "StrMapUnset"},
    {"StrMapParseOptions", "StrMapParseOptions"},
    {"StrMapFree", "StrMapFree"},
    {"RegexCompile", "RegexCompile"},
    {"RegexGetErrorDescription", "RegexGetErrorDescription"},
    {"RegexMatches", "RegexMatches"},
    {"RegexSearch", "RegexSearch"},
    {"RegexGetMatchCount", "RegexGetMatchCount"},
    {"RegexGetMatch", "RegexGetMatch"},
    {"RegexFree", "RegexFree"},
    {"RVS_strncmp", "RVS_strncmp"},
    {"RVS_strncpy", "RVS_strncpy"},
    {"RVS_strtok", "RVS_strtok"},
    {"RVS_strcspn", "RVS_strcspn"},
    {"RVS_strpbrk", "RVS_strpbrk"},
    {"RVS_strsplit", "RVS_strsplit"},
    {"regex", "RegexCompile"},
    {"regex_error", "RegexGetErrorDescription"},
    {"matches", "RegexMatches"},
    {"search", "RegexSearch"},
    {"get_match_count", "RegexGetMatchCount"},
    {"get_match", "RegexGetMatch"},
    {"regex_free", "RegexFree"},
    {"strncmp", "RVS_strncmp"},
    {"strncpy", "RVS_strncpy"},
    {"strncopy", "RVS_strncpy"},
    {"strtok", "RVS_strtok"},
    {"strcspn", "RVS_strcspn"},
    {"strpbrk", "RVS_strpbrk"},
    {"strsplit", "RVS_strsplit"},
};

TEST(RvStringExports, EveryNameIsExportedAndAliasesShareTheirFunction) {
    HMODULE module = GetModuleHandleW(L"RvString.dll");
    ASSERT_NE(module, nullptr);
    const auto names = testsupport::ExportNames(module);
    EXPECT_EQ(names.size(), sizeof kExports / sizeof kExports[0]);
    for (const Alias& e : kExports) {
        SCOPED_TRACE(e.name);
        EXPECT_NE(std::find(names.begin(), names.end(), std::string(e.name)), names.end());
        FARPROC alias = GetProcAddress(module, e.name);
        ASSERT_NE(alias, nullptr);
        EXPECT_EQ(alias, GetProcAddress(module, e.function));
    }
}

TEST(RvStringExports, AliasesBehaveAsTheirFunctions) {
    HMODULE module = GetModuleHandleW(L"RvString.dll");
    using testsupport::Exported;
    auto compile = Exported<decltype(&RegexCompile)>(module, "regex");
    auto matches = Exported<decltype(&RegexMatches)>(module, "matches");
    auto getMatch = Exported<decltype(&RegexGetMatch)>(module, "get_match");
    auto copy = Exported<decltype(&RVS_strncpy)>(module, "strncopy");
    ASSERT_TRUE(compile && matches && getMatch && copy);
    const uintptr_t id = 0xA11A5;
    EXPECT_EQ(compile(id, L"(\\w+)@(\\w+)", 0), 1);
    EXPECT_EQ(matches(id, L"user@host", 0), 3);
    EXPECT_STREQ(getMatch(id, 2), L"host");
    EXPECT_STREQ(RegexGetMatch(id, 1), L"user");
    wchar_t buffer[8];
    EXPECT_EQ(copy(buffer, L"abc", 8), buffer);
    EXPECT_STREQ(buffer, L"abc");
    RegexFree(id);
}

} // namespace
