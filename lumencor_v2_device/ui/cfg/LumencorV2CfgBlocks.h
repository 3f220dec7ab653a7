// The predefined breakout boxes ("connector blocks") a card may carry and
// the digital line each colour is wired to on them.
#pragma once

#include "KaString.h"

#include <vector>

namespace lumencor {

// Value of "Not Specified": the lines' resources are the user's choice.
const int kNoConnectorBlock = 0;

struct ConnectorBlock {
    const wchar_t* name;
    int value;
};

// The boxes a card of `productType` can carry, "Not Specified" first.
std::vector<ConnectorBlock> ConnectorBlocks(const wchar_t* productType);

// The digital line (of port 0) a colour is wired to on `block`, -1 when the
// box has none for it (or the block is not a box).
int ConnectorBlockLine(const CKaStringA& colour, int block);

} // namespace lumencor
