#include "deep_stack.h"

#include <windows.h>

#include <mutex>

namespace rvs {
namespace {

// One fiber with a large reserved stack, shared by every thread that matches;
// the caller's thread switches to it and back, so no thread hand-over is paid.
struct DeepStack {
    std::mutex turn;
    void* fiber = nullptr;
    void* caller = nullptr;
    void (*job)(void*) = nullptr;
    void* context = nullptr;
    StackGuard guard;

    ~DeepStack() {
        if (fiber) DeleteFiber(fiber);
    }
};

DeepStack& Stack() {
    static DeepStack stack;
    return stack;
}

void WINAPI FiberMain(void*) {
    DeepStack& s = Stack();
    MEMORY_BASIC_INFORMATION region;
    VirtualQuery(&region, &region, sizeof region);
    const uintptr_t bottom = reinterpret_cast<uintptr_t>(region.AllocationBase);
    for (;;) {
        char top;
        s.guard.limit = bottom + kDeepStackHeadroom;
        s.guard.mark = reinterpret_cast<uintptr_t>(&top) - kDeepStackKeep;
        s.guard.wentDeep = false;
        s.job(s.context);
        SwitchToFiber(s.caller);
    }
}

} // namespace

StackGuard& DeepStackGuard() { return Stack().guard; }

// GetCurrentFiber reads the TEB through gs:, which GCC's bounds check misreads.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

bool RunOnDeepStack(void (*job)(void*), void* context) {
    DeepStack& s = Stack();
    std::lock_guard<std::mutex> hold(s.turn);
    const bool wasFiber = IsThreadAFiber();
    void* self = wasFiber ? GetCurrentFiber() : ConvertThreadToFiber(nullptr);
    if (!self) return false;
    if (!s.fiber)
        s.fiber = CreateFiberEx(64 << 10, kDeepStackReserve, FIBER_FLAG_FLOAT_SWITCH, FiberMain,
                                nullptr);
    const bool ran = s.fiber != nullptr;
    if (ran) {
        s.caller = self;
        s.job = job;
        s.context = context;
        SwitchToFiber(s.fiber);
        // Hand the pages of a deep run back rather than keep them committed.
        if (s.guard.wentDeep) {
            DeleteFiber(s.fiber);
            s.fiber = nullptr;
        }
    }
    if (!wasFiber) ConvertFiberToThread();
    return ran;
}

} // namespace rvs
