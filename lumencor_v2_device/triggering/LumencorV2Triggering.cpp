// NI-DAQ triggering of the physical device: starting the DAQ, applying and
// saving the triggering settings, the Z-stack flag, and the teardown.
#include "LumencorV2Device.h"

#include "KaDMApi.h"
#include "KaSettings.h"
#include "LumencorV2Log.h"
#include "LumencorV2SettingsKeys.h"
#include "NIDAQ.h"

#include <ctime>

namespace {

const wchar_t kAbstractionKey[] = L"LumencorV2AbstractionKey";
// `SetAOTFControl`: the lines are switched by the driver's states.
const int kAOTFControlByStates = 1;
// The two camera trigger terminals (`ETriggerSourcePFISelect`).
const int kPFISelects = 2;

} // namespace

CNIDAQAbstraction_Multiexcitation* CKaLumencorV2Device::GetMultiexcitation() const {
    if (!m_pNIDAQEngine) return nullptr;
    return static_cast<CNIDAQAbstraction_Multiexcitation*>(
        m_pNIDAQEngine->GetAbstraction(m_sCardKey.GetString(), NIDAQ_ABSTRACTION_MULTIEXCITATION));
}

CNIDAQAbstraction_Sequence* CKaLumencorV2Device::GetSequence() const {
    if (!m_pNIDAQEngine) return nullptr;
    return static_cast<CNIDAQAbstraction_Sequence*>(
        m_pNIDAQEngine->GetAbstraction(m_sCardKey.GetString(), NIDAQ_ABSTRACTION_SEQUENCE));
}

bool CKaLumencorV2Device::GetTTLControlAsAnalog() const {
    return m_pAbstraction && m_pAbstraction->GetTTLControlAsAnalog();
}

// A missing card degrades to a simulated one, silently.
void CKaLumencorV2Device::StartDAQ() {
    m_bNIDAQReady = true;
    if (!m_pNIDAQEngine) {
        m_pNIDAQEngine = NIDAQEngine_Init();
        bool opened = false;
        if (!m_bSimulator && NIDAQmx_Init())
            opened = m_pNIDAQEngine->Open();
        else
            NIDAQmx_InitSimulator();
        if (!opened) m_pNIDAQEngine->OpenSimulator();
    }
    if (!m_pAbstraction) {
        m_pAbstraction = new CNIDAQAbstraction_AOTF(m_pNIDAQEngine, kAbstractionKey, nullptr);
        m_pAbstraction->SetLineCount(m_multiLaser.GetLineCountValue(), false);
        m_pAbstraction->SetShutterState(true);
        m_pAbstraction->SetAOTFControl(kAOTFControlByStates);
    }
    if (m_pNIDAQEngine) m_pNIDAQEngine->CreateCardsAbstractions();
}

void CKaLumencorV2Device::DetachLineResources(bool analogPort0Too) {
    if (!m_pAbstraction) return;
    for (int i = 0; i < m_pAbstraction->GetLineCount(); ++i) {
        CNIDAQAbstraction_AOTFLine* line = m_pAbstraction->GetLine(i);
        if (analogPort0Too) line->SetResource_AOPort0(nullptr);
        line->SetResource_AOPort1(nullptr);
        line->SetResource_DIOLine(nullptr);
    }
}

