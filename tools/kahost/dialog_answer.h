// kahost --gui: answering the device's configuration dialog from a script.
// The dialog is modal, so the answer runs inside its message loop: a thread
// timer waits for the dialog to show, saves a screenshot of it when asked
// and presses its button. When the dialog refuses OK, the message box that
// says why is printed and closed, then the dialog is cancelled.
#pragma once

#include <windows.h>

#include <string>

namespace gui {

struct DialogAnswer {
    int button = IDCANCEL;
    // Where the screenshot goes; empty: none.
    std::wstring screenshot;
};

// Call before the press that opens the dialog.
void ArmDialogAnswer(const DialogAnswer& answer);
// Call once the press returned; true when the dialog was seen and answered.
bool DisarmDialogAnswer();

} // namespace gui
