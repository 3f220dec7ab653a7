// The device's worker thread: every exchange with the engine and the
// periodic poll run on it, and other threads hand it one call at a time.
//
// Hand-over rules:
// - A caller takes the caller lock for the whole call, so callers queue up
//   in turn; the request slot is filled and read under the hand-over lock,
//   which the worker holds while it runs the call. Lock order: caller lock,
//   then hand-over lock.
// - The caller waits up to 10000 ms for the worker to accept the request and
//   then up to its time-out (0: 60000 ms in release mode, 600000 ms
//   otherwise) for it to finish; either wait expiring returns 1460.
// - A timed-out request stays in the slot and the worker may still run it;
//   requests are numbered, so the late completion cannot end the next
//   caller's wait, and the next caller resets the events it left signalled.
// - An exception escaping a call is caught on the worker: result -1.
// - Nothing the caller holds may be needed by the worker to accept: a
//   caller holding the data lock while the poll waits for it times out.
#pragma once

#include "LumencorV2Lock.h"

#include <windows.h>

#include <cstdint>
#include <tuple>
#include <type_traits>

// A call handed to the worker thread: argument and two parameters.
typedef int32_t (*KaWorkerCall)(uint64_t argument, uint64_t parameter1, uint64_t parameter2);

// What the worker does between requests.
class IKaLumencorV2Idle {
  public:
    // Runs on the worker after every idle wait (about every 5 ms).
    virtual void OnWorkerIdle() = 0;

  protected:
    ~IKaLumencorV2Idle() = default;
};

class CKaLumencorV2Worker {
  public:
    static const DWORD kHandOverWaitMs = 10000;
    static const DWORD kStartWaitMs = 10000;
    static const DWORD kStopWaitMs = 10000;
    static const DWORD kReleaseTimeoutMs = 60000;
    static const DWORD kDebugTimeoutMs = 600000;
    static const DWORD kIdleWaitMs = 5;
    // Host sleep after a start, before the first request.
    static const int kSettleMs = 100;

    explicit CKaLumencorV2Worker(IKaLumencorV2Idle& idle) : m_idle(idle) {}
    ~CKaLumencorV2Worker() { Stop(); }
    CKaLumencorV2Worker(const CKaLumencorV2Worker&) = delete;
    CKaLumencorV2Worker& operator=(const CKaLumencorV2Worker&) = delete;

    // Starts a fresh thread (stopping a running one first); false when it did
    // not start within 10000 ms.
    bool Start();
    // Ends the thread: waits 10000 ms for it, then terminates it.
    void Stop();
    bool IsRunning() const { return m_hThread != nullptr; }
    DWORD ThreadId() const { return m_dwThreadId; }
    bool IsWorkerThread() const { return GetCurrentThreadId() == m_dwThreadId; }

    // Runs `function` on the worker and returns its result, or 1460 when the
    // hand-over times out; time-out 0 selects the host's default.
    int32_t CallBack(KaWorkerCall function, uint64_t argument, uint64_t parameter1,
                     uint64_t parameter2, DWORD timeoutMs);

    // Runs a member operation of `object` with up to two parameters on the
    // worker, with the default time-out.
    template <auto Operation, class Object, class... Args>
    int32_t Run(Object& object, Args... args) {
        static_assert(sizeof...(Args) <= 2, "a worker call carries two parameters");
        const uint64_t words[] = {ToWord(args)..., 0, 0};
        return CallBack(&Thunk<Operation, Object, Args...>, reinterpret_cast<uint64_t>(&object),
                        words[0], words[1], 0);
    }

  private:
    friend class CKaLumencorV2DevicePeer;

    template <class T> static uint64_t ToWord(T value) {
        static_assert(std::is_integral_v<T> || std::is_enum_v<T>, "whole numbers only");
        return static_cast<uint64_t>(static_cast<int64_t>(value));
    }
    template <class T> static T FromWord(uint64_t word) {
        if constexpr (std::is_same_v<T, bool>)
            return word != 0;
        else
            return static_cast<T>(static_cast<int64_t>(word));
    }
    template <auto Operation, class Object, class... Args>
    static int32_t Thunk(uint64_t self, uint64_t parameter1, uint64_t parameter2) {
        Object& object = *reinterpret_cast<Object*>(self);
        if constexpr (sizeof...(Args) == 0) {
            return (object.*Operation)();
        } else if constexpr (sizeof...(Args) == 1) {
            return (object.*Operation)(FromWord<Args...>(parameter1));
        } else {
            using First = std::tuple_element_t<0, std::tuple<Args...>>;
            using Second = std::tuple_element_t<1, std::tuple<Args...>>;
            return (object.*Operation)(FromWord<First>(parameter1), FromWord<Second>(parameter2));
        }
    }

    static DWORD WINAPI ThreadProc(void* self);
    void Main();
    void CloseHandles();

    IKaLumencorV2Idle& m_idle;

    // Owned by the thread that starts and stops the worker (the host's main
    // thread); read by callers only inside CallBack, under the hand-over lock.
    HANDLE m_hThread = nullptr;
    DWORD m_dwThreadId = 0;
    HANDLE m_hStarted = nullptr, m_hEnded = nullptr, m_hAccepted = nullptr, m_hDone = nullptr,
           m_hRequest = nullptr;

    // Serialises callers.
    CKaLumencorV2Lock m_callerLock;
    // Guards the request slot between a caller and the worker.
    CKaLumencorV2Lock m_handOverLock;
    // -- under the hand-over lock --
    KaWorkerCall m_pRequestFunction = nullptr;
    uint64_t m_requestArguments[3] = {0, 0, 0};
    int32_t m_iRequestResult = 0;
    uint32_t m_uRequestSequence = 0, m_uDoneSequence = 0;
    // -- under the caller lock --
    // False once a hand-over timed out: its events may still be signalled.
    bool m_bHandOverClean = true;
};
