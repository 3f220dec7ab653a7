#include "clock.h"

namespace rvl {
namespace {

TickSource g_source = nullptr;

} // namespace

DWORD Ticks() {
    return g_source ? g_source() : GetTickCount();
}

void SetTickSource(TickSource source) {
    g_source = source;
}

} // namespace rvl
