#include "session.h"

#include "KaDMApi.h"
#include "KaHostCodes.h"
#include "KaHostHooks.h"
#include "KaSettings.h"
#include "KaSystem.h"
#include "LumencorV2Answers.h"
#include "cameras.h"
#include "NIDAQSim.h"
#include "gui_host.h"
#include "notifications.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

namespace {

// The simulated engine takes its model and channel map from here.
const wchar_t kDriverKey[] = L"Software\\Quorvane\\Misc\\Lumencor SpectraIII";

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const CKaStringW& text) {
    return CKaStringW(text).ToNarrow().GetString();
}

std::string RegistryText(const wchar_t* name) {
    wchar_t value[512] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kDriverKey, name, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS)
        return "(not set)";
    return Narrow(CKaStringW(value));
}

// The engine's colour names in channel order.
std::vector<std::string> ChannelMap(Session& s) {
    std::string map =
        s.simulated ? RegistryText(L"Simulator_ChannelMap_String") : s.log.Answer("CHMAP");
    std::istringstream words(map);
    return std::vector<std::string>(std::istream_iterator<std::string>(words),
                                    std::istream_iterator<std::string>());
}

int ChannelOf(const std::vector<std::string>& map, unsigned wavelength) {
    for (size_t c = 0; c < map.size(); ++c)
        if (lumencor::ColourWavelength(CKaStringA(map[c].c_str())) == wavelength)
            return static_cast<int>(c);
    return -1;
}

void PrintIdentity(Session& s) {
    CKaStringW lines, shutter;
    s.lightSource->GetDeviceFullName(lines);
    s.shutter->GetDeviceFullName(shutter);
    std::printf("logical devices: %s, %s\n", Narrow(lines).c_str(), Narrow(shutter).c_str());
    if (s.simulated) {
        std::printf("simulated engine, model: %s (registry value Simulator_ModelString)\n",
                    RegistryText(L"Simulator_ModelString").c_str());
        return;
    }
    std::printf("model: %s\nfirmware: %s\nserial number: %s\nmaximum intensity: %s\n",
                s.log.Answer("MODEL").c_str(), s.log.Answer("VER").c_str(),
                s.log.Answer("SN").c_str(), s.log.Answer("MAXINT").c_str());
}

void PrintLines(Session& s) {
    int count = 0;
    if (s.lightSource->GetLineCount(&count) != KA_DM_OK) return;
    const std::vector<std::string> map = ChannelMap(s);
    std::printf("%d lines (wavelength order):\n  line  wavelength  channel  power  used\n", count);
    for (int i = 0; i < count; ++i) {
        unsigned nm = 0;
        double power = 0;
        bool used = false;
        s.lightSource->GetLineWavelength(i, &nm);
        s.lightSource->GetLinePower(i, &power);
        s.lightSource->GetLineUsed(i, &used);
        const int channel = ChannelOf(map, nm);
        std::printf("  %4d  %7u nm  %7d  %4.0f%%  %s\n", i, nm, channel, power,
                    used ? "yes" : "no");
    }
}

// Settings text in the host's format, one key=value a line.
bool ReadSettingsFile(const std::string& path, CKaStringW& settings) {
    std::ifstream file(path);
    if (!file) return false;
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    settings = Wide(text).c_str();
    return true;
}

void Configure(Session& s, std::istringstream& words) {
    std::string word;
    CKaStringW logical;
    while (words >> word) {
        if (word == "from") {
            std::string path;
            words >> path;
            if (!path.empty() && path[0] != '/' && path[0] != '\\' && path.find(':') == path.npos)
                path = s.scriptFolder + path;
            if (!ReadSettingsFile(path, logical)) {
                std::printf("cannot read %s\n", path.c_str());
                return;
            }
            s.settings += logical;
            continue;
        }
        size_t eq = word.find('=');
        if (eq == std::string::npos) continue;
        SetStringToKey(s.settings, Wide(word.substr(0, eq)).c_str(),
                       Wide(word.substr(eq + 1)).c_str());
    }
    int result = s.device->ConfigureDevice(s.settings, 0);
    std::printf("configure: %d (state %d)\n", result, s.device->GetState());
    // The host keeps each logical device's settings; a saved file holds them all.
    if (result == KA_DM_OK && !logical.IsEmpty()) {
        s.lightSource->SetSettings(logical.GetString());
        s.shutter->SetSettings(logical.GetString());
    }
}

bool OnOff(const std::string& word, bool& on) {
    if (word == "on" || word == "open" || word == "1") return on = true, true;
    if (word == "off" || word == "close" || word == "0") return on = false, true;
    return false;
}

