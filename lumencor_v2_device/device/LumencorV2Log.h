// A log line with its source position, as the host's diagnostic output takes
// it. `detailOnly` lines are written only while the host's detailed logging
// is on.
#pragma once

#include "KaSystem.h"

#define KA_DIAG(detailOnly, ...)                                                                   \
    do {                                                                                           \
        DiagOutputExW_hlp(__FILE__, __LINE__);                                                     \
        DiagOutputExW(detailOnly, __VA_ARGS__);                                                    \
    } while (0)
