// Normalising cell flags whenever they are stored for a column or an item.
#pragma once

#include <cstdint>

namespace rvl {

// Drops the bits that contradict others, in a fixed order: alignment, date
// or time only, number against upper case, editable combo against dates.
uint32_t NormaliseFlags(uint32_t flags);

} // namespace rvl
