// The abstractions the engine makes per card (multi-excitation, sequence)
// and the piezo drive: they keep what they are told and record it.
#include "NIDAQ.h"
#include "sim_state.h"

using namespace niapi;

namespace {
const uint32_t kEndOfStep = 0xFFFFFFFF;
const double kGranularityStep = 1e-6; // the card's timing resolution, seconds
} // namespace

CNIDAQAbstraction_Multiexcitation::CNIDAQAbstraction_Multiexcitation(CNIDAQEngine* engine,
                                                                     const wchar_t* card)
    : CNIDAQAbstraction(engine, (std::wstring(card) + L"/Multiexcitation").c_str(),
                        NIDAQ_ABSTRACTION_MULTIEXCITATION, card) {}

void CNIDAQAbstraction_Multiexcitation::SetResource_PFITerminal(
    CNIDAQResource_PFITerminal* resource, int select) {
    Record(L"Multiexcitation::SetResource_PFITerminal(" + m_card + L", " +
           Text(resource ? resource->GetNIKey() : nullptr) + L", " + Text(select) + L")");
    if (select == 0 || select == 1) m_terminals[select] = resource;
}

CNIDAQResource_PFITerminal*
CNIDAQAbstraction_Multiexcitation::GetResource_PFITerminal(int select) const {
    return select == 0 || select == 1 ? m_terminals[select] : nullptr;
}

uint32_t CNIDAQAbstraction_Multiexcitation::GetPFITimeStampLastConfiguration() const {
    return m_timeStamp;
}

void CNIDAQAbstraction_Multiexcitation::SetPFITimeStampLastConfiguration(uint32_t seconds) {
    Record(L"Multiexcitation::SetPFITimeStampLastConfiguration(" + m_card + L", " +
           std::to_wstring(seconds) + L")");
    m_timeStamp = seconds;
}

void CNIDAQAbstraction_Multiexcitation::SetFlagMayMovePiezoZ(bool may) {
    Record(L"Multiexcitation::SetFlagMayMovePiezoZ(" + m_card + L", " + Text(may) + L")");
    m_mayMovePiezoZ = may;
}

bool CNIDAQAbstraction_Multiexcitation::GetFlagMayMovePiezoZ() const {
    return m_mayMovePiezoZ;
}

void CNIDAQAbstraction_Multiexcitation::SetOperationMode(int mode, int flag, bool analog) {
    Record(L"Multiexcitation::SetOperationMode(" + m_card + L", " + Text(mode) + L", " +
           Text(flag) + L", " + Text(analog) + L")");
}

void CNIDAQAbstraction_Multiexcitation::SetOperationModePrepare(CNIDAQAbstraction_AOTF* lines,
                                                                int flag) {
    Record(L"Multiexcitation::SetOperationModePrepare(" + m_card + L", " +
           Text(lines ? lines->GetKey() : nullptr) + L", " + Text(flag) + L")");
}

void CNIDAQAbstraction_Multiexcitation::SetTriggerSourcePFISelect(int select) {
    Record(L"Multiexcitation::SetTriggerSourcePFISelect(" + m_card + L", " + Text(select) + L")");
}

void CNIDAQAbstraction_Multiexcitation::SetLineAlternationSequence(CNIDAQAbstraction_AOTF* lines,
                                                                   const uint32_t* const* steps,
                                                                   void*) {
    std::wstring text;
    for (int s = 0; steps && steps[s]; ++s) {
        text += s ? L" |" : L"";
        for (int i = 0; steps[s][i] != kEndOfStep; ++i)
            text += L" " + std::to_wstring(steps[s][i]);
    }
    Record(L"Multiexcitation::SetLineAlternationSequence(" + m_card + L", " +
           Text(lines ? lines->GetKey() : nullptr) + L"," + text + L")");
}

void CNIDAQAbstraction_Multiexcitation::SetLineAlternationTiming(double a, double b, double c,
                                                                 bool flag, const double*,
                                                                 int count, int select) {
    Record(L"Multiexcitation::SetLineAlternationTiming(" + m_card + L", " + Text(a) + L", " +
           Text(b) + L", " + Text(c) + L", " + Text(flag) + L", " + Text(count) + L", " +
           Text(select) + L")");
}

void CNIDAQAbstraction_Multiexcitation::SetTriggeringStatus(int status) {
    Record(L"Multiexcitation::SetTriggeringStatus(" + m_card + L", " + Text(status) + L")");
}

bool CNIDAQAbstraction_Multiexcitation::GetCardOccupied() const {
    return m_occupied;
}

void CNIDAQAbstraction_Multiexcitation::SetCardOccupied(bool occupied) {
    m_occupied = occupied;
}

CNIDAQAbstraction_Sequence::CNIDAQAbstraction_Sequence(CNIDAQEngine* engine, const wchar_t* card)
    : CNIDAQAbstraction(engine, (std::wstring(card) + L"/Sequence").c_str(),
                        NIDAQ_ABSTRACTION_SEQUENCE, card) {}