// What the card's lines did since the last look ("card <- line 2 on"), and
// the other calls that change what the card does.
void PrintCardSwitches(Session& s) {
    const std::vector<std::wstring> calls = NIDAQSim_Calls();
    const std::wstring state = L"AOTFLine::SetState(LumencorV2AbstractionKey ";
    const std::wstring multi = L"Multiexcitation::";
    for (size_t i = s.daqCallsSeen; i < calls.size(); ++i) {
        const std::wstring& call = calls[i];
        if (call.compare(0, state.size(), state) == 0) {
            const std::wstring rest = call.substr(state.size());
            std::printf("card <- line %s %s\n",
                        Narrow(CKaStringW(rest.substr(0, rest.find(L',')).c_str())).c_str(),
                        rest.find(L", 1)") != std::wstring::npos ? "on" : "off");
        } else if (call.compare(0, multi.size(), multi) == 0) {
            std::printf("card <- %s\n", Narrow(CKaStringW(call.c_str())).c_str());
        }
    }
    s.daqCallsSeen = calls.size();
}

void PrintCardCalls(Session& s) {
    const std::vector<std::wstring> calls = NIDAQSim_Calls();
    for (const std::wstring& call : calls)
        std::printf("  %s\n", Narrow(CKaStringW(call.c_str())).c_str());
    std::printf("%u NI-DAQ calls\n", static_cast<unsigned>(calls.size()));
    s.daqCallsSeen = calls.size();
}

// The card's lines as the light source holds them: output and state.
void PrintCardLines(Session& s) {
    void* out = nullptr;
    s.lightSource->DeviceCommand(KA_CMD_GET_TRIGGERING, 0, &out);
    auto* lines = static_cast<CNIDAQAbstraction_AOTF*>(out);
    if (!lines) {
        std::printf("no card lines (control mode 1 sets them up)\n");
        return;
    }
    std::printf("card lines (%s):\n", lines->GetTTLControlAsAnalog() ? "analog" : "TTL");
    for (int i = 0; i < lines->GetLineCount(); ++i) {
        CNIDAQAbstraction_AOTFLine* line = lines->GetLine(i);
        const wchar_t* key =
            lines->GetTTLControlAsAnalog() ? line->GetNIKeyAO1() : line->GetNIKeyTTL();
        std::printf("  %d  %-20s %s\n", i, *key ? Narrow(CKaStringW(key)).c_str() : "(none)",
                    line->GetState() ? "on" : "off");
    }
}

const char kHelp[] =
    "commands:\n"
    "  connect [<com>]            connect (the simulator needs no port)\n"
    "  configure [from <file>] [key=value]...   configure with saved and given settings\n"
    "  identity | lines | readouts\n"
    "  power <line> <percent>     set a line's power\n"
    "  use <line> on|off          switch a line\n"
    "  batch begin|execute        collect changes, then send them at once\n"
    "  shutter open|close\n"
    "  watch <polls>              wait for polls of the read-outs\n"
    "  log trace|all|off          show the engine exchanges / every log line / nothing\n"
    "  notifications on|off       show what the host is notified of\n"
    "  standby <mode>             stand-by mode: 0 disabled, 1 outside experiments, 2 enabled\n"
    "  event <name>               the host fires a module event (KA_MODULEEVENT_...)\n"
    "  cards <list>|none          the simulated NI-DAQ cards (Dev1=PCIe-6323;Dev2=USB-6343)\n"
    "  daq trace on|off | calls | lines   the card's line switching / its call record / lines\n"
    "  camera <class> <device-manager name> [notrigger]   a host camera (the dialog's triggering)\n"
    "  camera clear | cameras     forget them / list them\n"
    "  pad ...                    with --gui: the pad (pad lists its commands)\n"
    "  disconnect | quit\n";

} // namespace

bool Load(Session& s, const char* className) {
    if (!s.module.Load(L"lumencor_v2_device.dll")) {
        std::printf("cannot load lumencor_v2_device.dll or its class records\n");
        return false;
    }
    s.object = dynamic_cast<CKaClass*>(s.module.Construct(className, __FILE__, __LINE__));
    if (!s.object) return false;
    s.device = static_cast<IKaPhysicalDevice*>(s.object->QueryInterface("IKaPhysicalDevice"));
    if (!s.device) return false;
    DMApiHooks::PhysDev_Add(s.device, L"Lumencor");
    CKaLogicalDeviceList list;
    s.device->GetLogicalDevices(list);
    if (list.GetCount() < 2) return false;
    s.lightSource = dynamic_cast<IKaDeviceMultiLaser*>(list.Get(0));
    s.shutter = dynamic_cast<IKaDeviceShutter*>(list.Get(1));
    if (!s.lightSource || !s.shutter) return false;
    s.device->SetNotificationCallback(&PrintingNotificationCallback);
    CKaStringW name;
    s.device->GetDeviceString(1, name);
    std::printf("loaded %s: %s\n", className, Narrow(name).c_str());
    return true;
}

