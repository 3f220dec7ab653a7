#include "rv_memory.h"
#include "test_memory.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr rv::Signature kSig{0x1122334455667788ull, 0x99aabbccddeeff00ull};

TEST(MemoryChecks, SignatureNeedsWritableMemoryOfTheWholeRecord) {
    unsigned char record[48] = {};
    std::memcpy(record, &kSig, sizeof kSig);
    testsupport::ReadOnlyPage readOnly(record, sizeof record);
    testsupport::RegionEdge edge;

    EXPECT_TRUE(rv::HasSignature(record, sizeof record, kSig));
    EXPECT_TRUE(rv::HasSignature(edge.EndingAtEdge(record, sizeof record), sizeof record, kSig))
        << "a record ending exactly at the end of its region is whole";
    EXPECT_FALSE(rv::HasSignature(edge.Straddling(record, sizeof record, 1), sizeof record, kSig));
    EXPECT_FALSE(rv::HasSignature(readOnly.data(), sizeof record, kSig));
    EXPECT_TRUE(rv::IsReadable(readOnly.data(), sizeof record));
    EXPECT_FALSE(rv::HasSignature(testsupport::UnmappedAddress(), sizeof record, kSig));
    EXPECT_FALSE(rv::HasSignature(nullptr, sizeof record, kSig));
    EXPECT_FALSE(rv::HasSignature(reinterpret_cast<void*>(1), sizeof record, kSig));
    record[15] ^= 1;
    EXPECT_FALSE(rv::HasSignature(record, sizeof record, kSig));
    EXPECT_FALSE(rv::IsWritable(record, SIZE_MAX)) << "a range that wraps around";
}

TEST(MemoryChecks, TrailingSignatureNeedsTheWholeRecordAndItsLastWords) {
    unsigned char record[48] = {};
    std::memcpy(record + sizeof record - sizeof kSig, &kSig, sizeof kSig);
    testsupport::ReadOnlyPage readOnly(record, sizeof record);
    testsupport::RegionEdge edge;

    EXPECT_TRUE(rv::HasSignatureAtEnd(record, sizeof record, kSig));
    EXPECT_FALSE(rv::HasSignature(record, sizeof record, kSig)) << "not at the start";
    EXPECT_TRUE(
        rv::HasSignatureAtEnd(edge.EndingAtEdge(record, sizeof record), sizeof record, kSig));
    EXPECT_FALSE(
        rv::HasSignatureAtEnd(edge.Straddling(record, sizeof record, 1), sizeof record, kSig));
    EXPECT_FALSE(rv::HasSignatureAtEnd(readOnly.data(), sizeof record, kSig));
    EXPECT_FALSE(rv::HasSignatureAtEnd(testsupport::UnmappedAddress(), sizeof record, kSig));
    EXPECT_FALSE(rv::HasSignatureAtEnd(record, sizeof kSig - 1, kSig));
    record[sizeof record - 1] ^= 1;
    EXPECT_FALSE(rv::HasSignatureAtEnd(record, sizeof record, kSig));
}

TEST(MemoryChecks, SafeLengthStopsAtUnusableMemory) {
    testsupport::RegionEdge edge;
    size_t length = 99;
    const wchar_t terminated[] = L"abc";
    EXPECT_TRUE(rv::SafeWideLength(
        static_cast<const wchar_t*>(edge.EndingAtEdge(terminated, sizeof terminated)), &length));
    EXPECT_EQ(length, 3u);
    const wchar_t open[] = {L'a', L'b'};
    EXPECT_FALSE(rv::SafeWideLength(
        static_cast<const wchar_t*>(edge.EndingAtEdge(open, sizeof open)), &length));
    // A misaligned string whose last character straddles the region end.
    const char odd[] = {'x', 'a', 0, 'b', 0};
    auto* straddling = static_cast<const char*>(edge.EndingAtEdge(odd, sizeof odd)) + 1;
    EXPECT_FALSE(rv::SafeWideLength(reinterpret_cast<const wchar_t*>(straddling), &length));
    EXPECT_FALSE(rv::SafeWideLength(nullptr, &length));

    testsupport::ReadOnlyPage page(L"ro", 6);
    EXPECT_TRUE(rv::SafeWideLength(static_cast<const wchar_t*>(page.data()), &length));
    EXPECT_FALSE(rv::SafeWideLength(static_cast<const wchar_t*>(page.data()), &length, true));
    EXPECT_TRUE(rv::SafeNarrowLength("four", &length));
    EXPECT_EQ(length, 4u);
}

TEST(MemoryChecks, BoundedLengthReadsNoFurtherThanItsLimit) {
    testsupport::RegionEdge edge;
    const wchar_t open[] = {L'a', L'b', L'c'};
    const auto* atEdge = static_cast<const wchar_t*>(edge.EndingAtEdge(open, sizeof open));
    const struct {
        size_t limit;
        bool readable;
        size_t length; // on failure: the characters readable before the edge
    } cases[] = {{0, true, 0}, {2, true, 2}, {3, true, 3}, {4, false, 3}, {SIZE_MAX, false, 3}};
    for (const auto& c : cases) {
        size_t length = 99;
        EXPECT_EQ(rv::SafeWideLengthWithin(atEdge, c.limit, &length), c.readable) << c.limit;
        EXPECT_EQ(length, c.length) << c.limit;
    }
    size_t length = 99;
    EXPECT_TRUE(rv::SafeWideLengthWithin(L"ab", 100, &length));
    EXPECT_EQ(length, 2u);
    EXPECT_FALSE(rv::SafeWideLengthWithin(nullptr, 1, &length));

    // A misaligned string whose terminator comes before a straddling character.
    const char odd[] = {'x', 'a', 0, 0, 0, 'b'};
    auto* straddling = static_cast<const char*>(edge.EndingAtEdge(odd, sizeof odd)) + 1;
    EXPECT_TRUE(rv::SafeWideLength(reinterpret_cast<const wchar_t*>(straddling), &length));
    EXPECT_EQ(length, 1u);
}

} // namespace
