// Bounded string helpers with the C library's semantics. A null or
// unreadable text counts as an empty one; a destination that cannot be
// written is not touched.
#include "RvString.h"
#include "rv_args.h"

#include <cwchar>

namespace {

std::wstring_view TextOrEmpty(const wchar_t* text) {
    std::wstring_view view;
    return rv::ReadWideArgument(text, &view) ? view : std::wstring_view();
}

// A text the caller lets us modify in place.
bool WritableText(wchar_t* text, size_t* length) {
    return rv::SafeWideLength(text, length, true);
}

bool Contains(std::wstring_view set, wchar_t c) {
    return set.find(c) != std::wstring_view::npos;
}

} // namespace

RVSTRING_API int RVS_strncmp(const wchar_t* a, const wchar_t* b, size_t count) {
    const std::wstring_view x = TextOrEmpty(a), y = TextOrEmpty(b);
    for (size_t i = 0; i < count; ++i) {
        // Past its end a text reads as its terminator, as in the C library.
        const wchar_t cx = i < x.size() ? x[i] : L'\0';
        const wchar_t cy = i < y.size() ? y[i] : L'\0';
        if (cx != cy) return cx < cy ? -1 : 1;
        if (cx == L'\0') break;
    }
    return 0;
}

RVSTRING_API wchar_t* RVS_strncpy(wchar_t* destination, const wchar_t* source, size_t count) {
    if (count > SIZE_MAX / sizeof(wchar_t) || !rv::IsWritable(destination, count * sizeof(wchar_t)))
        return nullptr;
    const std::wstring_view from = TextOrEmpty(source);
    const size_t copied = from.size() < count ? from.size() : count;
    std::wmemmove(destination, from.data(), copied);
    std::wmemset(destination + copied, L'\0', count - copied);
    return destination;
}

RVSTRING_API wchar_t* RVS_strtok(wchar_t* text, const wchar_t* delimiters, wchar_t** context) {
    if (!rv::IsWritable(context, sizeof *context)) return nullptr;
    wchar_t* start = text ? text : *context;
    size_t length;
    if (!WritableText(start, &length)) return nullptr;
    const std::wstring_view delims = TextOrEmpty(delimiters);
    wchar_t* end = start + length;
    while (start < end && Contains(delims, *start))
        ++start;
    if (start == end) {
        *context = start;
        return nullptr;
    }
    wchar_t* token = start;
    while (start < end && !Contains(delims, *start))
        ++start;
    if (start < end) *start++ = L'\0';
    *context = start;
    return token;
}

RVSTRING_API size_t RVS_strcspn(const wchar_t* text, const wchar_t* characters) {
    const std::wstring_view t = TextOrEmpty(text);
    const size_t i = t.find_first_of(TextOrEmpty(characters));
    return i == std::wstring_view::npos ? t.size() : i;
}

RVSTRING_API const wchar_t* RVS_strpbrk(const wchar_t* text, const wchar_t* characters) {
    const size_t i = TextOrEmpty(text).find_first_of(TextOrEmpty(characters));
    return i == std::wstring_view::npos ? nullptr : text + i;
}

RVSTRING_API size_t RVS_strsplit(uintptr_t* offsets, size_t capacity, wchar_t* text,
                                 const wchar_t* separator, uint32_t flags) {
    size_t length;
    std::wstring_view sep;
    if (!offsets || capacity == 0 || !WritableText(text, &length) ||
        !rv::ReadWideArgument(separator, &sep) || sep.empty())
        return 0;
    // There are never more pieces than characters plus one.
    const size_t most = capacity < length + 1 ? capacity : length + 1;
    if (!rv::IsWritable(offsets, most * sizeof *offsets)) return 0;

    const bool merge = flags & RVS_SPLIT_MERGE;
    const bool whole = flags & RVS_SPLIT_WHOLE_SEPARATOR;
    const bool escapes = flags & RVS_SPLIT_BACKSLASH_ESCAPES;
    const size_t step = whole ? sep.size() : 1;
    auto separatorAt = [&](size_t at) {
        if (whole)
            return length - at >= sep.size() && std::wstring_view(text + at, sep.size()) == sep;
        return at < length && Contains(sep, text[at]);
    };

    size_t count = 0, position = 0;
    while (count < capacity) {
        if (merge)
            while (position < length && separatorAt(position))
                position += step;
        offsets[count] = position;
        if (position >= length) return count + (merge ? 0 : 1);

        const size_t pieceStart = position;
        size_t at = position;
        bool found = false;
        while (at < length && !found) {
            if (!separatorAt(at)) {
                ++at;
            } else if (escapes && at > pieceStart && text[at - 1] == L'\\') {
                // An escaped separator: drop the backslash, keep the separator.
                std::wmemmove(text + at - 1, text + at, length - at + 1);
                --length;
                at += step - 1;
            } else {
                found = true;
            }
        }
        if (!found) return count + 1; // the rest of the text is a non-empty last piece
        text[at] = L'\0';
        ++count;
        position = at + step;
    }
    return count;
}
