// Memory layouts for feeding bad handles and pointers to exports.
#pragma once

#include <cstddef>

namespace testsupport {

// One page holding the given bytes, made read-only; released with the object.
class ReadOnlyPage {
  public:
    ReadOnlyPage(const void* bytes, size_t size);
    ~ReadOnlyPage();
    ReadOnlyPage(const ReadOnlyPage&) = delete;
    ReadOnlyPage& operator=(const ReadOnlyPage&) = delete;
    void* data() const { return page_; }

  private:
    void* page_;
};

// An address inside a page that is reserved but never committed.
void* UnmappedAddress();

// A committed, writable page followed by a page that is only reserved.
class RegionEdge {
  public:
    RegionEdge();
    ~RegionEdge();
    RegionEdge(const RegionEdge&) = delete;
    RegionEdge& operator=(const RegionEdge&) = delete;

    // Copies `size` bytes so that they end exactly at the end of the committed page.
    void* EndingAtEdge(const void* bytes, size_t size);
    // Places a record of `size` bytes whose last `overhang` bytes lie in the
    // reserved page; the first size - overhang bytes are copied from `bytes`.
    void* Straddling(const void* bytes, size_t size, size_t overhang);

  private:
    char* base_;
};

size_t PageSize();

// Bytes of the C runtime heap in use, to see what a call leaves behind.
size_t HeapBytesInUse();

} // namespace testsupport
