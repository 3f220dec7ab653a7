// A short tour of RvString as a macro would use it: option maps, regular
// expressions and the string helpers, printed step by step.
#include "RvString.h"

#include <cstdio>
#include <string>

namespace {

void Step(const char* what) {
    std::printf("\n-- %s\n", what);
}

} // namespace

int main() {
    Step("A string map filled from option text");
    void* options = nullptr;
    StrMapCreate(&options, L"{ LEFT: 1, TOP: 4, RIGHT: 2, BOTTOM: 8, title: Lumencor: 488 nm }");
    std::printf("StrMapGet(\"title\")  = \"%ls\"\n", StrMapGet(options, L"title"));
    std::printf("StrMapFind(\"LEFT\")  = %d\n", StrMapFind(options, L"LEFT"));
    std::printf("StrMapFind(\"WIDTH\") = %d\n", StrMapFind(options, L"WIDTH"));
    std::printf("StrMapParseOptions(\"LEFT|TOP|16\") = %lld\n",
                static_cast<long long>(StrMapParseOptions(options, L"LEFT|TOP|16")));
    std::printf("StrMapParseOptions(\"LEFT|CENTER\") = %lld (unknown names count 0)\n",
                static_cast<long long>(StrMapParseOptions(options, L"LEFT|CENTER")));
    StrMapFree(&options);
    std::printf("StrMapFree leaves the handle variable %s\n", options ? "set" : "null");

    Step("Regular expressions: a whole-text match with groups");
    const uintptr_t line = 1;
    RegexCompile(line, L"(\\w+) (\\d+) nm, (\\d+) %", 0);
    const wchar_t* setting = L"Cyan 488 nm, 25 %";
    const int groups = RegexMatches(line, setting, 0);
    std::printf("RegexMatches(\"%ls\") = %d\n", setting, groups);
    for (int i = 0; i < groups; ++i)
        std::printf("  match %d: \"%ls\"\n", i, RegexGetMatch(line, i));

    Step("Walking every occurrence with the continue flag");
    const uintptr_t number = 2;
    RegexCompile(number, L"\\d+(\\.\\d+)?", 0);
    const wchar_t* readout = L"T=41.5 C, supply 11.98 V, fan 3200 rpm";
    while (RegexSearch(number, readout, RVS_REGEX_CONTINUE))
        std::printf("  found \"%ls\"\n", RegexGetMatch(number, 0));

    Step("Compilation errors report the standard library's code and text");
    const uintptr_t broken = 3;
    const int code = RegexCompile(broken, L"(unclosed", 0);
    std::printf("RegexCompile(\"(unclosed\") = %d: %ls\n", code, RegexGetErrorDescription(broken));

    Step("A million-character text does not overflow the caller's stack");
    const std::wstring long_text(1 << 20, L'a');
    RegexCompile(line, L"(a|b)*", 0);
    std::printf("RegexMatches(\"(a|b)*\", 1048576 x 'a') = %d\n",
                RegexMatches(line, long_text.c_str(), 0));
    for (uintptr_t id : {line, number, broken})
        RegexFree(id);

    Step("Splitting in place, with escaped separators");
    wchar_t list[] = L"488 nm,561 nm,label\\, with comma,,640 nm";
    uintptr_t offsets[8];
    const size_t pieces =
        RVS_strsplit(offsets, 8, list, L",", RVS_SPLIT_MERGE | RVS_SPLIT_BACKSLASH_ESCAPES);
    for (size_t i = 0; i < pieces; ++i)
        std::printf("  piece %zu: \"%ls\"\n", i, list + offsets[i]);

    Step("Tokenising and bounded copies");
    wchar_t path[] = L"C:\\Data\\2026\\run-07.tif";
    wchar_t* context = nullptr;
    for (wchar_t* t = RVS_strtok(path, L"\\", &context); t;
         t = RVS_strtok(nullptr, L"\\", &context))
        std::printf("  token \"%ls\"\n", t);
    wchar_t small[6];
    RVS_strncpy(small, L"truncated", 5);
    small[5] = L'\0';
    std::printf("RVS_strncpy(5) -> \"%ls\", RVS_strncmp(\"abc\", \"abd\", 2) = %d\n", small,
                RVS_strncmp(L"abc", L"abd", 2));
    return 0;
}
