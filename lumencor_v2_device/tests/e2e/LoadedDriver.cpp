#include "LoadedDriver.h"

LoadedDriver::LoadedDriver(const char* className) {
    if (!module.Load(L"lumencor_v2_device.dll")) return;
    object = module.Construct(className, __FILE__, __LINE__);
    auto* kaClass = dynamic_cast<CKaClass*>(object);
    if (!kaClass) return;
    device = static_cast<IKaPhysicalDevice*>(kaClass->QueryInterface("IKaPhysicalDevice"));
    if (!device) return;
    CKaLogicalDeviceList list;
    device->GetLogicalDevices(list);
    if (list.GetCount() > 0) lightSource = dynamic_cast<IKaDeviceMultiLaser*>(list.Get(0));
}

LoadedDriver::~LoadedDriver() {
    auto* kaClass = dynamic_cast<CKaClass*>(object);
    if (device) kaClass->Release(); // the reference QueryInterface added
    if (kaClass) kaClass->Release();
}
