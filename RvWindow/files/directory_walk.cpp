// Walking the entries of one directory by pattern, for macros that keep the
// walk in a handle variable.
#include "directory_walk.h"

#include "RvWindow.h"
#include "rv_args.h"

#include <new>
#include <string_view>

namespace {

using rvw::WalkRecord;

bool IsDotEntry(const WIN32_FIND_DATAW& entry) {
    const std::wstring_view name = entry.cFileName;
    return name == L"." || name == L"..";
}

// The next entry other than "." and ".."; false at the end.
bool NextEntry(HANDLE find, WIN32_FIND_DATAW* entry) {
    do {
        if (!FindNextFileW(find, entry)) return false;
    } while (IsDotEntry(*entry));
    return true;
}

// The walk the variable holds, or null.
WalkRecord* WalkOf(void* const* walk) {
    if (!rv::IsWritable(walk, sizeof *walk)) return nullptr;
    void* record = *walk;
    return rv::HasSignature(record, sizeof(WalkRecord), rvw::kWalkSignature)
               ? static_cast<WalkRecord*>(record)
               : nullptr;
}

bool PathBufferWritable(const wchar_t* path) {
    return rv::IsWritable(path, MAX_PATH * sizeof(wchar_t));
}

void CloseSearch(WalkRecord& record) {
    if (record.find != INVALID_HANDLE_VALUE) FindClose(record.find);
    record.find = INVALID_HANDLE_VALUE;
}

void EndWalk(void** walk, WalkRecord* record) {
    CloseSearch(*record);
    // A store the compiler cannot drop before the delete: stale copies of
    // the address must not find a signature.
    SecureZeroMemory(&record->signature, sizeof record->signature);
    delete record;
    *walk = nullptr;
}

// Everything up to and including the last separator of either kind, so the
// paths handed back name the entries found ("C:\data\*.txt", "C:/data/*",
// "\*.txt").
std::wstring_view DirectoryPrefix(std::wstring_view pattern) {
    const size_t separator = pattern.find_last_of(L"\\/");
    return separator == std::wstring_view::npos ? std::wstring_view{}
                                                : pattern.substr(0, separator + 1);
}

void WriteEntryPath(const WalkRecord& record, const WIN32_FIND_DATAW& entry, wchar_t* path) {
    std::wstring full(record.prefix, record.prefixLength);
    full += entry.cFileName;
    rv::CopyToBuffer(path, MAX_PATH, full);
}

int FindFirstExport(void** walk, const wchar_t* pattern, wchar_t* path) {
    if (!rv::IsWritable(walk, sizeof *walk) || !PathBufferWritable(path)) return 0;
    std::wstring_view patternText;
    // The prefix must fit its storage with room for a name.
    if (!rv::ReadWideArgument(pattern, &patternText) || patternText.size() >= MAX_PATH) return 0;
    WIN32_FIND_DATAW entry;
    HANDLE find =
        FindFirstFileExW(pattern, FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) return 0;
    if (IsDotEntry(entry) && !NextEntry(find, &entry)) {
        FindClose(find);
        return 0;
    }
    WalkRecord* record = WalkOf(walk);
    if (record) {
        CloseSearch(*record); // a reused walk gives up the search it had
    } else {
        record = new (std::nothrow) WalkRecord;
        if (!record) {
            FindClose(find);
            return 0;
        }
        *walk = record;
    }
    record->find = find;
    const std::wstring_view prefix = DirectoryPrefix(patternText);
    prefix.copy(record->prefix, prefix.size());
    record->prefix[prefix.size()] = L'\0';
    record->prefixLength = static_cast<uint32_t>(prefix.size());
    WriteEntryPath(*record, entry, path);
    return 1;
}

int FindNextExport(void** walk, wchar_t* path) {
    WalkRecord* record = WalkOf(walk);
    if (!record || !PathBufferWritable(path)) return 0;
    WIN32_FIND_DATAW entry;
    if (record->find == INVALID_HANDLE_VALUE || !NextEntry(record->find, &entry)) {
        EndWalk(walk, record);
        return 0;
    }
    WriteEntryPath(*record, entry, path);
    return 1;
}

} // namespace

RVWINDOW_API int RvFile_FindFirstFile(void** walk, const wchar_t* pattern, wchar_t* path) {
    return rv::Guarded(0, [&] { return FindFirstExport(walk, pattern, path); });
}

RVWINDOW_API int RvFile_FindNextFile(void** walk, wchar_t* path) {
    return rv::Guarded(0, [&] { return FindNextExport(walk, path); });
}

RVWINDOW_API int RvFile_FindClose(void** walk) {
    return rv::Guarded(0, [&] {
        if (WalkRecord* record = WalkOf(walk)) EndWalk(walk, record);
        return 0;
    });
}
