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
    bool abandoned = false;
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
        s.guard.stepsLeft = StackGuard::kNoBudget;
        s.job(s.context);
        SwitchToFiber(s.caller);
    }
}

} // namespace

StackGuard& DeepStackGuard() {
    return Stack().guard;
}

// GetCurrentFiber reads the TEB through gs:, which GCC's bounds check misreads.
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

void AbandonDeepStackJob() {
    DeepStack& s = Stack();
    s.abandoned = true;
    SwitchToFiber(s.caller);
    for (;;) {
        // Never resumed: the caller deletes this fiber.
    }
}

DeepStackRun RunOnDeepStack(void (*job)(void*), void* context) {
    DeepStack& s = Stack();
    std::lock_guard<std::mutex> hold(s.turn);
    const bool wasFiber = IsThreadAFiber();
    void* self = wasFiber ? GetCurrentFiber() : ConvertThreadToFiber(nullptr);
    if (!self) return DeepStackRun::Unavailable;
    if (!s.fiber)
        s.fiber = CreateFiberEx(kDeepStackKeep, kDeepStackReserve, FIBER_FLAG_FLOAT_SWITCH,
                                FiberMain, nullptr);
    DeepStackRun run = DeepStackRun::Unavailable;
    if (s.fiber) {
        s.caller = self;
        s.job = job;
        s.context = context;
        s.abandoned = false;
        SwitchToFiber(s.fiber);
        run = s.abandoned ? DeepStackRun::Abandoned : DeepStackRun::Completed;
        // An abandoned fiber cannot be resumed; a deep run's pages are handed
        // back rather than kept committed.
        if (s.abandoned || s.guard.wentDeep) {
            DeleteFiber(s.fiber);
            s.fiber = nullptr;
        }
    }
    if (!wasFiber) ConvertFiberToThread();
    return run;
}

} // namespace rvs
