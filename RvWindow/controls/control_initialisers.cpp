// The initialisers of the built-in control classes: each subclasses its new
// control with the control's own record.
#include "control_initialisers.h"

#include "gain_edit.h"
#include "image_button.h"
#include "numeric_edit.h"
#include "numeric_scrollbar.h"
#include "progress_bar.h"
#include "rich_edit.h"

namespace rvw {

int InitImageButton(HWND control) {
    return ImageButton::Init(control);
}
int InitNumericEdit(HWND control) {
    return NumericEdit::Init(control);
}
int InitNumericScrollBar(HWND control) {
    return NumericScrollBar::Init(control);
}
int InitPmtGainEdit(HWND control) {
    return GainEdit::Init(control);
}
int InitProgressBar(HWND control) {
    return ProgressBar::Init(control);
}
int InitRichEdit(HWND control) {
    return EquipRichEdit(control);
}

} // namespace rvw
