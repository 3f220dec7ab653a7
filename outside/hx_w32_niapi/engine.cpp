// The engine: the simulated cards with their resources and abstractions.
#include "NIDAQ.h"
#include "sim_state.h"

#include <cwchar>

using namespace niapi;

CNIDAQEngine::CNIDAQEngine() = default;

CNIDAQEngine::~CNIDAQEngine() {
    Clear();
}

void CNIDAQEngine::Clear() {
    for (CNIDAQAbstraction* abstraction : m_abstractions)
        delete abstraction;
    for (CNIDAQResource* resource : m_resources)
        delete resource;
    m_abstractions.clear();
    m_resources.clear();
    m_cards.clear();
    m_open = false;
}

namespace {

// The 65xx cards ("PCI-6509", "USB-6501") are digital I/O only.
bool DigitalOnly(const std::wstring& productType) {
    const size_t dash = productType.find(L'-');
    return dash != std::wstring::npos && productType.compare(dash + 1, 2, L"65") == 0;
}

} // namespace

// Every card carries 32 digital lines on port0, four analog outputs (none
// on a digital-only card) and 16 PFI terminals; only the first 16 digital
// lines can play waveforms.
void CNIDAQEngine::OpenCards(bool) {
    Clear();
    for (const SCard& card : Cards()) {
        m_cards.push_back(card.name);
        for (int line = 0; line < kDigitalLines; ++line)
            m_resources.push_back(new CNIDAQResource_DIOLine(
                (card.name + L"/port0/line" + std::to_wstring(line)).c_str(),
                line < kWaveformLines));
        for (int ao = 0; ao < (DigitalOnly(card.productType) ? 0 : kAnalogOutputs); ++ao)
            m_resources.push_back(
                new CNIDAQResource_AOPort((card.name + L"/ao" + std::to_wstring(ao)).c_str()));
        for (int pfi = 0; pfi < kPfiTerminals; ++pfi)
            m_resources.push_back(new CNIDAQResource_PFITerminal(
                (card.name + L"/PFI" + std::to_wstring(pfi)).c_str()));
    }
    m_open = true;
}

bool CNIDAQEngine::Open() {
    const bool present = DriverPresent();
    if (present) OpenCards(false);
    const bool opened = present && !m_cards.empty();
    Record(L"CNIDAQEngine::Open() = " + Text(opened));
    return opened;
}

bool CNIDAQEngine::OpenSimulator() {
    Record(L"CNIDAQEngine::OpenSimulator()");
    OpenCards(true);
    return true;
}

bool CNIDAQEngine::IsOpen() const {
    return m_open;
}

void CNIDAQEngine::CreateCardsAbstractions() {
    Record(L"CNIDAQEngine::CreateCardsAbstractions()");
    for (const std::wstring& card : m_cards) {
        if (!GetAbstraction(card.c_str(), NIDAQ_ABSTRACTION_MULTIEXCITATION))
            m_abstractions.push_back(new CNIDAQAbstraction_Multiexcitation(this, card.c_str()));
        if (!GetAbstraction(card.c_str(), NIDAQ_ABSTRACTION_SEQUENCE))
            m_abstractions.push_back(new CNIDAQAbstraction_Sequence(this, card.c_str()));
    }
}

CNIDAQResource* CNIDAQEngine::GetResource(const wchar_t* niKey) const {
    if (!niKey) return nullptr;
    for (CNIDAQResource* resource : m_resources)
        if (std::wcscmp(resource->GetNIKey(), niKey) == 0) return resource;
    return nullptr;
}

CNIDAQAbstraction* CNIDAQEngine::GetAbstraction(const wchar_t* cardKey, int type) const {
    if (!cardKey) return nullptr;
    for (CNIDAQAbstraction* abstraction : m_abstractions)
        if (abstraction->GetType() == type && std::wcscmp(abstraction->GetCardKey(), cardKey) == 0)
            return abstraction;
    return nullptr;
}

int CNIDAQEngine::GetAbstractionCount(int type) const {
    int count = 0;
    for (CNIDAQAbstraction* abstraction : m_abstractions)
        count += abstraction->GetType() == type;
    return count;
}

CNIDAQAbstraction* CNIDAQEngine::GetAbstraction(int index, int type) const {
    for (CNIDAQAbstraction* abstraction : m_abstractions)
        if (abstraction->GetType() == type && index-- == 0) return abstraction;
    return nullptr;
}

std::wstring CNIDAQEngine::GetPFIsForCameraString(int select) const {
    std::wstring text;
    for (CNIDAQAbstraction* abstraction : m_abstractions) {
        if (abstraction->GetType() != NIDAQ_ABSTRACTION_MULTIEXCITATION) continue;
        auto* multi = static_cast<CNIDAQAbstraction_Multiexcitation*>(abstraction);
        CNIDAQResource_PFITerminal* terminal = multi->GetResource_PFITerminal(select);
        if (terminal) text += (text.empty() ? L"" : L";") + std::wstring(terminal->GetNIKey());
    }
    return text;
}

std::vector<std::wstring> CNIDAQEngine::GetDeviceList() const {
    return m_cards;
}

std::vector<CNIDAQResource*> CNIDAQEngine::GetResources(const wchar_t* cardKey, int type) const {
    std::vector<CNIDAQResource*> found;
    const std::wstring prefix = std::wstring(cardKey ? cardKey : L"") + L"/";
    for (CNIDAQResource* resource : m_resources)
        if (resource->GetType() == type &&
            std::wcsncmp(resource->GetNIKey(), prefix.c_str(), prefix.size()) == 0)
            found.push_back(resource);
    return found;
}

// The predefined breakout boxes suit the X series cards (product types
// "PCIe-63xx", "PXIe-63xx", "USB-63xx").
bool CNIDAQEngine::IsCardSupportedForPredefinedBreakoutBox(int boxType,
                                                           const wchar_t* productType) {
    if (boxType <= 0 || !productType) return false;
    const wchar_t* dash = std::wcschr(productType, L'-');
    return dash && dash[1] == L'6' && dash[2] == L'3';
}

void CNIDAQEngine::AddAbstraction(CNIDAQAbstraction* abstraction) {
    if (abstraction) m_abstractions.push_back(abstraction);
}
