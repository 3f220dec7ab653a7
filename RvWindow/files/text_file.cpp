// Writing and appending text files: UTF-8 or UTF-16 without a byte-order mark.
#include "RvWindow.h"
#include "rv_args.h"

#include <climits>
#include <string>

namespace {

// WriteFile takes at most a DWORD of bytes; larger texts go in pieces.
constexpr size_t kMaxWriteBytes = 1u << 30;

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (valid()) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

int32_t NegatedError(DWORD error) {
    return error == 0 || error > INT_MAX ? INT32_MIN : -static_cast<int32_t>(error);
}

// Writes every byte; false (with the system error set) when a write fails.
bool WriteAll(HANDLE file, const void* data, size_t bytes, size_t* written) {
    const char* at = static_cast<const char*>(data);
    *written = 0;
    while (*written < bytes) {
        const size_t piece = bytes - *written < kMaxWriteBytes ? bytes - *written : kMaxWriteBytes;
        DWORD done = 0;
        if (!WriteFile(file, at + *written, static_cast<DWORD>(piece), &done, nullptr))
            return false;
        *written += done;
        if (done == 0) return false;
    }
    return true;
}

int32_t WriteText(HANDLE file, std::wstring_view text, bool utf8) {
    size_t written = 0;
    if (utf8) {
        const std::string bytes = rv::ToNarrow(text, CP_UTF8);
        if (bytes.empty()) return NegatedError(ERROR_NO_UNICODE_TRANSLATION);
        if (!WriteAll(file, bytes.data(), bytes.size(), &written))
            return NegatedError(GetLastError());
        return text.size() > INT32_MAX ? INT32_MAX : static_cast<int32_t>(text.size());
    }
    if (!WriteAll(file, text.data(), text.size() * sizeof(wchar_t), &written) && written == 0)
        return NegatedError(GetLastError());
    const size_t characters = written / sizeof(wchar_t);
    return characters > INT32_MAX ? INT32_MAX : static_cast<int32_t>(characters);
}

enum class Placement { Replace, Append };

int32_t WriteFileExport(const wchar_t* path, const wchar_t* text, uint32_t utf8,
                        Placement placement) {
    std::wstring_view pathText, content;
    // A bad text must not cut the file it was meant for.
    if (!rv::ReadWideArgument(path, &pathText) || !rv::ReadWideArgument(text, &content))
        return NegatedError(ERROR_INVALID_PARAMETER);
    const FileHandle file(CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return NegatedError(GetLastError());
    if (placement == Placement::Append &&
        !SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_END))
        return NegatedError(GetLastError());
    const int32_t result = content.empty() ? 0 : WriteText(file.get(), content, utf8 != 0);
    if (placement == Placement::Replace && !SetEndOfFile(file.get()) && result >= 0)
        return NegatedError(GetLastError());
    return result;
}

} // namespace

RVWINDOW_API int32_t RvFile_Write(const wchar_t* path, const wchar_t* text, uint32_t utf8) {
    return rv::Guarded(NegatedError(ERROR_NOT_ENOUGH_MEMORY),
                       [&] { return WriteFileExport(path, text, utf8, Placement::Replace); });
}

RVWINDOW_API int32_t RvFile_Append(const wchar_t* path, const wchar_t* text, uint32_t utf8) {
    return rv::Guarded(NegatedError(ERROR_NOT_ENOUGH_MEMORY),
                       [&] { return WriteFileExport(path, text, utf8, Placement::Append); });
}
