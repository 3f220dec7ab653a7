// Hardware-timed experiments of the multi-line light source through the
// card's abstractions: line alternation, operation modes, illumination
// sequences and their limits, Veyra experiments. Without an engine or the
// card's abstraction an operation does nothing and succeeds.
#include "LumencorV2Device.h"
#include "LumencorV2Log.h"
#include "LumencorV2MultiLaser.h"
#include "NIDAQ.h"

#include "KaDMApi.h"
#include "KaHostCodes.h"
#include "LumencorV2Pad.h"

#include <string>
#include <vector>

namespace {

const uint32_t kEndOfStep = 0xFFFFFFFF;
const double kMsPerSecond = 1000.0;
// Operation modes (`EKaMultiLaserOperationMode`) with their own handling.
const int kModeIdle = 0;
const int kModePrepare = 3;
const int kModeIlluminationSequence = 6;
const int kModeFollowExposure = 10;
bool IsMultiexcitationMode(int mode) {
    return mode == 1 || mode == 4 || mode == 12;
}
bool IsSequenceMode(int mode) {
    return mode == 5 || mode == 13;
}
// The level every illumination-sequence step plays: full TTL.
const double kStepLevel = 5.0;
// Timing of an illumination sequence the card can give.
const double kAnalogSmallestStep = 5e-6, kDigitalSmallestStep = 1e-8, kLimitsConstant = 1e-5;
// What a piezo drive answers about itself.
const int kPiezoCommandFlag = KA_CMD_GET_SEQUENCE_STATE;
const int kPiezoCommandAbstraction = KA_CMD_GET_TRIGGERING;

bool IsSelect(int select, int count) {
    return select >= 0 && select < count;
}

} // namespace

bool CKaLumencorV2MultiLaser::CanPlayWaveforms() {
    CNIDAQAbstraction_AOTF* abstraction = m_pDevice->GetTriggeringAbstraction();
    if (m_pDevice->GetControlMode() != KA_CONTROL_NIDAQ || !abstraction) return false;
    if (abstraction->GetTTLControlAsAnalog() || abstraction->GetLineCount() == 0) return true;
    for (int i = 0; i < abstraction->GetLineCount(); ++i) {
        CNIDAQResource_DIOLine* dio = abstraction->GetLineResource_DIOLine(i);
        if (!dio || !dio->GetBoolWaveformEnable()) return false;
    }
    return true;
}

