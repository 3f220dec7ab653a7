#include "flags.h"

#include "RvListCtrl.h"

namespace rvl {

uint32_t NormaliseFlags(uint32_t f) {
    if (f & FlagCentre)
        f &= ~(FlagLeft | FlagRight);
    else if (f & FlagRight)
        f &= ~FlagLeft;
    if (f & FlagDateOnly) f &= ~FlagTimeOnly;
    if (f & (FlagNumber | FlagFloat))
        f &= ~FlagUpperCase;
    else
        f &= ~(FlagNegative | FlagOperator);
    if (f & FlagComboEdit) f &= ~(FlagDateOnly | FlagTimeOnly | FlagDateNone);
    return f;
}

} // namespace rvl
