#include "RvString.h"
#include "braced_body.h"
#include "test_memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <utility>
#include <vector>

namespace {

class StringMap : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(StrMapCreate(&map_, nullptr), 1); }
    void TearDown() override {
        if (map_) StrMapFree(&map_);
    }
    std::wstring Get(const wchar_t* key) { return StrMapGet(map_, key); }

    void* map_ = nullptr;
};

struct AddCase {
    const wchar_t* text;
    std::vector<std::pair<std::wstring, std::wstring>> present;
    std::vector<std::wstring> absent;
};

TEST_F(StringMap, AddFillsPairsFromOptionText) {
    const AddCase cases[] = {
        {L"  { a : 1 , b:2 }  ", {{L"a", L"1"}, {L"b", L"2"}}, {L"", L"{ a"}},
        {L"a:1,a:2", {{L"a", L"2"}}, {}},
        {L"k:p:q", {{L"k", L"p:q"}}, {L"p"}},
        {L"flag", {{L"flag", L""}}, {}},
        {L"a:1,,b:2", {{L"a", L"1"}, {L"", L""}, {L"b", L"2"}}, {}},
        {L"a:1,", {{L"a", L"1"}}, {L""}},
        {L",a", {{L"", L""}, {L"a", L""}}, {}},
        {L"{}", {}, {L"", L"{}"}},
        {L"", {}, {L""}},
        {L"\t{\n x : \t 1 \r\n}\n", {{L"x", L"1"}}, {}},
        // A braced text over several lines is taken whole, braces included.
        {L"{a:1\nb:2}", {{L"{a", L"1\nb:2}"}}, {L"a"}},
        {L"{ v: } }", {{L"v", L"}"}}, {}},
        {L"{a:1} x", {{L"{a", L"1} x"}}, {}},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "text: " << std::wstring(c.text).c_str());
        ASSERT_EQ(StrMapCreate(&map_, c.text), 1);
        for (const auto& [key, value] : c.present) {
            EXPECT_EQ(StrMapFind(map_, key.c_str()), 1) << key.size();
            EXPECT_EQ(Get(key.c_str()), value);
        }
        for (const auto& key : c.absent)
            EXPECT_EQ(StrMapFind(map_, key.c_str()), 0);
    }
}

TEST(BracedBody, AgreesWithTheWholeTextExpression) {
    const std::wregex braces(L"\\s*\\{\\s*(.*)\\s*\\}\\s*");
    const wchar_t* texts[] = {
        L"{}",        L"{ }",     L"{",          L"}",         L"}{",
        L" { a } ",   L"{a}}",    L"{{a}",       L"{a\n}",     L"{\na}",
        L"{a\nb}",    L"{a\rb}",  L"{a\u2028b}", L"{a\u2029}", L"{ a , b } \n",
        L"x{a}",      L"{a}x",    L"{ \n \n }",  L"{a } \t}",  L"\u3000{a}\u3000",
        L"\u00a0{a}", L"{a}\f\v", L"",           L"{ {} }",    L"{a:1}, {b:2}",
    };
    for (const wchar_t* text : texts) {
        std::wstring s(text);
        std::wsmatch m;
        const std::wstring expected = std::regex_match(s, m, braces) ? m[1].str() : s;
        EXPECT_EQ(std::wstring(rvs::BracedBody(s)), expected) << "text of " << s.size();
    }
}

TEST_F(StringMap, SetGetFindUnset) {
    EXPECT_EQ(StrMapSet(map_, L" Key ", L" value "), 1);
    EXPECT_EQ(Get(L" Key "), L" value ");
    EXPECT_EQ(StrMapFind(map_, L"key"), 0) << "keys are case-sensitive";

    EXPECT_EQ(StrMapFind(map_, L"absent"), 0);
    EXPECT_STREQ(StrMapGet(map_, L"absent"), L"");
    EXPECT_EQ(StrMapFind(map_, L"absent"), 1) << "reading an absent key adds it";

    EXPECT_EQ(StrMapUnset(map_, L" Key "), 1);
    EXPECT_EQ(StrMapFind(map_, L" Key "), 0);
    EXPECT_EQ(StrMapUnset(map_, L" Key "), 1) << "removing an absent key still succeeds";
}

