// Subclassing standard controls with a record of our own in GWLP_USERDATA,
// and finding that record again from a macro's window handle.
#pragma once

#include "rv_memory.h"

#include <windows.h>

#include <cstdint>

namespace rvw {

// A live window of this process (records of other processes' windows are
// addresses in a different address space).
bool IsOwnWindow(HWND window);

// Stores `record` in GWLP_USERDATA and replaces the window procedure; the
// previous procedure, or null (and nothing changed) when that failed.
WNDPROC Subclass(HWND window, WNDPROC procedure, void* record);

// Subclasses `window` with `procedure` and a new `record` (freed again, and
// null returned, when the window refuses; null when `record` is): the record
// names the window and keeps the previous procedure in the two given fields.
template <class Record>
Record* AttachRecord(Record* record, HWND window, WNDPROC procedure, HWND Record::*windowField,
                     WNDPROC Record::*previousField) {
    if (!record) return nullptr;
    record->*windowField = window;
    record->*previousField = Subclass(window, procedure, record);
    if (record->*previousField) return record;
    delete record;
    return nullptr;
}

// Puts `previous` back and clears GWLP_USERDATA.
void Unsubclass(HWND window, WNDPROC previous);

// The GWLP_USERDATA slot of a window of this process, or null.
void* UserData(HWND window);

// The record of a control whose record starts with `signature`, or null.
template <class Record> Record* SignedRecord(HWND window, rv::Signature signature) {
    void* p = UserData(window);
    return rv::HasSignature(p, sizeof(Record), signature) ? static_cast<Record*>(p) : nullptr;
}

// The record of a control whose record has no signature: the window must
// still run `procedure`, and the readable record must name this window.
template <class Record> Record* ProcedureRecord(HWND window, WNDPROC procedure) {
    void* p = UserData(window);
    if (!p || GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(procedure))
        return nullptr;
    if (!rv::IsReadable(p, sizeof(Record))) return nullptr;
    auto* record = static_cast<Record*>(p);
    return record->window() == window ? record : nullptr;
}

inline HWND WindowOf(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

// Tells the control's parent that its value changed: WM_COMMAND with the
// control identifier and notification code 0.
void NotifyParent(HWND control);

} // namespace rvw
