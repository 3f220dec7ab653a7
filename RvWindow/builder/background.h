// The dialog's background colour and the brushes it paints with.
#pragma once

#include <windows.h>

#include <cstdint>

namespace rvw {

struct DialogRecord;

void SetBackground(DialogRecord& record, uint32_t colour);

// WM_ERASEBKGND and the WM_CTLCOLOR messages; 0 while there is no background colour.
INT_PTR EraseBackground(const DialogRecord& record, HDC dc);
INT_PTR ControlColour(const DialogRecord& record, HDC dc);

} // namespace rvw
