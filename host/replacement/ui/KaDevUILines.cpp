// The multi-line widget: the subset strip and one row per line, in a window
// of their own; the default handlers keep the rows as the user left them.
#include "KaDevUI.h"
#include "KaDeviceMultiLaser.h"
#include "KaGUI.h"
#include "KaUIPaint.h"

#include <commctrl.h>

#include <cwchar>

namespace {
const wchar_t kLinesClass[] = L"KaDevUI_MultiLaserLines";
const wchar_t kSubsetsClass[] = L"KaDevUI_MultiLaserLinesSubsets";
const int kSubsetHeight = 18;
const int kFirstSubsetId = 200;
// One wheel notch moves a slider by a percent.
const double kWheelStep = 1.0;

LRESULT PaintFace(HWND window) {
    CKaPaintScope paint(window);
    RECT client;
    GetClientRect(window, &client);
    FillRect(paint.DC(), &client, KA_GetSysColorBrush(COLOR_BTNFACE));
    return 0;
}

void Bind(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
}
} // namespace

struct KaDevUILinesWindow {
    static LRESULT CALLBACK Lines(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Bind(window, message, lParam);
        auto* lines =
            reinterpret_cast<CKaDevUI_MultiLaserLines*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (lines) lines->m_hWnd = nullptr;
        }
        if (!lines) return DefWindowProcW(window, message, wParam, lParam);
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return PaintFace(window);
        case WM_MOUSEWHEEL:
            if (lines->HandleMouseWheel(wParam, lParam)) return 0;
            break;
        case WM_MOUSEMOVE: {
            TRACKMOUSEEVENT track = {};
            track.cbSize = sizeof track;
            track.dwFlags = TME_LEAVE;
            track.hwndTrack = window;
            TrackMouseEvent(&track);
            lines->OnHoverForPad();
            return 0;
        }
        case WM_MOUSELEAVE:
            lines->UnHoverForPad();
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    static LRESULT CALLBACK Subsets(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Bind(window, message, lParam);
        auto* lines =
            reinterpret_cast<CKaDevUI_MultiLaserLines*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (lines) lines->m_subsets.m_hWnd = nullptr;
        }
        if (!lines) return DefWindowProcW(window, message, wParam, lParam);
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            return PaintFace(window);
        case WM_COMMAND: {
            const int line = LOWORD(wParam) - kFirstSubsetId;
            if (HIWORD(wParam) == BN_CLICKED && line >= 0 && line < lines->m_subsets.m_iCount)
                lines->OnSubsetCheckChanged(line, !lines->m_subsets.m_bChecked[line]);
            return 0;
        }
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

// ---- subset strip ----

CKaDevUI_MultiLaserLinesSubsets::CKaDevUI_MultiLaserLinesSubsets() = default;

CKaDevUI_MultiLaserLinesSubsets::~CKaDevUI_MultiLaserLinesSubsets() {
    Destroy();
}

bool CKaDevUI_MultiLaserLinesSubsets::Create(CKaDevUI_MultiLaserLines* owner, HWND parent,
                                             int width, int count, bool show) {
    Destroy();
    m_iCount = count < 0 ? 0 : (count > kMaxLines ? kMaxLines : count);
    m_bShown = show;
    if (!show) return true;
    static const bool registered = KaRegisterUIClass(kSubsetsClass, KaDevUILinesWindow::Subsets);
    if (!registered) return false;
    const int height = GetHeight();
    m_hWnd = CreateWindowExW(WS_EX_CONTROLPARENT, kSubsetsClass, L"", WS_CHILD | WS_VISIBLE, 0, 0,
                             width, height, parent, nullptr, KaUIModule(), owner);
    if (!m_hWnd || m_iCount == 0) return m_hWnd != nullptr;
    const int cell = width / m_iCount;
    for (int i = 0; i < m_iCount; ++i) {
        wchar_t label[8];
        std::swprintf(label, 8, L"%d", i + 1);
        m_checks[i] = CreateWindowExW(
            0, L"BUTTON", label, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, i * cell, 0,
            cell, height, m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstSubsetId + i)),
            KaUIModule(), nullptr);
        SendMessageW(m_checks[i], WM_SETFONT, reinterpret_cast<WPARAM>(KA_GetDefaultGuiFont()),
                     FALSE);
        SetCheck(i, m_bChecked[i]);
    }
    return true;
}

void CKaDevUI_MultiLaserLinesSubsets::Destroy() {
    if (m_hWnd) DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
    for (HWND& check : m_checks)
        check = nullptr;
}

