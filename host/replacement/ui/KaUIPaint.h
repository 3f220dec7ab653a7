// Painting helpers of the host's widgets: a memory DC that copies itself to
// the target when it goes, and the zoomed size of a design measure.
#pragma once

#include <windows.h>

#include <cmath>

class CKaMemoryPaint {
  public:
    CKaMemoryPaint(HDC target, const RECT& rect)
        : m_target(target), m_rect(rect), m_dc(CreateCompatibleDC(target)),
          m_bitmap(CreateCompatibleBitmap(target, Width(), Height())),
          m_old(SelectObject(m_dc, m_bitmap)) {
        SetWindowOrgEx(m_dc, m_rect.left, m_rect.top, nullptr);
    }
    ~CKaMemoryPaint() {
        SetWindowOrgEx(m_dc, 0, 0, nullptr);
        BitBlt(m_target, m_rect.left, m_rect.top, Width(), Height(), m_dc, 0, 0, SRCCOPY);
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    CKaMemoryPaint(const CKaMemoryPaint&) = delete;
    CKaMemoryPaint& operator=(const CKaMemoryPaint&) = delete;
    HDC DC() const { return m_dc; }

  private:
    int Width() const { return m_rect.right - m_rect.left > 0 ? m_rect.right - m_rect.left : 1; }
    int Height() const { return m_rect.bottom - m_rect.top > 0 ? m_rect.bottom - m_rect.top : 1; }
    HDC m_target;
    RECT m_rect;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// BeginPaint / EndPaint as a scope.
class CKaPaintScope {
  public:
    explicit CKaPaintScope(HWND window) : m_window(window) { BeginPaint(window, &m_ps); }
    ~CKaPaintScope() { EndPaint(m_window, &m_ps); }
    CKaPaintScope(const CKaPaintScope&) = delete;
    CKaPaintScope& operator=(const CKaPaintScope&) = delete;
    HDC DC() const { return m_ps.hdc; }

  private:
    HWND m_window;
    PAINTSTRUCT m_ps;
};

// A GDI object selected into a DC for a scope, deleted afterwards when owned.
class CKaSelectObject {
  public:
    CKaSelectObject(HDC dc, HGDIOBJ object, bool owned)
        : m_dc(dc), m_object(object), m_old(SelectObject(dc, object)), m_owned(owned) {}
    ~CKaSelectObject() {
        SelectObject(m_dc, m_old);
        if (m_owned) DeleteObject(m_object);
    }
    CKaSelectObject(const CKaSelectObject&) = delete;
    CKaSelectObject& operator=(const CKaSelectObject&) = delete;

  private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
    bool m_owned;
};

// A design measure at the current GUI zoom.
int KaZoomed(int measure);

// The module of the widgets (their window classes are registered there).
HINSTANCE KaUIModule();
// Registers a widget window class once per process; false on failure.
bool KaRegisterUIClass(const wchar_t* name, WNDPROC procedure);
