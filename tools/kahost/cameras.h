// The host's cameras as a person sets them up in kahost: the configuration
// dialog lists the triggerable ones for camera-exposure triggering.
#pragma once

#include <sstream>
#include <string>

namespace cameras {

// With --gui: two triggerable simulated cameras, until the first `camera`
// command replaces them.
void AddDefaults();
// Runs `camera ...` or `cameras`; false when `command` is neither.
bool Run(const std::string& command, std::istringstream& words);

} // namespace cameras
