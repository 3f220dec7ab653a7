// A light source's lines: what the light-source driver switches.
#include "NIDAQ.h"
#include "sim_state.h"

using namespace niapi;

CNIDAQAbstraction::CNIDAQAbstraction(CNIDAQEngine* engine, const wchar_t* key, int type,
                                     const wchar_t* card)
    : CObjPtrStrKeyCollectionItem(key), m_engine(engine), m_type(type), m_card(card ? card : L"") {}
CNIDAQAbstraction::~CNIDAQAbstraction() = default;
bool CNIDAQAbstraction::Serialize(void*) {
    return true;
}
bool CNIDAQAbstraction::Deserialize(void*) {
    return true;
}
bool CNIDAQAbstraction::GetConfigured() {
    return true;
}
bool CNIDAQAbstraction::GetOpened() {
    return m_opened;
}
int CNIDAQAbstraction::GetType() const {
    return m_type;
}
const wchar_t* CNIDAQAbstraction::GetCardKey() const {
    return m_card.c_str();
}

namespace {
const wchar_t* KeyOf(const CNIDAQResource* resource) {
    return resource ? resource->GetNIKey() : L"";
}
} // namespace

CNIDAQAbstraction_AOTFLine::CNIDAQAbstraction_AOTFLine(const std::wstring* owner, int index)
    : m_owner(owner), m_index(index) {}

void CNIDAQAbstraction_AOTFLine::SetResource_DIOLine(CNIDAQResource_DIOLine* resource) {
    Record(L"AOTFLine::SetResource_DIOLine(" + *m_owner + L" " + Text(m_index) + L", " +
           Text(KeyOf(resource)) + L")");
    m_dio = resource;
}
void CNIDAQAbstraction_AOTFLine::SetResource_AOPort0(CNIDAQResource_AOPort* resource) {
    Record(L"AOTFLine::SetResource_AOPort0(" + *m_owner + L" " + Text(m_index) + L", " +
           Text(KeyOf(resource)) + L")");
    m_ao0 = resource;
}
void CNIDAQAbstraction_AOTFLine::SetResource_AOPort1(CNIDAQResource_AOPort* resource) {
    Record(L"AOTFLine::SetResource_AOPort1(" + *m_owner + L" " + Text(m_index) + L", " +
           Text(KeyOf(resource)) + L")");
    m_ao1 = resource;
}
CNIDAQResource_DIOLine* CNIDAQAbstraction_AOTFLine::GetResource_DIOLine() const {
    return m_dio;
}
CNIDAQResource_AOPort* CNIDAQAbstraction_AOTFLine::GetResource_AOPort1() const {
    return m_ao1;
}
const wchar_t* CNIDAQAbstraction_AOTFLine::GetNIKeyAO0() const {
    return KeyOf(m_ao0);
}
const wchar_t* CNIDAQAbstraction_AOTFLine::GetNIKeyAO1() const {
    return KeyOf(m_ao1);
}
const wchar_t* CNIDAQAbstraction_AOTFLine::GetNIKeyTTL() const {
    return KeyOf(m_dio);
}

void CNIDAQAbstraction_AOTFLine::SetState(bool on) {
    Record(L"AOTFLine::SetState(" + *m_owner + L" " + Text(m_index) + L", " + Text(on) + L")");
    m_state = on;
}
bool CNIDAQAbstraction_AOTFLine::GetState() const {
    return m_state;
}

CNIDAQAbstraction_AOTF::CNIDAQAbstraction_AOTF(CNIDAQEngine* engine, const wchar_t* key, void*)
    : CNIDAQAbstraction(engine, key, NIDAQ_ABSTRACTION_AOTF, nullptr) {
    Record(L"AOTF::AOTF(" + Text(key) + L")");
}

CNIDAQAbstraction_AOTF::~CNIDAQAbstraction_AOTF() {
    Record(L"AOTF::~AOTF(" + m_key + L")");
    for (CNIDAQAbstraction_AOTFLine* line : m_lines)
        delete line;
}

bool CNIDAQAbstraction_AOTF::Open() {
    Record(L"AOTF::Open(" + m_key + L")");
    m_opened = true;
    return true;
}

void CNIDAQAbstraction_AOTF::Close() {
    Record(L"AOTF::Close(" + m_key + L")");
    m_opened = false;
}

void CNIDAQAbstraction_AOTF::FillNIDAQKey(std::wstring& key) {
    key = m_key;
}

void CNIDAQAbstraction_AOTF::SetLineCount(int count, bool keepResources) {
    Record(L"AOTF::SetLineCount(" + Text(count) + L", " + Text(keepResources) + L")");
    if (count < 0) count = 0;
    while (static_cast<int>(m_lines.size()) > count) {
        delete m_lines.back();
        m_lines.pop_back();
    }
    while (static_cast<int>(m_lines.size()) < count)
        m_lines.push_back(new CNIDAQAbstraction_AOTFLine(&m_key, static_cast<int>(m_lines.size())));
}

int CNIDAQAbstraction_AOTF::GetLineCount() const {
    return static_cast<int>(m_lines.size());
}

CNIDAQAbstraction_AOTFLine* CNIDAQAbstraction_AOTF::GetLine(int index) {
    return index >= 0 && index < GetLineCount() ? m_lines[static_cast<size_t>(index)] : nullptr;
}

CNIDAQResource_DIOLine* CNIDAQAbstraction_AOTF::GetLineResource_DIOLine(int index) {
    CNIDAQAbstraction_AOTFLine* line = GetLine(index);
    return line ? line->GetResource_DIOLine() : nullptr;
}

void CNIDAQAbstraction_AOTF::SetShutterState(bool open) {
    Record(L"AOTF::SetShutterState(" + Text(open) + L")");
}

void CNIDAQAbstraction_AOTF::SetAOTFControl(int control) {
    Record(L"AOTF::SetAOTFControl(" + Text(control) + L")");
}

void CNIDAQAbstraction_AOTF::SetTTLControlAsAnalog(bool analog) {
    Record(L"AOTF::SetTTLControlAsAnalog(" + Text(analog) + L")");
    m_analog = analog;
}

bool CNIDAQAbstraction_AOTF::GetTTLControlAsAnalog() const {
    return m_analog;
}
