#include "rv_args.h"
#include "test_memory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>

namespace {

TEST(ArgumentHelpers, AnsiArgumentsAreNullOnlyWhenTheyCannotBeRead) {
    EXPECT_EQ(rv::AnsiArgument(nullptr).get(), nullptr);
    EXPECT_EQ(rv::AnsiArgument(static_cast<const char*>(testsupport::UnmappedAddress())).get(),
              nullptr);
    const rv::AnsiArgument empty("");
    ASSERT_NE(empty.get(), nullptr);
    EXPECT_STREQ(empty.get(), L"");
    const rv::AnsiArgument text("Caf\xe9");
    wchar_t expected[8] = L"";
    MultiByteToWideChar(CP_THREAD_ACP, 0, "Caf\xe9", -1, expected, 8);
    ASSERT_NE(text.get(), nullptr);
    EXPECT_STREQ(text.get(), expected);
    // A string that runs into an unmapped page has no end to read up to.
    testsupport::RegionEdge edge;
    const char* unterminated = static_cast<const char*>(edge.EndingAtEdge("abc", 3));
    EXPECT_EQ(rv::AnsiArgument(unterminated).get(), nullptr);
}

TEST(ArgumentHelpers, WideArgumentsAreReadUpToTheirEnd) {
    std::wstring_view view;
    EXPECT_FALSE(rv::ReadWideArgument(nullptr, &view));
    EXPECT_FALSE(
        rv::ReadWideArgument(static_cast<const wchar_t*>(testsupport::UnmappedAddress()), &view));
    ASSERT_TRUE(rv::ReadWideArgument(L"name", &view));
    EXPECT_EQ(view, L"name");
}

TEST(ArgumentHelpers, GuardedTurnsExceptionsIntoTheFailureValue) {
    EXPECT_EQ(rv::Guarded(-1, [] { return 4; }), 4);
    EXPECT_EQ(rv::Guarded(-1, []() -> int { throw std::bad_alloc(); }), -1);
    EXPECT_EQ(rv::Guarded(0, []() -> int { throw std::runtime_error("x"); }), 0);
}

} // namespace
