// The record of one colour line of the light engine.
#pragma once

#include "KaString.h"

#include <cstdint>

struct SKaLumencorV2Line {
    bool m_bUsed = false;
    double m_dPower = 0.0;
    bool m_bInSequence = false;
    bool m_bSubset = false;
    uint32_t m_uWavelength = 0;
    CKaStringA m_sColour;
    int32_t m_iChannel = -1;
    bool m_bUsedChanged = false;
    bool m_bPowerChanged = false;
    double m_dRequestedPower = 0.0;
    bool m_bRequestedUsed = false;
};

enum { KA_LUMENCOR_MAX_LINES = 8 };
