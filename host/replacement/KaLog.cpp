#include "KaSystem.h"
#include "KaHostHooks.h"

#include "KaString.h"

#include <cstdio>
#include <mutex>

bool CKaLogFile::Detail = false;

namespace {

struct LogState {
    std::mutex lock;
    FILE* file = nullptr;
    bool console = false;
    CKaLogHooks::Sink sink = nullptr;
    void* context = nullptr;
};

LogState& State() {
    static auto* state = new LogState();
    return *state;
}

thread_local const char* t_file = "";
thread_local int t_line = 0;

} // namespace

bool CKaLogHooks::Open(const wchar_t* path) {
    LogState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.file) std::fclose(s.file);
    s.file = nullptr;
    if (!path || !*path) return true;
    s.file = _wfopen(path, L"ab");
    return s.file != nullptr;
}

void CKaLogHooks::SetConsole(bool echo) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().console = echo;
}

void CKaLogHooks::SetSink(Sink sink, void* context) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().sink = sink;
    State().context = context;
}

void CKaLogHooks::Write(const wchar_t* line) {
    LogState& s = State();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.sink) s.sink(s.context, line);
    if (!s.file && !s.console) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    CKaStringA text = CKaStringW(line).ToNarrow();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%02u:%02u:%02u.%03u [%lu] ", now.wHour, now.wMinute,
                  now.wSecond, now.wMilliseconds, GetCurrentThreadId());
    if (s.file) {
        std::fprintf(s.file, "%s%s\n", stamp, text.GetString());
        std::fflush(s.file);
    }
    if (s.console) {
        std::fprintf(stdout, "%s\n", text.GetString());
        std::fflush(stdout);
    }
}

void DiagOutputExW_hlp(const char* file, int line) {
    t_file = file ? file : "";
    t_line = line;
}

void DiagOutputExW(bool detailOnly, const wchar_t* format, ...) {
    if (detailOnly && !CKaLogFile::Detail) return;
    CKaStringW text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    CKaLogHooks::Write(text);
}
