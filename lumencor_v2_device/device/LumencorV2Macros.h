// The stand-by macro procedures and the device they reach.
#pragma once

#include <cstdint>

class CKaLumencorV2Device;

// The device the macro procedures reach, held for as long as this object
// lives: a device being destroyed waits until no procedure holds it, and is
// no longer handed out once its destruction has begun.
class CKaLumencorV2CurrentDevice {
  public:
    CKaLumencorV2CurrentDevice();
    ~CKaLumencorV2CurrentDevice();
    CKaLumencorV2CurrentDevice(const CKaLumencorV2CurrentDevice&) = delete;
    CKaLumencorV2CurrentDevice& operator=(const CKaLumencorV2CurrentDevice&) = delete;

    // Null when no device is connected.
    CKaLumencorV2Device* Get() const { return m_pDevice; }

    // Makes `device` current unless another one is; false when another is.
    static bool Claim(CKaLumencorV2Device* device);
    // Forgets `device` when it is current, once no procedure holds it;
    // false when it was not current.
    static bool Release(CKaLumencorV2Device* device);

  private:
    CKaLumencorV2Device* m_pDevice;
};

// The stand-by macro procedures (exports of the module).
extern "C" int32_t Stg_SetStandByMode(int32_t mode);
extern "C" int32_t Stg_GetStandByMode();
extern "C" int32_t Stg_WakeUp();
