// Reading the arguments that macros pass to the exports.
#pragma once

#include "rv_memory.h"
#include "rv_text.h"

#include <string>
#include <string_view>

namespace rv {

// The wide argument as a view; false for null or unreadable text.
inline bool ReadWideArgument(const wchar_t* text, std::wstring_view* view) {
    size_t length;
    if (!SafeWideLength(text, &length)) return false;
    *view = std::wstring_view(text, length);
    return true;
}

// An 8-bit argument converted with the thread's ANSI code page for the wide
// export it stands for; get() is null when the argument was null, unreadable
// or could not be converted.
class AnsiArgument {
  public:
    explicit AnsiArgument(const char* text) {
        size_t length;
        if (!SafeNarrowLength(text, &length)) return;
        wide_ = ToWide(std::string_view(text, length), 3 /* CP_THREAD_ACP */);
        valid_ = length == 0 || !wide_.empty();
    }
    const wchar_t* get() const { return valid_ ? wide_.c_str() : nullptr; }

  private:
    std::wstring wide_;
    bool valid_ = false;
};

// Writes an out-parameter when the caller gave one that can be written.
template <class Value> bool WriteOut(Value* out, Value value) {
    if (!out || !IsWritable(out, sizeof *out)) return false;
    *out = value;
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

} // namespace rv
