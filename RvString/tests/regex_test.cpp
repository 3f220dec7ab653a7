#include "RvString.h"
#include "test_memory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

class Regex : public ::testing::Test {
  protected:
    void TearDown() override { RegexFree(id_); }
    std::vector<std::wstring> Captures() {
        std::vector<std::wstring> all;
        for (int i = 0; i < RegexGetMatchCount(id_); ++i)
            all.push_back(RegexGetMatch(id_, i));
        return all;
    }

    const uintptr_t id_ = reinterpret_cast<uintptr_t>(this);
};

using Strings = std::vector<std::wstring>;

TEST_F(Regex, CompileErrorsReturnTheComplementOfTheStandardCode) {
    const struct {
        const wchar_t* pattern;
        int result;
    } cases[] = {
        {L"(", -6},      {L"a)", -6},    {L"[a", -5},  {L"a\\", -3},       {L"(a)\\2", -4},
        {L"a{3,2}", -8}, {L"[b-a]", -9}, {L"a{2", -7}, {L"[[.foo.]]", -1}, {L"a{99999999999}", -10},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "pattern of " << wcslen(c.pattern));
        EXPECT_EQ(RegexCompile(id_, c.pattern, 0), c.result);
        EXPECT_STRNE(RegexGetErrorDescription(id_), L"");
        EXPECT_EQ(RegexMatches(id_, L"a", 0), 0) << "a failed compilation leaves no expression";
        EXPECT_EQ(RegexGetMatchCount(id_), 0);
    }
    EXPECT_EQ(RegexCompile(id_, L"a", 0), 1);
    EXPECT_STREQ(RegexGetErrorDescription(id_), L"") << "success clears the error text";
}

TEST_F(Regex, SyntaxFlagsSelectGrammarAndOptions) {
    const struct {
        int32_t flags;
        const wchar_t* pattern;
        const wchar_t* text;
        int matches; // expected RegexMatches result
    } cases[] = {
        {0, L"\\d+", L"42", 1},       {1, L"\\d+", L"42", 1},     {0x100, L"abc", L"ABC", 1},
        {0, L"abc", L"ABC", 0},       {3, L"a\\{2\\}", L"aa", 1}, // basic
        {3, L"(a)", L"(a)", 1},                                   // basic: parentheses are literal
        {5, L"(a)|b", L"b", 2},                                   // extended
        {0x201, L"(a)(b)", L"ab", 1}, // nosubs keeps only the whole match
        {0x401, L"(a)(b)", L"ab", 3}, // optimize
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags);
        ASSERT_EQ(RegexCompile(id_, c.pattern, c.flags), 1);
        EXPECT_EQ(RegexMatches(id_, c.text, 0), c.matches);
    }
    // Several grammars at once are refused by the standard library.
    EXPECT_LT(RegexCompile(id_, L"a", 0x7), 0);
    EXPECT_STRNE(RegexGetErrorDescription(id_), L"");
}

TEST_F(Regex, MatchesNeedsTheWholeTextAndReportsEveryGroup) {
    ASSERT_EQ(RegexCompile(id_, L"(a)|(b)", 0), 1);
    EXPECT_EQ(RegexMatches(id_, L"b", 0), 3);
    EXPECT_EQ(Captures(), (Strings{L"b", L"", L"b"}));
    EXPECT_STREQ(RegexGetMatch(id_, 3), L"") << "index equal to the count";
    EXPECT_STREQ(RegexGetMatch(id_, UINT64_MAX), L"");

    EXPECT_EQ(RegexMatches(id_, L"ab", 0), 0);
    EXPECT_EQ(RegexGetMatchCount(id_), 0) << "a failed match empties the captures";
    EXPECT_EQ(RegexSearch(id_, L"xxbxx", 0), 3);
}

TEST_F(Regex, ContinuedSearchWalksOccurrences) {
    ASSERT_EQ(RegexCompile(id_, L"\\d+", 0), 1);
    const wchar_t* text = L"a1b22c333";
    Strings found;
    while (RegexSearch(id_, text, RVS_REGEX_CONTINUE))
        found.push_back(RegexGetMatch(id_, 0));
    EXPECT_EQ(found, (Strings{L"1", L"22", L"333"}));

    // A failed continued search keeps the scan position of the last success.
    EXPECT_EQ(RegexSearch(id_, L"a1b22c333d4444", RVS_REGEX_CONTINUE), 1);
    EXPECT_STREQ(RegexGetMatch(id_, 0), L"4444");

    // A text shorter than the scan position fails; without the flag it restarts.
    EXPECT_EQ(RegexSearch(id_, L"77", RVS_REGEX_CONTINUE), 0);
    EXPECT_EQ(RegexSearch(id_, L"77", 0x7), 1) << "other flag bits are ignored";
    EXPECT_EQ(RegexSearch(id_, L"7x8", RVS_REGEX_CONTINUE | 0x4), 1);
    EXPECT_STREQ(RegexGetMatch(id_, 0), L"8");
}

