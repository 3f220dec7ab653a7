// RvString: string maps, regular expressions and string helpers for macros.
// Every export is a plain C function; the names and aliases are listed in
// RvString.def.
#pragma once

#include <cstddef>
#include <cstdint>

#define RVSTRING_API extern "C"

// String maps. A handle is the address of a map record; StrMapCreate and
// StrMapFree take the address of the macro variable that holds it.
RVSTRING_API int StrMapCreate(void** handleVariable, const wchar_t* text);
RVSTRING_API int StrMapAdd(void* map, const wchar_t* text);
RVSTRING_API int StrMapSet(void* map, const wchar_t* key, const wchar_t* value);
RVSTRING_API const wchar_t* StrMapGet(void* map, const wchar_t* key);
RVSTRING_API int StrMapFind(void* map, const wchar_t* key);
RVSTRING_API int StrMapUnset(void* map, const wchar_t* key);
RVSTRING_API int64_t StrMapParseOptions(void* map, const wchar_t* options);
RVSTRING_API int StrMapFree(void** handleVariable);

// Regular expressions, kept per identifier (any pointer-sized value).
RVSTRING_API int RegexCompile(uintptr_t id, const wchar_t* pattern, int32_t syntaxFlags);
RVSTRING_API const wchar_t* RegexGetErrorDescription(uintptr_t id);
RVSTRING_API int RegexMatches(uintptr_t id, const wchar_t* text, uint32_t matchFlags);
RVSTRING_API int RegexSearch(uintptr_t id, const wchar_t* text, uint32_t matchFlags);
RVSTRING_API int RegexGetMatchCount(uintptr_t id);
RVSTRING_API const wchar_t* RegexGetMatch(uintptr_t id, uint64_t index);
RVSTRING_API int RegexFree(uintptr_t id);

// Match flag: continue at the scan position left by the last success.
#define RVS_REGEX_CONTINUE 0x1000000u

// Bounded string helpers.
RVSTRING_API int RVS_strncmp(const wchar_t* a, const wchar_t* b, size_t count);
RVSTRING_API wchar_t* RVS_strncpy(wchar_t* destination, const wchar_t* source, size_t count);
RVSTRING_API wchar_t* RVS_strtok(wchar_t* text, const wchar_t* delimiters, wchar_t** context);
RVSTRING_API size_t RVS_strcspn(const wchar_t* text, const wchar_t* characters);
RVSTRING_API const wchar_t* RVS_strpbrk(const wchar_t* text, const wchar_t* characters);
RVSTRING_API size_t RVS_strsplit(uintptr_t* offsets, size_t capacity, wchar_t* text,
                                 const wchar_t* separator, uint32_t flags);

// RVS_strsplit flags.
#define RVS_SPLIT_MERGE 1u
#define RVS_SPLIT_WHOLE_SEPARATOR 2u
#define RVS_SPLIT_BACKSLASH_ESCAPES 4u
