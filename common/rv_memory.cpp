#include "rv_memory.h"

#include <windows.h>

#include <emmintrin.h>

#include <cstring>

namespace rv {
namespace {

constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                            PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
constexpr DWORD kWritable =
    PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;

// The region holding `address` when it is usable with `access`; its end in `end`.
bool UsableRegion(uintptr_t address, DWORD access, uintptr_t* end) {
    MEMORY_BASIC_INFORMATION info;
    if (VirtualQuery(reinterpret_cast<const void*>(address), &info, sizeof info) != sizeof info)
        return false;
    if (info.State != MEM_COMMIT || (info.Protect & (PAGE_GUARD | PAGE_NOACCESS)) ||
        !(info.Protect & access))
        return false;
    *end = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
    return true;
}

bool RangeUsable(const void* p, size_t bytes, DWORD access) {
    uintptr_t address = reinterpret_cast<uintptr_t>(p);
    if (!address) return false;
    if (bytes == 0) bytes = 1;
    const uintptr_t last = address + bytes;
    if (last < address) return false;
    while (address < last) {
        uintptr_t end;
        if (!UsableRegion(address, access, &end)) return false;
        address = end;
    }
    return true;
}

} // namespace

bool IsReadable(const void* p, size_t bytes) {
    return RangeUsable(p, bytes, kReadable);
}

bool IsWritable(const void* p, size_t bytes) {
    return RangeUsable(p, bytes, kWritable);
}

bool HasSignature(const void* record, size_t size, Signature sig) {
    if (size < sizeof sig || !IsWritable(record, size)) return false;
    Signature found;
    std::memcpy(&found, record, sizeof found);
    return found.first == sig.first && found.second == sig.second;
}

bool HasSignatureAtEnd(const void* record, size_t size, Signature sig) {
    if (size < sizeof sig || !IsWritable(record, size)) return false;
    Signature found;
    std::memcpy(&found, static_cast<const char*>(record) + size - sizeof found, sizeof found);
    return found.first == sig.first && found.second == sig.second;
}

namespace {

// The first null character in [c, end), or end.
template <class Char> const Char* FindNull(const Char* c, const Char* end) {
    while (c < end && *c)
        ++c;
    return c;
}

// Wide strings can be long (whole files in regular expressions): scan them
// eight characters at a time. Aligned loads never cross into the next page.
template <> const wchar_t* FindNull(const wchar_t* c, const wchar_t* end) {
    if (reinterpret_cast<uintptr_t>(c) % sizeof(wchar_t) == 0) {
        while (c < end && reinterpret_cast<uintptr_t>(c) % 16 != 0) {
            if (!*c) return c;
            ++c;
        }
        const __m128i zero = _mm_setzero_si128();
        for (; end - c >= 8; c += 8) {
            const __m128i chunk = _mm_load_si128(reinterpret_cast<const __m128i*>(c));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(chunk, zero))) break;
        }
    }
    while (c < end && *c)
        ++c;
    return c;
}

template <class Char> bool SafeLength(const Char* s, size_t limit, size_t* length, bool writable) {
    *length = 0;
    if (!s) return false;
    const DWORD access = writable ? kWritable : kReadable;
    auto at = [](const Char* c) { return reinterpret_cast<uintptr_t>(c); };
    const Char* c = s;
    for (;;) {
        const size_t scanned = static_cast<size_t>(c - s);
        *length = scanned;
        if (scanned == limit) return true;
        uintptr_t end;
        if (!UsableRegion(at(c), access, &end)) return false;
        // Whole characters inside the region, and a misaligned string's
        // character straddling the region end when the next region has it too.
        const size_t inside = (end - at(c)) / sizeof(Char);
        const bool straddles = (end - at(c)) % sizeof(Char) != 0;
        const size_t usable =
            inside + (straddles && RangeUsable(reinterpret_cast<const char*>(end) - 1, 2, access));
        if (usable == 0) return false;
        const size_t take = usable < limit - scanned ? usable : limit - scanned;
        const Char* stop = FindNull(c, c + take);
        if (stop < c + take) {
            *length = static_cast<size_t>(stop - s);
            return true;
        }
        c += take;
    }
}

} // namespace

bool SafeWideLength(const wchar_t* s, size_t* length, bool writable) {
    return SafeLength(s, SIZE_MAX, length, writable);
}

bool SafeNarrowLength(const char* s, size_t* length) {
    return SafeLength(s, SIZE_MAX, length, false);
}

bool SafeWideLengthWithin(const wchar_t* s, size_t limit, size_t* length) {
    return SafeLength(s, limit, length, false);
}

} // namespace rv
