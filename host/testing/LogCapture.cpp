#include "LogCapture.h"
#include "KaHostHooks.h"

#include "KaHostHooks.h"
#include "KaSystem.h"

LogCapture::LogCapture(bool detail) : m_previousDetail(CKaLogFile::Detail) {
    CKaLogFile::Detail = detail;
    CKaLogHooks::SetSink(&LogCapture::Sink, this);
}

LogCapture::~LogCapture() {
    CKaLogHooks::SetSink(nullptr, nullptr);
    CKaLogFile::Detail = m_previousDetail;
}

void LogCapture::Sink(void* context, const wchar_t* line) {
    auto* self = static_cast<LogCapture*>(context);
    std::lock_guard<std::mutex> guard(self->m_lock);
    self->m_lines.emplace_back(line);
}

std::vector<std::wstring> LogCapture::Lines() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_lines;
}

int LogCapture::Count(const std::wstring& line, bool prefix) const {
    std::lock_guard<std::mutex> guard(m_lock);
    int count = 0;
    for (const auto& l : m_lines)
        count += prefix ? l.compare(0, line.size(), line) == 0 : l == line;
    return count;
}

void LogCapture::Clear() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_lines.clear();
}
