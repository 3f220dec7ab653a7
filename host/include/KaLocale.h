// The language the host runs in. Plug-ins pick their resources in the
// module's language and fall back to the secondary one.
#pragma once

#include "KaExport.h"

#include <windows.h>

class HX_GNR_API CKaLocale {
  public:
    // Language of the host's user interface (a Win32 LANGID).
    static LANGID GetModuleLangId();
    // Language used when a resource or text is missing in the module's one.
    static LANGID GetSecondaryLangID();
};
