// A short session a person would have with the demo list, played with the
// mouse and key messages the system sends, printing what the dialog hears.
#pragma once

#include "RvListCtrl.h"

#include <windows.h>

#include <functional>

// Selects a row, toggles a check box, sorts by a header click and edits a
// cell; `whileEditing` runs while the editor of the last edit is open.
void PlaySession(HWND dialog, RvList list, const std::function<void()>& whileEditing);