void CNIDAQAbstraction_Sequence::PrepareIlluminationSequence(int deviceId) {
    Record(L"Sequence::PrepareIlluminationSequence(" + m_card + L", " + Text(deviceId) + L")");
}

void CNIDAQAbstraction_Sequence::SetIlluminationSequence(
    const SKaNidaqIlluminationSequence_Entry* entries, int count, double period, int repeats,
    int flags) {
    std::wstring text;
    for (int i = 0; entries && i < count; ++i) {
        const SKaNidaqIlluminationSequence_Entry& e = entries[i];
        text += L" [" + Text(e.deviceId) + L" line " + Text(e.line) + L" " + Text(e.aoKey) + L" " +
                Text(e.dioKey);
        for (int k = 0; k < e.itemCount; ++k)
            text += L" " + Text(e.items[k].level);
        text += L"]";
    }
    Record(L"Sequence::SetIlluminationSequence(" + m_card + L"," + text + L", " + Text(period) +
           L", " + Text(repeats) + L", " + Text(flags) + L")");
}

void CNIDAQAbstraction_Sequence::SetOperationMode(int mode) {
    Record(L"Sequence::SetOperationMode(" + m_card + L", " + Text(mode) + L")");
}

void CNIDAQAbstraction_Sequence::SetAndStartFollowExposureMode(CNIDAQAbstraction_AOTF* lines,
                                                               int flag, int select, double a,
                                                               double c, int deviceId) {
    Record(L"Sequence::SetAndStartFollowExposureMode(" + m_card + L", " +
           Text(lines ? lines->GetKey() : nullptr) + L", " + Text(flag) + L", " + Text(select) +
           L", " + Text(a) + L", " + Text(c) + L", " + Text(deviceId) + L")");
}

void CNIDAQAbstraction_Sequence::StopFollowExposureMode() {
    Record(L"Sequence::StopFollowExposureMode(" + m_card + L")");
}

void CNIDAQAbstraction_Sequence::FollowExposureModeTimingChanged(double a, double b, bool flag) {
    Record(L"Sequence::FollowExposureModeTimingChanged(" + m_card + L", " + Text(a) + L", " +
           Text(b) + L", " + Text(flag) + L")");
}

int CNIDAQAbstraction_Sequence::GetTriggerSourceCurrentlyUsed() const {
    return m_triggerSource;
}

void CNIDAQAbstraction_Sequence::SetTriggerSourceCurrentlyUsed(int select) {
    m_triggerSource = select;
}

double CNIDAQAbstraction_Sequence::GetExpectedGranularity(double requested) const {
    // The nearest whole number of timing steps, at least one.
    const double steps = requested > kGranularityStep ? requested / kGranularityStep : 1.0;
    return static_cast<double>(static_cast<long long>(steps + 0.5)) * kGranularityStep;
}

void CNIDAQAbstraction_Sequence::SetVeyraExperiment(const SVeyraAbstraction_Definition& d) {
    std::wstring text;
    for (int s = 0; d.steps && s < d.stepCount; ++s) {
        text += L" [";
        for (int i = 0; i < d.steps[s].itemCount; ++i)
            text += (i ? L" " : L"") + Text(d.steps[s].items[i].line) + L":" +
                    Text(d.steps[s].items[i].value);
        text += L" z " + Text(d.steps[s].z) + L"]";
    }
    auto keys = [&d](const wchar_t* const* list) {
        std::wstring all;
        for (int i = 0; list && i < d.lineCount; ++i)
            all += L" " + Text(list[i]);
        return list ? all : std::wstring(L" -");
    };
    Record(L"Sequence::SetVeyraExperiment(" + m_card + L"," + text + L", " + Text(d.exposure) +
           L", " + Text(d.delay) + L", " + Text(d.period) + L", piezo " + Text(d.piezoAOKey) +
           L", ao0" + keys(d.ao0Keys) + L", ao1" + keys(d.ao1Keys) + L", ttl" + keys(d.ttlKeys) +
           L")");
}

CNIDAQAbstraction_PiezoZ::CNIDAQAbstraction_PiezoZ(CNIDAQEngine* engine, const wchar_t* key,
                                                   CNIDAQResource_AOPort* ao, double lowVoltage,
                                                   double highVoltage, double lowPosition,
                                                   double highPosition)
    : CNIDAQAbstraction(engine, key, NIDAQ_ABSTRACTION_PIEZO_Z, nullptr), m_ao(ao),
      m_lowVoltage(lowVoltage), m_highVoltage(highVoltage), m_lowPosition(lowPosition),
      m_highPosition(highPosition) {}

CNIDAQResource_AOPort* CNIDAQAbstraction_PiezoZ::GetResource_AOPort() const {
    return m_ao;
}
double CNIDAQAbstraction_PiezoZ::GetLowVoltage() const {
    return m_lowVoltage;
}
double CNIDAQAbstraction_PiezoZ::GetHighVoltage() const {
    return m_highVoltage;
}
double CNIDAQAbstraction_PiezoZ::GetLowPosition() const {
    return m_lowPosition;
}
double CNIDAQAbstraction_PiezoZ::GetHighPosition() const {
    return m_highPosition;
}
