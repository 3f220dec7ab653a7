// Destroying controls: their handlers go with them and the controls after
// them move down one identifier, so the table index stays the identifier.
#include "RvWindow.h"
#include "dialog_record.h"
#include "rv_args.h"

#include <algorithm>

namespace rvw {
namespace {

constexpr uint64_t kIdentifierBits = 0xFFFF;

void DropHandlersOf(DialogRecord& record, HWND control, size_t index) {
    auto& handlers = record.handlers;
    handlers.erase(std::remove_if(handlers.begin(), handlers.end(),
                                  [&](const Handler& h) { return h.control == control; }),
                   handlers.end());
    for (Handler& h : handlers) {
        if (h.firstMessage != WM_COMMAND && h.firstMessage != WM_NOTIFY) continue;
        const uint64_t id = h.wParamValue & kIdentifierBits;
        if (id > index) h.wParamValue = (h.wParamValue & ~kIdentifierBits) | (id - 1);
    }
}

void RenumberFrom(DialogRecord& record, size_t index) {
    for (size_t i = index; i < record.controls.size(); ++i)
        SetWindowLongPtrW(record.controls[i].window, GWLP_ID, static_cast<LONG_PTR>(i));
}

// False when the dialog went away while the control was being destroyed.
bool DestroyControlAt(DialogRecord& record, size_t index) {
    HWND dialog = record.window;
    HWND control = record.controls[index].window;
    DropHandlersOf(record, control, index);
    // A stale handle may by now belong to some other window: leave that alone.
    if (IsWindow(control) && GetParent(control) == dialog) DestroyWindow(control);
    // Handlers run during the destruction may have changed the table.
    if (RecordOf(dialog) != &record) return false;
    auto& controls = record.controls;
    const auto entry = std::find_if(controls.begin(), controls.end(),
                                    [&](const ControlEntry& c) { return c.window == control; });
    if (entry == controls.end()) return true;
    const auto at = static_cast<size_t>(entry - controls.begin());
    controls.erase(entry);
    RenumberFrom(record, at);
    return true;
}

} // namespace
} // namespace rvw

RVWINDOW_API int RvDialog_DestroyControl(uint32_t dialog, const wchar_t* name) {
    return rv::Guarded(-1, [&] {
        rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return -1;
        if (rvw::IsEmptyName(name)) return 0;
        const int index = rvw::FindControlIndex(*record, name);
        if (index < 0) return -1;
        rvw::DestroyControlAt(*record, static_cast<size_t>(index));
        return 0;
    });
}

RVWINDOW_API int RvDialog_DestroyAllControls(uint32_t dialog) {
    return rv::Guarded(-1, [&] {
        rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return -1;
        while (!record->controls.empty())
            if (!rvw::DestroyControlAt(*record, record->controls.size() - 1)) return 0;
        rvw::ResetLayout(*record);
        record->options = rvw::kDefaultOptions;
        return 0;
    });
}
