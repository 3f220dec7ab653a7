// Bounded string helpers with the C library's semantics. A null or
// unreadable text counts as an empty one; the counted helpers read only as
// far as their count. A destination that cannot be written is not touched.
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

// A source as the C library's counted functions read it: the characters
// before its terminator, at most the count. `whole` is false when one of them
// cannot be read; `text` then holds those before it.
struct CountedText {
    std::wstring_view text;
    bool whole;
};

CountedText ReadCounted(const wchar_t* source, size_t count) {
    size_t length;
    const bool whole = rv::SafeWideLengthWithin(source, count, &length);
    return {source ? std::wstring_view(source, length) : std::wstring_view(), whole};
}

bool Overlap(const void* a, size_t aBytes, const void* b, size_t bBytes) {
    const auto x = reinterpret_cast<uintptr_t>(a), y = reinterpret_cast<uintptr_t>(b);
    return x < y + bBytes && y < x + aBytes;
}

} // namespace

RVSTRING_API int RVS_strncmp(const wchar_t* a, const wchar_t* b, size_t count) {
    const CountedText x = ReadCounted(a, count), y = ReadCounted(b, count);
    for (size_t i = 0; i < count; ++i) {
        // Where the C function would read an unreadable character, that text
        // counts as empty.
        const bool xFails = !x.whole && i == x.text.size();
        const bool yFails = !y.whole && i == y.text.size();
        if (xFails || yFails) return RVS_strncmp(xFails ? L"" : a, yFails ? L"" : b, count);
        // Past its end a text reads as its terminator, as in the C library.
        const wchar_t cx = i < x.text.size() ? x.text[i] : L'\0';
        const wchar_t cy = i < y.text.size() ? y.text[i] : L'\0';
        if (cx != cy) return cx < cy ? -1 : 1;
        if (cx == L'\0') break;
    }
    return 0;
}

RVSTRING_API wchar_t* RVS_strncpy(wchar_t* destination, const wchar_t* source, size_t count) {
    if (count == 0) return destination; // nothing to read or write
    if (count > SIZE_MAX / sizeof(wchar_t) || !rv::IsWritable(destination, count * sizeof(wchar_t)))
        return nullptr;
    const CountedText from = ReadCounted(source, count);
    const size_t copied = from.whole ? from.text.size() : 0;
    std::wmemmove(destination, from.text.data(), copied);
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
    std::wstring_view view;
    if (!offsets || capacity == 0 || !WritableText(text, &length) ||
        !rv::ReadWideArgument(separator, &view) || view.empty())
        return 0;
    // The separator may lie in the text, which splitting overwrites.
    const std::wstring sep(view);
    // There are never more pieces than characters plus one.
    const size_t most = capacity < length + 1 ? capacity : length + 1;
    if (!rv::IsWritable(offsets, most * sizeof *offsets)) return 0;
    // Offsets written into the text would corrupt what is still to be split.
    if (Overlap(offsets, most * sizeof *offsets, text, (length + 1) * sizeof *text)) return 0;

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
