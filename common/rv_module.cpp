#include "rv_module.h"

namespace rv {

HINSTANCE ThisModule() {
    static HMODULE module = [] {
        HMODULE m = nullptr;
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                               GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCWSTR>(&ThisModule), &m);
        return m;
    }();
    return module;
}

} // namespace rv