TEST_F(StringMap, ValuePointerStaysValidWhileOtherEntriesChange) {
    StrMapSet(map_, L"kept", L"value");
    const wchar_t* value = StrMapGet(map_, L"kept");
    for (int i = 0; i < 200; ++i)
        StrMapSet(map_, std::to_wstring(i).c_str(), L"x");
    StrMapUnset(map_, L"7");
    EXPECT_STREQ(value, L"value");
}

TEST_F(StringMap, ParseOptionsCombinesNumbers) {
    StrMapAdd(map_, L"{LEFT:1, TOP:4, SPACED: 8, HUGE:0x10}");
    const struct {
        const wchar_t* options;
        int64_t bits;
    } cases[] = {
        {L"LEFT|TOP|16", 21}, {L"LEFT|BOTTOM", 1},
        {L" LEFT|TOP", 4},    {L"", 0},
        {L"-1", -1},          {L"SPACED", 8},
        {L"LEFT||TOP", 5},    {L"TOP|", 4},
        {L"HUGE", 0},         {L"  32x|1", 33},
        {L"+2|-0", 2},        {L"9223372036854775807", INT64_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrMapParseOptions(map_, c.options), c.bits)
            << std::wstring(c.options).size() << " characters";
}

TEST_F(StringMap, CreateOnALiveMapEmptiesAndKeepsIt) {
    StrMapSet(map_, L"a", L"1");
    void* before = map_;
    ASSERT_EQ(StrMapCreate(&map_, L"b:2"), 1);
    EXPECT_EQ(map_, before);
    EXPECT_EQ(StrMapFind(map_, L"a"), 0);
    EXPECT_EQ(Get(L"b"), L"2");
}

TEST(StringMapLifetime, FreeClearsTheVariableAndAFreedMapIsRejected) {
    void* map = nullptr;
    ASSERT_EQ(StrMapCreate(&map, L"a:1"), 1);
    void* stale = map;
    EXPECT_EQ(StrMapFree(&map), 1);
    EXPECT_EQ(map, nullptr);
    EXPECT_EQ(StrMapFree(&map), 0);
    EXPECT_EQ(StrMapFind(stale, L"a"), 0);
    EXPECT_EQ(StrMapFree(&stale), 0);

    // A variable holding a freed or foreign pointer gets a fresh map.
    ASSERT_EQ(StrMapCreate(&stale, nullptr), 1);
    EXPECT_NE(stale, nullptr);
    EXPECT_EQ(StrMapFind(stale, L"a"), 0);
    StrMapFree(&stale);
}

TEST(StringMapHandles, BadHandlesAreRejectedWithoutHarm) {
    void* live = nullptr;
    StrMapCreate(&live, nullptr);
    // Copies of a live record's first bytes in places a macro might pass.
    unsigned char head[64];
    std::memcpy(head, live, sizeof head);
    testsupport::ReadOnlyPage readOnly(head, sizeof head);
    testsupport::RegionEdge edge;
    void* straddling = edge.Straddling(head, sizeof head, 8);

    void* handles[] = {
        nullptr,         reinterpret_cast<void*>(1),     reinterpret_cast<void*>(0x10000),
        readOnly.data(), testsupport::UnmappedAddress(), straddling};
    for (void* h : handles) {
        SCOPED_TRACE(h);
        EXPECT_EQ(StrMapAdd(h, L"a:1"), 0);
        EXPECT_EQ(StrMapSet(h, L"a", L"1"), 0);
        EXPECT_EQ(StrMapGet(h, L"a"), nullptr);
        EXPECT_EQ(StrMapFind(h, L"a"), 0);
        EXPECT_EQ(StrMapUnset(h, L"a"), 0);
        EXPECT_EQ(StrMapParseOptions(h, L"1"), 0);
        void* variable = h;
        EXPECT_EQ(StrMapFree(&variable), 0);
        EXPECT_EQ(variable, h);
    }
    // Handle variables that cannot be written.
    EXPECT_EQ(StrMapCreate(nullptr, L"a:1"), 0);
    EXPECT_EQ(StrMapCreate(static_cast<void**>(readOnly.data()), nullptr), 0);
    EXPECT_EQ(StrMapFree(static_cast<void**>(testsupport::UnmappedAddress())), 0);
    StrMapFree(&live);
}

TEST_F(StringMap, BadStringArgumentsChangeNothing) {
    const wchar_t* unmapped = static_cast<const wchar_t*>(testsupport::UnmappedAddress());
    EXPECT_EQ(StrMapSet(map_, nullptr, L"v"), 0);
    EXPECT_EQ(StrMapSet(map_, L"k", unmapped), 0);
    EXPECT_EQ(StrMapFind(map_, L"k"), 0);
    EXPECT_EQ(StrMapGet(map_, nullptr), nullptr);
    EXPECT_EQ(StrMapAdd(map_, unmapped), 1) << "unreadable text adds nothing";
    EXPECT_EQ(StrMapParseOptions(map_, nullptr), 0);

    // A string running into an uncommitted page without a terminator.
    testsupport::RegionEdge edge;
    const wchar_t unterminated[] = {L'a', L':', L'1'};
    auto* text = static_cast<const wchar_t*>(edge.EndingAtEdge(unterminated, sizeof unterminated));
    EXPECT_EQ(StrMapAdd(map_, text), 1);
    EXPECT_EQ(StrMapFind(map_, L"a"), 0);
}

// Text a macro took from the map itself: each export must read it before it
// replaces the storage the text lives in.
TEST_F(StringMap, TextFromTheMapItselfIsReadBeforeTheMapChanges) {
    const std::wstring big(4 << 20, L'v');
    const struct {
        std::wstring stored; // the value of "opts"
        std::vector<std::pair<std::wstring, std::wstring>> after;
    } cases[] = {
        {L"opts:first value here,x:2,y:3,zz:a longer value to compare",
         {{L"opts", L"first value here"},
          {L"x", L"2"},
          {L"y", L"3"},
          {L"zz", L"a longer value to compare"}}},
        {L"{ opts: " + big + L", tail: 1 }", {{L"opts", big}, {L"tail", L"1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "value of " << c.stored.size());
        for (int create = 0; create < 2; ++create) {
            SCOPED_TRACE(create ? "StrMapCreate" : "StrMapAdd");
            ASSERT_EQ(StrMapSet(map_, L"opts", c.stored.c_str()), 1);
            const wchar_t* own = StrMapGet(map_, L"opts");
            void* before = map_;
            ASSERT_EQ(create ? StrMapCreate(&map_, own) : StrMapAdd(map_, own), 1);
            EXPECT_EQ(map_, before);
            for (const auto& [key, value] : c.after)
                EXPECT_TRUE(Get(key.c_str()) == value) << "value of " << key;
        }
    }
}

// A value set from itself, a part of itself, or from the value of its key.
TEST_F(StringMap, SetAndUnsetWithTextFromTheMapItself) {
    const std::wstring big(4 << 20, L'v');
    ASSERT_EQ(StrMapSet(map_, L"k", (L"value:" + big).c_str()), 1);
    ASSERT_EQ(StrMapSet(map_, L"k", StrMapGet(map_, L"k")), 1);
    EXPECT_EQ(Get(L"k").size(), big.size() + 6);
    ASSERT_EQ(StrMapSet(map_, L"k", StrMapGet(map_, L"k") + 6), 1);
    EXPECT_TRUE(Get(L"k") == big);
    ASSERT_EQ(StrMapSet(map_, L"name", L"name of a key that is long enough"), 1);
    ASSERT_EQ(StrMapSet(map_, StrMapGet(map_, L"name"), StrMapGet(map_, L"name")), 1);
    EXPECT_EQ(Get(L"name of a key that is long enough"), L"name of a key that is long enough");
    ASSERT_EQ(StrMapSet(map_, L"self", L"self"), 1);
    EXPECT_EQ(StrMapUnset(map_, StrMapGet(map_, L"self")), 1);
    EXPECT_EQ(StrMapFind(map_, L"self"), 0);
}

TEST_F(StringMap, LargeOptionText) {
    std::wstring text = L"{";
    for (int i = 0; i < 20000; ++i)
        text += L"key" + std::to_wstring(i) + L": " + std::to_wstring(i) + L",";
    text += L"}";
    ASSERT_EQ(StrMapAdd(map_, text.c_str()), 1);
    EXPECT_EQ(Get(L"key19999"), L"19999");
    EXPECT_EQ(StrMapParseOptions(map_, L"key1|key2|key4"), 7);
}

} // namespace
