// The simulated light engine: a transport that answers each command from a
// fixed table, the simulator's model and channel map, and the device's own
// line records and shutter state. Nothing is opened or closed.
#pragma once

#include "KaString.h"
#include "LumencorV2Transport.h"

#include <string>

class CKaLumencorV2Device;

class CKaLumencorV2Simulator : public IKaLumencorV2Transport {
  public:
    explicit CKaLumencorV2Simulator(CKaLumencorV2Device& device) : m_device(device) {}

    // The engine's model text and channel map (from the registry).
    void SetEngine(const CKaStringA& model, const CKaStringA& channelMap);
    const CKaStringA& GetLastCommand() const { return m_sLastCommand; }

    bool Open(int, unsigned) override { return true; }
    bool HasBaudRates() const override { return false; }
    void Close() override {}
    // Keeps the command as the last one.
    bool Send(const char* command, int length) override;
    // The answer to the last command, cut to size - 1 characters.
    int Receive(char* buffer, int size, int attempts) override;
    bool LogsAnswers() const override { return false; }
    void SetEnabled(bool) override {}
    HANDLE GetHandle() const override { return INVALID_HANDLE_VALUE; }

  private:
    std::string Answer();
    std::string LinesAnswer(bool switches);

    CKaLumencorV2Device& m_device;
    // Worker thread.
    CKaStringA m_sLastCommand;
    CKaStringA m_sModel;
    CKaStringA m_sChannelMap;
};
