// kahost --gui: the pad of the connected device in a top-level window, as
// the host's docking layout hosts it. The pad opens once the device is
// configured; `pad ...` commands change the zoom and the language, press
// its controls, wait while it runs and save screenshots.
#pragma once

#include "session.h"

#include <sstream>
#include <string>

namespace gui {

// Turns the window on: the pad opens with the next command after the
// device is configured. `zoom` is the starting GUI zoom.
void Enable(double zoom);
bool Enabled();
// Opens the pad when it can be; call after every command.
void AfterCommand(Session& s);
// Runs a `pad` command; false when `command` is not one.
bool Run(Session& s, const std::string& command, std::istringstream& words);
// Reads commands from the console while the window stays usable, until
// "quit" or the window is closed.
void Interactive(Session& s);
void Close();

} // namespace gui
