#include "RvString.h"
#include "test_memory.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(StringHelpers, AgreeWithTheCLibrary) {
    const wchar_t* texts[] = {
        L"", L"a", L"abc", L"abd", L"ab", L"hello, world", L"\u00e9t\u00e9", L"  lead", L"a,b;;c"};
    const wchar_t* sets[] = {L"", L",", L" ;,", L"xyz", L"\u00e9", L"dc"};
    for (const wchar_t* a : texts) {
        for (const wchar_t* b : texts)
            for (size_t n : {0u, 1u, 2u, 3u, 100u})
                EXPECT_EQ(Sign(RVS_strncmp(a, b, n)), Sign(wcsncmp(a, b, n)));
        for (const wchar_t* set : sets) {
            EXPECT_EQ(RVS_strcspn(a, set), wcscspn(a, set));
            EXPECT_EQ(RVS_strpbrk(a, set), wcspbrk(a, set));

            std::wstring mine(a), theirs(a);
            wchar_t *myContext = nullptr, *theirContext = nullptr;
            wchar_t* m = RVS_strtok(mine.data(), set, &myContext);
            wchar_t* t = wcstok_s(theirs.data(), set, &theirContext);
            for (int guard = 0; guard < 20; ++guard) {
                ASSERT_EQ(m == nullptr, t == nullptr);
                if (!m) break;
                EXPECT_EQ(m - mine.data(), t - theirs.data());
                EXPECT_STREQ(m, t);
                m = RVS_strtok(nullptr, set, &myContext);
                t = wcstok_s(nullptr, set, &theirContext);
            }
        }
        for (size_t n : {0u, 1u, 3u, 8u}) {
            wchar_t mine[8], theirs[8];
            wmemset(mine, L'X', 8);
            wmemset(theirs, L'X', 8);
            EXPECT_EQ(RVS_strncpy(mine, a, n), mine);
            wcsncpy(theirs, a, n);
            EXPECT_EQ(std::wstring(mine, 8), std::wstring(theirs, 8));
        }
    }
}

TEST(StringHelpers, BadArgumentsAreHarmless) {
    const wchar_t* unmapped = static_cast<const wchar_t*>(testsupport::UnmappedAddress());
    EXPECT_EQ(RVS_strncmp(nullptr, L"", 5), 0);
    EXPECT_LT(RVS_strncmp(unmapped, L"a", 5), 0);
    EXPECT_EQ(RVS_strcspn(nullptr, L"a"), 0u);
    EXPECT_EQ(RVS_strcspn(L"abc", nullptr), 3u);
    EXPECT_EQ(RVS_strpbrk(L"abc", nullptr), nullptr);
    EXPECT_EQ(RVS_strpbrk(unmapped, L"a"), nullptr);

    const wchar_t original[] = L"keep";
    testsupport::ReadOnlyPage page(original, sizeof original);
    auto* readOnly = static_cast<wchar_t*>(page.data());
    EXPECT_EQ(RVS_strncpy(readOnly, L"new", 4), nullptr);
    EXPECT_EQ(RVS_strncpy(nullptr, L"new", 4), nullptr);
    EXPECT_EQ(RVS_strncpy(const_cast<wchar_t*>(unmapped), L"new", 4), nullptr);
    testsupport::RegionEdge edge;
    wchar_t* last3 = static_cast<wchar_t*>(edge.EndingAtEdge(L"xyz", 6));
    EXPECT_EQ(RVS_strncpy(last3, L"ab", 4), nullptr) << "count runs past the writable region";
    EXPECT_EQ(RVS_strncpy(last3, L"ab", 3), last3);
    EXPECT_EQ(std::wstring(last3, 3), std::wstring(L"ab\0", 3));
    wchar_t zeros[3] = {L'x', L'x', L'x'};
    EXPECT_EQ(RVS_strncpy(zeros, nullptr, 3), zeros);
    EXPECT_EQ(std::wstring(zeros, 3), std::wstring(3, L'\0'));

    wchar_t* context = nullptr;
    EXPECT_EQ(RVS_strtok(nullptr, L",", &context), nullptr);
    EXPECT_EQ(RVS_strtok(readOnly, L",", &context), nullptr);
    wchar_t text[] = L"a,b";
    EXPECT_EQ(RVS_strtok(text, L",", nullptr), nullptr);
    EXPECT_STREQ(text, L"a,b") << "nothing written without a context";
    EXPECT_EQ(std::wstring(readOnly), L"keep");
}

