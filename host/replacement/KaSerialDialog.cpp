// The serial connection dialog: a list of the machine's COM ports, OK and Cancel.
#include "KaSerial.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

// The virtual ports served in-process (KaSerial.cpp).
std::vector<int> VirtualPortNumbers();

namespace {

enum { kList = 100, kDescription = 101 };

struct DialogState {
    std::vector<int> ports;
    int current;
    const wchar_t* title;
    const wchar_t* description;
    int chosen;
};

std::vector<int> SystemComPorts() {
    std::vector<int> ports;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        for (DWORD i = 0;; ++i) {
            wchar_t name[256], data[64];
            DWORD nameLength = 256, dataBytes = sizeof data, type = 0;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type,
                              reinterpret_cast<BYTE*>(data), &dataBytes) != ERROR_SUCCESS)
                break;
            data[63] = 0;
            if (type == REG_SZ && _wcsnicmp(data, L"COM", 3) == 0 && std::iswdigit(data[3]))
                ports.push_back(static_cast<int>(std::wcstol(data + 3, nullptr, 10)));
        }
        RegCloseKey(key);
    }
    // Ports mapped by name only (as Wine does) are found by probing the names.
    for (int port = 1; port <= 32; ++port) {
        wchar_t name[16], target[512];
        swprintf(name, 16, L"COM%d", port);
        bool known = false;
        for (int p : ports)
            known = known || p == port;
        if (!known && QueryDosDeviceW(name, target, 512)) ports.push_back(port);
    }
    return ports;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<DialogState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SetWindowTextW(dialog, state->title);
        SetDlgItemTextW(dialog, kDescription, state->description);
        HWND list = GetDlgItem(dialog, kList);
        for (size_t i = 0; i < state->ports.size(); ++i) {
            wchar_t text[32];
            swprintf(text, 32, L"COM%d", state->ports[i]);
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            if (state->ports[i] == state->current) SendMessageW(list, LB_SETCURSEL, i, 0);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == kList && HIWORD(wParam) == LBN_DBLCLK)) {
            LRESULT index = SendDlgItemMessageW(dialog, kList, LB_GETCURSEL, 0, 0);
            if (index == LB_ERR) return TRUE;
            state->chosen = state->ports[static_cast<size_t>(index)];
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// An in-memory dialog template, built item by item.
class Template {
  public:
    void Dialog(short items, short cx, short cy) {
        Align(4);
        Put<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER);
        Put<DWORD>(0);
        Put<WORD>(static_cast<WORD>(items));
        Put<short>(0), Put<short>(0), Put<short>(cx), Put<short>(cy);
        Put<WORD>(0), Put<WORD>(0), Text(L"");
        Put<WORD>(8), Text(L"MS Shell Dlg");
    }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
              const wchar_t* text) {
        Align(4);
        Put<DWORD>(style | WS_CHILD | WS_VISIBLE), Put<DWORD>(0);
        Put<short>(x), Put<short>(y), Put<short>(cx), Put<short>(cy);
        Put<WORD>(id), Put<WORD>(0xFFFF), Put<WORD>(classAtom), Text(text), Put<WORD>(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

  private:
    template <class T> void Put(T value) {
        static_assert(sizeof(T) % 2 == 0, "word aligned");
        const WORD* words = reinterpret_cast<const WORD*>(&value);
        m_words.insert(m_words.end(), words, words + sizeof(T) / 2);
    }
    void Text(const wchar_t* text) {
        for (; *text; ++text)
            Put<WORD>(static_cast<WORD>(*text));
        Put<WORD>(0);
    }
    void Align(size_t bytes) {
        while ((m_words.size() * 2) % bytes)
            m_words.push_back(0);
    }
    std::vector<WORD> m_words;
};

} // namespace

int CKaSimpleSerial::ShowConnectionDialog(HWND parent, int currentPort, bool, const int* ports,
                                          bool, bool, int, const wchar_t* deviceName,
                                          const wchar_t* portDescription) {
    DialogState state{{},
                      currentPort,
                      deviceName ? deviceName : L"",
                      portDescription ? portDescription : L"",
                      -1};
    if (ports)
        for (const int* p = ports; *p > 0; ++p)
            state.ports.push_back(*p);
    else
        state.ports = SystemComPorts();
    for (int port : VirtualPortNumbers())
        if (std::find(state.ports.begin(), state.ports.end(), port) == state.ports.end())
            state.ports.push_back(port);
    std::sort(state.ports.begin(), state.ports.end());
    Template dialog;
    dialog.Dialog(4, 160, 140);
    dialog.Item(SS_LEFT, 7, 7, 146, 10, kDescription, 0x0082, L"");
    dialog.Item(LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 7, 20, 146, 92, kList, 0x0083,
                L"");
    dialog.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 47, 118, 50, 14, IDOK, 0x0080, L"OK");
    dialog.Item(BS_PUSHBUTTON | WS_TABSTOP, 103, 118, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), parent,
                                             DialogProc, reinterpret_cast<LPARAM>(&state));
    return result == IDOK ? state.chosen : -1;
}
