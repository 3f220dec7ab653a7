// The record behind each builder dialog, kept in the dialog's DWLP_USER slot.
#pragma once

#include "RvWindow.h"
#include "rv_memory.h"
#include "window_handle.h"

#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace rvw {

constexpr rv::Signature kDialogSignature{0x48c250516d79acc1ull, 0xb43b136ef7f5f0a4ull};

constexpr size_t kNameStorage = 128; // control names keep at most 126 characters
constexpr size_t kNameLength = 126;
constexpr size_t kTextStorage = 257; // handler texts keep at most 256 characters
constexpr size_t kTextLength = 256;
constexpr uint32_t kDefaultOptions = RVDIALOG_OPTION_NEW_ROW | RVDIALOG_OPTION_AUTO_SIZE;
constexpr uint32_t kNoBackground = 0xFFFFFFFFu;

struct ControlEntry {
    wchar_t name[kNameStorage];
    HWND window;
};

struct Handler {
    HWND control; // only used to drop the handler with its control
    uint32_t firstMessage;
    uint32_t lastMessage;
    uint64_t wParamValue;
    uint64_t wParamMask;
    uint64_t lParamValue;
    uint64_t lParamMask;
    RvMessageCallback callback;
    wchar_t text[kTextStorage];
};

struct DialogRecord {
    rv::Signature signature = kDialogSignature;
    HWND window = nullptr;
    uint32_t ownedByWindow = 0;
    int32_t columnX = 0;
    int32_t rowY = 0;
    int32_t rowBottom = 0;
    int32_t maxRight = 0;
    int32_t maxBottom = 0;
    uint32_t layoutChanged = 0;
    uint32_t options = kDefaultOptions;
    uint32_t pendingRow = 0;
    uint32_t pendingColumn = 0;
    HBRUSH brush = nullptr;
    uint32_t backgroundColour = kNoBackground;
    std::vector<ControlEntry> controls;
    std::vector<Handler> handlers;
};

// A new record with the layout at its start; null when out of memory.
DialogRecord* NewRecord();

// Releases the tables and brush, clears the signature and frees the record.
void FreeRecord(DialogRecord* record);

// Column, row and extent back to their start (the options are not touched).
void ResetLayout(DialogRecord& record);

// The record of a builder dialog given by its macro handle, or null.
DialogRecord* RecordOf(uint32_t dialog);
DialogRecord* RecordOf(HWND dialog);

// Index of the first control with exactly this name (after truncation), or -1.
int FindControlIndex(const DialogRecord& record, std::wstring_view name);
// The same for a macro's name argument; -1 also for unreadable text.
int FindControlIndex(const DialogRecord& record, const wchar_t* name);
// The window of the named control, or null.
HWND NamedControl(const DialogRecord& record, const wchar_t* name);
// A null or empty name argument (an unreadable one names no control but is not empty).
bool IsEmptyName(const wchar_t* name);

// Copies `text` truncated to `length` characters into storage of length + 1 or more.
void CopyTruncated(wchar_t* storage, size_t length, std::wstring_view text);

// Makes room for one more element, growing the capacity in steps of ten;
// false when memory runs out.
template <class T> bool RoomForOne(std::vector<T>& table) {
    if (table.size() < table.capacity()) return true;
    try {
        table.reserve(table.capacity() + 10);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace rvw
