#include "LumencorV2CfgBlocks.h"

#include "NIDAQ.h"

#include <cstring>

namespace lumencor {

namespace {

// The host's box families: the Tollan boxes, and the Tollan+ boxes that
// also wire the NIR line.
const int kTollanFamily = 1;
const int kTollanPlusFamily = 4;
const int kBoxes = 4; // values 1 to 4
const int kNone = -1;

struct Wiring {
    const char* names[2];
    int lines[kBoxes]; // by box value 1..4
};

const Wiring kWiring[] = {
    {{"VIOLET", "UV340"}, {30, 24, 30, 24}}, {{"BLUE", "UV380"}, {0, 12, 0, 12}},
    {{"CYAN", nullptr}, {3, 17, 3, 17}},     {{"TEAL", nullptr}, {5, 9, 5, 9}},
    {{"GREEN", nullptr}, {31, 21, 31, 21}},  {{"YELLOW", nullptr}, {25, kNone, 25, 23}},
    {{"RED", nullptr}, {10, 22, 10, 22}},    {{"NIR", nullptr}, {kNone, kNone, 29, 13}},
};

} // namespace

std::vector<ConnectorBlock> ConnectorBlocks(const wchar_t* productType) {
    std::vector<ConnectorBlock> blocks = {{L"Not Specified", kNoConnectorBlock}};
    if (CNIDAQEngine::IsCardSupportedForPredefinedBreakoutBox(kTollanFamily, productType)) {
        blocks.push_back({L"Tollan (EPI LED)", 1});
        blocks.push_back({L"Tollan (EPI LED2)", 2});
    }
    if (CNIDAQEngine::IsCardSupportedForPredefinedBreakoutBox(kTollanPlusFamily, productType)) {
        blocks.push_back({L"Tollan+ (EPI LED1)", 3});
        blocks.push_back({L"Tollan+ (EPI LED2)", 4});
    }
    return blocks;
}

int ConnectorBlockLine(const CKaStringA& colour, int block) {
    if (block < 1 || block > kBoxes) return kNone;
    CKaStringA name(colour);
    name.Trim();
    for (const Wiring& wiring : kWiring) {
        for (const char* known : wiring.names) {
            if (known && std::strcmp(known, name.GetString()) == 0) return wiring.lines[block - 1];
        }
    }
    return kNone;
}

} // namespace lumencor
