// A stand-in for the host application's macro engine: it runs nothing, but
// records every block of macro text it is asked to run so that tests and
// demonstrations can read the calls back.
#pragma once

#include <cstdint>

#define HXENGINE_API extern "C"

// The engine's entry point, as the host's engine exports it.
HXENGINE_API int Qm_Block_Commands(void* context, const wchar_t* text, const wchar_t* source,
                                   int length, int16_t flags);

// One recorded call; texts longer than the storage are cut.
struct HxRecordedCall {
    void* context;
    wchar_t text[1024];
    bool sourceIsText; // the source argument was the very same pointer as the text
    int length;
    int16_t flags;
};

// Reading the record back.
HXENGINE_API int HxEngine_CallCount(void);
HXENGINE_API int HxEngine_GetCall(int index, HxRecordedCall* call);
HXENGINE_API void HxEngine_Reset(void);
