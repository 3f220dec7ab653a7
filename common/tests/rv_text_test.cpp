#include "rv_text.h"
#include "test_memory.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(TextHelpers, CopyToBufferTruncatesAndTerminates) {
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    EXPECT_TRUE(rv::CopyToBuffer(buffer, 4, L"abcdef"));
    EXPECT_STREQ(buffer, L"abc");
    EXPECT_TRUE(rv::CopyToBuffer(buffer, 1, L"abc"));
    EXPECT_STREQ(buffer, L"");
    EXPECT_FALSE(rv::CopyToBuffer(buffer, 0, L"abc"));
    testsupport::ReadOnlyPage page(L"keep", 10);
    EXPECT_FALSE(rv::CopyToBuffer(static_cast<wchar_t*>(page.data()), 5, L"new"));
    EXPECT_STREQ(static_cast<wchar_t*>(page.data()), L"keep");
}

TEST(TextHelpers, ConversionsRoundTrip) {
    EXPECT_EQ(rv::ToWide("caf\xc3\xa9", CP_UTF8), L"caf\u00e9");
    EXPECT_EQ(rv::ToNarrow(L"caf\u00e9", CP_UTF8), "caf\xc3\xa9");
    EXPECT_EQ(rv::ToWide(nullptr), L"");
    EXPECT_EQ(rv::ToWide(static_cast<const char*>(testsupport::UnmappedAddress())), L"");
    EXPECT_EQ(rv::ToWide("plain"), L"plain");
}

} // namespace
