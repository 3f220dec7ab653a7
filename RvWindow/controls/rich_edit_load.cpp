// Streaming a rich text file into a rich edit control.
#include "RvWindow.h"
#include "rich_edit.h"
#include "rv_args.h"
#include "subclassing.h"

#include <richedit.h>

#include <string>

namespace {

class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* read) {
    DWORD got = 0;
    const BOOL ok = ReadFile(reinterpret_cast<HANDLE>(cookie), buffer,
                             static_cast<DWORD>(wanted > 0 ? wanted : 0), &got, nullptr);
    *read = static_cast<LONG>(got);
    return ok ? 0 : GetLastError();
}

// Any rich edit class ("RICHEDIT50W", "RichEdit20W", ...): all take EM_STREAMIN.
bool IsRichEdit(HWND window) {
    wchar_t name[32] = L"";
    const int length = GetClassNameW(window, name, 32);
    constexpr int kPrefix = 8; // "RichEdit"
    return length >= kPrefix &&
           CompareStringOrdinal(name, kPrefix, L"RichEdit", kPrefix, TRUE) == CSTR_EQUAL;
}

} // namespace

RVWINDOW_API int RvRichEdit_LoadFile(uint32_t richEdit, const wchar_t* path) {
    return rv::Guarded(static_cast<int>(ERROR_OUTOFMEMORY), [&] {
        HWND window = rvw::WindowOf(richEdit);
        if (!rvw::IsOwnWindow(window) || !IsRichEdit(window))
            return static_cast<int>(ERROR_INVALID_WINDOW_HANDLE);
        std::wstring_view pathText;
        if (!rv::ReadWideArgument(path, &pathText))
            return static_cast<int>(ERROR_INVALID_PARAMETER);
        const std::wstring file(pathText);
        FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (handle.get() == INVALID_HANDLE_VALUE) return static_cast<int>(GetLastError());
        EDITSTREAM stream{};
        stream.dwCookie = reinterpret_cast<DWORD_PTR>(handle.get());
        stream.pfnCallback = ReadFromFile;
        SendMessageW(window, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
        return static_cast<int>(stream.dwError);
    });
}
