// Libraries this one loads when first needed and keeps until the process ends.
#pragma once

#include <windows.h>

#include <string>

namespace rvw {

// This library's own module.
HINSTANCE ThisModule();

// The full path of a file in this library's own folder; empty when unknown.
std::wstring BesideThisLibrary(const wchar_t* fileName);

// msftedit.dll, which registers the "RICHEDIT50W" class; false when it is missing.
bool LoadRichEdit();

// The list-control library next to this one, which registers the
// "RvListCtrl" class; false (and tried again next time) when it is missing.
bool LoadListLibrary();

// An entry point of the host's macro engine, looked for on every call until found.
void* MacroEngineEntry(const char* name);

} // namespace rvw