void Unload(Session& s) {
    if (s.device) {
        s.device->DisconnectDevice();
        DMApiHooks::PhysDev_Remove(s.device);
        s.object->Release(); // the reference the interface query added
    }
    if (s.object) s.object->Release();
    s.object = nullptr;
    s.device = nullptr;
}

bool Run(Session& s, const std::string& line) {
    std::istringstream words(line);
    std::string command, word;
    words >> command;
    if (command.empty() || command[0] == '#') return true;
    if (command == "quit" || command == "exit") return false;
    int number = 0;
    bool on = false;
    double percent = 0;
    if (command == "connect") {
        int port = 0;
        if (!(words >> port)) port = s.defaultPort;
        if (!s.simulated) SetIntToKey(s.settings, L"m_iCOMPort", port);
        int result = s.device->ConnectDevice(s.settings);
        std::printf("connect%s: %d%s\n",
                    s.simulated ? " (simulated engine)" : (" COM" + std::to_string(port)).c_str(),
                    result, result == KA_DM_CONNECTED ? " (connected)" : "");
    } else if (command == "configure") {
        Configure(s, words);
    } else if (command == "identity") {
        PrintIdentity(s);
    } else if (command == "lines") {
        PrintLines(s);
    } else if (command == "readouts") {
        std::printf("read-outs: %s\n", s.log.LastReadouts().c_str());
    } else if (command == "power" && words >> number >> percent) {
        std::printf("power %d %.1f%%: %d\n", number, percent,
                    s.lightSource->SetLinePower(number, percent));
    } else if (command == "use" && words >> number >> word && OnOff(word, on)) {
        std::printf("use %d %s: %d\n", number, on ? "on" : "off",
                    s.lightSource->SetLineUsed(number, on));
    } else if (command == "batch" && words >> word && (word == "begin" || word == "execute")) {
        int result = word == "begin" ? s.device->BeginBatch(true) : s.device->ExecuteBatch();
        std::printf("batch %s: %d\n", word.c_str(), result);
    } else if (command == "shutter" && words >> word && OnOff(word, on)) {
        std::printf("shutter %s: %d\n", on ? "open" : "close", s.shutter->SetShutterState(on));
    } else if (command == "watch") {
        int polls = 1;
        words >> polls;
        for (int i = 0; i < polls; ++i) {
            if (!s.log.WaitForPolls(1, 30000)) {
                std::printf("no poll within 30 s\n");
                break;
            }
            std::printf("poll %d: %s\n", i + 1, s.log.LastReadouts().c_str());
        }
    } else if (command == "log" && words >> word) {
        s.log.SetEcho(word == "all"   ? HostLog::kAll
                      : word == "off" ? HostLog::kQuiet
                                      : HostLog::kTrace);
    } else if (command == "notifications" && words >> word && OnOff(word, on)) {
        SetNotificationPrinting(on);
    } else if (command == "standby" && words >> number) {
        int32_t mode = number;
        s.lightSource->DeviceCommand(KA_CMD_SET_STANDBY_MODE, number, &mode);
        s.lightSource->DeviceCommand(KA_CMD_GET_STANDBY_MODE, 0, &mode);
        std::printf("stand-by mode: %d\n", mode);
    } else if (command == "event" && words >> word) {
        std::printf("event %s: %d consumer(s)\n", word.c_str(),
                    DMApiHooks::AppRntm_FireEvent(Wide(word).c_str()));
    } else if (command == "cards" && words >> word) {
        NIDAQSim_SetCards(word == "none" ? L"" : Wide(word).c_str());
        std::printf("simulated cards: %s\n", word.c_str());
    } else if (command == "daq" && words >> word) {
        if (word == "trace" && words >> word && OnOff(word, on)) {
            s.daqTrace = on;
            s.daqCallsSeen = NIDAQSim_Calls().size();
        } else if (word == "calls") {
            PrintCardCalls(s);
        } else if (word == "lines") {
            PrintCardLines(s);
        } else {
            std::printf("not understood: %s (try help)\n", line.c_str());
        }
    } else if (command == "disconnect") {
        std::printf("disconnect: %d\n", s.device->DisconnectDevice());
    } else if (cameras::Run(command, words)) {
    } else if (gui::Run(s, command, words)) {
    } else if (command == "help") {
        std::printf("%s", kHelp);
    } else {
        std::printf("not understood: %s (try help)\n", line.c_str());
    }
    if (s.daqTrace) PrintCardSwitches(s);
    std::fflush(stdout);
    return true;
}
