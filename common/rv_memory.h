// Checks of caller-supplied pointers, done with VirtualQuery so that a
// garbage value is rejected before it is touched.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rv {

// True when all `bytes` bytes from `p` are committed, accessible and readable.
bool IsReadable(const void* p, size_t bytes);

// True when all `bytes` bytes from `p` are committed and writable.
bool IsWritable(const void* p, size_t bytes);

// The 16-byte signature that begins every record a macro reaches through a handle.
struct Signature {
    uint64_t first;
    uint64_t second;
};

// True when `record` points to writable memory of `size` bytes that begins with `sig`.
bool HasSignature(const void* record, size_t size, Signature sig);

// The same for records that end with their signature (its last 16 bytes).
bool HasSignatureAtEnd(const void* record, size_t size, Signature sig);

// Length of a null-terminated wide string, checking every character readable
// (or writable when `writable`) on the way. False for null or a string that
// runs into memory it may not touch.
bool SafeWideLength(const wchar_t* s, size_t* length, bool writable = false);
bool SafeNarrowLength(const char* s, size_t* length);

// The same for a string read as a counted C function reads it: at most
// `limit` characters, so a text need not be terminated within them. On
// failure `length` holds the number of characters readable before the one
// that is not.
bool SafeWideLengthWithin(const wchar_t* s, size_t limit, size_t* length);

} // namespace rv
