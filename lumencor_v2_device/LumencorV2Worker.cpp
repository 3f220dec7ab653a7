// The worker thread: every exchange with the engine and the periodic poll
// run on it; other threads hand it one call at a time through CallBack.
#include "LumencorV2Device.h"

#include "KaSystem.h"

#include <exception>

namespace {
const DWORD kHandOverWaitMs = 10000;
}

int32_t CKaLumencorV2Device::SetComunicationEnabledThunk(uint64_t self, uint64_t enabled,
                                                         uint64_t) {
    return reinterpret_cast<CKaLumencorV2Device*>(self)->C_SetComunicationEnabled(enabled != 0);
}

int32_t CKaLumencorV2Device::WakeUpThunk(uint64_t self, uint64_t, uint64_t) {
    return reinterpret_cast<CKaLumencorV2Device*>(self)->C_WakeUp();
}

DWORD WINAPI CKaLumencorV2Device::ThreadProc(void* self) {
    auto* device = static_cast<CKaLumencorV2Device*>(self);
    SetEvent(device->m_hStarted);
    device->Main();
    SetEvent(device->m_hEnded);
    return 0;
}

bool CKaLumencorV2Device::StartWorkerThread() {
    StopWorkerThread();
    HANDLE* events[] = {&m_hStarted, &m_hEnded, &m_hAccepted, &m_hDone, &m_hRequest};
    for (HANDLE* event : events)
        *event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_hThread = CreateThread(nullptr, 0, &ThreadProc, this, 0, &m_dwThreadId);
    if (m_hThread && WaitForSingleObject(m_hStarted, kHandOverWaitMs) == WAIT_OBJECT_0) {
        KA_Sleep(100, 0);
        return true;
    }
    if (m_hThread) TerminateThread(m_hThread, 1);
    CloseWorkerHandles();
    return false;
}

void CKaLumencorV2Device::StopWorkerThread() {
    if (!m_hThread) return;
    EnterCriticalSection(&m_csHandOver);
    m_pRequestFunction = nullptr;
    LeaveCriticalSection(&m_csHandOver);
    SetEvent(m_hRequest);
    if (WaitForSingleObject(m_hEnded, kHandOverWaitMs) != WAIT_OBJECT_0)
        TerminateThread(m_hThread, 1);
    // The thread object is signalled once the thread has really gone.
    WaitForSingleObject(m_hThread, kHandOverWaitMs);
    CloseWorkerHandles();
}

void CKaLumencorV2Device::CloseWorkerHandles() {
    m_bHandOverClean = true;
    HANDLE* handles[] = {&m_hThread, &m_hStarted, &m_hEnded, &m_hAccepted, &m_hDone, &m_hRequest};
    for (HANDLE* handle : handles) {
        if (*handle) CloseHandle(*handle);
        *handle = nullptr;
    }
    m_dwThreadId = 0;
}

void CKaLumencorV2Device::Main() {
    for (;;) {
        DWORD wait = WaitForSingleObject(m_hRequest, 5);
        if (wait == WAIT_TIMEOUT) {
            // One poll every 201 idle waits, about once a second.
            if (m_iRefreshCountdown >= 0 && m_bCommunicationEnabled) {
                if (m_iRefreshCountdown-- == 0) {
                    m_iRefreshCountdown = 200;
                    // Nothing may escape the thread: it would end the process.
                    try {
                        C_Refresh();
                    } catch (...) {
                        KA_DIAG(true, L"CKaLumencorV2Device::Main - Unknown exception in refresh");
                    }
                }
            }
            continue;
        }
        if (wait != WAIT_OBJECT_0) return;
        SetEvent(m_hAccepted);
        EnterCriticalSection(&m_csHandOver);
        KaWorkerCall function = m_pRequestFunction;
        if (!function) {
            LeaveCriticalSection(&m_csHandOver);
            return;
        }
        try {
            m_iRequestResult =
                function(m_requestArguments[0], m_requestArguments[1], m_requestArguments[2]);
        } catch (...) {
            KA_DIAG(true, L"CKaLumencorV2Device::Main - Unknown exception - 1");
            m_iRequestResult = -1;
        }
        m_uDoneSequence = m_uRequestSequence;
        LeaveCriticalSection(&m_csHandOver);
        SetEvent(m_hDone);
    }
}

int32_t CKaLumencorV2Device::CallBack(KaWorkerCall function, uint64_t argument, uint64_t parameter1,
                                      uint64_t parameter2, DWORD timeoutMs) {
    EnterCriticalSection(&m_csCaller);
    EnterCriticalSection(&m_csHandOver);
    m_pRequestFunction = function;
    m_requestArguments[0] = argument;
    m_requestArguments[1] = parameter1;
    m_requestArguments[2] = parameter2;
    m_iRequestResult = 0;
    uint32_t sequence = ++m_uRequestSequence;
    HANDLE accepted = m_hAccepted, done = m_hDone, request = m_hRequest;
    // A completed hand-over consumed both auto-reset events; only one that
    // timed out can leave them signalled (the resets cost a round trip each).
    if (!m_bHandOverClean) {
        if (accepted) ResetEvent(accepted);
        if (done) ResetEvent(done);
        m_bHandOverClean = true;
    }
    LeaveCriticalSection(&m_csHandOver);

    if (timeoutMs == 0) timeoutMs = CKaSimpleDMHelper::GetReleaseMode() ? 60000 : 600000;
    if (request) SetEvent(request);

    // A call that is accepted and done within the first wait takes both
    // auto-reset events in one wait; a slower one gets the two waits in turn.
    HANDLE both[2] = {accepted, done};
    DWORD firstMs = timeoutMs < kHandOverWaitMs ? timeoutMs : kHandOverWaitMs;
    DWORD startMs = GetTickCount();
    DWORD wait = accepted ? WaitForMultipleObjects(2, both, TRUE, firstMs) : WAIT_FAILED;
    bool doneSignalled = wait == WAIT_OBJECT_0 || wait == WAIT_OBJECT_0 + 1;
    if (!doneSignalled) {
        DWORD elapsed = GetTickCount() - startMs;
        DWORD rest = elapsed < kHandOverWaitMs ? kHandOverWaitMs - elapsed : 0;
        if (!accepted || WaitForSingleObject(accepted, rest) != WAIT_OBJECT_0) {
            m_bHandOverClean = false;
            LeaveCriticalSection(&m_csCaller);
            KA_DIAG(false, L"CKaLumencorV2Device::CallBack - time-out 1 - the worker thread did "
                           L"not accept the call");
            return KA_DM_TIMEOUT;
        }
        startMs = GetTickCount();
    }
    // After a time-out the worker may still signal the call it was running;
    // only the completion of this call's request ends the wait.
    for (;;) {
        if (!doneSignalled) {
            DWORD elapsed = GetTickCount() - startMs;
            if (elapsed >= timeoutMs ||
                WaitForSingleObject(done, timeoutMs - elapsed) != WAIT_OBJECT_0)
                break;
        }
        doneSignalled = false;
        EnterCriticalSection(&m_csHandOver);
        bool mine = m_uDoneSequence == sequence;
        int32_t result = m_iRequestResult;
        LeaveCriticalSection(&m_csHandOver);
        if (mine) {
            LeaveCriticalSection(&m_csCaller);
            return result;
        }
    }
    m_bHandOverClean = false;
    LeaveCriticalSection(&m_csCaller);
    KA_DIAG(false, L"CKaLumencorV2Device::CallBack - time-out 2 - the call did not finish");
    return KA_DM_TIMEOUT;
}
