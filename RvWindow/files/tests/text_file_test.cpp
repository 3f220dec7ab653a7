// RvFile_Write and RvFile_Append: bytes on disk, results and system errors.
#include "RvWindow.h"
#include "temp_folder.h"
#include "test_memory.h"

#include <string>

namespace rvftest {
namespace {

using TextFile = TempFolder;

TEST_F(TextFile, Utf8CountsCharactersAndWritesTheirBytes) {
    const std::wstring path = At(L"utf8.txt");
    EXPECT_EQ(RvFile_Write(path.c_str(), L"a\u00e9\u20ac", 1), 3);
    EXPECT_EQ(Contents(L"utf8.txt"), "a\xC3\xA9\xE2\x82\xAC");
}

TEST_F(TextFile, Utf16IsWrittenAsItIsWithoutByteOrderMark) {
    const std::wstring path = At(L"utf16.txt");
    EXPECT_EQ(RvFile_Write(path.c_str(), L"a\u00e9z", 0), 3);
    EXPECT_EQ(Contents(L"utf16.txt"), std::string("a\0\xE9\0z\0", 6));
}

TEST_F(TextFile, WriteReplacesTheWholeFileAndEmptyTextEmptiesIt) {
    const std::wstring path = At(L"replace.txt");
    MakeFile(L"replace.txt", "a much longer old content");
    EXPECT_EQ(RvFile_Write(path.c_str(), L"new", 1), 3);
    EXPECT_EQ(Contents(L"replace.txt"), "new");
    EXPECT_EQ(RvFile_Write(path.c_str(), L"", 1), 0);
    EXPECT_EQ(Contents(L"replace.txt"), "");
    EXPECT_EQ(RvFile_Write(At(L"created empty.txt").c_str(), L"", 0), 0);
    EXPECT_EQ(Contents(L"created empty.txt"), "");
}

TEST_F(TextFile, AppendAddsAtTheEndAndCreatesMissingFiles) {
    const std::wstring path = At(L"log.txt");
    EXPECT_EQ(RvFile_Append(path.c_str(), L"one\r\n", 1), 5);
    EXPECT_EQ(RvFile_Append(path.c_str(), L"two", 1), 3);
    EXPECT_EQ(RvFile_Append(path.c_str(), L"", 1), 0);
    EXPECT_EQ(Contents(L"log.txt"), "one\r\ntwo");
}

TEST_F(TextFile, AReaderSharingWritesSeesTheNewTextOneDenyingThemRefusesIt) {
    const std::wstring path = At(L"shared.txt");
    MakeFile(L"shared.txt", "old text");
    HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(RvFile_Write(path.c_str(), L"new", 1), 3);
    char bytes[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(reader, bytes, sizeof bytes, &read, nullptr));
    EXPECT_EQ(std::string(bytes, read), "new");
    CloseHandle(reader);

    HANDLE exclusive = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(RvFile_Append(path.c_str(), L"more", 1),
              -static_cast<int32_t>(ERROR_SHARING_VIOLATION));
    CloseHandle(exclusive);
    EXPECT_EQ(Contents(L"shared.txt"), "new");
}

TEST_F(TextFile, FailuresAreNegatedSystemErrorsAndLeaveFilesAlone) {
    MakeFile(L"keep.txt", "keep");
    const std::wstring keep = At(L"keep.txt");
    const auto* unreadable = static_cast<const wchar_t*>(testsupport::UnmappedAddress());
    const int32_t invalid = -static_cast<int32_t>(ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RvFile_Write(keep.c_str(), nullptr, 1), invalid);
    EXPECT_EQ(RvFile_Write(keep.c_str(), unreadable, 0), invalid);
    EXPECT_EQ(RvFile_Append(keep.c_str(), unreadable, 1), invalid);
    EXPECT_EQ(RvFile_Write(nullptr, L"x", 1), invalid);
    EXPECT_EQ(RvFile_Append(unreadable, L"x", 1), invalid);
    EXPECT_EQ(Contents(L"keep.txt"), "keep");
    EXPECT_EQ(RvFile_Write(At(L"no such folder\\x.txt").c_str(), L"x", 1),
              -static_cast<int32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(RvFile_Write(folder_.c_str(), L"x", 1), -static_cast<int32_t>(ERROR_ACCESS_DENIED));
    const std::wstring tooLong = At(std::wstring(300, L'n'));
    EXPECT_LT(RvFile_Write(tooLong.c_str(), L"x", 1), 0);
}

} // namespace
} // namespace rvftest
