// Logging, time, sleeping, posting and locale loading of the host system module.
#pragma once

#include "KaExport.h"

#include <windows.h>

// The host's log. Detail selects the detailed lines.
class HX_SYS_API CKaLogFile {
  public:
    static bool Detail;
};

// Source position of the next DiagOutputExW on this thread.
HX_SYS_API void DiagOutputExW_hlp(const char* file, int line);
// Writes one log line. With `detailOnly` the line is written only while
// CKaLogFile::Detail is set; other lines are always written.
HX_SYS_API void DiagOutputExW(bool detailOnly, const wchar_t* format, ...);

HX_SYS_API BOOL KA_PostMessageImpl(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   const char* file, int line);

// Monotonic milliseconds.
HX_SYS_API double KA_GetTimeCounter();

HX_SYS_API void KA_Sleep(double ms, int mode);

// Loads the module's string table into the translation table.
HX_SYS_API bool KA_LoadLocaleFromResource(HMODULE module);
