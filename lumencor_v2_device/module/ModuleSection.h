// Places writable data in a named section of the module image, kept even
// when nothing in the code refers to it.
#pragma once

#if defined(_MSC_VER)
#define KA_DATA_SECTION(name) __pragma(section(name, read, write)) __declspec(allocate(name))
#else
#define KA_DATA_SECTION(name) __attribute__((section(name), used))
#endif
