// Where the engine's commands go: the serial link to a real engine, or the
// simulated engine. Only the worker thread uses a transport.
#pragma once

#include <windows.h>

class IKaLumencorV2Transport {
  public:
    virtual ~IKaLumencorV2Transport() = default;

    // Opens the link; false when it cannot be opened.
    virtual bool Open(int port, unsigned baud) = 0;
    // Whether a silent engine is worth a second try at another baud rate.
    virtual bool HasBaudRates() const = 0;
    virtual void Close() = 0;
    // Sends one command (after dropping anything unread); false on failure.
    virtual bool Send(const char* command, int length) = 0;
    // Reads one answer into `buffer`: at most size - 1 characters, always
    // terminated inside it. Returns the count read (0: nothing).
    virtual int Receive(char* buffer, int size, int attempts) = 0;
    // Whether answers are worth logging (real ones are).
    virtual bool LogsAnswers() const = 0;
    // A disabled link neither sends nor receives.
    virtual void SetEnabled(bool enabled) = 0;
    // The system handle of the port, INVALID_HANDLE_VALUE when there is none.
    virtual HANDLE GetHandle() const = 0;
};