// The triggering keys, in the order they are read; the mode and stand-by
// keys before them are read by the caller.
void CKaLumencorV2Device::ApplyTriggeringSettings(const wchar_t* settings) {
    if (m_eLumencorControl != KA_CONTROL_NIDAQ) {
        DetachLineResources(false);
        return;
    }
    StartDAQ();
    int value = 0;
    CKaStringW text;
    if (GetStringFromKey(settings, L"m_sCardKey", text)) m_sCardKey = text;
    if (GetIntFromKey(settings, L"m_eConnectorBlock", value)) m_eConnectorBlock = value;
    if (GetIntFromKey(settings, L"TTLControlAsAnalog", value))
        m_pAbstraction->SetTTLControlAsAnalog(value == 1);
    DetachLineResources(false);
    const bool analog = m_pAbstraction->GetTTLControlAsAnalog();
    for (int i = 0; i < m_pAbstraction->GetLineCount(); ++i) {
        CNIDAQAbstraction_AOTFLine* line = m_pAbstraction->GetLine(i);
        if (!GetStringFromKey(settings, LineKey(analog ? L"ResourceAO%d" : L"ResourceDIO%d", i),
                              text))
            continue;
        CNIDAQResource* resource = m_pNIDAQEngine->GetResource(text.GetString());
        // A key naming a resource of another kind assigns nothing either.
        if (analog) {
            auto* port = dynamic_cast<CNIDAQResource_AOPort*>(resource);
            if (port) line->SetResource_AOPort1(port);
        } else {
            auto* dio = dynamic_cast<CNIDAQResource_DIOLine*>(resource);
            if (dio) line->SetResource_DIOLine(dio);
        }
    }
    if (GetIntFromKey(settings, L"m_bEnableTriggering", value)) m_bEnableTriggering = value == 1;

    if (CNIDAQAbstraction_Multiexcitation* multi = GetMultiexcitation()) {
        int stamp = 0;
        const bool stamped = GetIntFromKey(settings, L"PFI_TimeStamp", stamp) != 0;
        const uint32_t seconds = static_cast<uint32_t>(stamp);
        if (!stamped || seconds > multi->GetPFITimeStampLastConfiguration()) {
            if (stamped) multi->SetPFITimeStampLastConfiguration(seconds);
            for (int select = 0; select < kPFISelects; ++select) {
                if (!GetStringFromKey(settings, LineKey(L"PFI_Terminal%d", select), text)) continue;
                auto* terminal = dynamic_cast<CNIDAQResource_PFITerminal*>(
                    m_pNIDAQEngine->GetResource(text.GetString()));
                if (terminal) multi->SetResource_PFITerminal(terminal, select);
            }
        }
    }
    CKaSimpleDMHelper::Qm_CAM_RefreshPFIsForTriggeringFromCameras();
    m_pAbstraction->Close();
    m_pAbstraction->Open();
}

void CKaLumencorV2Device::WriteTriggeringSettings(CKaStringW& settings) {
    if (m_eLumencorControl != KA_CONTROL_NIDAQ || !m_pAbstraction) return;
    SetStringToKey(settings, L"m_sCardKey", m_sCardKey.GetString());
    SetIntToKey(settings, L"m_eConnectorBlock", m_eConnectorBlock);
    SetIntToKey(settings, L"TTLControlAsAnalog", m_pAbstraction->GetTTLControlAsAnalog() ? 1 : 0);
    for (int i = 0; i < m_pAbstraction->GetLineCount(); ++i) {
        CNIDAQAbstraction_AOTFLine* line = m_pAbstraction->GetLine(i);
        CNIDAQResource_AOPort* port = line->GetResource_AOPort1();
        CNIDAQResource_DIOLine* dio = line->GetResource_DIOLine();
        SetStringToKey(settings, LineKey(L"ResourceAO%d", i), port ? port->GetNIKey() : L"");
        SetStringToKey(settings, LineKey(L"ResourceDIO%d", i), dio ? dio->GetNIKey() : L"");
    }
    SetIntToKey(settings, L"m_bEnableTriggering", m_bEnableTriggering ? 1 : 0);
    CNIDAQAbstraction_Multiexcitation* multi = GetMultiexcitation();
    if (!multi) return;
    // Seconds since 1970, kept as the 32-bit value the card keeps.
    SetIntToKey(settings, L"PFI_TimeStamp",
                static_cast<int>(static_cast<uint32_t>(std::time(nullptr))));
    for (int select = 0; select < kPFISelects; ++select) {
        CNIDAQResource_PFITerminal* terminal = multi->GetResource_PFITerminal(select);
        SetStringToKey(settings, LineKey(L"PFI_Terminal%d", select),
                       terminal ? terminal->GetNIKey() : L"");
        CKaSimpleDMHelper::Qm_CAM_SetPFIsForTriggeringToCamera(
            m_pNIDAQEngine->GetPFIsForCameraString(select).c_str(), select);
    }
}

// Only what this device started is released.
void CKaLumencorV2Device::TearDownDAQ() {
    if (!m_bNIDAQReady) return;
    if (m_pAbstraction) {
        DetachLineResources(true);
        delete m_pAbstraction;
    }
    NIDAQEngine_Done();
    NIDAQmx_Done();
    m_pAbstraction = nullptr;
    m_pNIDAQEngine = nullptr;
    m_bNIDAQReady = false;
}

void CKaLumencorV2Device::SetMayMovePiezoZ(bool may) {
    if (!m_pNIDAQEngine || m_eLumencorControl != KA_CONTROL_NIDAQ) return;
    const int count = m_pNIDAQEngine->GetAbstractionCount(NIDAQ_ABSTRACTION_MULTIEXCITATION);
    for (int i = 0; i < count; ++i) {
        auto* multi = static_cast<CNIDAQAbstraction_Multiexcitation*>(
            m_pNIDAQEngine->GetAbstraction(i, NIDAQ_ABSTRACTION_MULTIEXCITATION));
        if (multi) multi->SetFlagMayMovePiezoZ(may);
    }
}
