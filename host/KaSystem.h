// Logging, time, sleeping, posting and locale loading of the host system module.
#pragma once

#include "KaExport.h"

#include <windows.h>

// The host's log: a file, an optional console echo and an optional sink
// (tests capture lines through it). Detail selects the detailed lines.
class HX_SYS_API CKaLogFile {
  public:
    typedef void (*Sink)(void* context, const wchar_t* line);

    static bool Detail;

    // Opens (appends to) the log file; an empty path closes it.
    static bool Open(const wchar_t* path);
    static void SetConsole(bool echo);
    static void SetSink(Sink sink, void* context);
    static void Write(const wchar_t* line);
};

// Source position of the next DiagOutputExW on this thread.
HX_SYS_API void DiagOutputExW_hlp(const char* file, int line);
// Writes one log line. With `detailOnly` the line is written only while
// CKaLogFile::Detail is set; other lines are always written.
HX_SYS_API void DiagOutputExW(bool detailOnly, const wchar_t* format, ...);

HX_SYS_API BOOL KA_PostMessageImpl(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   const char* file, int line);

// Monotonic milliseconds. Tests drive it: while driven the counter only moves
// through KA_SetTimeCounter/KA_AdvanceTimeCounter and KA_Sleep advances it
// instead of blocking.
HX_SYS_API double KA_GetTimeCounter();
HX_SYS_API void KA_DriveTimeCounter(bool driven, double startMs);
HX_SYS_API void KA_AdvanceTimeCounter(double ms);
HX_SYS_API bool KA_IsTimeCounterDriven();

HX_SYS_API void KA_Sleep(double ms, int mode);

// Loads the module's string table into the translation table.
HX_SYS_API bool KA_LoadLocaleFromResource(HMODULE module);
