// The multi-line light source: the line records that C_Connect fills and
// the device commands that carry the macro requests.
#include "LumencorV2MultiLaser.h"

#include "KaSystem.h"
#include "LumencorV2Device.h"

CKaLumencorV2MultiLaser::CKaLumencorV2MultiLaser(CKaLumencorV2Device* device)
    : m_pSequenceOwner(nullptr), m_pDevice(device), m_iNumLines(KA_LUMENCOR_MAX_LINES),
      m_sDisplayName(KA_GetTranslation(L"SpectraIII")), m_eOperationMode(0), m_iMaxInt(0) {}

CKaLumencorV2MultiLaser::~CKaLumencorV2MultiLaser() = default;

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetInterfaceName(CKaStringW& name) {
    name = L"IDeviceMultiLaser";
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineCount(int* count) {
    if (!m_pDevice || !count) return KA_DM_NOT_AVAILABLE;
    *count = m_iNumLines;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineName(int line, CKaStringW& name) {
    if (!m_pDevice || line < 0 || line >= m_iNumLines) return KA_DM_NOT_AVAILABLE;
    name.Format(L"%d nm", static_cast<int>(m_lines[line].m_uWavelength));
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::GetLineWavelength(int line,
                                                                    unsigned* wavelength) {
    if (line < 0 || line >= KA_LUMENCOR_MAX_LINES) return KA_DM_OUT_OF_RANGE;
    if (!wavelength) return KA_DM_NOT_AVAILABLE;
    *wavelength = m_lines[line].m_uWavelength;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::DeviceCommand(int code, int64_t value,
                                                                void* out) {
    if (!out) return KA_DM_OK;
    switch (code) {
    case 0x13007:
        m_pDevice->SetPadEnabled(value != 0);
        break;
    case 0xC018:
        *static_cast<int32_t*>(out) = m_pDevice->GetStandByMode();
        break;
    case 0xC019:
        m_pDevice->SetStandByMode(static_cast<int32_t>(value));
        break;
    case 0xC01A:
        m_pDevice->RunOnWorker<&CKaLumencorV2Device::C_WakeUp>();
        break;
    case 0xC01C:
        m_pSequenceOwner = out;
        break;
    default:
        return KA_DM_NOT_SUPPORTED;
    }
    return KA_DM_OK;
}

int32_t CKaLumencorV2MultiLaser::C_ExecuteBatch(uint64_t device, uint64_t, uint64_t) {
    auto* self = reinterpret_cast<CKaLumencorV2Device*>(device);
    self->Shutter().m_bChanged = false;
    return 0;
}
