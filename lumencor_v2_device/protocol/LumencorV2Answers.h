// Reading the light engine's answers: values after key words, numbers,
// firmware versions and channel colours.
#pragma once

#include "KaString.h"

#include <cstdint>
#include <vector>

namespace lumencor {

// The value text after `keyword` and its separator; false when the key
// word is missing. Never reads past the end of the answer.
bool ValueText(const char* answer, const char* keyword, CKaStringA& value);
// A decimal whole number from the start of `text` (0 when there is none).
int32_t Number(const char* text);
// The same, false when `text` does not start with a number.
bool ReadNumber(const char* text, int32_t& number);
// The text without the line end the engine put after it.
CKaStringA WithoutLineEnd(const CKaStringA& text);
// major.minor.patch as one comparable number: (major*1000 + minor)*1000 + patch.
struct SFirmware {
    int32_t major, minor, patch;
    int64_t Number() const { return (int64_t(major) * 1000 + minor) * 1000 + patch; }
};
// Parses "2.1.19"; parts that are missing keep the values already in `version`.
void ParseFirmware(const char* text, SFirmware& version);
// Wavelength in nm of a CHMAP colour name (trimmed, any case); 0 when unknown.
uint32_t ColourWavelength(const CKaStringA& name);
// The wavelengths a line of that colour can be set to: 365 and 405 for
// "VIOLET" or "UV", the one of the table for another known name, none else.
std::vector<uint32_t> ColourWavelengths(const CKaStringA& name);
// Model type of a MODEL text: 1 Celesta, 2 Ziva, else 0 (Spectra III).
int32_t ModelType(const char* model);

} // namespace lumencor
