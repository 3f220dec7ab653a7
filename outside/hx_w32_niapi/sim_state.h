// The stand-in's process-wide state: settings, the call record, the engine.
#pragma once

#include "NIDAQ.h"

#include <mutex>
#include <string>
#include <vector>

namespace niapi {

struct SCard {
    std::wstring name;
    std::wstring productType;
};

// The cards that Open and OpenSimulator find.
std::vector<SCard> Cards();
bool DriverPresent();
// Whether a test chose the cards (NIDAQSim_SetCards).
bool CardsSetByCall();

// Appends one line to the call record.
void Record(const std::wstring& call);
// "1"/"0" and numbers as the record writes them.
std::wstring Text(bool value);
std::wstring Text(int value);
std::wstring Text(double value);
std::wstring Text(const wchar_t* key);

// Lines of a card that can play waveforms: port0 line 0..15.
const int kDigitalLines = 32, kWaveformLines = 16, kAnalogOutputs = 4, kPfiTerminals = 16;

} // namespace niapi
