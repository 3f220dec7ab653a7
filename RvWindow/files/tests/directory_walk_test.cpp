// The directory walk: paths with the pattern's folder, the end closing the
// walk, reused variables, and variables that hold no walk.
#include "RvWindow.h"
#include "temp_folder.h"
#include "test_memory.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace rvftest {
namespace {

// data: a.txt, b.txt, c.log, sub (a folder); empty: nothing.
class DirectoryWalk : public TempFolder {
  protected:
    void SetUp() override {
        TempFolder::SetUp();
        MakeFolder(L"data");
        MakeFile(L"data\\a.txt");
        MakeFile(L"data\\b.txt");
        MakeFile(L"data\\c.log");
        MakeFolder(L"data\\sub");
        MakeFolder(L"empty");
        GetCurrentDirectoryW(MAX_PATH, previousDirectory_);
    }
    void TearDown() override {
        SetCurrentDirectoryW(previousDirectory_);
        TempFolder::TearDown();
    }

    // Every path of a walk, sorted; the variable must end null.
    std::vector<std::wstring> Walk(const std::wstring& pattern) {
        std::vector<std::wstring> paths;
        void* walk = nullptr;
        wchar_t path[MAX_PATH];
        for (int more = RvFile_FindFirstFile(&walk, pattern.c_str(), path); more;
             more = RvFile_FindNextFile(&walk, path))
            paths.push_back(path);
        EXPECT_EQ(walk, nullptr) << "the end of the walk closes it";
        std::sort(paths.begin(), paths.end());
        return paths;
    }

