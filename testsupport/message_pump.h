// Waiting for window messages with a deadline instead of sleeping.
#pragma once

#include <functional>

namespace testsupport {

// Dispatches this thread's messages until `done` returns true or `timeoutMs`
// pass; returns whether `done` became true.
bool PumpUntil(const std::function<bool()>& done, unsigned timeoutMs = 5000);

// Dispatches every message already queued for this thread.
void PumpPending();

} // namespace testsupport
