// Loading the library enters the "RvListCtrl" class in the dialog builder's
// registry: the builder creates a list box and hands it to AttachList.
#include "RvWindow.h"
#include "rv_list_ctrl.h"

namespace rvl {
namespace {

int AttachList(HWND window) {
    try {
        return window && CRvListCtrl::Attach(window) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

[[maybe_unused]] const int kRegistered =
    RvDialog_AddControlClass(L"RvListCtrl", L"listbox", AttachList);

} // namespace
} // namespace rvl
