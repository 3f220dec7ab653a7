// The host's simple serial port.
#pragma once

#include "KaExport.h"

#include <windows.h>

enum EKaParity { KA_PARITY_NONE, KA_PARITY_ODD, KA_PARITY_EVEN, KA_PARITY_MARK, KA_PARITY_SPACE };
enum EKaStopBits { KA_STOPBITS_ONE, KA_STOPBITS_ONE5, KA_STOPBITS_TWO };
enum EKaFlowControl { KA_FLOW_NONE, KA_FLOW_HARDWARE, KA_FLOW_XONXOFF };

class IKaSerialEndpoint;

class HX_SERIAL_API CKaSimpleSerial {
  public:
    CKaSimpleSerial();
    ~CKaSimpleSerial();
    CKaSimpleSerial(const CKaSimpleSerial&) = delete;
    CKaSimpleSerial& operator=(const CKaSimpleSerial&) = delete;

    // False when the port cannot be opened. An open port is closed first.
    bool OpenCOM(int port, unsigned baud, int dataBits, EKaParity parity, EKaStopBits stopBits,
                 bool abortOnError, char eventChar, char errorChar, EKaFlowControl flow,
                 bool dtrHandshake, bool rtsHandshake, char xonChar, char xoffChar);
    // Longest gap inside a line, wait for a line's first byte (per attempt),
    // and the write time-out, in milliseconds.
    bool SetTimeout(unsigned interCharacterMs, unsigned firstCharacterMs, unsigned writeMs);
    bool Purge();
    bool Send(const char* data, unsigned length);
    // Reads one line: up to and including `terminator` (kept when
    // `keepTerminator`), at most `size` characters; gives up after
    // `attempts` silent waits, or at a gap inside the line. Returns the
    // count read, 0 when nothing came. Never writes a terminating zero.
    int ReceiveWithLoop(char terminator, int stopAtTerminator, char* buffer, int size, int attempts,
                        int keepTerminator);
    void ClosePort();
    // A disabled port neither sends nor receives.
    void SetEnabled(bool enabled);
    bool IsEnabled() const { return m_enabled; }
    bool IsOpen() const;
    // The system handle, INVALID_HANDLE_VALUE when closed or virtual.
    HANDLE GetHandle() const;
    unsigned GetBaud() const { return m_baud; }

    // The host's serial connection dialog: lists the COM ports and returns
    // the chosen port number, 0 or -1 when cancelled.
    static int ShowConnectionDialog(HWND parent, int currentPort, bool connected, const int* ports,
                                    bool showBaud, bool showHandshake, int flags,
                                    const wchar_t* deviceName, const wchar_t* portDescription);

  private:
    unsigned ReadChunk(char* buffer, unsigned capacity, unsigned waitMs);
    DWORD QueuedBytes();
    void SetReadTimeouts(unsigned waitMs);

    HANDLE m_handle;
    IKaSerialEndpoint* m_virtual;
    bool m_enabled;
    unsigned m_baud;
    unsigned m_interCharacterMs;
    unsigned m_firstCharacterMs;
    unsigned m_writeMs;
    // Bytes read past the end of the last line; dropped by Purge.
    char m_pending[512];
    unsigned m_pendingCount;
    bool m_readTimeoutsSet;
    unsigned m_readWaitMs;
};
