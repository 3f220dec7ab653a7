// The initialisers of the built-in control classes.
#pragma once

#include <windows.h>

namespace rvw {

int InitImageButton(HWND control);
int InitNumericEdit(HWND control);
int InitNumericScrollBar(HWND control);
int InitPmtGainEdit(HWND control);
int InitProgressBar(HWND control);
int InitRichEdit(HWND control);

} // namespace rvw
