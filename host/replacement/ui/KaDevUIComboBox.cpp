// A dialog's combo box driven by CB_ messages. Every call checks the
// attachment first: a combo that was never attached (or whose dialog went
// away) answers as an empty one.
#include "KaDevUI.h"

#include <vector>

namespace {

const wchar_t kComboBoxClass[] = L"ComboBox";
const int kClassNameCapacity = 32;

bool IsComboBox(HWND window) {
    wchar_t name[kClassNameCapacity] = {};
    return window && GetClassNameW(window, name, kClassNameCapacity) > 0 &&
           lstrcmpiW(name, kComboBoxClass) == 0;
}

} // namespace

// Only a combo box is attached: the CB_ message numbers mean other things
// to other controls.
bool CKaDevUI_ComboBox::Create(HWND dialog, int id) {
    HWND control = dialog ? GetDlgItem(dialog, id) : nullptr;
    m_hWnd = IsComboBox(control) ? control : nullptr;
    return m_hWnd != nullptr;
}

int CKaDevUI_ComboBox::GetCount() const {
    if (!IsWindow(m_hWnd)) return 0;
    const LRESULT count = SendMessageW(m_hWnd, CB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int>(count) : 0;
}

void CKaDevUI_ComboBox::ResetContent() {
    if (IsWindow(m_hWnd)) SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
}

int CKaDevUI_ComboBox::AddString(const wchar_t* text) {
    if (!IsWindow(m_hWnd)) return CB_ERR;
    const LRESULT position =
        SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    return position >= 0 ? static_cast<int>(position) : CB_ERR;
}

// CB_SELECTSTRING would take the first entry that merely starts with the
// text ("line1" selecting "line10"); the exact search matches the whole.
bool CKaDevUI_ComboBox::SelectString(const wchar_t* text) {
    if (!IsWindow(m_hWnd) || !text) return false;
    const LRESULT found = SendMessageW(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(text));
    if (found == CB_ERR) return false;
    SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    return true;
}

void CKaDevUI_ComboBox::SetCurSel(int index) {
    if (!IsWindow(m_hWnd)) return;
    // A position past the end would clear the selection; only -1 may.
    if (index < -1 || index >= GetCount()) return;
    SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int CKaDevUI_ComboBox::GetCurSel() const {
    if (!IsWindow(m_hWnd)) return CB_ERR;
    return static_cast<int>(SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0));
}

CKaStringW CKaDevUI_ComboBox::GetText(int index) const {
    if (!IsWindow(m_hWnd) || index < 0 || index >= GetCount()) return CKaStringW();
    const LRESULT length = SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length <= 0) return CKaStringW();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    if (copied <= 0) return CKaStringW();
    return CKaStringW(text.data(), static_cast<size_t>(copied));
}

void CKaDevUI_ComboBox::EnableWindow(bool enable) {
    if (IsWindow(m_hWnd)) ::EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}
