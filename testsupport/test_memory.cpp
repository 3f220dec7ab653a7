#include "test_memory.h"

#include <windows.h>

#include <malloc.h>

#include <cstring>

namespace testsupport {

size_t PageSize() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
}

ReadOnlyPage::ReadOnlyPage(const void* bytes, size_t size)
    : page_(VirtualAlloc(nullptr, PageSize(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {
    std::memcpy(page_, bytes, size);
    DWORD old;
    VirtualProtect(page_, PageSize(), PAGE_READONLY, &old);
}

ReadOnlyPage::~ReadOnlyPage() {
    VirtualFree(page_, 0, MEM_RELEASE);
}

void* UnmappedAddress() {
    static void* reserved = VirtualAlloc(nullptr, PageSize(), MEM_RESERVE, PAGE_NOACCESS);
    return static_cast<char*>(reserved) + 64;
}

RegionEdge::RegionEdge()
    : base_(static_cast<char*>(VirtualAlloc(nullptr, 2 * PageSize(), MEM_RESERVE, PAGE_NOACCESS))) {
    VirtualAlloc(base_, PageSize(), MEM_COMMIT, PAGE_READWRITE);
}

RegionEdge::~RegionEdge() {
    VirtualFree(base_, 0, MEM_RELEASE);
}

void* RegionEdge::EndingAtEdge(const void* bytes, size_t size) {
    char* record = base_ + PageSize() - size;
    std::memcpy(record, bytes, size);
    return record;
}

void* RegionEdge::Straddling(const void* bytes, size_t size, size_t overhang) {
    char* record = base_ + PageSize() - (size - overhang);
    std::memcpy(record, bytes, size - overhang);
    return record;
}

size_t HeapBytesInUse() {
    _HEAPINFO entry{};
    size_t used = 0;
    while (_heapwalk(&entry) == _HEAPOK)
        if (entry._useflag == _USEDENTRY) used += entry._size;
    return used;
}

} // namespace testsupport
