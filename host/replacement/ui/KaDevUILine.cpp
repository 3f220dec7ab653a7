// One row of the multi-line widget: used check box, name, wavelength, power
// slider, value text and shine indicator.
#include "KaDevUI.h"
#include "KaGUI.h"
#include "KaUIPaint.h"

#include <commctrl.h>

#include <cmath>
#include <cwchar>

namespace {

const wchar_t kRowClass[] = L"KaDevUI_MultiLaserLine";
// Slider steps per percent: the slider moves in hundredths.
const int kSliderScale = 100;
const int kSliderMax = 100 * kSliderScale;
enum { kCheckId = 100, kSliderId = 101 };
// Design measures at zoom 1.0.
const int kRowHeight = 24, kCheckX = 2, kCheckSide = 14, kNameX = 18, kNameWidth = 40,
          kWaveWidth = 34, kValueWidth = 56, kShineSide = 10, kShineMargin = 4;
const size_t kValueChars = 64;

// A format of exactly one floating-point conversion ("%%" aside), with no
// width or precision taken from the arguments.
bool IsValueFormat(const wchar_t* format) {
    int conversions = 0;
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%') continue;
        if (p[1] == L'%') {
            ++p;
            continue;
        }
        ++p;
        while (*p && std::wcschr(L"-+ #0123456789.", *p))
            ++p;
        if (!*p || !std::wcschr(L"fFeEgG", *p)) return false;
        ++conversions;
    }
    return conversions == 1;
}

// A colour near the light of a wavelength, for the shine indicator.
COLORREF WavelengthColour(unsigned nm) {
    if (nm < 420) return RGB(130, 0, 200);
    if (nm < 460) return RGB(40, 40, 255);
    if (nm < 500) return RGB(0, 190, 255);
    if (nm < 530) return RGB(0, 220, 160);
    if (nm < 570) return RGB(60, 220, 0);
    if (nm < 600) return RGB(255, 200, 0);
    if (nm < 700) return RGB(255, 40, 0);
    return RGB(150, 0, 0);
}

} // namespace

struct KaDevUILineWindow {
    static CKaDevUI_MultiLaserLine* Row(HWND window) {
        return reinterpret_cast<CKaDevUI_MultiLaserLine*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }

    static void Paint(HWND window, CKaDevUI_MultiLaserLine& row) {
        CKaPaintScope paint(window);
        RECT client;
        GetClientRect(window, &client);
        CKaMemoryPaint memory(paint.DC(), client);
        HDC dc = memory.DC();
        FillRect(dc, &client, KA_GetSysColorBrush(COLOR_BTNFACE));
        CKaSelectObject font(dc, KA_GetDefaultGuiFont(), false);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, KA_GetSysColor(row.m_bCheckEnabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        const int width = client.right;
        // The name, or the wavelength for a line without one.
        wchar_t wave[16] = L"";
        if (row.m_uWavelength) std::swprintf(wave, 16, L"%u nm", row.m_uWavelength);
        RECT name = {KaZoomed(kNameX), 0, KaZoomed(kNameX + kNameWidth + kWaveWidth),
                     client.bottom};
        DrawTextW(dc, row.m_sName.IsEmpty() ? wave : row.m_sName.GetString(), -1, &name,
                  DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
        const int shine = KaZoomed(kShineSide), margin = KaZoomed(kShineMargin);
        RECT value = {width - margin - shine - KaZoomed(kValueWidth), 0, width - margin - shine,
                      client.bottom};
        DrawTextW(dc, row.m_sValue, -1, &value,
                  DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        const int top = (client.bottom - shine) / 2;
        COLORREF fill =
            row.m_bShine ? WavelengthColour(row.m_uWavelength) : KA_GetSysColor(COLOR_BTNFACE);
        CKaSelectObject pen(dc, CreatePen(PS_SOLID, 1, KA_GetSysColor(COLOR_BTNSHADOW)), true);
        CKaSelectObject brush(dc, CreateSolidBrush(fill), true);
        Ellipse(dc, width - margin - shine + 2, top, width - margin + 2, top + shine);
    }

    static void OnSlider(CKaDevUI_MultiLaserLine& row) {
        const auto position = SendMessageW(row.m_hSlider, TBM_GETPOS, 0, 0);
        const double percent = static_cast<double>(position) / kSliderScale;
        if (percent == row.m_dPower) return;
        row.m_dPower = percent;
        if (row.m_pOwner) row.m_pOwner->OnPowerChanged(row.m_iIndex, percent);
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        CKaDevUI_MultiLaserLine* row = Row(window);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (row) row->m_hWnd = row->m_hSlider = row->m_hCheck = nullptr;
        }
        if (!row) return DefWindowProcW(window, message, wParam, lParam);
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint(window, *row);
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == row->m_hSlider) OnSlider(*row);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCheckId && HIWORD(wParam) == BN_CLICKED && row->m_pOwner)
                row->m_pOwner->OnLineUsedChanged(row->m_iIndex, !row->m_bUsed);
            return 0;
        case WM_MOUSEWHEEL:
            if (row->m_pOwner && row->m_pOwner->HandleMouseWheel(wParam, lParam)) return 0;
            break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

CKaDevUI_MultiLaserLine::CKaDevUI_MultiLaserLine() = default;

CKaDevUI_MultiLaserLine::~CKaDevUI_MultiLaserLine() {
    Destroy();
}

int CKaDevUI_MultiLaserLine::GetHeight() const {
    return KaZoomed(kRowHeight);
}

bool CKaDevUI_MultiLaserLine::Create(CKaDevUI_MultiLaserLines* owner, int index, HWND parent,
                                     int width) {
    Destroy();
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls = {};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_BAR_CLASSES;
        InitCommonControlsEx(&controls);
        return KaRegisterUIClass(kRowClass, KaDevUILineWindow::Procedure);
    }();
    if (!registered) return false;
    m_pOwner = owner;
    m_iIndex = index;
    const int height = GetHeight();
    m_hWnd = CreateWindowExW(WS_EX_CONTROLPARENT, kRowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                             width, height, parent, nullptr, KaUIModule(), this);
    if (!m_hWnd) return false;
    const int side = KaZoomed(kCheckSide);
    m_hCheck = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX,
                               KaZoomed(kCheckX), (height - side) / 2, side, side, m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCheckId)),
                               KaUIModule(), nullptr);
    const int sliderX = KaZoomed(kNameX + kNameWidth + kWaveWidth);
    const int sliderRight =
        width - KaZoomed(kShineMargin) - KaZoomed(kShineSide) - KaZoomed(kValueWidth);
    m_hSlider = CreateWindowExW(
        0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ | TBS_NOTICKS,
        sliderX, 0, sliderRight > sliderX ? sliderRight - sliderX : 1, height, m_hWnd,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSliderId)), KaUIModule(), nullptr);
    SendMessageW(m_hSlider, TBM_SETRANGEMIN, FALSE, 0);
    SendMessageW(m_hSlider, TBM_SETRANGEMAX, FALSE, kSliderMax);
    SendMessageW(m_hSlider, TBM_SETLINESIZE, 0, kSliderScale);
    SendMessageW(m_hSlider, TBM_SETPAGESIZE, 0, 10 * kSliderScale);
    SendMessageW(m_hCheck, WM_SETFONT, reinterpret_cast<WPARAM>(KA_GetDefaultGuiFont()), FALSE);
    SetPowerEx(m_dPower, m_iPowerMode);
    SetUsed(m_bUsed);
    CheckboxLineEnable(m_bCheckEnabled);
    return true;
}

