// The module (DLL or program) the calling code is linked into: each library
// links its own copy of this helper, so the answer is that library.
#pragma once

#include <windows.h>

namespace rv {

HINSTANCE ThisModule();

} // namespace rv