// The counted helpers read a source no further than the C functions do: up to
// its terminator or the count, whichever comes first. Here "abc" ends at a
// page that cannot be read.
TEST(StringHelpers, CountedHelpersReadNoFurtherThanTheirCount) {
    testsupport::RegionEdge edge;
    const wchar_t abc[] = {L'a', L'b', L'c'};
    const auto* atEdge = static_cast<const wchar_t*>(edge.EndingAtEdge(abc, sizeof abc));
    const struct {
        size_t count;
        std::wstring copied; // the 6 characters of a buffer of X after RVS_strncpy
        int versusAbc;       // RVS_strncmp(atEdge, "abc", count)
        int versusAbd;       // RVS_strncmp(atEdge, "abd", count): differs before the edge
    } cases[] = {
        {0, L"XXXXXX", 0, 0},
        {1, L"aXXXXX", 0, 0},
        {2, L"abXXXX", 0, 0},
        {3, L"abcXXX", 0, -1},
        // One more would be read: the source counts as empty.
        {4, std::wstring(4, L'\0') + L"XX", -1, -1},
        {100, std::wstring(6, L'\0'), -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "count " << c.count);
        wchar_t buffer[100];
        wmemset(buffer, L'X', 100);
        EXPECT_EQ(RVS_strncpy(buffer, atEdge, c.count), buffer);
        EXPECT_EQ(std::wstring(buffer, 6), c.copied);
        EXPECT_EQ(Sign(RVS_strncmp(atEdge, L"abc", c.count)), c.versusAbc);
        EXPECT_EQ(Sign(RVS_strncmp(L"abc", atEdge, c.count)), -c.versusAbc);
        EXPECT_EQ(Sign(RVS_strncmp(atEdge, L"abd", c.count)), c.versusAbd);
        EXPECT_EQ(Sign(RVS_strncmp(atEdge, atEdge, c.count)), 0);
    }
    // Terminated right at the edge: any count reads it whole.
    const wchar_t* terminated = static_cast<const wchar_t*>(edge.EndingAtEdge(L"ab", 6));
    for (size_t count : {size_t{2}, size_t{3}, size_t{4}, SIZE_MAX}) {
        EXPECT_EQ(RVS_strncmp(terminated, L"ab", count), 0) << count;
        EXPECT_GT(RVS_strncmp(terminated, L"a", count), 0) << count;
    }
    wchar_t buffer[4] = {L'X', L'X', L'X', L'X'};
    EXPECT_EQ(RVS_strncpy(buffer, terminated, 4), buffer);
    EXPECT_EQ(std::wstring(buffer, 4), std::wstring(L"ab\0\0", 4));
}

TEST(StringHelpers, CopyingNothingReturnsTheDestinationUntouched) {
    testsupport::RegionEdge edge;
    auto* pastTheEnd = static_cast<wchar_t*>(edge.EndingAtEdge(L"", 0));
    testsupport::ReadOnlyPage page(L"keep", 10);
    auto* readOnly = static_cast<wchar_t*>(page.data());
    for (wchar_t* destination : {pastTheEnd, readOnly, static_cast<wchar_t*>(nullptr)})
        EXPECT_EQ(RVS_strncpy(destination, L"text", 0), destination);
    EXPECT_STREQ(readOnly, L"keep");
}

struct SplitCase {
    const wchar_t* text;
    const wchar_t* separator;
    uint32_t flags;
    size_t capacity;
    std::vector<std::wstring> pieces;
};

