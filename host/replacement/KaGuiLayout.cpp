// The GUI zoom, the dockers of the layout, and the macro protocol.
#include "KaDMApi.h"
#include "KaHostHooks.h"

#include <cmath>
#include <mutex>
#include <string>
#include <vector>

namespace {

const double kMinZoom = 0.5, kMaxZoom = 4.0;

struct LayoutState {
    std::mutex lock;
    double zoom = 1.0;
    double previousZoom = 1.0;
    int sorts = 0;
    std::vector<std::wstring> protocol;
    CKaGUIHooks::ProtocolSink sink = nullptr;
    void* sinkContext = nullptr;
};

LayoutState& S() {
    static auto* state = new LayoutState();
    return *state;
}

BOOL CALLBACK TellChild(HWND window, LPARAM) {
    SendMessageW(window, KA_WM_GUI_ZOOM_CHANGED, 0, 0);
    return TRUE;
}

BOOL CALLBACK TellTopLevel(HWND window, LPARAM) {
    SendMessageW(window, KA_WM_GUI_ZOOM_CHANGED, 0, 0);
    EnumChildWindows(window, TellChild, 0);
    return TRUE;
}

} // namespace

double CKaGUILayoutManager::GetGuiZoom() {
    std::lock_guard<std::mutex> guard(S().lock);
    return S().zoom;
}

double CKaGUILayoutManager::GetPreviousGuiZoom() {
    std::lock_guard<std::mutex> guard(S().lock);
    return S().previousZoom;
}

void CKaGUILayoutManager::ResizeWindowToGuiZoom(HWND window, double fromZoom) {
    if (!IsWindow(window) || !(fromZoom > 0.0)) return;
    const double scale = GetGuiZoom() / fromZoom;
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = static_cast<int>(std::lround((rect.right - rect.left) * scale));
    const int height = static_cast<int>(std::lround((rect.bottom - rect.top) * scale));
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKaGUILayoutManager::DeleteWindowDimsForGuiZoom(HWND) {
    // Sizes are scaled from the window's own, so nothing is kept per window.
}

HWND CKaGUILayoutManager::GetParentDockerForResize(HWND window) {
    return IsWindow(window) ? GetParent(window) : nullptr;
}

void CKaGUILayoutManager::ResizeDocker(HWND docker) {
    if (IsWindow(docker)) SendMessageW(docker, KA_WM_RESIZE_DOCKER, 0, 0);
}

void CKaGUILayoutManager::SortControls() {
    std::lock_guard<std::mutex> guard(S().lock);
    ++S().sorts;
}

bool CKaSimpleDMHelper::Qm_ML_Protocol_Command(const wchar_t* line) {
    if (!line) return false;
    CKaGUIHooks::ProtocolSink sink;
    void* context;
    {
        std::lock_guard<std::mutex> guard(S().lock);
        S().protocol.emplace_back(line);
        sink = S().sink;
        context = S().sinkContext;
    }
    if (sink) sink(context, line);
    return true;
}

int CKaSimpleDMHelper::PeekDuplicitMessagesFromMessageLoop(HWND window, UINT message) {
    if (!window) return 0;
    MSG msg;
    int removed = 0;
    while (PeekMessageW(&msg, window, message, message, PM_REMOVE | PM_NOYIELD))
        ++removed;
    return removed;
}

void CKaGUIHooks::SetGuiZoom(double zoom) {
    if (!(zoom >= kMinZoom && zoom <= kMaxZoom)) return;
    {
        std::lock_guard<std::mutex> guard(S().lock);
        S().previousZoom = S().zoom;
        S().zoom = zoom;
    }
    EnumThreadWindows(GetCurrentThreadId(), TellTopLevel, 0);
}

int CKaGUIHooks::GetSortControlsCount() {
    std::lock_guard<std::mutex> guard(S().lock);
    return S().sorts;
}

std::vector<std::wstring> CKaGUIHooks::MacroProtocol() {
    std::lock_guard<std::mutex> guard(S().lock);
    return S().protocol;
}

void CKaGUIHooks::ClearMacroProtocol() {
    std::lock_guard<std::mutex> guard(S().lock);
    S().protocol.clear();
}

void CKaGUIHooks::SetMacroProtocolSink(ProtocolSink sink, void* context) {
    std::lock_guard<std::mutex> guard(S().lock);
    S().sink = sink;
    S().sinkContext = context;
}

void CKaGUIHooks::Reset() {
    std::lock_guard<std::mutex> guard(S().lock);
    S().zoom = S().previousZoom = 1.0;
    S().sorts = 0;
    S().protocol.clear();
}