    wchar_t previousDirectory_[MAX_PATH] = {};
};

using Paths = std::vector<std::wstring>;

TEST_F(DirectoryWalk, PathsKeepThePatternsFolder) {
    const std::wstring data = At(L"data\\");
    EXPECT_EQ(Walk(data + L"*.txt"), (Paths{data + L"a.txt", data + L"b.txt"}));
    EXPECT_EQ(Walk(data + L"*"),
              (Paths{data + L"a.txt", data + L"b.txt", data + L"c.log", data + L"sub"}));
    std::wstring forward = folder_ + L"/data/";
    std::replace(forward.begin(), forward.end(), L'\\', L'/');
    EXPECT_EQ(Walk(forward + L"*.txt"), (Paths{forward + L"a.txt", forward + L"b.txt"}));
}

TEST_F(DirectoryWalk, BareAndRelativePatterns) {
    ASSERT_TRUE(SetCurrentDirectoryW(At(L"data").c_str()));
    EXPECT_EQ(Walk(L"*.txt"), (Paths{L"a.txt", L"b.txt"}));
    ASSERT_TRUE(SetCurrentDirectoryW(folder_.c_str()));
    EXPECT_EQ(Walk(L"data\\*.log"), (Paths{L"data\\c.log"}));
    EXPECT_EQ(Walk(L"data/s*"), (Paths{L"data/sub"}));
}

TEST_F(DirectoryWalk, TheLastSeparatorOfEitherKindEndsThePrefix) {
    // Otherwise the paths would name files of another folder.
    const std::wstring mixed = folder_ + L"/data\\";
    EXPECT_EQ(Walk(mixed + L"a*"), (Paths{mixed + L"a.txt"}));
    // A root pattern keeps its separator: "x" alone would be relative.
    void* walk = nullptr;
    wchar_t path[MAX_PATH] = {};
    ASSERT_EQ(RvFile_FindFirstFile(&walk, L"\\*", path), 1);
    EXPECT_EQ(path[0], L'\\');
    EXPECT_NE(path[1], L'\0');
    RvFile_FindClose(&walk);
    EXPECT_EQ(walk, nullptr);
}

TEST_F(DirectoryWalk, NothingFoundLeavesTheVariableAlone) {
    void* walk = nullptr;
    wchar_t path[MAX_PATH] = L"untouched";
    EXPECT_EQ(RvFile_FindFirstFile(&walk, At(L"empty\\*").c_str(), path), 0);
    EXPECT_EQ(RvFile_FindFirstFile(&walk, At(L"data\\*.none").c_str(), path), 0);
    EXPECT_EQ(RvFile_FindFirstFile(&walk, At(L"missing\\*").c_str(), path), 0);
    EXPECT_EQ(walk, nullptr);
    EXPECT_STREQ(path, L"untouched");
}

TEST_F(DirectoryWalk, AReusedVariableKeepsItsRecordForTheNewSearch) {
    void* walk = nullptr;
    wchar_t path[MAX_PATH];
    ASSERT_EQ(RvFile_FindFirstFile(&walk, At(L"data\\*.txt").c_str(), path), 1);
    void* record = walk;
    ASSERT_EQ(RvFile_FindFirstFile(&walk, At(L"data\\*.log").c_str(), path), 1);
    EXPECT_EQ(walk, record);
    EXPECT_EQ(std::wstring(path), At(L"data\\c.log"));
    EXPECT_EQ(RvFile_FindNextFile(&walk, path), 0);
    EXPECT_EQ(walk, nullptr);
}

TEST_F(DirectoryWalk, CloseEndsAWalkAndIgnoresAnythingElse) {
    void* walk = nullptr;
    wchar_t path[MAX_PATH];
    ASSERT_EQ(RvFile_FindFirstFile(&walk, At(L"data\\*").c_str(), path), 1);
    void* freed = walk;
    EXPECT_EQ(RvFile_FindClose(&walk), 0);
    EXPECT_EQ(walk, nullptr);
    // A copy of the freed record's address holds no walk any more.
    void* stale = freed;
    EXPECT_EQ(RvFile_FindNextFile(&stale, path), 0);
    EXPECT_EQ(RvFile_FindClose(&stale), 0);
    EXPECT_EQ(stale, freed);
}

TEST_F(DirectoryWalk, VariablesAndBuffersThatCannotBeUsed) {
    const std::wstring pattern = At(L"data\\*");
    wchar_t path[MAX_PATH];
    // A variable pointing at memory that holds no walk record.
    char foreign[sizeof(void*) * 80] = "not a walk record";
    void* notAWalk = foreign;
    EXPECT_EQ(RvFile_FindNextFile(&notAWalk, path), 0);
    EXPECT_EQ(RvFile_FindClose(&notAWalk), 0);
    EXPECT_EQ(notAWalk, static_cast<void*>(foreign));
    void* unmapped = testsupport::UnmappedAddress();
    EXPECT_EQ(RvFile_FindNextFile(&unmapped, path), 0);

    void* const nothing = nullptr;
    testsupport::ReadOnlyPage readOnly(&nothing, sizeof nothing);
    for (void** variable : {static_cast<void**>(nullptr), static_cast<void**>(readOnly.data()),
                            static_cast<void**>(testsupport::UnmappedAddress())}) {
        EXPECT_EQ(RvFile_FindFirstFile(variable, pattern.c_str(), path), 0);
        EXPECT_EQ(RvFile_FindNextFile(variable, path), 0);
        EXPECT_EQ(RvFile_FindClose(variable), 0);
    }

    // A path buffer of fewer than MAX_PATH writable characters.
    testsupport::RegionEdge edge;
    wchar_t blank[MAX_PATH - 1] = {};
    auto* shortBuffer = static_cast<wchar_t*>(edge.EndingAtEdge(blank, sizeof blank));
    void* walk = nullptr;
    EXPECT_EQ(RvFile_FindFirstFile(&walk, pattern.c_str(), shortBuffer), 0);
    EXPECT_EQ(walk, nullptr);
    ASSERT_EQ(RvFile_FindFirstFile(&walk, pattern.c_str(), path), 1);
    EXPECT_EQ(RvFile_FindNextFile(&walk, shortBuffer), 0);
    EXPECT_NE(walk, nullptr) << "the walk goes on with a usable buffer";
    EXPECT_EQ(RvFile_FindNextFile(&walk, path), 1);
    RvFile_FindClose(&walk);

    const std::wstring tooLong = At(std::wstring(MAX_PATH, L'x') + L"\\*");
    EXPECT_EQ(RvFile_FindFirstFile(&walk, tooLong.c_str(), path), 0);
    EXPECT_EQ(RvFile_FindFirstFile(&walk, nullptr, path), 0);
    EXPECT_EQ(walk, nullptr);
}

} // namespace
} // namespace rvftest
