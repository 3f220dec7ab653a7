// The element defaults (working on the element's window) and the tab
// container.
#include "KaGUI.h"

#include <cstring>

CKaGUIElement::CKaGUIElement() = default;
CKaGUIElement::~CKaGUIElement() = default;

void CKaGUIElement::SetHandler(IKaGUIElementHandler* handler) {
    m_pHandler = handler;
}
IKaGUIElementHandler* CKaGUIElement::GetHandler() const {
    return m_pHandler;
}
HWND CKaGUIElement::Create(const wchar_t*, HWND, CKaGUIElement*) {
    return nullptr;
}
void CKaGUIElement::Destroy() {}
HWND CKaGUIElement::GetHandle() const {
    return nullptr;
}
void CKaGUIElement::SetUIParent(HWND parent) {
    if (HWND window = GetHandle()) SetParent(window, parent);
}
void CKaGUIElement::Show(bool show) {
    if (HWND window = GetHandle()) ShowWindow(window, show ? SW_SHOWNA : SW_HIDE);
}
bool CKaGUIElement::IsVisible() const {
    HWND window = GetHandle();
    return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}
void CKaGUIElement::Enable(bool enable) {
    if (HWND window = GetHandle()) EnableWindow(window, enable);
}
bool CKaGUIElement::IsEnabled() const {
    HWND window = GetHandle();
    return window && IsWindowEnabled(window);
}
void CKaGUIElement::SetRedrawEx(bool redraw) {
    if (HWND window = GetHandle()) SendMessageW(window, WM_SETREDRAW, redraw, 0);
}
void CKaGUIElement::Update(bool now) {
    HWND window = GetHandle();
    if (!window) return;
    InvalidateRect(window, nullptr, FALSE);
    if (now) UpdateWindow(window);
}
bool CKaGUIElement::IsResizable() const {
    return false;
}
void CKaGUIElement::GetCurSize(SIZE* size) const {
    if (size) *size = m_curSize;
}
void CKaGUIElement::CalcOptimalSize(SIZE* size) {
    if (size) *size = m_optimalSize;
}
void CKaGUIElement::Move(int x, int y, int width, int height) {
    if (HWND window = GetHandle()) MoveWindow(window, x, y, width, height, TRUE);
    m_curSize = {width, height};
}
void* CKaGUIElement::GetInterface(const char*) {
    return nullptr;
}
void CKaGUIElement::GetInfo(CKaStringW& title) const {
    title.Empty();
}
INT_PTR CKaGUIElement::CustomCommand(int, WPARAM, LPARAM) {
    return 0;
}
void CKaGUIElement::SetOptimalSize(SIZE size) {
    m_optimalSize = size;
}
void CKaGUIElement::SetLayoutStyle(int style) {
    m_iLayoutStyle = style;
}
bool CKaGUIElement::GetEnableGuiFlag() const {
    return m_bEnableGui;
}
void CKaGUIElement::SetEnableGuiFlag(bool flag) {
    m_bEnableGui = flag;
}
void CKaGUIElement::EnableGui(bool enable) {
    if (m_bEnableGui) Enable(enable);
}
CKaGUIElement* CKaGUIElement::GetElementFromPos(POINT point) {
    HWND window = GetHandle();
    if (!window) return nullptr;
    RECT rect;
    GetWindowRect(window, &rect);
    return PtInRect(&rect, point) ? this : nullptr;
}
bool CKaGUIElement::IsResizableInSteps() const {
    return false;
}
bool CKaGUIElement::Layout() {
    return false;
}

CKaGUIControlElement::CKaGUIControlElement() = default;
CKaGUIControlElement::~CKaGUIControlElement() = default;

CKaTabContainer::CKaTabContainer() = default;
CKaTabContainer::~CKaTabContainer() = default;

void* CKaTabContainer::GetInterface(const char* name) {
    if (name && std::strcmp(name, "CKaTabContainer") == 0) return this;
    return CKaGUIControlElement::GetInterface(name);
}

void CKaTabContainer::Update(bool now) {
    if (m_hTitleWindow) {
        InvalidateRect(m_hTitleWindow, nullptr, FALSE);
        if (now) UpdateWindow(m_hTitleWindow);
    }
}

void CKaTabContainer::AddTab(CKaGUIElement* element) {
    if (!element || m_iTabs >= kMaxTabs) return;
    m_tabs[m_iTabs++] = element;
    RefreshTabTitles();
}

void CKaTabContainer::RemoveTab(CKaGUIElement* element) {
    for (int i = 0; i < m_iTabs; ++i) {
        if (m_tabs[i] != element) continue;
        for (int j = i + 1; j < m_iTabs; ++j) {
            m_tabs[j - 1] = m_tabs[j];
            m_titles[j - 1] = m_titles[j];
        }
        m_tabs[--m_iTabs] = nullptr;
        m_titles[m_iTabs].Empty();
        return;
    }
}

void CKaTabContainer::RefreshTabTitles() {
    ++m_iRefreshes;
    for (int i = 0; i < m_iTabs; ++i)
        m_tabs[i]->GetInfo(m_titles[i]);
    if (m_hTitleWindow && m_iTabs > 0) SetWindowTextW(m_hTitleWindow, m_titles[0]);
}

const wchar_t* CKaTabContainer::GetTabTitle(int index) const {
    return index >= 0 && index < m_iTabs ? m_titles[index].GetString() : L"";
}
