#include "LumencorV2PadPaint.h"

#include "KaGUI.h"

namespace lumencor {

namespace {

// A memory DC with a bitmap of the given size selected, released as a unit.
class CMemoryBitmap {
  public:
    CMemoryBitmap(HDC compatible, int width, int height)
        : m_dc(CreateCompatibleDC(compatible)),
          m_bitmap(
              CreateCompatibleBitmap(compatible, width > 0 ? width : 1, height > 0 ? height : 1)),
          m_old(SelectObject(m_dc, m_bitmap)) {}
    ~CMemoryBitmap() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    CMemoryBitmap(const CMemoryBitmap&) = delete;
    CMemoryBitmap& operator=(const CMemoryBitmap&) = delete;
    HDC DC() const { return m_dc; }

  private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

struct SChildPaint {
    HWND parent;
    HDC memory;
    HDC screen;
    RECT client;
};

BOOL CALLBACK PaintChild(HWND child, LPARAM context) {
    auto& paint = *reinterpret_cast<SChildPaint*>(context);
    if (GetParent(child) != paint.parent || !IsWindowVisible(child)) return TRUE;
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, paint.parent, reinterpret_cast<POINT*>(&rect), 2);
    const POINT corner = {rect.left, rect.top};
    if (!PtInRect(&paint.client, corner)) return TRUE;
    POINT origin;
    SetViewportOrgEx(paint.memory, rect.left, rect.top, &origin);
    SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(paint.memory),
                 PRF_CLIENT | PRF_NONCLIENT | PRF_CHILDREN | PRF_ERASEBKGND);
    SetViewportOrgEx(paint.memory, origin.x, origin.y, nullptr);
    ExcludeClipRect(paint.screen, rect.left, rect.top, rect.right, rect.bottom);
    return TRUE;
}

} // namespace

void PaintBuffered(HWND window, WNDPROC defaultProcedure) {
    PAINTSTRUCT ps;
    HDC screen = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    {
        CMemoryBitmap memory(screen, client.right, client.bottom);
        FillRect(memory.DC(), &client, KA_GetSysColorBrush(COLOR_BTNFACE));
        if (defaultProcedure)
            CallWindowProcW(defaultProcedure, window, WM_PRINTCLIENT,
                            reinterpret_cast<WPARAM>(memory.DC()), PRF_CLIENT);
        SChildPaint paint = {window, memory.DC(), screen, client};
        EnumChildWindows(window, PaintChild, reinterpret_cast<LPARAM>(&paint));
        BitBlt(screen, 0, 0, client.right, client.bottom, memory.DC(), 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
}

void DrawConfigureButton(const DRAWITEMSTRUCT& item, const wchar_t* text) {
    const RECT& rect = item.rcItem;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const int shift = pressed ? 1 : 0;
    CMemoryBitmap memory(item.hDC, width, height);
    HDC dc = memory.DC();
    RECT area = {0, 0, width, height};
    FillRect(dc, &area, KA_GetSysColorBrush(COLOR_BTNFACE));
    KA_DrawButtonBackground(dc, area, pressed ? KA_BUTTON_PRESSED : KA_BUTTON_NORMAL);
    const int side = height - 4;
    if (side > 0) {
        const int left = side / 2 + shift, top = 2 + shift;
        RECT image = {left, top, left + side, top + side};
        CKaBitmapPool::DrawOptimalImage(dc, CKaBitmapPool::AddImageBaseUI(L"SETTINGS"), image,
                                        disabled);
    }
    HGDIOBJ oldFont = SelectObject(dc, KA_GetDefaultGuiFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, KA_GetSysColor(COLOR_BTNTEXT));
    RECT textRect = {2 * side + shift, shift, width, height + shift};
    DrawTextW(dc, text ? text : L"", -1, &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    BitBlt(item.hDC, rect.left, rect.top, width, height, dc, 0, 0, SRCCOPY);
}

} // namespace lumencor
