#include "guarded_iterator.h"

namespace rvs {

void StopForBudget(const StackGuard& guard) {
    char probe;
    if (reinterpret_cast<uintptr_t>(&probe) < guard.mark) AbandonDeepStackJob();
    throw BudgetSpent{};
}

} // namespace rvs
