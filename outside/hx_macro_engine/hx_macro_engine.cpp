#include "hx_macro_engine.h"

#include <cwchar>
#include <vector>

namespace {

std::vector<HxRecordedCall> g_calls;

} // namespace

HXENGINE_API int Qm_Block_Commands(void* context, const wchar_t* text, const wchar_t* source,
                                   int length, int16_t flags) {
    try {
        HxRecordedCall call{};
        call.context = context;
        call.sourceIsText = source == text;
        call.length = length;
        call.flags = flags;
        // The length tells how much text there is; the copy never reads past it.
        const int stored = text && length > 0 ? (length < 1023 ? length : 1023) : 0;
        if (stored) std::wmemcpy(call.text, text, static_cast<size_t>(stored));
        g_calls.push_back(call);
        return 0;
    } catch (...) {
        return -1;
    }
}

HXENGINE_API int HxEngine_CallCount(void) {
    return static_cast<int>(g_calls.size());
}

HXENGINE_API int HxEngine_GetCall(int index, HxRecordedCall* call) {
    if (index < 0 || static_cast<size_t>(index) >= g_calls.size() || !call) return 0;
    *call = g_calls[static_cast<size_t>(index)];
    return 1;
}

HXENGINE_API void HxEngine_Reset(void) {
    g_calls.clear();
}
