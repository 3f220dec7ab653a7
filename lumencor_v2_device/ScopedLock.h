// Holds a critical section for a scope, so that an exception cannot leave
// it taken; Unlock ends the hold early.
#pragma once

#include <windows.h>

class CKaScopedLock {
  public:
    explicit CKaScopedLock(CRITICAL_SECTION& section) : m_section(&section) {
        EnterCriticalSection(m_section);
    }
    ~CKaScopedLock() { Unlock(); }
    CKaScopedLock(const CKaScopedLock&) = delete;
    CKaScopedLock& operator=(const CKaScopedLock&) = delete;

    void Unlock() {
        if (m_section) LeaveCriticalSection(m_section);
        m_section = nullptr;
    }

  private:
    CRITICAL_SECTION* m_section;
};
