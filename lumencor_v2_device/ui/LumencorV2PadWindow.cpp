// The pad's window: its dialog procedure and the handlers of the messages
// the device posts. All of it runs on the GUI thread.
#include "LumencorV2Pad.h"

#include "KaDMApi.h"
#include "KaHostCodes.h"
#include "LumencorV2Device.h"
#include "LumencorV2PadPaint.h"
#include "resource.h"

#include <cmath>

struct SKaLumencorV2PadWindow {
    static CKaLumencorV2Pad* Pad(HWND window) {
        return reinterpret_cast<CKaLumencorV2Pad*>(GetWindowLongPtrW(window, DWLP_USER));
    }

    static INT_PTR Answer(HWND window, LRESULT result) {
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }

    static INT_PTR DrawItem(CKaLumencorV2Pad& pad, const DRAWITEMSTRUCT& item) {
        if (item.CtlID != IDC_PAD_CONFIGURE) return FALSE;
        (void)pad;
        lumencor::DrawConfigureButton(item, KA_GetTranslation(L"Configure..."));
        return TRUE;
    }

    static INT_PTR Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            auto* pad = reinterpret_cast<CKaLumencorV2Pad*>(lParam);
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            if (pad) pad->OnInitDialog(window);
            return FALSE;
        }
        CKaLumencorV2Pad* pad = Pad(window);
        if (!pad) return FALSE;
        switch (message) {
        case WM_DESTROY:
            SetWindowLongPtrW(window, DWLP_USER, 0);
            pad->OnWindowGone();
            return FALSE;
        case WM_ERASEBKGND:
            return Answer(window, 1);
        case WM_PAINT:
            lumencor::PaintBuffered(window, DefWindowProcW);
            return TRUE;
        case WM_DRAWITEM:
            return DrawItem(*pad, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED) pad->OnCommand(LOWORD(wParam));
            return TRUE;
        case KA_PAD_RELAYOUT:
        case KA_PAD_AWAKE_OR_SETTINGS:
        case KA_PAD_OPERATION_MODE:
        case KA_PAD_SHUTTER_STATE:
        case KA_PAD_SHUTTER_REFRESH:
        case KA_PAD_LINE_STATE:
        case KA_PAD_READOUTS:
        case KA_WM_GUI_ZOOM_CHANGED:
            pad->OnDeviceMessage(message);
            return Answer(window, 0);
        }
        return FALSE;
    }
};

INT_PTR CALLBACK KaLumencorV2PadProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SKaLumencorV2PadWindow::Procedure(window, message, wParam, lParam);
}

void CKaLumencorV2Pad::OnInitDialog(HWND window) {
    m_hWnd = window;
    m_bOwnsWindow = true;
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = static_cast<int>(std::lround(CKaGUILayoutManager::GetGuiZoom() * kPadWidth));
    SetWindowPos(window, nullptr, 0, 0, width, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_curSize.cx = m_optimalSize.cx = width;
    m_curSize.cy = m_optimalSize.cy = rect.bottom - rect.top;
}

void CKaLumencorV2Pad::OnWindowGone() {
    m_hWnd = nullptr;
    m_bOwnsWindow = false;
    m_hConfigure = m_hWakeUp = nullptr;
}

void CKaLumencorV2Pad::OnCommand(int id) {
    CKaLumencorV2MultiLaser& source = m_pOwner->MultiLaser();
    switch (id) {
    case IDC_PAD_CONFIGURE:
        DMApi::PhysDev_Configure(DMApi::LogDev_GetPhysDevId(source.GetDeviceID()), GetHandle());
        break;
    case IDC_PAD_WAKE_UP: {
        // Device commands without an out argument are ignored.
        int32_t unused = 0;
        source.DeviceCommand(KA_CMD_WAKE_UP, 0, &unused);
        break;
    }
    }
}

// One message of a kind is enough: the ones still queued behind it go.
void CKaLumencorV2Pad::OnDeviceMessage(UINT message) {
    HWND window = GetHandle();
    if (!window) return;
    CKaSimpleDMHelper::PeekDuplicitMessagesFromMessageLoop(window, message);
    switch (message) {
    case KA_PAD_RELAYOUT:
        LayoutAndResize();
        break;
    case KA_PAD_AWAKE_OR_SETTINGS:
    case KA_WM_GUI_ZOOM_CHANGED:
        Rebuild();
        break;
    case KA_PAD_OPERATION_MODE:
    case KA_PAD_SHUTTER_STATE:
        RefreshLinesAndShutter(true, true);
        break;
    case KA_PAD_SHUTTER_REFRESH:
        RefreshLinesAndShutter(false, true);
        break;
    case KA_PAD_LINE_STATE:
        RefreshLinesAndShutter(true, false);
        break;
    case KA_PAD_READOUTS:
        CommitPolledState();
        break;
    }
}

void CKaLumencorV2Pad::RefreshLinesAndShutter(bool lines, bool shutter) {
    CKaScopedLock dataLock(m_pOwner->DataLock());
    if (lines && m_pMultilaser) m_pMultilaser->Refresh();
    if (shutter && m_pShutters) m_pShutters->Refresh();
}

// The poll's findings become the current state under the data lock; the
// host hears of them after it is left.
void CKaLumencorV2Pad::CommitPolledState() {
    bool linesChanged = false;
    {
        CKaScopedLock dataLock(m_pOwner->DataLock());
        if (m_pOwner->TakeValuesChanged()) {
            linesChanged = true;
            m_pOwner->MultiLaser().CommitReportedStates();
        }
        if (m_pOwner->GetShowTemperature() && m_pOwner->TakeReadoutsChanged() && m_pTemperature)
            m_pTemperature->Refresh();
    }
    if (linesChanged) m_pOwner->MultiLaser().Notify(-1);
}
