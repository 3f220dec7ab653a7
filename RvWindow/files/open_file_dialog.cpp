// The system's open-file dialog with a filter written as "Text|*.txt|All|*.*".
#include "RvWindow.h"
#include "rv_args.h"

#include <commdlg.h>

#include <string>

namespace {

// We hand the dialog no hook procedure and no template: flags asking for
// them would make it call or load what is not there.
constexpr DWORD kUnsupportedFlags = OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE;

// "|" separators become nulls; the list ends with two.
std::wstring SystemFilter(std::wstring_view filter) {
    std::wstring pairs(filter);
    for (wchar_t& c : pairs)
        if (c == L'|') c = L'\0';
    pairs.append(2, L'\0');
    return pairs;
}

const wchar_t* ReadableOrNull(const wchar_t* text) {
    std::wstring_view view;
    return rv::ReadWideArgument(text, &view) ? text : nullptr;
}

int OpenFileExport(const wchar_t* initialDirectory, wchar_t* file, uint32_t fileSize,
                   const wchar_t* filter, uint32_t filterIndex, const wchar_t* title,
                   uint32_t flags) {
    if (fileSize == 0 || fileSize > UINT32_MAX / sizeof(wchar_t) ||
        !rv::IsWritable(file, size_t{fileSize} * sizeof(wchar_t)))
        return 0;
    // The initial name must end inside the buffer the dialog is told about.
    size_t length;
    if (!rv::SafeWideLength(file, &length, true) || length >= fileSize) return 0;
    std::wstring_view filterText;
    const bool hasFilter = rv::ReadWideArgument(filter, &filterText) && !filterText.empty();
    const std::wstring systemFilter = hasFilter ? SystemFilter(filterText) : std::wstring();

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = hasFilter ? systemFilter.c_str() : nullptr;
    dialog.nFilterIndex = filterIndex;
    dialog.lpstrFile = file;
    dialog.nMaxFile = fileSize;
    dialog.lpstrInitialDir = ReadableOrNull(initialDirectory);
    dialog.lpstrTitle = ReadableOrNull(title);
    dialog.Flags = (flags & ~kUnsupportedFlags) | OFN_EXPLORER;
    const BOOL chosen = GetOpenFileNameW(&dialog);
    CommDlgExtendedError(); // read and dropped, as callers only see chosen or not
    return chosen ? 1 : 0;
}

} // namespace

RVWINDOW_API int RvFile_GetOpenFileName(const wchar_t* initialDirectory, wchar_t* file,
                                        uint32_t fileSize, const wchar_t* filter,
                                        uint32_t filterIndex, const wchar_t* title,
                                        uint32_t flags) {
    return rv::Guarded(0, [&] {
        return OpenFileExport(initialDirectory, file, fileSize, filter, filterIndex, title, flags);
    });
}