TEST_F(Regex, ContinuedMatchUsesTheRestOfTheText) {
    ASSERT_EQ(RegexCompile(id_, L"(\\w+)=", 0), 1);
    ASSERT_EQ(RegexSearch(id_, L"key=value", 0), 2);
    // Recompiling keeps the scan position.
    ASSERT_EQ(RegexCompile(id_, L"v\\w+", 0), 1);
    EXPECT_EQ(RegexMatches(id_, L"key=value", RVS_REGEX_CONTINUE), 1);
    EXPECT_STREQ(RegexGetMatch(id_, 0), L"value");
    EXPECT_EQ(RegexMatches(id_, L"key=value", RVS_REGEX_CONTINUE), 0) << "nothing is left";
    EXPECT_EQ(RegexMatches(id_, L"value", 0), 1);
}

TEST_F(Regex, EmptyMatchDoesNotAdvance) {
    ASSERT_EQ(RegexCompile(id_, L"x*", 0), 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RegexSearch(id_, L"abc", RVS_REGEX_CONTINUE), 1);
        EXPECT_STREQ(RegexGetMatch(id_, 0), L"");
    }
}

TEST_F(Regex, UnknownUncompiledAndFreedIdentifiers) {
    const uintptr_t unknown = 0xDEAD;
    EXPECT_EQ(RegexMatches(unknown, L"a", 0), 0);
    EXPECT_EQ(RegexSearch(unknown, L"a", 0), 0);
    EXPECT_EQ(RegexGetMatchCount(unknown), 0);
    EXPECT_STREQ(RegexGetMatch(unknown, 0), L"");
    EXPECT_STREQ(RegexGetErrorDescription(unknown), L"");
    EXPECT_EQ(RegexFree(unknown), 0);

    EXPECT_EQ(RegexCompile(id_, nullptr, 0), 1) << "a null pattern registers an empty expression";
    EXPECT_EQ(RegexSearch(id_, L"", 0), 0);

    ASSERT_EQ(RegexCompile(id_, L"a", 0), 1);
    EXPECT_EQ(RegexSearch(id_, nullptr, 0), 0);
    EXPECT_EQ(RegexSearch(id_, static_cast<const wchar_t*>(testsupport::UnmappedAddress()), 0), 0);
    EXPECT_EQ(RegexCompile(id_, static_cast<const wchar_t*>(testsupport::UnmappedAddress()), 0) < 0,
              true);
    ASSERT_EQ(RegexCompile(id_, L"a", 0), 1);
    EXPECT_EQ(RegexFree(id_), 0);
    EXPECT_EQ(RegexMatches(id_, L"a", 0), 0);
}

