// Under Wine with no window manager on the display, hiding or destroying a
// window with a caption waits two seconds for a manager that never answers.
#pragma once

namespace testsupport {

// Marks this program's windows as unmanaged (Wine's per-program X11 driver
// setting), which removes the wait. Must run before the program creates its
// first window; does nothing outside Wine.
void LeaveWindowsUnmanaged();

} // namespace testsupport
