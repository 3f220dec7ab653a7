#include "cameras.h"

#include "KaDMApi.h"
#include "KaHostHooks.h"

#include <cstdio>
#include <vector>

namespace cameras {

namespace {

const char kSimulatedClass[] = "CKaCameraSim";
const char* const kDefaultNames[] = {"Sim Camera 1", "Sim Camera 2"};
const char kNoTrigger[] = "notrigger";
const int kCapabilityExternalTrigger = 1;

// Whether the cameras listed are still the defaults.
bool g_defaults = false;

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::string Narrow(const CKaStringW& text) {
    return CKaStringW(text).ToNarrow().GetString();
}

void Add(const std::string& className, const std::string& dmName, bool triggerable) {
    const int index =
        DMApiHooks::Camera_Add(Wide(className).c_str(), Wide(dmName).c_str(), triggerable);
    std::printf("camera %d: %s (%s)%s\n", index, dmName.c_str(), className.c_str(),
                triggerable ? ", triggerable" : "");
}

void List() {
    const int count = CKaSimpleDMHelper::Qm_CAM_GetCount();
    std::printf("%d camera(s)%s\n", count, g_defaults ? " (the defaults of --gui)" : "");
    for (int i = 0; i < count; ++i) {
        CKaStringW className, dmName;
        CKaSimpleDMHelper::Qm_CAM_GetClassName(i, className);
        CKaSimpleDMHelper::Qm_CAM_GetDMName(i, dmName);
        std::printf("  %d  %-20s %-24s %s\n", i, Narrow(dmName).c_str(), Narrow(className).c_str(),
                    CKaSimpleDMHelper::Qm_CAM_GetCapability(i, kCapabilityExternalTrigger)
                        ? "triggerable"
                        : "no trigger");
    }
}

// `camera <class name> <device-manager name...> [notrigger]`; the name may
// have spaces.
void AddFromWords(const std::string& className, std::istringstream& words) {
    std::vector<std::string> name;
    for (std::string word; words >> word;)
        name.push_back(word);
    const bool triggerable = name.empty() || name.back() != kNoTrigger;
    if (!triggerable) name.pop_back();
    if (name.empty()) {
        std::printf("camera: give a class name and a device-manager name\n");
        return;
    }
    std::string dmName = name.front();
    for (size_t i = 1; i < name.size(); ++i)
        dmName += " " + name[i];
    if (g_defaults) DMApiHooks::Cameras_Clear();
    g_defaults = false;
    Add(className, dmName, triggerable);
}

} // namespace

void AddDefaults() {
    if (CKaSimpleDMHelper::Qm_CAM_GetCount() > 0) return;
    for (const char* name : kDefaultNames)
        DMApiHooks::Camera_Add(Wide(kSimulatedClass).c_str(), Wide(name).c_str(), true);
    g_defaults = true;
}

bool Run(const std::string& command, std::istringstream& words) {
    if (command == "cameras") {
        List();
        return true;
    }
    if (command != "camera") return false;
    std::string first;
    if (!(words >> first)) {
        std::printf("camera <class name> <device-manager name> [notrigger] | camera clear\n");
    } else if (first == "clear") {
        DMApiHooks::Cameras_Clear();
        g_defaults = false;
        std::printf("cameras cleared\n");
    } else {
        AddFromWords(first, words);
    }
    return true;
}

} // namespace cameras
