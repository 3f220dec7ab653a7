#include "LumencorV2SerialLink.h"

#include "LumencorV2Protocol.h"

using namespace lumencor;

namespace {
// The host's loop receive: keep reading until the line end, keep it.
const int kStopAtLineEnd = 1, kLoopWaits = 3, kKeepLineEnd = 1;
const char kErrorChar = 0, kXon = 17, kXoff = 19;
const int kDataBits = 8;
} // namespace

CKaLumencorV2SerialLink::CKaLumencorV2SerialLink() : m_pSerial(new CKaSimpleSerial()) {}

bool CKaLumencorV2SerialLink::Open(int port, unsigned baud) {
    if (!m_pSerial->OpenCOM(port, baud, kDataBits, KA_PARITY_NONE, KA_STOPBITS_ONE, false, kLineEnd,
                            kErrorChar, KA_FLOW_NONE, false, false, kXon, kXoff))
        return false;
    m_pSerial->SetTimeout(kInterCharacterMs, kFirstCharacterMs, kWriteMs);
    return true;
}

void CKaLumencorV2SerialLink::Close() {
    m_pSerial->ClosePort();
}

bool CKaLumencorV2SerialLink::Send(const char* command, int length) {
    m_pSerial->Purge();
    return m_pSerial->Send(command, static_cast<unsigned>(length));
}

int CKaLumencorV2SerialLink::Receive(char* buffer, int size, int attempts) {
    if (size <= 0) return 0;
    buffer[0] = 0;
    int count = 0;
    for (int attempt = 0; attempt < attempts && count == 0; ++attempt)
        count = m_pSerial->ReceiveWithLoop(kLineEnd, kStopAtLineEnd, buffer, size - 1, kLoopWaits,
                                           kKeepLineEnd);
    if (count < 0 || count > size - 1) count = 0;
    buffer[count] = 0;
    return count;
}

void CKaLumencorV2SerialLink::SetEnabled(bool enabled) {
    m_pSerial->SetEnabled(enabled);
}

HANDLE CKaLumencorV2SerialLink::GetHandle() const {
    return m_pSerial->GetHandle();
}
