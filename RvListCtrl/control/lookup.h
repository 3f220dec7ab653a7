// Finding the list control behind a macro's window handle.
#pragma once

#include <cstdint>

namespace rvl {

class CRvListCtrl;

// The list attached to the window of this 32-bit handle, or null: the window
// must exist in this process, and its user-data slot must point to writable
// memory of a whole list object that ends with the list signature and names
// this very window.
CRvListCtrl* FindList(uint32_t handle);

} // namespace rvl
