// Texts of the pad: translated formats checked against their source, and
// bounded copies into the pad's fixed buffers.
#pragma once

#include <cstddef>

namespace lumencor {

// Formats the translation of `source` with the arguments. The translation
// is used only when its conversions are those of the source, in the same
// order, so that a faulty translation cannot read the wrong arguments; else
// the source is used. `%s` takes a wide string and `%c` a wide character.
// Returns the characters written (cut to fit, always terminated).
int FormatTranslated(wchar_t* buffer, size_t capacity, const wchar_t* source, ...);

// Copies `text` into `buffer` of `capacity` characters, cut to fit and
// terminated; true when it fitted whole.
bool CopyBounded(wchar_t* buffer, size_t capacity, const wchar_t* text);

} // namespace lumencor
