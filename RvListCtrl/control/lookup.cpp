#include "lookup.h"

#include "rv_list_ctrl.h"

namespace rvl {

CRvListCtrl* FindList(uint32_t handle) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    if (!window || !IsWindow(window)) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr; // its slot is another address space
    void* slot = reinterpret_cast<void*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!rv::HasSignatureAtEnd(slot, sizeof(CRvListCtrl), kListSignature)) return nullptr;
    auto* list = static_cast<CRvListCtrl*>(slot);
    return list->Window() == window ? list : nullptr;
}

} // namespace rvl
