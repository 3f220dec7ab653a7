// kahost: loads lumencor_v2_device.dll as the host application does (class
// records from its "ver6IDX" section, the constructor named there, then
// only the interfaces) and drives one device from a script or the console.
//
//   kahost [--sim | --com <n>] [--log <file>] [--detail] [--gui [--zoom <z>]] [script]
//
// --gui shows the device's pad in a window once the device is configured
// (see gui_host.h), and gives the host two triggerable simulated cameras
// until a `camera` command names others.
// --sim uses the simulated engine; --com <n> makes COM<n> the port of
// `connect` (default: the emulated engine's port, LUMENCOR_EMULATOR_COM).
// Type `help` for the commands; '#' starts a comment.
#include "KaDMApi.h"
#include "KaHostHooks.h"
#include "KaSystem.h"
#include "cameras.h"
#include "gui_host.h"
#include "session.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const char* className = "CKaLumencorV2Device";
    const char* script = nullptr;
    Session session;
    if (const char* com = std::getenv("LUMENCOR_EMULATOR_COM"))
        session.defaultPort = std::atoi(com);
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--sim")) {
            className = "CKaLumencorV2DeviceSim";
            session.simulated = true;
        } else if (!std::strcmp(argv[i], "--com") && i + 1 < argc) {
            session.defaultPort = std::atoi(argv[++i]);
        } else if (!std::strcmp(argv[i], "--log") && i + 1 < argc) {
            std::string path = argv[++i];
            CKaLogHooks::Open(std::wstring(path.begin(), path.end()).c_str());
        } else if (!std::strcmp(argv[i], "--gui")) {
            gui::Enable(0);
        } else if (!std::strcmp(argv[i], "--zoom") && i + 1 < argc) {
            gui::Enable(std::atof(argv[++i]));
        } else if (!std::strcmp(argv[i], "--detail")) {
            CKaLogHooks::SetConsole(true);
        } else {
            script = argv[i];
        }
    }
    // The driver's communication lines carry the identity, read-outs and trace.
    CKaLogFile::Detail = true;
    DMApiHooks::SetLogCommunication(1);

    if (gui::Enabled()) cameras::AddDefaults();
    if (!Load(session, className)) return 2;
    std::ifstream file;
    if (script) {
        file.open(script);
        const std::string path = script;
        session.scriptFolder = path.substr(0, path.find_last_of("/\\") + 1);
    }
    if (script && !file) {
        std::printf("cannot read %s\n", script);
        Unload(session);
        return 2;
    }
    if (gui::Enabled() && !script) {
        gui::Interactive(session);
        gui::Close();
        Unload(session);
        return 0;
    }
    std::istream& in = script ? static_cast<std::istream&>(file) : std::cin;
    std::string line;
    while ((script ? true : (std::printf("kahost> "), std::fflush(stdout), true)) &&
           std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (script) std::printf("%s%s\n", line.empty() || line[0] == '#' ? "" : "> ", line.c_str());
        if (!Run(session, line)) break;
        gui::AfterCommand(session);
    }
    gui::Close();
    Unload(session);
    return 0;
}
