#include "NIDAQSim.h"
#include "sim_state.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace niapi {

namespace {

const wchar_t kDefaultCards[] = L"Dev1=PCIe-6323";

struct SState {
    std::mutex lock;
    bool cardsSet = false;
    std::wstring cards;
    int driverPresent = -1; // -1: from the environment
    std::vector<std::wstring> calls;
    CNIDAQEngine* engine = nullptr;
    int engineUses = 0;
};

SState& State() {
    static auto* state = new SState();
    return *state;
}

const DWORD kTextChars = 512;

std::wstring Environment(const wchar_t* name, const wchar_t* fallback) {
    wchar_t value[kTextChars];
    DWORD length = GetEnvironmentVariableW(name, value, kTextChars);
    return length > 0 && length < kTextChars ? std::wstring(value) : std::wstring(fallback);
}

// The settings file: HX_NIAPI_SETTINGS, else hx_w32_niapi.ini beside this
// module; "key=value" lines ("cards=Dev1=PCIe-6323;Dev2=USB-6343",
// "nidaqmx=1").
std::wstring SettingsPath() {
    std::wstring path = Environment(L"HX_NIAPI_SETTINGS", L"");
    if (!path.empty()) return path;
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&SettingsPath), &module);
    wchar_t name[MAX_PATH];
    const DWORD length = GetModuleFileNameW(module, name, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return L"";
    path.assign(name, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"hx_w32_niapi.ini";
}

// A key's value in the settings file; false when the file or key is missing.
bool Setting(const wchar_t* key, std::wstring& value) {
    FILE* file = _wfopen(SettingsPath().c_str(), L"r");
    if (!file) return false;
    char line[kTextChars];
    const std::string wanted = std::string(key, key + wcslen(key)) + "=";
    bool found = false;
    while (!found && std::fgets(line, sizeof line, file)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        if (text.compare(0, wanted.size(), wanted) != 0) continue;
        value.assign(text.begin() + static_cast<std::ptrdiff_t>(wanted.size()), text.end());
        found = true;
    }
    std::fclose(file);
    return found;
}

} // namespace

std::vector<SCard> Cards() {
    std::wstring cardList;
    {
        std::lock_guard<std::mutex> guard(State().lock);
        if (State().cardsSet) cardList = State().cards;
    }
    if (cardList.empty() && !CardsSetByCall() && !Setting(L"cards", cardList))
        cardList = Environment(L"HX_NIAPI_CARDS", kDefaultCards);
    std::vector<SCard> cards;
    size_t start = 0;
    while (start < cardList.size()) {
        size_t end = cardList.find(L';', start);
        if (end == std::wstring::npos) end = cardList.size();
        std::wstring entry = cardList.substr(start, end - start);
        size_t equals = entry.find(L'=');
        if (!entry.empty())
            cards.push_back({entry.substr(0, equals), equals == std::wstring::npos
                                                          ? L"PCIe-6323"
                                                          : entry.substr(equals + 1)});
        start = end + 1;
    }
    return cards;
}

bool CardsSetByCall() {
    std::lock_guard<std::mutex> guard(State().lock);
    return State().cardsSet;
}

bool DriverPresent() {
    {
        std::lock_guard<std::mutex> guard(State().lock);
        if (State().driverPresent >= 0) return State().driverPresent == 1;
    }
    std::wstring value;
    if (Setting(L"nidaqmx", value)) return value == L"1";
    return Environment(L"HX_NIAPI_NIDAQMX", L"0") == L"1";
}

void Record(const std::wstring& call) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().calls.push_back(call);
}

std::wstring Text(bool value) {
    return value ? L"1" : L"0";
}
std::wstring Text(int value) {
    return std::to_wstring(value);
}
std::wstring Text(double value) {
    wchar_t text[64];
    swprintf(text, 64, L"%g", value);
    return text;
}
std::wstring Text(const wchar_t* key) {
    return key && *key ? key : L"(none)";
}

} // namespace niapi

using namespace niapi;

void NIDAQSim_SetCards(const wchar_t* cards) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().cardsSet = true;
    State().cards = cards ? cards : L"";
}

void NIDAQSim_SetDriverPresent(bool present) {
    std::lock_guard<std::mutex> guard(State().lock);
    State().driverPresent = present ? 1 : 0;
}

std::vector<std::wstring> NIDAQSim_Calls() {
    std::lock_guard<std::mutex> guard(State().lock);
    return State().calls;
}

void NIDAQSim_ClearCalls() {
    std::lock_guard<std::mutex> guard(State().lock);
    State().calls.clear();
}

void NIDAQSim_Reset() {
    CNIDAQEngine* engine = nullptr;
    {
        std::lock_guard<std::mutex> guard(State().lock);
        engine = State().engine;
        State().engine = nullptr;
        State().engineUses = 0;
        State().cardsSet = false;
        State().cards.clear();
        State().driverPresent = -1;
        State().calls.clear();
    }
    delete engine;
}

int NIDAQSim_EngineUses() {
    std::lock_guard<std::mutex> guard(State().lock);
    return State().engineUses;
}

bool NIDAQmx_Init() {
    const bool present = DriverPresent();
    Record(L"NIDAQmx_Init() = " + Text(present));
    return present;
}

void NIDAQmx_InitSimulator() {
    Record(L"NIDAQmx_InitSimulator()");
}

void NIDAQmx_Done() {
    Record(L"NIDAQmx_Done()");
}

CNIDAQEngine* NIDAQEngine_Init() {
    Record(L"NIDAQEngine_Init()");
    std::lock_guard<std::mutex> guard(State().lock);
    ++State().engineUses;
    if (!State().engine) State().engine = new CNIDAQEngine();
    return State().engine;
}

void NIDAQEngine_Done() {
    Record(L"NIDAQEngine_Done()");
    CNIDAQEngine* released = nullptr;
    {
        std::lock_guard<std::mutex> guard(State().lock);
        if (State().engineUses > 0 && --State().engineUses == 0) {
            released = State().engine;
            State().engine = nullptr;
        }
    }
    delete released;
}

int32_t DAQmxGetDevProductType(const char* device, char* data, uint32_t size) {
    if (!device) return -1;
    for (const SCard& card : Cards()) {
        std::string name(card.name.begin(), card.name.end());
        if (name != device) continue;
        std::string type(card.productType.begin(), card.productType.end());
        const uint32_t needed = static_cast<uint32_t>(type.size() + 1);
        if (!data || size == 0) return static_cast<int32_t>(needed);
        const uint32_t count = needed <= size ? needed - 1 : size - 1;
        type.copy(data, count);
        data[count] = 0;
        return 0;
    }
    return -1;
}
