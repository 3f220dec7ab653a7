// What the pad's three panels share: a child window of a class of their own
// (registered once per process), found through the class's map from window
// handle to panel, painted double-buffered.
#pragma once

#include <windows.h>

#include <map>

class CKaLumencorV2Device;
class CKaLumencorV2Pad;

class CKaLumencorV2Panel {
  public:
    typedef std::map<HWND, CKaLumencorV2Panel*> WindowMap;

    CKaLumencorV2Panel(CKaLumencorV2Pad* pad, CKaLumencorV2Device* device, int width, int height);
    virtual ~CKaLumencorV2Panel();
    CKaLumencorV2Panel(const CKaLumencorV2Panel&) = delete;
    CKaLumencorV2Panel& operator=(const CKaLumencorV2Panel&) = delete;

    void Destroy();
    HWND GetHandle() const { return m_hWnd; }
    int GetWidth() const { return m_iWidth; }
    int GetHeight() const { return m_iHeight; }
    // Places the panel without resizing it and shows or hides it; true when
    // its visibility changed.
    bool Place(int x, int y, bool show);

  protected:
    // Creates the panel's window at (x, y) in `parent`. A class that cannot
    // be registered is logged as "<logName>::Create - RegisterClass failed -
    // lasterror = %d" and creation goes on.
    bool CreatePanelWindow(HWND parent, int x, int y, const wchar_t* className,
                           const wchar_t* logName, WindowMap& windows, WNDPROC procedure);
    // The window procedure of a panel class: binds at WM_NCCREATE, unbinds at
    // WM_NCDESTROY, paints, and passes the rest to HandleMessage.
    static LRESULT PanelProcedure(WindowMap& windows, HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
    void SetSize(int width, int height);

    CKaLumencorV2Pad* m_pPad;
    CKaLumencorV2Device* m_pDevice;
    HWND m_hWnd = nullptr;
    int m_iWidth;
    int m_iHeight;
};