void CKaDevUI_MultiLaserLinesSubsets::SetCheck(int line, bool checked) {
    if (line < 0 || line >= kMaxLines) return;
    m_bChecked[line] = checked;
    if (m_checks[line])
        SendMessageW(m_checks[line], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CKaDevUI_MultiLaserLinesSubsets::GetCheck(int line) const {
    return line >= 0 && line < kMaxLines && m_bChecked[line];
}

int CKaDevUI_MultiLaserLinesSubsets::GetHeight() const {
    return m_bShown ? KaZoomed(kSubsetHeight) : 0;
}

HWND CKaDevUI_MultiLaserLinesSubsets::GetCheckBox(int line) const {
    return line >= 0 && line < kMaxLines ? m_checks[line] : nullptr;
}

// ---- the widget ----

CKaDevUI_MultiLaserLines::CKaDevUI_MultiLaserLines() = default;

CKaDevUI_MultiLaserLines::~CKaDevUI_MultiLaserLines() {
    Destroy();
}

void CKaDevUI_MultiLaserLines::OnPowerChanged(int line, double percent) {
    operator[](line).SetValueText(L"%0.2f", L"[%]", percent);
}

void CKaDevUI_MultiLaserLines::OnLineUsedChanged(int line, bool used) {
    operator[](line).SetUsed(used);
}

void CKaDevUI_MultiLaserLines::OnNDFilterChanged(int, int) {}
void CKaDevUI_MultiLaserLines::OnLinkChanged(int, bool) {}
void CKaDevUI_MultiLaserLines::OnHoverForPad() {}
void CKaDevUI_MultiLaserLines::UnHoverForPad() {}

void CKaDevUI_MultiLaserLines::OnSubsetCheckChanged(int line, bool checked) {
    m_subsets.SetCheck(line, checked);
}

bool CKaDevUI_MultiLaserLines::HandleMouseWheel(WPARAM wParam, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int notches = static_cast<short>(HIWORD(wParam)) / WHEEL_DELTA;
    if (notches == 0) return false;
    for (int i = 0; i < m_iCount; ++i) {
        CKaDevUI_MultiLaserLine& row = m_rows[i];
        if (!row.m_hSlider || !row.m_bCheckEnabled) continue;
        RECT rect;
        GetWindowRect(row.m_hSlider, &rect);
        if (!PtInRect(&rect, point)) continue;
        double percent = row.m_dPower + notches * kWheelStep;
        percent = percent < 0.0 ? 0.0 : (percent > 100.0 ? 100.0 : percent);
        row.SetPowerEx(percent, row.m_iPowerMode);
        OnPowerChanged(i, percent);
        return true;
    }
    return false;
}

bool CKaDevUI_MultiLaserLines::Init(IKaDeviceMultiLaser* source, bool, bool) {
    m_pSource = source;
    int count = 0;
    if (!source || source->GetLineCount(&count) != KA_DM_OK) count = 0;
    m_iCount = count < 0 ? 0 : (count > kMaxLines ? kMaxLines : count);
    return source != nullptr;
}

HWND CKaDevUI_MultiLaserLines::Create(HWND parent, int x, int y, int width) {
    Destroy();
    static const bool registered = KaRegisterUIClass(kLinesClass, KaDevUILinesWindow::Lines);
    if (!registered) return nullptr;
    m_iWidth = width;
    m_hWnd = CreateWindowExW(WS_EX_CONTROLPARENT, kLinesClass, L"", WS_CHILD | WS_VISIBLE, x, y,
                             width, 1, parent, nullptr, KaUIModule(), this);
    if (!m_hWnd) return nullptr;
    m_subsets.Create(this, m_hWnd, width, m_iCount, m_bShowSubsets);
    for (int i = 0; i < m_iCount; ++i)
        m_rows[i].Create(this, i, m_hWnd, width);
    int height = 0;
    FitRows(m_subsets.GetHeight(), &height);
    return m_hWnd;
}

void CKaDevUI_MultiLaserLines::FitRows(int top, int* height) {
    int y = top;
    for (int i = 0; i < m_iCount; ++i) {
        m_rows[i].Move(0, y);
        y += m_rows[i].GetHeight();
    }
    if (m_hWnd)
        SetWindowPos(m_hWnd, nullptr, 0, 0, m_iWidth, y,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (height) *height = y;
}

void CKaDevUI_MultiLaserLines::Destroy() {
    for (CKaDevUI_MultiLaserLine& row : m_rows)
        row.Destroy();
    m_subsets.Destroy();
    if (m_hWnd) DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

CKaDevUI_MultiLaserLine& CKaDevUI_MultiLaserLines::operator[](int line) {
    if (line < 0 || line >= m_iCount) return m_detached;
    return m_rows[line];
}
