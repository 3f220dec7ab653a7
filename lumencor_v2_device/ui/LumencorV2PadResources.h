// The driver's module and its dialog templates, in the host's language.
#pragma once

#include <windows.h>

namespace lumencor {

// The module holding the driver's code and resources.
HMODULE ThisModule();

// The dialog template `name` of `module` in the module language of the host
// (CKaLocale), else in its secondary language; null when neither has it.
const DLGTEMPLATE* FindDialogTemplate(HMODULE module, const wchar_t* name);

} // namespace lumencor
