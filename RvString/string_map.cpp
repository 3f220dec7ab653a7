// String maps: dictionaries of wide keys and values that macros fill from
// option text such as "{ left: 1, top: 4 }" and use to parse "left|top".
#include "RvString.h"
#include "braced_body.h"
#include "rv_args.h"

#include <windows.h>

#include <cwchar>
#include <map>
#include <string>

namespace {

constexpr rv::Signature kStrMapSignature{0x4604f2668dce2409ull, 0xfd45b846d5519887ull};

struct StrMap {
    rv::Signature signature = kStrMapSignature;
    std::map<std::wstring, std::wstring> entries;

    // A freed map must never pass for a live one.
    ~StrMap() { SecureZeroMemory(&signature, sizeof signature); }
};

StrMap* AsMap(void* handle) {
    return rv::HasSignature(handle, sizeof(StrMap), kStrMapSignature) ? static_cast<StrMap*>(handle)
                                                                      : nullptr;
}

// Calls `piece` for each piece of `text` between separators: empty pieces
// count, except that a trailing separator adds nothing.
template <class Piece> void SplitAt(std::wstring_view text, wchar_t separator, Piece piece) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator) {
            piece(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (start < text.size()) piece(text.substr(start));
}

bool IsTrimmedSpace(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f' || c == L'\v';
}

std::wstring Trimmed(std::wstring_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsTrimmedSpace(text[begin]))
        ++begin;
    while (end > begin && IsTrimmedSpace(text[end - 1]))
        --end;
    return std::wstring(text.substr(begin, end - begin));
}

// The text is a copy: a macro may pass a value of this very map, which
// setting its key would free while the rest is still being read.
void AddPairs(StrMap& map, const std::wstring& text) {
    SplitAt(rvs::BracedBody(text), L',', [&](std::wstring_view piece) {
        const size_t colon = piece.find(L':');
        std::wstring key = Trimmed(piece.substr(0, colon));
        std::wstring value =
            colon == std::wstring_view::npos ? std::wstring() : Trimmed(piece.substr(colon + 1));
        map.entries[std::move(key)] = std::move(value);
    });
}

} // namespace

RVSTRING_API int StrMapCreate(void** handleVariable, const wchar_t* text) {
    return rv::Guarded(0, [&] {
        if (!rv::IsWritable(handleVariable, sizeof *handleVariable)) return 0;
        // Read before the map is emptied: the text may be one of its values.
        std::wstring_view view;
        const std::wstring initial = rv::ReadWideArgument(text, &view) ? std::wstring(view) : L"";
        StrMap* map = AsMap(*handleVariable);
        if (map) {
            map->entries.clear();
        } else {
            map = new StrMap;
            *handleVariable = map;
        }
        AddPairs(*map, initial);
        return 1;
    });
}

RVSTRING_API int StrMapAdd(void* handle, const wchar_t* text) {
    return rv::Guarded(0, [&] {
        StrMap* map = AsMap(handle);
        if (!map) return 0;
        std::wstring_view view;
        if (rv::ReadWideArgument(text, &view)) AddPairs(*map, std::wstring(view));
        return 1;
    });
}

RVSTRING_API int StrMapSet(void* handle, const wchar_t* key, const wchar_t* value) {
    return rv::Guarded(0, [&] {
        StrMap* map = AsMap(handle);
        std::wstring_view k, v;
        if (!map || !rv::ReadWideArgument(key, &k) || !rv::ReadWideArgument(value, &v)) return 0;
        // Both copied before the entry changes: either may be a value of this map.
        std::wstring newKey(k), newValue(v);
        map->entries[std::move(newKey)] = std::move(newValue);
        return 1;
    });
}

RVSTRING_API const wchar_t* StrMapGet(void* handle, const wchar_t* key) {
    return rv::Guarded<const wchar_t*>(nullptr, [&]() -> const wchar_t* {
        StrMap* map = AsMap(handle);
        std::wstring_view k;
        if (!map || !rv::ReadWideArgument(key, &k)) return nullptr;
        return map->entries[std::wstring(k)].c_str();
    });
}

RVSTRING_API int StrMapFind(void* handle, const wchar_t* key) {
    return rv::Guarded(0, [&] {
        StrMap* map = AsMap(handle);
        std::wstring_view k;
        if (!map || !rv::ReadWideArgument(key, &k)) return 0;
        return map->entries.count(std::wstring(k)) ? 1 : 0;
    });
}

RVSTRING_API int StrMapUnset(void* handle, const wchar_t* key) {
    return rv::Guarded(0, [&] {
        StrMap* map = AsMap(handle);
        std::wstring_view k;
        if (!map || !rv::ReadWideArgument(key, &k)) return 0;
        map->entries.erase(std::wstring(k));
        return 1;
    });
}

RVSTRING_API int64_t StrMapParseOptions(void* handle, const wchar_t* options) {
    return rv::Guarded<int64_t>(0, [&] {
        StrMap* map = AsMap(handle);
        std::wstring_view text;
        if (!map || !rv::ReadWideArgument(options, &text)) return int64_t{0};
        int64_t bits = 0;
        std::wstring name;
        SplitAt(text, L'|', [&](std::wstring_view piece) {
            name.assign(piece);
            auto entry = map->entries.find(name);
            const std::wstring& number = entry == map->entries.end() ? name : entry->second;
            bits |= static_cast<int64_t>(std::wcstoll(number.c_str(), nullptr, 10));
        });
        return bits;
    });
}

RVSTRING_API int StrMapFree(void** handleVariable) {
    return rv::Guarded(0, [&] {
        if (!rv::IsWritable(handleVariable, sizeof *handleVariable)) return 0;
        StrMap* map = AsMap(*handleVariable);
        if (!map) return 0;
        *handleVariable = nullptr; // first: the variable may lie in the map's own storage
        delete map;
        return 1;
    });
}
