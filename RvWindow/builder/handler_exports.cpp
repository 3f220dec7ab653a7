// Registering message handlers, for the whole dialog or for one named control.
#include "RvWindow.h"
#include "dialog_record.h"
#include "macro_runner.h"
#include "rv_args.h"

namespace rvw {
namespace {

int AddHandler(DialogRecord& record, HWND control, uint32_t first, uint32_t last,
               uint64_t wParamValue, uint64_t wParamMask, uint64_t lParamValue, uint64_t lParamMask,
               RvMessageCallback callback, const wchar_t* text) {
    // A handler without a callback could never be called.
    if (!callback || !RoomForOne(record.handlers)) return -1;
    std::wstring_view textView;
    if (!rv::ReadWideArgument(text, &textView)) textView = {};
    Handler h{};
    h.control = control;
    h.firstMessage = first;
    h.lastMessage = last;
    h.wParamValue = wParamValue;
    h.wParamMask = wParamMask;
    h.lParamValue = lParamValue;
    h.lParamMask = lParamMask;
    h.callback = callback;
    CopyTruncated(h.text, kTextLength, textView);
    record.handlers.push_back(h);
    return 0;
}

int AddNamedHandler(uint32_t dialog, const wchar_t* name, uint32_t message, uint64_t wParamValue,
                    uint64_t wParamMask, uint64_t lParamValue, uint64_t lParamMask,
                    RvMessageCallback callback, const wchar_t* text) {
    DialogRecord* record = RecordOf(dialog);
    if (!record) return -1;
    HWND control = nullptr;
    if (!IsEmptyName(name)) {
        const int index = FindControlIndex(*record, name);
        if (index < 0) return -1;
        control = record->controls[static_cast<size_t>(index)].window;
        const auto id = static_cast<uint64_t>(index);
        if (IsWindow(control) && message == WM_COMMAND) {
            // The given value is the notification code; WM_COMMAND carries it
            // in the high word above the identifier, zero-extended like any WPARAM.
            wParamValue = static_cast<uint32_t>(((wParamValue & 0xFFFF) << 16) | id);
            wParamMask = ~uint64_t{0};
            lParamValue = reinterpret_cast<uintptr_t>(control);
            lParamMask = ~uint64_t{0};
        } else if (IsWindow(control) && message == WM_NOTIFY) {
            wParamValue = id;
        }
    }
    return AddHandler(*record, control, message, message, wParamValue, wParamMask, lParamValue,
                      lParamMask, callback, text);
}

} // namespace
} // namespace rvw

RVWINDOW_API int RvDialog_AddMessageHandler(uint32_t dialog, HWND control, uint32_t firstMessage,
                                            uint32_t lastMessage, uint64_t wParamValue,
                                            uint64_t wParamMask, uint64_t lParamValue,
                                            uint64_t lParamMask, RvMessageCallback callback,
                                            const wchar_t* text) {
    return rv::Guarded(-1, [&] {
        rvw::DialogRecord* record = rvw::RecordOf(dialog);
        if (!record) return 0;
        return rvw::AddHandler(*record, control, firstMessage, lastMessage, wParamValue, wParamMask,
                               lParamValue, lParamMask, callback, text);
    });
}

RVWINDOW_API int RvDialog_AddControlMessageHandler(uint32_t dialog, const wchar_t* controlName,
                                                   uint32_t message, uint64_t wParamValue,
                                                   uint64_t wParamMask, uint64_t lParamValue,
                                                   uint64_t lParamMask, RvMessageCallback callback,
                                                   const wchar_t* text) {
    return rv::Guarded(-1, [&] {
        return rvw::AddNamedHandler(dialog, controlName, message, wParamValue, wParamMask,
                                    lParamValue, lParamMask, callback, text);
    });
}

RVWINDOW_API int RvDialog_AddMacroMessageHandler(uint32_t dialog, const wchar_t* controlName,
                                                 uint32_t message, uint64_t wParamValue,
                                                 uint64_t wParamMask, uint64_t lParamValue,
                                                 uint64_t lParamMask, const wchar_t* macro) {
    return rv::Guarded(-1, [&] {
        return rvw::AddNamedHandler(dialog, controlName, message, wParamValue, wParamMask,
                                    lParamValue, lParamMask, rvw::RunMacro, macro);
    });
}
