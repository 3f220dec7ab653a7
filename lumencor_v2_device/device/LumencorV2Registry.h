// The driver's registry values, under HKEY_LOCAL_MACHINE: the simulated
// engine's model and channel map.
#pragma once

const wchar_t kRegistryKey[] = L"Software\\Quorvane\\Misc\\Lumencor SpectraIII";
const wchar_t kRegistryModel[] = L"Simulator_ModelString";
const wchar_t kRegistryChannelMap[] = L"Simulator_ChannelMap_String";
const wchar_t kDefaultSimulatorModel[] = L"Spectra III Simulator";
const wchar_t kDefaultSimulatorChannelMap[] = L"TEAL CYAN YELLOW RED GREEN NIR BLUE VIOLET";
// Wide characters a value is read in first; longer values are read in full.
const unsigned long kRegistryValueChars = 256;
