// Fonts, colours, button backgrounds, update batches and user rights.
#include "KaGUI.h"
#include "KaHostHooks.h"
#include "KaLocale.h"
#include "KaDMApi.h"
#include "KaUIPaint.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <atomic>
#include <cmath>
#include <map>
#include <mutex>

namespace {
const int kFontPoints = 8;
// Rights granted unless a test takes them away: all of them.
std::atomic<unsigned> g_deniedRights{0};
thread_local int t_updateDepth = 0;
} // namespace

int KaZoomed(int measure) {
    return static_cast<int>(std::lround(CKaGUILayoutManager::GetGuiZoom() * measure));
}

HINSTANCE KaUIModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&KaUIModule), &module);
    return module;
}

bool KaRegisterUIClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(KaUIModule(), name, &existing)) return true;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = procedure;
    wc.hInstance = KaUIModule();
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

namespace {
// The character set the module language needs: the font mapper then picks a
// face that has its glyphs.
BYTE CharsetOf(LANGID language) {
    switch (PRIMARYLANGID(language)) {
    case LANG_JAPANESE:
        return SHIFTJIS_CHARSET;
    case LANG_CHINESE:
        return GB2312_CHARSET;
    case LANG_KOREAN:
        return HANGEUL_CHARSET;
    default:
        return DEFAULT_CHARSET;
    }
}
} // namespace

namespace {
// One font per character set and weight, made on first use and kept for the
// life of the process, as the host does.
HFONT DialogFont(int weight) {
    static std::mutex lock;
    static std::map<std::pair<BYTE, int>, HFONT> fonts;
    const BYTE charset = CharsetOf(CKaLocale::GetModuleLangId());
    std::lock_guard<std::mutex> guard(lock);
    HFONT& font = fonts[{charset, weight}];
    if (!font) {
        HDC screen = GetDC(nullptr);
        int height = -MulDiv(kFontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
        font = CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, L"MS Shell Dlg 2");
    }
    return font;
}
} // namespace

HFONT KA_GetDefaultGuiFont() {
    return DialogFont(FW_NORMAL);
}

HFONT KA_GetDefaultGuiFontBold() {
    return DialogFont(FW_BOLD);
}

HBRUSH KA_GetSysColorBrush(int index) {
    return GetSysColorBrush(index);
}

COLORREF KA_GetSysColor(int index) {
    return GetSysColor(index);
}

void KA_DrawButtonBackground(HDC dc, const RECT& rect, int state) {
    RECT area = rect;
    if (HTHEME theme = OpenThemeData(nullptr, L"BUTTON")) {
        static const int kThemeStates[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
        int part = state >= 0 && state <= 3 ? kThemeStates[state] : PBS_NORMAL;
        HRESULT drawn = DrawThemeBackground(theme, dc, BP_PUSHBUTTON, part, &area, nullptr);
        CloseThemeData(theme);
        if (SUCCEEDED(drawn)) return;
    }
    UINT flags = DFCS_BUTTONPUSH;
    if (state == KA_BUTTON_PRESSED) flags |= DFCS_PUSHED;
    if (state == KA_BUTTON_DISABLED) flags |= DFCS_INACTIVE;
    if (state == KA_BUTTON_HOT) flags |= DFCS_HOT;
    DrawFrameControl(dc, &area, DFC_BUTTON, flags);
}

CKaGUIUpdateManager::CKaGUIUpdateManager(HWND window) : m_hWindow(window) {
    if (t_updateDepth++ == 0 && m_hWindow) SendMessageW(m_hWindow, WM_SETREDRAW, FALSE, 0);
}

CKaGUIUpdateManager::~CKaGUIUpdateManager() {
    if (--t_updateDepth == 0 && m_hWindow && IsWindow(m_hWindow)) {
        SendMessageW(m_hWindow, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(m_hWindow, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

int CKaGUIUpdateManager::GetDepth() {
    return t_updateDepth;
}

bool CKaUserManager::GetCurrentUserRights(int right) {
    if (right < 0 || right >= 32) return false;
    return (g_deniedRights.load() & (1u << right)) == 0;
}

void CKaUIHooks::SetUserRight(int right, bool granted) {
    if (right < 0 || right >= 32) return;
    if (granted)
        g_deniedRights &= ~(1u << right);
    else
        g_deniedRights |= 1u << right;
}
