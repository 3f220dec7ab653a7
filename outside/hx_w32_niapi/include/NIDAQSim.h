// What only our stand-in of the NI-DAQ module offers: the simulated cards,
// whether NI-DAQmx counts as installed, and a record of every call the
// module received, with its arguments, in order. Tests and kahost use it.
#pragma once

#include "NIDAQ.h"

#include <string>
#include <vector>

// Cards as "Dev1=PCIe-6323;Dev2=USB-6343" (name=product type), "" for none.
// Without a call, the settings file decides ("cards=..." in the file named
// by HX_NIAPI_SETTINGS, else hx_w32_niapi.ini beside the module), then the
// environment variable HX_NIAPI_CARDS, else one card "Dev1", a PCIe-6323.
HX_NIAPI_API void NIDAQSim_SetCards(const wchar_t* cards);
// Whether NIDAQmx_Init finds NI-DAQmx ("nidaqmx=1" in the settings file or
// HX_NIAPI_NIDAQMX=1 set it too).
HX_NIAPI_API void NIDAQSim_SetDriverPresent(bool present);
// Every call so far, one line each: "AOTFLine::SetState(LumencorV2AbstractionKey 2, 1)".
HX_NIAPI_API std::vector<std::wstring> NIDAQSim_Calls();
HX_NIAPI_API void NIDAQSim_ClearCalls();
// Forgets the engine and every setting (between tests).
HX_NIAPI_API void NIDAQSim_Reset();
// Number of engine uses not yet released by NIDAQEngine_Done.
HX_NIAPI_API int NIDAQSim_EngineUses();
