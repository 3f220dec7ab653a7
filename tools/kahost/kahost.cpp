// kahost: loads lumencor_v2_device.dll as the host application does (class
// records from its "ver6IDX" section, the constructor named there, then
// only the interfaces) and drives one device from a script or the console.
//
//   kahost [--sim] [--log <file>] [--detail] [script]
//
// Commands, one a line ('#' starts a comment):
//   connect [<com>]          ConnectDevice on COM<com> (default: the emulated
//                            engine's port, LUMENCOR_EMULATOR_COM)
//   configure [key=value]... ConfigureDevice with the current settings plus these
//   identity                 model, firmware and serial number the engine reported
//   lines                    the channel map, in wavelength order
//   readouts                 the read-outs of the last poll
//   watch <polls>            wait for polls and print their read-outs
//   log on|off               show the communication with the engine
//   disconnect | quit
#include "KaDMApi.h"
#include "KaDeviceMultiLaser.h"
#include "KaPhysicalDevice.h"
#include "KaPluginModule.h"
#include "KaSettings.h"
#include "KaSystem.h"
#include "host_log.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

struct Session {
    CKaPluginModule module;
    CKaClass* object = nullptr;
    IKaPhysicalDevice* device = nullptr;
    IKaDeviceMultiLaser* lightSource = nullptr;
    CKaStringW settings;
    HostLog log;
};

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

bool Load(Session& s, const char* className) {
    if (!s.module.Load(L"lumencor_v2_device.dll")) {
        std::printf("cannot load lumencor_v2_device.dll or its class records\n");
        return false;
    }
    s.object = dynamic_cast<CKaClass*>(s.module.Construct(className, __FILE__, __LINE__));
    if (!s.object) return false;
    s.device = static_cast<IKaPhysicalDevice*>(s.object->QueryInterface("IKaPhysicalDevice"));
    if (!s.device) return false;
    DMApi::PhysDev_Add(s.device, L"Lumencor");
    CKaLogicalDeviceList list;
    s.device->GetLogicalDevices(list);
    if (list.GetCount() > 0) s.lightSource = dynamic_cast<IKaDeviceMultiLaser*>(list.Get(0));
    s.device->SetNotificationCallback(DMApi::GetHostNotificationCallback());
    CKaStringW name;
    s.device->GetDeviceString(1, name);
    std::printf("loaded %s: %s\n", className, CKaStringW(name).ToNarrow().GetString());
    return true;
}

void Unload(Session& s) {
    if (s.device) {
        s.device->DisconnectDevice();
        DMApi::PhysDev_Remove(s.device);
        s.object->Release(); // the reference the interface query added
    }
    if (s.object) s.object->Release();
    s.object = nullptr;
    s.device = nullptr;
}

void PrintLines(Session& s) {
    int count = 0;
    if (!s.lightSource || s.lightSource->GetLineCount(&count) != KA_DM_OK) return;
    std::printf("channel map: %d lines\n", count);
    for (int i = 0; i < count; ++i) {
        CKaStringW name;
        s.lightSource->GetLineName(i, name);
        std::printf("  line %d: %s\n", i, name.ToNarrow().GetString());
    }
}

// Runs one command; false to stop.
bool Run(Session& s, const std::string& line) {
    std::istringstream words(line);
    std::string command;
    words >> command;
    if (command.empty() || command[0] == '#') return true;
    if (command == "quit" || command == "exit") return false;
    if (command == "connect") {
        int port = 0;
        if (!(words >> port) && std::getenv("LUMENCOR_EMULATOR_COM"))
            port = std::atoi(std::getenv("LUMENCOR_EMULATOR_COM"));
        SetIntToKey(s.settings, L"m_iCOMPort", port);
        int result = s.device->ConnectDevice(s.settings);
        std::printf("connect COM%d: %d%s\n", port, result,
                    result == KA_DM_CONNECTED ? " (connected)" : "");
    } else if (command == "configure") {
        std::string pair;
        while (words >> pair) {
            size_t eq = pair.find('=');
            if (eq == std::string::npos) continue;
            SetStringToKey(s.settings, Wide(pair.substr(0, eq)).c_str(),
                           Wide(pair.substr(eq + 1)).c_str());
        }
        int result = s.device->ConfigureDevice(s.settings, 0);
        std::printf("configure: %d (state %d)\n", result, s.device->GetState());
    } else if (command == "identity") {
        std::printf("model: %s\nfirmware: %s\nserial number: %s\nmaximum intensity: %s\n",
                    s.log.Answer("MODEL").c_str(), s.log.Answer("VER").c_str(),
                    s.log.Answer("SN").c_str(), s.log.Answer("MAXINT").c_str());
    } else if (command == "lines") {
        PrintLines(s);
    } else if (command == "readouts") {
        std::printf("read-outs: %s\n", s.log.LastReadouts().c_str());
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
    } else if (command == "log") {
        std::string value;
        words >> value;
        s.log.SetEcho(value == "on");
    } else if (command == "disconnect") {
        std::printf("disconnect: %d\n", s.device->DisconnectDevice());
    } else {
        std::printf("unknown command: %s\n", command.c_str());
    }
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const char* className = "CKaLumencorV2Device";
    const char* script = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--sim")) {
            className = "CKaLumencorV2DeviceSim";
        } else if (!std::strcmp(argv[i], "--log") && i + 1 < argc) {
            CKaLogFile::Open(Wide(argv[++i]).c_str());
        } else if (!std::strcmp(argv[i], "--detail")) {
            CKaLogFile::SetConsole(true);
        } else {
            script = argv[i];
        }
    }
    // The driver's communication lines carry the identity and read-outs shown here.
    CKaLogFile::Detail = true;
    DMApi::SetLogCommunication(1);

    Session session;
    if (!Load(session, className)) return 2;
    std::ifstream file;
    if (script) file.open(script);
    if (script && !file) {
        std::printf("cannot read %s\n", script);
        Unload(session);
        return 2;
    }
    std::istream& in = script ? static_cast<std::istream&>(file) : std::cin;
    std::string line;
    while ((script ? true : (std::printf("kahost> "), std::fflush(stdout), true)) &&
           std::getline(in, line)) {
        if (script) std::printf("> %s\n", line.c_str());
        if (!Run(session, line)) break;
    }
    Unload(session);
    return 0;
}
