#include "dialog_record.h"

#include "layout.h"
#include "rv_args.h"

#include <cstring>
#include <new>

namespace rvw {

DialogRecord* NewRecord() {
    DialogRecord* record = new (std::nothrow) DialogRecord;
    if (record) ResetLayout(*record);
    return record;
}

void FreeRecord(DialogRecord* record) {
    if (!record) return;
    record->window = nullptr;
    std::vector<ControlEntry>().swap(record->controls);
    std::vector<Handler>().swap(record->handlers);
    if (record->brush) DeleteObject(record->brush);
    record->brush = nullptr;
    // A freed record must never pass for a live one.
    SecureZeroMemory(&record->signature, sizeof record->signature);
    delete record;
}

void ResetLayout(DialogRecord& record) {
    const LayoutMetrics& m = Metrics();
    record.columnX = m.leftMargin;
    record.rowY = m.topMargin;
    record.rowBottom = m.topMargin;
    record.maxRight = 0;
    record.maxBottom = 0;
    record.layoutChanged = 0;
    record.pendingRow = 0;
    record.pendingColumn = 0;
}

DialogRecord* RecordOf(HWND dialog) {
    if (!dialog || !IsWindow(dialog)) return nullptr;
    auto* record = reinterpret_cast<DialogRecord*>(GetWindowLongPtrW(dialog, DWLP_USER));
    // The signature and the window back-reference keep other windows' data
    // and stale records from being taken for a dialog record.
    if (!rv::HasSignature(record, sizeof *record, kDialogSignature)) return nullptr;
    return record->window == dialog ? record : nullptr;
}

DialogRecord* RecordOf(uint32_t dialog) {
    return RecordOf(ToWindow(dialog));
}

void CopyTruncated(wchar_t* storage, size_t length, std::wstring_view text) {
    const size_t count = text.size() < length ? text.size() : length;
    std::memcpy(storage, text.data(), count * sizeof(wchar_t));
    storage[count] = L'\0';
}

int FindControlIndex(const DialogRecord& record, std::wstring_view name) {
    if (name.size() > kNameLength) name = name.substr(0, kNameLength);
    for (size_t i = 0; i < record.controls.size(); ++i)
        if (name == record.controls[i].name) return static_cast<int>(i);
    return -1;
}

int FindControlIndex(const DialogRecord& record, const wchar_t* name) {
    std::wstring_view text;
    return rv::ReadWideArgument(name, &text) ? FindControlIndex(record, text) : -1;
}

HWND NamedControl(const DialogRecord& record, const wchar_t* name) {
    const int index = FindControlIndex(record, name);
    return index < 0 ? nullptr : record.controls[static_cast<size_t>(index)].window;
}

bool IsEmptyName(const wchar_t* name) {
    std::wstring_view text;
    return !name || (rv::ReadWideArgument(name, &text) && text.empty());
}

} // namespace rvw