void CKaDevUI_MultiLaserLine::Destroy() {
    if (m_hWnd) DestroyWindow(m_hWnd);
    m_hWnd = m_hSlider = m_hCheck = nullptr;
}

void CKaDevUI_MultiLaserLine::Redraw() {
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CKaDevUI_MultiLaserLine::SetName(const wchar_t* name) {
    m_sName = name ? name : L"";
    Redraw();
}

void CKaDevUI_MultiLaserLine::SetWavelength(unsigned nm) {
    m_uWavelength = nm;
    Redraw();
}

void CKaDevUI_MultiLaserLine::SetValueText(const wchar_t* format, const wchar_t* units,
                                           double value) {
    wchar_t text[kValueChars] = L"";
    if (format && IsValueFormat(format)) std::swprintf(text, kValueChars, format, value);
    m_sValue = text;
    if (units && *units) {
        if (!m_sValue.IsEmpty()) m_sValue += L" ";
        m_sValue.Append(units, std::wcslen(units) < kValueChars ? std::wcslen(units) : kValueChars);
    }
    Redraw();
}

void CKaDevUI_MultiLaserLine::SetPowerEx(double percent, int mode) {
    if (!(percent >= 0.0)) percent = 0.0;
    if (percent > 100.0) percent = 100.0;
    m_dPower = percent;
    m_iPowerMode = mode;
    if (m_hSlider)
        SendMessageW(m_hSlider, TBM_SETPOS, TRUE,
                     static_cast<LPARAM>(std::lround(percent * kSliderScale)));
    SetValueText(L"%0.2f", L"[%]", percent);
}

void CKaDevUI_MultiLaserLine::SetUsed(bool used) {
    m_bUsed = used;
    if (m_hCheck) SendMessageW(m_hCheck, BM_SETCHECK, used ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CKaDevUI_MultiLaserLine::SetLaserShine(bool shine) {
    if (m_bShine == shine) return;
    m_bShine = shine;
    Redraw();
}

void CKaDevUI_MultiLaserLine::CheckboxLineEnable(bool enable) {
    m_bCheckEnabled = enable;
    if (m_hCheck) EnableWindow(m_hCheck, enable);
    Redraw();
}

void CKaDevUI_MultiLaserLine::SetPushButtonToEnabledLines(bool push) {
    m_bPushButton = push;
}

void CKaDevUI_MultiLaserLine::Move(int x, int y) {
    if (m_hWnd)
        SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
