#include "message_log.h"

#include <algorithm>

namespace testsupport {
namespace {

const wchar_t kRecorderProperty[] = L"testsupport.MessageRecorder";

} // namespace

void MessageLog::Add(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::wstring tag) {
    entries_.push_back({window, message, wParam, lParam, std::move(tag)});
}

std::vector<UINT> MessageLog::Messages(std::initializer_list<UINT> only) const {
    std::vector<UINT> messages;
    for (const LoggedMessage& m : entries_)
        if (only.size() == 0 || std::find(only.begin(), only.end(), m.message) != only.end())
            messages.push_back(m.message);
    return messages;
}

std::vector<std::wstring> MessageLog::Tags(UINT message) const {
    std::vector<std::wstring> tags;
    for (const LoggedMessage& m : entries_)
        if (m.message == message) tags.push_back(m.tag);
    return tags;
}

std::vector<LoggedMessage> MessageLog::Of(UINT message) const {
    std::vector<LoggedMessage> found;
    for (const LoggedMessage& m : entries_)
        if (m.message == message) found.push_back(m);
    return found;
}

size_t MessageLog::Count(UINT message) const {
    return static_cast<size_t>(
        std::count_if(entries_.begin(), entries_.end(),
                      [&](const LoggedMessage& m) { return m.message == message; }));
}

MessageRecorder::MessageRecorder(HWND window, MessageLog& log, std::wstring tag)
    : window_(window), log_(log), tag_(std::move(tag)) {
    SetPropW(window_, kRecorderProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

MessageRecorder::~MessageRecorder() {
    Detach();
}

void MessageRecorder::Detach() {
    if (!previous_) return;
    if (IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        RemovePropW(window_, kRecorderProperty);
    }
    previous_ = nullptr;
}

LRESULT CALLBACK MessageRecorder::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* self = static_cast<MessageRecorder*>(GetPropW(window, kRecorderProperty));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    self->log_.Add(window, message, wParam, lParam, self->tag_);
    const WNDPROC previous = self->previous_;
    if (message == WM_NCDESTROY) self->Detach();
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

} // namespace testsupport
