// The built-in classes are created as plain controls of their base class for
// now; each initialiser will subclass its control once that control exists.
#include "control_initialisers.h"

namespace rvw {

int InitImageButton(HWND) {
    return 0;
}
int InitNumericEdit(HWND) {
    return 0;
}
int InitNumericScrollBar(HWND) {
    return 0;
}
int InitPmtGainEdit(HWND) {
    return 0;
}
int InitProgressBar(HWND) {
    return 0;
}
int InitRichEdit(HWND) {
    return 0;
}

} // namespace rvw
