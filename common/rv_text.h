// Text conversions and bounded copies into caller buffers.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rv {

// 8-bit text in the given code page (the thread's ANSI code page by default)
// to UTF-16; an unreadable pointer gives an empty string.
std::wstring ToWide(const char* text, unsigned codePage = 3 /* CP_THREAD_ACP */);
std::wstring ToWide(std::string_view text, unsigned codePage);

// UTF-16 to 8-bit text in the given code page.
std::string ToNarrow(std::wstring_view text, unsigned codePage = 3 /* CP_THREAD_ACP */);

// Copies `text` into a caller buffer of `capacity` characters, truncated to
// capacity - 1 characters and terminated. False (nothing written) when the
// buffer is not writable or has no room.
bool CopyToBuffer(wchar_t* buffer, size_t capacity, std::wstring_view text);

} // namespace rv
