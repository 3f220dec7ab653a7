// Process-wide aliases of control classes: a macro asks for an alias, the
// builder creates a window of the base class and hands it to the initialiser.
#pragma once

#include "RvWindow.h"

#include <string_view>

namespace rvw {

constexpr size_t kClassStorage = 64; // aliases and base classes keep at most 63 characters
constexpr size_t kClassLength = 63;

struct ClassEntry {
    wchar_t alias[kClassStorage];
    wchar_t baseClass[kClassStorage];
    RvControlInitialiser initialiser;
};

// The first entry whose alias matches regardless of case, or null.
const ClassEntry* FindClass(std::wstring_view alias);

// Appends an entry; false when the registry cannot grow.
bool AddClass(std::wstring_view alias, std::wstring_view baseClass,
              RvControlInitialiser initialiser);

// True when two class names are equal regardless of case.
bool SameClassName(std::wstring_view a, std::wstring_view b);

} // namespace rvw
