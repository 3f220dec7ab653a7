#include "temp_folder.h"

#include "unmanaged_windows.h"

namespace rvftest {
namespace {

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

void TempFolder::SetUp() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Process ids come round again, and a folder a dialog made current may
    // have stayed behind: the next free name is taken.
    static int serial = 0;
    const int kTries = 1000;
    bool made = false;
    for (int tries = 0; !made && tries < kTries; ++tries) {
        folder_ = std::wstring(temp) + L"rvfile_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                  std::to_wstring(++serial);
        made = CreateDirectoryW(folder_.c_str(), nullptr) != 0;
    }
    ASSERT_TRUE(made);
}

void TempFolder::TearDown() {
    // A dialog may have made the folder current, which keeps it from going.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);
    RemoveTree(folder_);
}

void TempFolder::MakeFolder(const std::wstring& name) const {
    CreateDirectoryW(At(name).c_str(), nullptr);
}

void TempFolder::MakeFile(const std::wstring& name, const std::string& bytes) const {
    HANDLE file = CreateFileW(At(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string TempFolder::Contents(const std::wstring& name) const {
    HANDLE file = CreateFileW(At(name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

} // namespace rvftest
