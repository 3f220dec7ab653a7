// The second dialog of the demonstration: every custom control of RvWindow.
#pragma once

#include <cstdint>
#include <string>

// Builds the dialog (hidden); 0 when it could not be created. `folder` holds
// microscope.svg and receives the rich text file the dialog loads.
uint32_t BuildControlsDialog(const std::wstring& folder);

// Drives the shown dialog's controls (scrolling, typing a high voltage,
// letting the progress bar count to its end) and prints what they show.
void DriveControls(uint32_t dialog);
