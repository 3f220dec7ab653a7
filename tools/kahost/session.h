// One plug-in device driven as the host drives it: loaded through the
// module's class records, then reached only through the interfaces.
#pragma once

#include "KaDeviceMultiLaser.h"
#include "KaDeviceShutter.h"
#include "KaPhysicalDevice.h"
#include "KaPluginModule.h"
#include "host_log.h"

#include <string>

struct Session {
    CKaPluginModule module;
    CKaClass* object = nullptr;
    IKaPhysicalDevice* device = nullptr;
    IKaDeviceMultiLaser* lightSource = nullptr;
    IKaDeviceShutter* shutter = nullptr;
    bool simulated = false;
    // COM port of `connect` without a number (0: none chosen).
    int defaultPort = 0;
    // Folder of the running script: relative file names start there.
    std::string scriptFolder;
    CKaStringW settings;
    HostLog log;
    // Show the card's line switching after each command.
    bool daqTrace = false;
    size_t daqCallsSeen = 0;
};

bool Load(Session& s, const char* className);
void Unload(Session& s);
// Runs one command line; false when the session should end.
bool Run(Session& s, const std::string& line);
