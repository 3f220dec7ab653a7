// The driver loaded as the host loads it: the module, its class records,
// and a physical device made by the constructor the record names.
#pragma once

#include "KaLogicalDevice.h"
#include "KaDeviceMultiLaser.h"
#include "KaPhysicalDevice.h"
#include "KaPluginModule.h"

class LoadedDriver {
  public:
    explicit LoadedDriver(const char* className = "CKaLumencorV2Device");
    ~LoadedDriver();
    LoadedDriver(const LoadedDriver&) = delete;
    LoadedDriver& operator=(const LoadedDriver&) = delete;

    CKaPluginModule module;
    IKaInterface* object = nullptr;
    IKaPhysicalDevice* device = nullptr;
    IKaDeviceMultiLaser* lightSource = nullptr;
};
