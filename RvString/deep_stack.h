// A large stack for the standard regular-expression matcher, which recurses
// once per character: on the caller's stack a long text would overflow it
// and end the process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

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

// Where the running deep-stack job stands against its stack.
struct StackGuard {
    uintptr_t limit = 0; // the job is abandoned below this address
    uintptr_t mark = 0;  // below this, the job counts as deep and its pages
                         // are handed back once it ends
    bool wentDeep = false;
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

// A text iterator that checks the stack every time the matcher consumes a
// character, the only step whose recursion grows with the text.
class GuardedIterator {
  public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = wchar_t;
    using difference_type = std::ptrdiff_t;
    using pointer = const wchar_t*;
    using reference = const wchar_t&;

    GuardedIterator() = default;
    GuardedIterator(const wchar_t* position, StackGuard* guard)
        : position_(position), guard_(guard) {}

    reference operator*() const { return *position_; }
    GuardedIterator& operator++() {
        char probe;
        const uintptr_t depth = reinterpret_cast<uintptr_t>(&probe);
        if (depth < guard_->mark) {
            if (depth < guard_->limit) AbandonDeepStackJob();
            guard_->wentDeep = true;
        }
        ++position_;
        return *this;
    }
    GuardedIterator operator++(int) {
        GuardedIterator before = *this;
        ++*this;
        return before;
    }
    GuardedIterator& operator--() {
        --position_;
        return *this;
    }
    GuardedIterator operator--(int) {
        GuardedIterator before = *this;
        --position_;
        return before;
    }
    bool operator==(const GuardedIterator& other) const { return position_ == other.position_; }
    bool operator!=(const GuardedIterator& other) const { return position_ != other.position_; }
    const wchar_t* get() const { return position_; }

  private:
    const wchar_t* position_ = nullptr;
    StackGuard* guard_ = nullptr;
};

} // namespace rvs