// The standard matcher recurses once per character: long texts must neither
// overflow the caller's stack nor stop the library from working.
TEST_F(Regex, LongTextsAnswerOrFailWithoutHarm) {
    const std::wstring mebi(1 << 20, L'a');
    ASSERT_EQ(RegexCompile(id_, L"(a|b)*", 0), 1);
    EXPECT_EQ(RegexMatches(id_, mebi.c_str(), 0), 2);
    EXPECT_EQ(wcslen(RegexGetMatch(id_, 0)), mebi.size());
    EXPECT_EQ(RegexSearch(id_, mebi.c_str(), 0), 2);

    // Deep enough to exhaust any stack we reserve: refused, not fatal.
    const std::wstring huge(3 << 20, L'a');
    ASSERT_EQ(RegexCompile(id_, L"(((a|b)|(c|d))|((e|f)|(g|h)))*", 0), 1);
    EXPECT_EQ(RegexMatches(id_, huge.c_str(), 0), 0);
    EXPECT_EQ(RegexGetMatchCount(id_), 0);

    // Everything keeps working afterwards, on this thread and another.
    ASSERT_EQ(RegexCompile(id_, L"a+", 0), 1);
    EXPECT_EQ(RegexMatches(id_, mebi.c_str(), 0), 1);
    int fromThread = -1;
    HANDLE thread = CreateThread(
        nullptr, 64 << 10,
        [](void* result) -> DWORD {
            *static_cast<int*>(result) = RegexSearch(0x5151, L"x", 0) +
                                         RegexCompile(0x5151, L"x", 0) +
                                         RegexSearch(0x5151, L"axa", 0);
            RegexFree(0x5151);
            return 0;
        },
        &fromThread, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
    CloseHandle(thread);
    EXPECT_EQ(fromThread, 2);
}

TEST_F(Regex, HugePatternsAreRefusedNotFatal) {
    const std::wstring nested(1 << 19, L'(');
    EXPECT_LT(RegexCompile(id_, nested.c_str(), 0), 0);
    EXPECT_STRNE(RegexGetErrorDescription(id_), L"");
    std::wstring groups;
    for (int i = 0; i < 200000; ++i)
        groups += L"(?:";
    EXPECT_LT(RegexCompile(id_, groups.c_str(), 0), 0);
    EXPECT_EQ(RegexCompile(id_, L"ok", 0), 1);
    EXPECT_EQ(RegexMatches(id_, L"ok", 0), 1);
}

// A macro may hand an expression its own results: a capture as the next text,
// the error description as the next pattern.
TEST_F(Regex, OwnResultsAreReadBeforeTheyAreReplaced) {
    const std::wstring mebi(1 << 20, L'a');
    const struct {
        const wchar_t* pattern;
        std::wstring text;
        uint64_t handedBack; // the capture given as the next text
        bool search;
        int result;
    } cases[] = {
        {L"m*", std::wstring(40, L'm'), 0, false, 1},
        {L"(\\w+)@(\\w+)", L"at recipientname@destinationhost.example", 0, true, 3},
        {L"(\\w+)@(\\w+)", L"at recipientname@destinationhost.example", 1, true, 0},
        {L"(a|b)*", mebi, 0, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "text of " << c.text.size() << ", capture " << c.handedBack);
        ASSERT_EQ(RegexCompile(id_, c.pattern, 0), 1);
        auto run = c.search ? &RegexSearch : &RegexMatches;
        ASSERT_GT(run(id_, c.text.c_str(), 0), 0);
        const std::wstring handed = RegexGetMatch(id_, c.handedBack);
        ASSERT_FALSE(handed.empty());
        EXPECT_EQ(run(id_, RegexGetMatch(id_, c.handedBack), 0), c.result);
        if (c.result) {
            EXPECT_TRUE(RegexGetMatch(id_, 0) == handed)
                << "the capture handed back is found whole";
        }
    }

    // The description compiled as a pattern, as a copy of it would be.
    ASSERT_EQ(RegexCompile(id_, L"(", 0), -6);
    const std::wstring description = RegexGetErrorDescription(id_);
    ASSERT_FALSE(description.empty());
    const uintptr_t copy = id_ + 1;
    const int expected = RegexCompile(copy, description.c_str(), 0);
    EXPECT_EQ(RegexCompile(id_, RegexGetErrorDescription(id_), 0), expected);
    EXPECT_EQ(RegexMatches(id_, description.c_str(), 0),
              RegexMatches(copy, description.c_str(), 0));
    EXPECT_EQ(RegexMatches(id_, L"", 0), 0) << "not the empty pattern";
    RegexFree(copy);
}

// Backtracking that would hold the macro thread for minutes is given up after
// a bounded amount of work: the text counts as not matching, and the
// expression answers ordinary texts afterwards.
TEST_F(Regex, RunawayMatchesAreGivenUp) {
    const struct {
        const wchar_t* pattern;
        int32_t syntax;
        std::wstring text;
        bool search;
        const wchar_t* ordinary; // matches (or is found) afterwards
    } cases[] = {
        {L"(a*)*b", 0, std::wstring(28, L'a'), false, L"aab"},
        {L"(a|aa)*c", 0, std::wstring(40, L'a'), false, L"aac"},
        {L"^(\\w+\\s?)*$", 0, std::wstring(30, L'w') + L"!", false, L"ab cd"},
        {L"a*c", 0, std::wstring(1 << 16, L'a'), true, L"xaac"},
        {L"(?:|){40}b", 0, L"a", false, L"b"}, // never consumes a character
        {L"(?=(a*)*b)", 0, std::wstring(28, L'a'), true, L"ab"},
        {L"(a*)*\\1b", 0, std::wstring(28, L'a'), false, L"b"},
        {L"(a|aa)*", 5, std::wstring(60, L'a'), false, L"aa"}, // extended: the longest of all paths
        {L"a*c", 0, std::wstring(1 << 20, L'a'), true, L"ac"}, // given up deep in the stack
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "pattern of " << wcslen(c.pattern) << ", text of " << c.text.size());
        ASSERT_EQ(RegexCompile(id_, c.pattern, c.syntax), 1);
        auto run = c.search ? &RegexSearch : &RegexMatches;
        EXPECT_EQ(run(id_, c.text.c_str(), 0), 0);
        EXPECT_EQ(RegexGetMatchCount(id_), 0);
        EXPECT_GT(run(id_, c.ordinary, 0), 0);
    }
}

TEST_F(Regex, GivingUpReleasesWhatTheMatcherHeld) {
    ASSERT_EQ(RegexCompile(id_, L"((a*)*|(b|bb)+)*c", 0), 1);
    const std::wstring text(28, L'a');
    ASSERT_EQ(RegexMatches(id_, text.c_str(), 0), 0);
    const size_t before = testsupport::HeapBytesInUse();
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(RegexMatches(id_, text.c_str(), 0), 0);
    EXPECT_LT(testsupport::HeapBytesInUse(), before + 256);
}

// Large legitimate work stays within the budget.
TEST_F(Regex, LargeSearchesComplete) {
    std::wstring log;
    while (log.size() < (size_t{8} << 20))
        log += L"shutter open line cyan intensity ok ";
    log += L"needle 42";
    ASSERT_EQ(RegexCompile(id_, L"needle (\\d+)", 0), 1);
    EXPECT_EQ(RegexSearch(id_, log.c_str(), 0), 2);
    EXPECT_STREQ(RegexGetMatch(id_, 1), L"42");
    ASSERT_EQ(RegexCompile(id_, L"(?:(\\w+) )*needle", 0), 1);
    EXPECT_EQ(RegexSearch(id_, log.c_str() + log.size() - (1 << 18), 0), 2);
}

} // namespace
