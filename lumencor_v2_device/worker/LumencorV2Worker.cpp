#include "LumencorV2Worker.h"

#include "KaDMApi.h"
#include "KaSystem.h"
#include "LumencorV2Log.h"

DWORD WINAPI CKaLumencorV2Worker::ThreadProc(void* self) {
    auto* worker = static_cast<CKaLumencorV2Worker*>(self);
    SetEvent(worker->m_hStarted);
    worker->Main();
    SetEvent(worker->m_hEnded);
    return 0;
}

bool CKaLumencorV2Worker::Start() {
    Stop();
    HANDLE* events[] = {&m_hStarted, &m_hEnded, &m_hAccepted, &m_hDone, &m_hRequest};
    for (HANDLE* event : events)
        *event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_hThread = CreateThread(nullptr, 0, &ThreadProc, this, 0, &m_dwThreadId);
    if (m_hThread && WaitForSingleObject(m_hStarted, kStartWaitMs) == WAIT_OBJECT_0) {
        KA_Sleep(kSettleMs, 0);
        return true;
    }
    if (m_hThread) TerminateThread(m_hThread, 1);
    CloseHandles();
    return false;
}

void CKaLumencorV2Worker::Stop() {
    if (!m_hThread) return;
    m_handOverLock.Enter();
    m_pRequestFunction = nullptr;
    m_handOverLock.Leave();
    SetEvent(m_hRequest);
    if (WaitForSingleObject(m_hEnded, kStopWaitMs) != WAIT_OBJECT_0) TerminateThread(m_hThread, 1);
    // The thread object is signalled once the thread has really gone.
    WaitForSingleObject(m_hThread, kStopWaitMs);
    CloseHandles();
}

void CKaLumencorV2Worker::CloseHandles() {
    m_bHandOverClean = true;
    HANDLE* handles[] = {&m_hThread, &m_hStarted, &m_hEnded, &m_hAccepted, &m_hDone, &m_hRequest};
    for (HANDLE* handle : handles) {
        if (*handle) CloseHandle(*handle);
        *handle = nullptr;
    }
    m_dwThreadId = 0;
}

void CKaLumencorV2Worker::Main() {
    for (;;) {
        DWORD wait = WaitForSingleObject(m_hRequest, kIdleWaitMs);
        if (wait == WAIT_TIMEOUT) {
            // Nothing may escape the thread: it would end the process.
            try {
                m_idle.OnWorkerIdle();
            } catch (...) {
                KA_DIAG(true, L"CKaLumencorV2Device::Main - Unknown exception in refresh");
            }
            continue;
        }
        if (wait != WAIT_OBJECT_0) return;
        SetEvent(m_hAccepted);
        m_handOverLock.Enter();
        KaWorkerCall function = m_pRequestFunction;
        if (!function) {
            m_handOverLock.Leave();
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
        m_handOverLock.Leave();
        SetEvent(m_hDone);
    }
}

int32_t CKaLumencorV2Worker::CallBack(KaWorkerCall function, uint64_t argument, uint64_t parameter1,
                                      uint64_t parameter2, DWORD timeoutMs) {
    CKaScopedLock caller(m_callerLock);
    m_handOverLock.Enter();
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
    m_handOverLock.Leave();

    if (timeoutMs == 0)
        timeoutMs = CKaSimpleDMHelper::GetReleaseMode() ? kReleaseTimeoutMs : kDebugTimeoutMs;
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
            caller.Unlock();
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
        m_handOverLock.Enter();
        bool mine = m_uDoneSequence == sequence;
        int32_t result = m_iRequestResult;
        m_handOverLock.Leave();
        if (mine) {
            caller.Unlock();
            return result;
        }
    }
    m_bHandOverClean = false;
    caller.Unlock();
    KA_DIAG(false, L"CKaLumencorV2Device::CallBack - time-out 2 - the call did not finish");
    return KA_DM_TIMEOUT;
}
