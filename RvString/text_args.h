// Reading the wide-string arguments that macros pass to the exports.
#pragma once

#include "rv_memory.h"

#include <string_view>

namespace rvs {

// The argument as a view; false for null or unreadable text.
inline bool ReadText(const wchar_t* text, std::wstring_view* view) {
    size_t length;
    if (!rv::SafeWideLength(text, &length)) return false;
    *view = std::wstring_view(text, length);
    return true;
}

// Calls an export's body, turning any exception (out of memory) into its
// failure value: nothing may be thrown into the macro engine.
template <class Result, class Body> Result Guarded(Result failure, Body body) {
    try {
        return body();
    } catch (...) {
        return failure;
    }
}

} // namespace rvs
