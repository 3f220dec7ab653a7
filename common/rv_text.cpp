#include "rv_text.h"

#include "rv_memory.h"

#include <windows.h>

#include <climits>
#include <cstdint>
#include <cstring>

namespace rv {

std::wstring ToWide(std::string_view text, unsigned codePage) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int n = static_cast<int>(text.size());
    const int count = MultiByteToWideChar(codePage, 0, text.data(), n, nullptr, 0);
    std::wstring wide(static_cast<size_t>(count), L'\0');
    if (count > 0) MultiByteToWideChar(codePage, 0, text.data(), n, wide.data(), count);
    return wide;
}

std::wstring ToWide(const char* text, unsigned codePage) {
    size_t length;
    if (!SafeNarrowLength(text, &length)) return {};
    return ToWide(std::string_view(text, length), codePage);
}

std::string ToNarrow(std::wstring_view text, unsigned codePage) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int n = static_cast<int>(text.size());
    const int count =
        WideCharToMultiByte(codePage, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(count), '\0');
    if (count > 0)
        WideCharToMultiByte(codePage, 0, text.data(), n, narrow.data(), count, nullptr, nullptr);
    return narrow;
}

bool CopyToBuffer(wchar_t* buffer, size_t capacity, std::wstring_view text) {
    if (capacity == 0 || capacity > SIZE_MAX / sizeof(wchar_t)) return false;
    const size_t count = text.size() < capacity - 1 ? text.size() : capacity - 1;
    if (!IsWritable(buffer, (count + 1) * sizeof(wchar_t))) return false;
    std::memcpy(buffer, text.data(), count * sizeof(wchar_t));
    buffer[count] = L'\0';
    return true;
}

} // namespace rv
