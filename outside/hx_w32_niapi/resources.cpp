#include "NIDAQ.h"
#include "sim_state.h"

CNIDAQResource::CNIDAQResource(const wchar_t* niKey, int type)
    : m_key(niKey ? niKey : L""), m_type(type) {}
CNIDAQResource::~CNIDAQResource() = default;

const wchar_t* CNIDAQResource::GetNIKey() const {
    return m_key.c_str();
}

int CNIDAQResource::GetType() const {
    return m_type;
}

CNIDAQResource_AOPort::CNIDAQResource_AOPort(const wchar_t* niKey)
    : CNIDAQResource(niKey, NIDAQ_RESOURCE_AO_PORT) {}

CNIDAQResource_DIOLine::CNIDAQResource_DIOLine(const wchar_t* niKey, bool waveformEnable)
    : CNIDAQResource(niKey, NIDAQ_RESOURCE_DIO_LINE), m_waveformEnable(waveformEnable) {}

bool CNIDAQResource_DIOLine::GetBoolWaveformEnable() const {
    return m_waveformEnable;
}

CNIDAQResource_PFITerminal::CNIDAQResource_PFITerminal(const wchar_t* niKey)
    : CNIDAQResource(niKey, NIDAQ_RESOURCE_PFI_TERMINAL) {}
