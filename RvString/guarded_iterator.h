// The text iterator the standard matcher runs on: it keeps the match within
// the deep stack and within a step budget.
#pragma once

#include "deep_stack.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace rvs {

// Thrown out of a match whose budget is spent while its stack is shallow:
// unwinding then costs little and releases everything the matcher holds.
struct BudgetSpent {};

// Ends the running job once its budget is spent: throws BudgetSpent, or, when
// the job is deep (unwinding a million frames would take longer than the
// match), abandons it.
[[noreturn]] void StopForBudget(const StackGuard& guard);

// Checks the stack every time the matcher consumes a character, the only
// step whose recursion grows with the text, and counts every use of the text
// (reading, moving, comparing positions) against the budget. Every path the
// backtracking matcher tries ends in one of these, so the count bounds its
// work whatever the pattern.
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

    reference operator*() const {
        Step();
        return *position_;
    }
    GuardedIterator& operator++() {
        char probe;
        const uintptr_t depth = reinterpret_cast<uintptr_t>(&probe);
        if (depth < guard_->mark) {
            if (depth < guard_->limit) AbandonDeepStackJob();
            guard_->wentDeep = true;
        }
        Step();
        ++position_;
        return *this;
    }
    GuardedIterator operator++(int) {
        GuardedIterator before = *this;
        ++*this;
        return before;
    }
    GuardedIterator& operator--() {
        Step();
        --position_;
        return *this;
    }
    GuardedIterator operator--(int) {
        GuardedIterator before = *this;
        --*this;
        return before;
    }
    // The matcher also compares with default-constructed positions, which
    // belong to no job.
    bool operator==(const GuardedIterator& other) const {
        if (guard_) Step();
        return position_ == other.position_;
    }
    bool operator!=(const GuardedIterator& other) const { return !(*this == other); }
    const wchar_t* get() const { return position_; }

  private:
    void Step() const {
        if (--guard_->stepsLeft == 0) StopForBudget(*guard_);
    }

    const wchar_t* position_ = nullptr;
    StackGuard* guard_ = nullptr;
};

} // namespace rvs
