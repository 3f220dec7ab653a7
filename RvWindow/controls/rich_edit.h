// Rich edit controls that can hold embedded objects, and loading rich text
// files into them.
#pragma once

#include <windows.h>

namespace rvw {

// Hands a new rich edit an OLE callback with storage for embedded objects; 0.
int EquipRichEdit(HWND window);

} // namespace rvw
