// Builder dialog windows: creation from the template and the dialog procedure.
#pragma once

#include <windows.h>

namespace rvw {

struct DialogRecord;

constexpr int kDialogTemplate = 101;

// Creates a hidden dialog with its record, owned by its window; null when
// the dialog cannot be created (nothing is left behind then).
DialogRecord* CreateBuilderDialog(HWND owner, const wchar_t* title);

// Measures the layout metrics with a probe dialog, once per process.
void MeasureLayoutOnce();

} // namespace rvw
