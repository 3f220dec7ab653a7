// The multi-line light source: the engine's colour lines as one logical device.
#pragma once

#include "KaDeviceMultiLaser.h"
#include "LumencorV2Line.h"

#include <utility>
#include <vector>

class CKaLumencorV2Device;

class CKaLumencorV2MultiLaser : public CKaDeviceMultiLaser_Default {
  public:
    explicit CKaLumencorV2MultiLaser(CKaLumencorV2Device* device);
    ~CKaLumencorV2MultiLaser() override;

    EDeviceManagerReturnCode GetInterfaceName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetLineCount(int* count) override;
    EDeviceManagerReturnCode GetLineName(int line, CKaStringW& name) override;
    EDeviceManagerReturnCode GetLineWavelength(int line, unsigned* wavelength) override;
    EDeviceManagerReturnCode DeviceCommand(int code, int64_t value, void* out) override;

    // Sends the marked line changes of a batch; runs on the worker thread.
    static int32_t C_ExecuteBatch(uint64_t device, uint64_t, uint64_t);

    void* m_pSequenceOwner;
    CKaLumencorV2Device* m_pDevice;
    int32_t m_iNumLines;
    CKaStringW m_sDisplayName;
    int32_t m_eOperationMode;
    int32_t m_iMaxInt;
    std::vector<std::pair<int, double>> m_savedPowers;
    std::vector<std::pair<int, double>> m_sequencePowers;
    SKaLumencorV2Line m_lines[KA_LUMENCOR_MAX_LINES];
};