TEST(StringSplit, SplitsInPlace) {
    const SplitCase cases[] = {
        {L"a,,b", L",", 0, 8, {L"a", L"", L"b"}},
        {L"a,,b", L",", RVS_SPLIT_MERGE, 8, {L"a", L"b"}},
        {L"", L",", 0, 8, {L""}},
        {L"", L",", RVS_SPLIT_MERGE, 8, {}},
        {L"a\\,b,c", L",", RVS_SPLIT_BACKSLASH_ESCAPES, 8, {L"a,b", L"c"}},
        {L"\\,a", L",", RVS_SPLIT_BACKSLASH_ESCAPES, 8, {L",a"}},
        {L"a\\,", L",", RVS_SPLIT_BACKSLASH_ESCAPES, 8, {L"a,"}},
        {L"a,b,c", L",", 0, 2, {L"a", L"b"}},
        {L"a,", L",", 0, 8, {L"a", L""}},
        {L",,a,,", L",", RVS_SPLIT_MERGE, 8, {L"a"}},
        {L"a b;c", L" ;", 0, 8, {L"a", L"b", L"c"}},
        {L"a::b:c::", L"::", RVS_SPLIT_WHOLE_SEPARATOR, 8, {L"a", L"b:c", L""}},
        {L"::::a::::b", L"::", RVS_SPLIT_WHOLE_SEPARATOR | RVS_SPLIT_MERGE, 8, {L"a", L"b"}},
        {L"a\\::b::c",
         L"::",
         RVS_SPLIT_WHOLE_SEPARATOR | RVS_SPLIT_BACKSLASH_ESCAPES,
         8,
         {L"a::b", L"c"}},
        {L"abc", L",", 0, 1, {L"abc"}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "case with flags " << c.flags << ", pieces " << c.pieces.size());
        std::wstring text = c.text;
        text.push_back(L'\0');
        std::vector<uintptr_t> offsets(c.capacity, 0xFFFF);
        const size_t count =
            RVS_strsplit(offsets.data(), c.capacity, text.data(), c.separator, c.flags);
        ASSERT_EQ(count, c.pieces.size());
        for (size_t i = 0; i < count; ++i)
            EXPECT_EQ(std::wstring(text.data() + offsets[i]), c.pieces[i]);
    }
}

TEST(StringSplit, BadArgumentsGiveNoPieces) {
    uintptr_t offsets[4];
    wchar_t text[] = L"a,b";
    EXPECT_EQ(RVS_strsplit(nullptr, 4, text, L",", 0), 0u);
    EXPECT_EQ(RVS_strsplit(offsets, 0, text, L",", 0), 0u);
    EXPECT_EQ(RVS_strsplit(offsets, 4, nullptr, L",", 0), 0u);
    EXPECT_EQ(RVS_strsplit(offsets, 4, text, L"", 0), 0u);
    EXPECT_EQ(RVS_strsplit(offsets, 4, text, nullptr, 0), 0u);
    testsupport::ReadOnlyPage page(L"a,b", 8);
    EXPECT_EQ(RVS_strsplit(offsets, 4, static_cast<wchar_t*>(page.data()), L",", 0), 0u);
    EXPECT_EQ(RVS_strsplit(static_cast<uintptr_t*>(page.data()), 4, text, L",", 0), 0u);
    EXPECT_STREQ(text, L"a,b");
    // A huge capacity is fine as long as the pieces fit the array.
    EXPECT_EQ(RVS_strsplit(offsets, SIZE_MAX, text, L",", 0), 2u);
}

// Splitting writes into the text: a separator inside it is read first, and
// an offsets array that overlaps it is refused.
TEST(StringSplit, ArgumentsInsideTheTextAreSafe) {
    // The separator is the text's last character, which dropping the escaping
    // backslash moves.
    wchar_t text[] = L"x\\;y;z;";
    uintptr_t offsets[4];
    ASSERT_EQ(RVS_strsplit(offsets, 4, text, text + 6, RVS_SPLIT_BACKSLASH_ESCAPES), 3u);
    EXPECT_STREQ(text + offsets[0], L"x;y");
    EXPECT_STREQ(text + offsets[1], L"z");
    EXPECT_STREQ(text + offsets[2], L"");

    alignas(uintptr_t) wchar_t shared[16] = L"a,b,c,d";
    EXPECT_EQ(RVS_strsplit(reinterpret_cast<uintptr_t*>(shared), 2, shared, L",", 0), 0u);
    EXPECT_STREQ(shared, L"a,b,c,d");
}

} // namespace
