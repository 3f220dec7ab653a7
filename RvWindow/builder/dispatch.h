// Handing a dialog's messages to its handlers.
#pragma once

#include <windows.h>

namespace rvw {

struct DialogRecord;

// Calls the last registered handler that matches the message and returns its
// result (0 when none matches). While another handler runs, the call is queued
// and run after it, and timer messages are dropped; returns 0 then.
INT_PTR DispatchMessageToHandlers(DialogRecord& record, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace rvw
