// What every export does first: find the list behind the handle, read the
// arguments safely and never let an exception reach the macro engine.
#pragma once

#include "RvListCtrl.h"
#include "lookup.h"
#include "rv_args.h"
#include "rv_list_ctrl.h"

#include <string_view>

namespace rvl {

constexpr int kInvalid = -1; // an invalid handle or an argument that cannot be used

// Runs `body` with the list of `handle`; -1 for an invalid handle.
template <class Body> int WithList(RvList handle, Body body) {
    return rv::Guarded(kInvalid, [&]() -> int {
        CRvListCtrl* list = FindList(handle);
        return list ? body(*list) : kInvalid;
    });
}

// A text argument; null or unreadable text reads as empty.
inline std::wstring_view TextArgument(const wchar_t* text) {
    std::wstring_view view;
    return rv::ReadWideArgument(text, &view) ? view : std::wstring_view();
}

// Writes `value` when `out` is writable; null pointers are skipped.
template <class T> void PutValue(T* out, T value) {
    if (out && rv::IsWritable(out, sizeof *out)) *out = value;
}

// Copies `text` into a caller buffer: the number of characters copied, 0
// for no room, -1 for a buffer that cannot be written.
inline int CopyOut(wchar_t* buffer, int32_t size, std::wstring_view text) {
    if (size <= 0) return 0;
    if (!rv::CopyToBuffer(buffer, static_cast<size_t>(size), text)) return kInvalid;
    return static_cast<int>(text.size() < static_cast<size_t>(size) - 1 ? text.size() : size - 1);
}

inline bool Readable(const void* p, size_t bytes) {
    return p && rv::IsReadable(p, bytes);
}
inline bool Writable(const void* p, size_t bytes) {
    return p && rv::IsWritable(p, bytes);
}

} // namespace rvl
