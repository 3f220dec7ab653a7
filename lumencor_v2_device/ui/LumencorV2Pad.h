// The device pad: the window the device posts its change messages to.
#pragma once

#include <windows.h>

#include <atomic>

class CKaLumencorV2Device;

// Window messages posted to the pad, all with zero parameters.
enum {
    KA_PAD_RELAYOUT = 1040,
    KA_PAD_AWAKE_OR_SETTINGS = 1041,
    KA_PAD_OPERATION_MODE = 1056,
    KA_PAD_SHUTTER_STATE = 1059,
    KA_PAD_SHUTTER_REFRESH = 1060,
    KA_PAD_LINE_STATE = 1061,
    KA_PAD_READOUTS = 1062,
};

class CKaLumencorV2Pad {
  public:
    explicit CKaLumencorV2Pad(CKaLumencorV2Device* owner);
    ~CKaLumencorV2Pad();
    CKaLumencorV2Pad(const CKaLumencorV2Pad&) = delete;
    CKaLumencorV2Pad& operator=(const CKaLumencorV2Pad&) = delete;

    HWND GetHandle() const { return m_hWnd.load(); }
    // Sets the window that receives the pad messages (null forgets it).
    void SetHandle(HWND window) { m_hWnd = window; }
    void Refresh();

  private:
    CKaLumencorV2Device* m_pOwner;
    // Set on the main thread; read by every thread that posts to the pad.
    std::atomic<HWND> m_hWnd{nullptr};
};