EDeviceManagerReturnCode
CKaLumencorV2MultiLaser::SetLineAlternationSequence(const uint32_t* const* lines,
                                                    const double* const* powers, int select) {
    CNIDAQAbstraction_Multiexcitation* multi = m_pDevice->GetMultiexcitation();
    if (!multi) return KA_DM_OK;
    if (!lines) return KA_DM_NOT_AVAILABLE;
    // A step naming a line the source does not have is refused as a whole.
    for (int s = 0; lines[s]; ++s)
        for (int i = 0; lines[s][i] != kEndOfStep; ++i)
            if (lines[s][i] >= static_cast<uint32_t>(m_iNumLines)) return KA_DM_OUT_OF_RANGE;
    {
        CKaScopedLock dataLock(m_pDevice->DataLock());
        for (SKaLumencorV2Line& line : m_lines)
            line.m_bInSequence = false;
        for (int s = 0; lines[s]; ++s)
            for (int i = 0; lines[s][i] != kEndOfStep; ++i)
                Line(static_cast<int>(lines[s][i])).m_bInSequence = true;
    }
    for (int s = 0; powers && lines[s]; ++s)
        for (int i = 0; powers[s] && lines[s][i] != kEndOfStep; ++i)
            SetLinePower(static_cast<int>(lines[s][i]), powers[s][i]);
    multi->SetTriggerSourcePFISelect(select);
    multi->SetLineAlternationSequence(m_pDevice->GetTriggeringAbstraction(), lines, nullptr);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetLineAlternationTiming(double a, double b,
                                                                           double c, bool flag,
                                                                           const double* values,
                                                                           int count, int select) {
    if (!IsSelect(select, kPFISelectCount)) return KA_DM_OUT_OF_RANGE;
    if (a == m_alternationFirst[select] && c == m_alternationThird[select]) return KA_DM_OK;
    m_alternationFirst[select] = a;
    m_alternationThird[select] = c;
    if (m_eOperationMode != kModeFollowExposure) {
        if (CNIDAQAbstraction_Multiexcitation* multi = m_pDevice->GetMultiexcitation())
            multi->SetLineAlternationTiming(a, b, c, flag, values, count, select);
        return KA_DM_OK;
    }
    CNIDAQAbstraction_Sequence* sequence = m_pDevice->GetSequence();
    if (sequence && sequence->GetTriggerSourceCurrentlyUsed() == select)
        sequence->FollowExposureModeTimingChanged(a / kMsPerSecond, c / kMsPerSecond, false);
    return KA_DM_OK;
}

void CKaLumencorV2MultiLaser::SavePowers() {
    m_savedPowers.clear();
    for (int i = 0; i < m_iNumLines && i < KA_LUMENCOR_MAX_LINES; ++i) {
        double power = 0.0;
        GetLinePower(i, &power);
        m_savedPowers.emplace_back(i, power);
    }
}

void CKaLumencorV2MultiLaser::ApplySequencePowers() {
    for (const auto& entry : m_sequencePowers)
        SetLinePower(entry.first, entry.second);
}

void CKaLumencorV2MultiLaser::RestorePowers() {
    for (const auto& entry : m_savedPowers)
        SetLinePower(entry.first, entry.second);
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetOperationMode(int mode, int select) {
    const int current = m_eOperationMode;
    CNIDAQAbstraction_Multiexcitation* multi = m_pDevice->GetMultiexcitation();
    CNIDAQAbstraction_Sequence* sequence = m_pDevice->GetSequence();
    CNIDAQAbstraction_AOTF* lines = m_pDevice->GetTriggeringAbstraction();
    if (mode == kModeFollowExposure && !IsSelect(select, kPFISelectCount))
        return KA_DM_OUT_OF_RANGE;
    if (mode == kModePrepare) {
        if (multi) multi->SetOperationModePrepare(lines, 0);
    } else if (mode == kModeIlluminationSequence) {
        if (sequence) sequence->PrepareIlluminationSequence(GetDeviceID());
    } else if (mode == kModeFollowExposure || current == kModeFollowExposure) {
        if (sequence && mode == kModeFollowExposure)
            sequence->SetAndStartFollowExposureMode(
                lines, 0, select, m_alternationFirst[select] / kMsPerSecond,
                m_alternationThird[select] / kMsPerSecond, GetDeviceID());
        else if (sequence)
            sequence->StopFollowExposureMode();
    } else {
        m_pDevice->Shutter().NotifySequence(mode != kModeIdle);
        if (IsMultiexcitationMode(mode) || (mode == kModeIdle && IsMultiexcitationMode(current)))
            if (multi) multi->SetOperationMode(mode, 1, m_pDevice->GetTTLControlAsAnalog());
        if (IsSequenceMode(mode) || (mode == kModeIdle && IsSequenceMode(current))) {
            if (IsSequenceMode(mode)) {
                SavePowers();
                ApplySequencePowers();
            } else {
                RestorePowers();
            }
            if (sequence) sequence->SetOperationMode(mode);
        }
    }
    m_eOperationMode = mode;
    m_pDevice->PostToPad(KA_PAD_OPERATION_MODE);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetTriggeringStatus(int status) {
    if (CNIDAQAbstraction_Multiexcitation* multi = m_pDevice->GetMultiexcitation())
        multi->SetTriggeringStatus(status);
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetIlluminationSequence(const void* sequence) {
    if (!sequence) return KA_DM_NOT_AVAILABLE;
    const auto& host = *static_cast<const SKaNidaqIlluminationSequence_Sequence*>(sequence);
    if (host.deviceCount < 0 || (host.deviceCount > 0 && !host.devices)) return KA_DM_NOT_AVAILABLE;
    m_sequencePowers.clear();
    for (int d = 0; d < host.deviceCount; ++d)
        if (host.devices[d].line >= 0 && host.devices[d].line < m_iNumLines)
            m_sequencePowers.emplace_back(host.devices[d].line, host.devices[d].power);
    CNIDAQAbstraction_Sequence* card = m_pDevice->GetSequence();
    CNIDAQAbstraction_AOTF* lines = m_pDevice->GetTriggeringAbstraction();
    if (!card) return KA_DM_OK;

    // Copies that live until the card has taken them.
    std::vector<std::vector<SKaNidaqIlluminationSequence_Item>> items;
    std::vector<std::wstring> aoKeys, dioKeys;
    std::vector<SKaNidaqIlluminationSequence_Entry> entries;
    items.reserve(static_cast<size_t>(host.deviceCount));
    aoKeys.reserve(static_cast<size_t>(host.deviceCount));
    dioKeys.reserve(static_cast<size_t>(host.deviceCount));
    for (int d = 0; d < host.deviceCount; ++d) {
        const SKaNidaqIlluminationSequence_Device& device = host.devices[d];
        if (device.line < 0 || device.line >= m_iNumLines) continue;
        CNIDAQAbstraction_AOTFLine* output = lines ? lines->GetLine(device.line) : nullptr;
        aoKeys.emplace_back(output ? output->GetNIKeyAO1() : L"");
        dioKeys.emplace_back(output ? output->GetNIKeyTTL() : L"");
        items.emplace_back();
        for (int k = 0; device.items && k < device.itemCount; ++k) {
            SKaNidaqIlluminationSequence_Item item = device.items[k];
            item.level = kStepLevel;
            items.back().push_back(item);
        }
        entries.push_back({GetDeviceID(), lines, aoKeys.back().c_str(), dioKeys.back().c_str(),
                           device.line, static_cast<int32_t>(items.back().size()),
                           items.back().data()});
    }
    card->SetIlluminationSequence(entries.data(), static_cast<int>(entries.size()), host.period,
                                  host.repeats, host.flags);
    return KA_DM_OK;
}

EDeviceManagerReturnCode
CKaLumencorV2MultiLaser::GetIlluminationSequenceTriggeringLimits(void* limits) {
    if (!limits) return KA_DM_NOT_AVAILABLE;
    CNIDAQAbstraction_Sequence* card = m_pDevice->GetSequence();
    if (!card) return KA_DM_OK;
    auto& out = *static_cast<SKaNidaqIlluminationSequence_TriggeringLimits*>(limits);
    const double requested = out.requestedGranularity;
    out = SKaNidaqIlluminationSequence_TriggeringLimits();
    out.requestedGranularity = requested;
    out.granularity = card->GetExpectedGranularity(requested);
    out.smallestStep =
        m_pDevice->GetTTLControlAsAnalog() ? kAnalogSmallestStep : kDigitalSmallestStep;
    out.constant = kLimitsConstant;
    out.supported = true;
    return KA_DM_OK;
}

EDeviceManagerReturnCode CKaLumencorV2MultiLaser::SetVeyra_Experiment(const void* definition) {
    KA_DIAG(true, L"CKaLumencorV2MultiLaser::SetVeyra_Experiment() - begin");
    if (!definition) return KA_DM_NOT_AVAILABLE;
    const auto& host = *static_cast<const SKaVeyraExperiment*>(definition);
    if (host.stepCount < 0 || (host.stepCount > 0 && !host.steps)) return KA_DM_NOT_AVAILABLE;
    for (int s = 0; s < host.stepCount; ++s) {
        const SKaVeyraStep& step = host.steps[s];
        if (step.itemCount < 0 || (step.itemCount > 0 && !step.items)) return KA_DM_NOT_AVAILABLE;
        for (int i = 0; i < step.itemCount; ++i)
            if (step.items[i].line < 0 || step.items[i].line >= KA_LUMENCOR_MAX_LINES)
                return KA_DM_OUT_OF_RANGE;
    }
    CNIDAQAbstraction_Sequence* card = m_pDevice->GetSequence();
    CNIDAQAbstraction_AOTF* lines = m_pDevice->GetTriggeringAbstraction();

    // The piezo drive, when the experiment moves one.
    CNIDAQAbstraction_PiezoZ* piezo = nullptr;
    std::wstring piezoKey;
    if (host.piezoDeviceId != 0) {
        int32_t flag = 0;
        void* abstraction = nullptr;
        DMApi::LogDev_CustomCommand(host.piezoDeviceId, kPiezoCommandFlag, 0, &flag);
        DMApi::LogDev_CustomCommand(host.piezoDeviceId, kPiezoCommandAbstraction, 0, &abstraction);
        piezo = static_cast<CNIDAQAbstraction_PiezoZ*>(abstraction);
        if (piezo && piezo->GetResource_AOPort())
            piezoKey = piezo->GetResource_AOPort()->GetNIKey();
    }

    // Lines numbered compactly in the order they first appear; every value 1.0.
    int slots[KA_LUMENCOR_MAX_LINES];
    for (int& slot : slots)
        slot = -1;
    int largest = -1;
    std::vector<int> usedLines; // by new number
    std::vector<std::vector<SKaVeyraItem>> items(static_cast<size_t>(host.stepCount));
    std::vector<SKaVeyraStep> steps(static_cast<size_t>(host.stepCount));
    for (int s = 0; s < host.stepCount; ++s) {
        const SKaVeyraStep& step = host.steps[s];
        for (int i = 0; i < step.itemCount; ++i) {
            const int line = step.items[i].line;
            if (slots[line] < 0) {
                slots[line] = ++largest;
                usedLines.push_back(line);
            }
            items[static_cast<size_t>(s)].push_back({slots[line], 1.0});
        }
        double z = step.z;
        const double span = piezo ? piezo->GetHighPosition() - piezo->GetLowPosition() : 0.0;
        if (piezo && span != 0.0)
            z = (z - piezo->GetLowPosition()) / span *
                    (piezo->GetHighVoltage() - piezo->GetLowVoltage()) +
                piezo->GetLowVoltage();
        steps[static_cast<size_t>(s)] = {static_cast<int32_t>(items[static_cast<size_t>(s)].size()),
                                         items[static_cast<size_t>(s)].data(), z};
    }

    // Per output kind the keys of the used lines, when line 0 has one.
    std::vector<std::wstring> keyText[3];
    std::vector<const wchar_t*> keys[3];
    CNIDAQAbstraction_AOTFLine* first = lines ? lines->GetLine(0) : nullptr;
    for (int kind = 0; kind < 3 && first; ++kind) {
        auto keyOf = [kind](CNIDAQAbstraction_AOTFLine* output) {
            if (!output) return L"";
            return kind == 0   ? output->GetNIKeyAO0()
                   : kind == 1 ? output->GetNIKeyAO1()
                               : output->GetNIKeyTTL();
        };
        if (!*keyOf(first)) continue;
        for (int line : usedLines)
            keyText[kind].emplace_back(keyOf(lines->GetLine(line)));
        for (const std::wstring& key : keyText[kind])
            keys[kind].push_back(key.c_str());
    }

    if (card) {
        SVeyraAbstraction_Definition out = {};
        out.stepCount = host.stepCount;
        out.steps = steps.data();
        out.exposure = host.exposureMs / kMsPerSecond;
        out.delay = host.delayMs / kMsPerSecond;
        out.period = host.periodMs / kMsPerSecond;
        out.piezoAOKey = piezoKey.c_str();
        out.lineCount = static_cast<int32_t>(usedLines.size());
        out.ao0Keys = keys[0].empty() ? nullptr : keys[0].data();
        out.ao1Keys = keys[1].empty() ? nullptr : keys[1].data();
        out.ttlKeys = keys[2].empty() ? nullptr : keys[2].data();
        card->SetVeyraExperiment(out);
    }
    KA_DIAG(true, L"CKaLumencorV2MultiLaser::SetVeyra_Experiment() - end");
    return KA_DM_OK;
}
