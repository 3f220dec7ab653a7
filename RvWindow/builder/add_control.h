// Adding a control to a builder dialog at the next place of its flow layout.
#pragma once

#include <windows.h>

#include <cstdint>

namespace rvw {

struct DialogRecord;

// Maps the class (rich edit, list control, registered aliases), creates the
// control, enters it in the control table and widens the layout. 0 with the
// window in `created`, or -1 when the window could not be created.
int AddControlTo(DialogRecord& record, const wchar_t* name, const wchar_t* windowClass,
                 uint32_t style, uint32_t exStyle, int32_t xOffsetOrLines, int32_t width,
                 HWND* created);

} // namespace rvw
