// The transport to a real engine: the host's serial port object.
#pragma once

#include "KaSerial.h"
#include "LumencorV2Transport.h"

#include <memory>

class CKaLumencorV2SerialLink : public IKaLumencorV2Transport {
  public:
    CKaLumencorV2SerialLink();

    bool Open(int port, unsigned baud) override;
    bool HasBaudRates() const override { return true; }
    void Close() override;
    bool Send(const char* command, int length) override;
    int Receive(char* buffer, int size, int attempts) override;
    bool LogsAnswers() const override { return true; }
    void SetEnabled(bool enabled) override;
    HANDLE GetHandle() const override;

  private:
    std::unique_ptr<CKaSimpleSerial> m_pSerial;
};
