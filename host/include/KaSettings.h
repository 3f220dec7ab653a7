// The settings string: the key/value text in which the host stores a
// device's settings. One entry per line, "key=value"; backslash escapes
// keep any key or value intact (backslash, CR, LF and '=' in keys).
// Setters append; a later entry for the same key wins.
#pragma once

#include "KaExport.h"
#include "KaString.h"

// Each getter returns non-zero when the key is present (and readable).
HX_SYS_API int GetIntFromKey(const wchar_t* settings, const wchar_t* key, int& value);
HX_SYS_API int GetDoubleFromKey(const wchar_t* settings, const wchar_t* key, double& value);
HX_SYS_API int GetStringFromKey(const wchar_t* settings, const wchar_t* key, CKaStringW& value);

HX_SYS_API void SetIntToKey(CKaStringW& settings, const wchar_t* key, int value);
HX_SYS_API void SetDoubleToKey(CKaStringW& settings, const wchar_t* key, double value);
HX_SYS_API void SetStringToKey(CKaStringW& settings, const wchar_t* key, const wchar_t* value);
