// The driver's locks: a critical section that knows whether the calling
// thread holds it (so that lock rules can be asserted in debug builds), and
// a scope that holds one so that an exception cannot leave it taken.
#pragma once

#include <windows.h>

#include <atomic>
#include <cassert>

class CKaLumencorV2Lock {
  public:
    CKaLumencorV2Lock() { InitializeCriticalSection(&m_section); }
    ~CKaLumencorV2Lock() { DeleteCriticalSection(&m_section); }
    CKaLumencorV2Lock(const CKaLumencorV2Lock&) = delete;
    CKaLumencorV2Lock& operator=(const CKaLumencorV2Lock&) = delete;

    void Enter() {
        EnterCriticalSection(&m_section);
        Entered();
    }
    bool TryEnter() {
        if (!TryEnterCriticalSection(&m_section)) return false;
        Entered();
        return true;
    }
    void Leave() {
        if (--m_depth == 0) m_owner.store(0, std::memory_order_relaxed);
        LeaveCriticalSection(&m_section);
    }
    // Only the holder can see its own id here, so a relaxed read is enough.
    bool IsHeldByThisThread() const {
        return m_owner.load(std::memory_order_relaxed) == GetCurrentThreadId();
    }

  private:
    void Entered() {
        m_owner.store(GetCurrentThreadId(), std::memory_order_relaxed);
        ++m_depth;
    }

    CRITICAL_SECTION m_section;
    // Written only by the holder.
    std::atomic<DWORD> m_owner{0};
    int m_depth = 0;
};

class CKaScopedLock {
  public:
    explicit CKaScopedLock(CKaLumencorV2Lock& lock) : m_lock(&lock) { m_lock->Enter(); }
    ~CKaScopedLock() { Unlock(); }
    CKaScopedLock(const CKaScopedLock&) = delete;
    CKaScopedLock& operator=(const CKaScopedLock&) = delete;

    void Unlock() {
        if (m_lock) m_lock->Leave();
        m_lock = nullptr;
    }

  private:
    CKaLumencorV2Lock* m_lock;
};

// Lock rules checked in debug builds.
#define KA_ASSERT_HELD(lock) assert((lock).IsHeldByThisThread())
#define KA_ASSERT_NOT_HELD(lock) assert(!(lock).IsHeldByThisThread())
