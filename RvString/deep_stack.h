// A large stack for the standard regular-expression matcher, which recurses
// once per character: on the caller's stack a long text would overflow it
// and end the process.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rvs {

enum class DeepStackRun {
    Completed,
    Abandoned,  // the job came near the end of the stack and was dropped
    Unavailable // no deep stack could be set up; the job did not run
};

// Runs `job(context)` on the deep stack and returns when it is done; jobs of
// several threads take turns. `job` must not throw.
DeepStackRun RunOnDeepStack(void (*job)(void*), void* context);

// Leaves the running job for good: control returns from RunOnDeepStack with
// Abandoned and the job's stack is released without unwinding it (unwinding
// a million frames would take longer than the match). What the job had
// allocated on the heap is lost, so a job may only be abandoned where it
// holds no lock.
[[noreturn]] void AbandonDeepStackJob();

// Where the running deep-stack job stands against its stack and its budget.
struct StackGuard {
    uintptr_t limit = 0; // the job is abandoned below this address
    uintptr_t mark = 0;  // below this, the job counts as deep and its pages
                         // are handed back once it ends
    bool wentDeep = false;
    // Steps the job may still take (see GuardedIterator); reset to kNoBudget
    // for every job, so only a job that sets a budget is bounded.
    uint64_t stepsLeft = kNoBudget;
    static constexpr uint64_t kNoBudget = UINT64_MAX;
};

// The guard of the running deep-stack job.
StackGuard& DeepStackGuard();

// Reserved size of the deep stack and the part kept free below the guard for
// the matcher's recursion between two characters (bounded by the size of the
// compiled expression) and for the switch back when a job is abandoned.
constexpr size_t kDeepStackReserve = size_t{2} << 30;
constexpr size_t kDeepStackHeadroom = size_t{128} << 20;
// Committed up front, so that ordinary texts never pay a guard-page fault per
// page of stack they grow into, and kept between jobs; a job that goes deeper
// grows the stack page by page and the pages are returned after it.
constexpr size_t kDeepStackKeep = size_t{64} << 20;

} // namespace rvs
