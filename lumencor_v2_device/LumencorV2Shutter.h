// The shutter: opening lights the used lines, closing darkens them all.
#pragma once

#include "KaDeviceShutter.h"

class CKaLumencorV2Device;

class CKaLumencorV2Shutter : public CKaDeviceShutter_Default {
  public:
    explicit CKaLumencorV2Shutter(CKaLumencorV2Device* device);
    ~CKaLumencorV2Shutter() override;

    EDeviceManagerReturnCode GetInterfaceName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetShutterState(bool* open) override;
    EDeviceManagerReturnCode SetShutterState(bool open) override;
    void SetDelay(double ms);
    double GetDelay() const { return m_dDelay; }

    CKaLumencorV2Device* m_pDevice;
    bool m_bOpen;
    bool m_bChanged;
    int32_t m_eShutterType;
    double m_dDelay;
    CKaStringW m_sName;
};
