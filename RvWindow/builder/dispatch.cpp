#include "dispatch.h"

#include "class_registry.h"
#include "dialog_record.h"

#include <cstring>
#include <vector>

namespace rvw {
namespace {

constexpr size_t kQueueLimit = 500;

struct PendingCall {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    uint32_t handler;
    DialogRecord* record;
};

// Shared by every dialog of the thread that pumps them (the macro thread).
int g_busy = 0;
std::vector<PendingCall> g_pending;

// What a list notification carries after its header.
struct ListNotification {
    NMHDR header;
    int32_t item;
    int32_t subItem;
};

bool IsListWindow(HWND window) {
    wchar_t name[65];
    const int n = GetClassNameW(window, name, 65);
    if (n <= 0) return false;
    const std::wstring_view cls(name, static_cast<size_t>(n));
    return SameClassName(cls, L"LISTBOX") || SameClassName(cls, L"LISTVIEW");
}

// The notification rule: the handler names the control by index, the
// notification code, the item and the sub-item.
bool MatchesNotification(const DialogRecord& record, const Handler& h, WPARAM wParam,
                         LPARAM lParam) {
    if (h.wParamValue != wParam || wParam >= record.controls.size()) return false;
    const auto* n = reinterpret_cast<const ListNotification*>(lParam);
    if (!rv::IsReadable(n, sizeof *n)) return false;
    if (static_cast<uint32_t>(n->header.code) != static_cast<uint32_t>(h.wParamMask)) return false;
    if (n->header.hwndFrom != record.controls[wParam].window) return false;
    if (!IsListWindow(n->header.hwndFrom)) return false;
    return static_cast<uint64_t>(int64_t{n->item}) == h.lParamValue &&
           static_cast<uint64_t>(int64_t{n->subItem}) == h.lParamMask;
}

bool Matches(const DialogRecord& record, const Handler& h, UINT message, WPARAM wParam,
             LPARAM lParam) {
    if (message < h.firstMessage || message > h.lastMessage) return false;
    if (message == WM_NOTIFY) return MatchesNotification(record, h, wParam, lParam);
    return (wParam & h.wParamMask) == h.wParamValue &&
           (static_cast<uint64_t>(lParam) & h.lParamMask) == h.lParamValue;
}

int FindHandler(const DialogRecord& record, UINT message, WPARAM wParam, LPARAM lParam) {
    for (size_t i = record.handlers.size(); i-- > 0;)
        if (Matches(record, record.handlers[i], message, wParam, lParam))
            return static_cast<int>(i);
    return -1;
}

// Calls a handler from a copy of its text: the callback may add or remove
// handlers, or destroy the dialog, while it runs.
INT_PTR CallHandler(const Handler& h, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RvMessageCallback callback = h.callback;
    wchar_t text[kTextStorage];
    std::memcpy(text, h.text, sizeof text);
    return callback ? callback(window, message, wParam, lParam, text) : 0;
}

void Defer(DialogRecord& record, UINT message, WPARAM wParam, LPARAM lParam, int handler) {
    if (message == WM_TIMER || g_pending.size() >= kQueueLimit || !RoomForOne(g_pending)) return;
    g_pending.push_back(
        {record.window, message, wParam, lParam, static_cast<uint32_t>(handler), &record});
}

// Runs a queued call when its dialog and handler still exist.
void RunPending(const PendingCall& call) {
    DialogRecord* record = RecordOf(call.window);
    if (record != call.record || call.handler >= record->handlers.size()) return;
    CallHandler(record->handlers[call.handler], call.window, call.message, call.wParam,
                call.lParam);
}

} // namespace

INT_PTR DispatchMessageToHandlers(DialogRecord& record, UINT message, WPARAM wParam,
                                  LPARAM lParam) {
    const int index = FindHandler(record, message, wParam, lParam);
    if (index < 0) return 0;
    const Handler& handler = record.handlers[static_cast<size_t>(index)];
    if (record.options & RVDIALOG_OPTION_DIRECT_CALLS)
        return CallHandler(handler, record.window, message, wParam, lParam);
    if (g_busy) {
        Defer(record, message, wParam, lParam, index);
        return 0;
    }
    g_busy = 1;
    const INT_PTR result = CallHandler(handler, record.window, message, wParam, lParam);
    // Calls queued meanwhile, including those queued by this loop, in arrival order.
    for (size_t i = 0; i < g_pending.size(); ++i) {
        const PendingCall call = g_pending[i];
        RunPending(call);
    }
    --g_busy;
    g_pending.clear();
    return result;
}

} // namespace rvw
