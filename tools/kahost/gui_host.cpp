#include "gui_host.h"

#include "KaDMApi.h"
#include "KaDevUI.h"
#include "KaGUI.h"
#include "KaHostHooks.h"
#include "KaLocale.h"
#include "dialog_answer.h"
#include "gui_window.h"
#include "screenshot.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <deque>
#include <iostream>
#include <string>
#include <thread>

namespace gui {

namespace {

const wchar_t kFrameClass[] = L"KaHostPadFrame";
// A console line handed to the window's thread (lParam: a heap std::string).
const UINT kConsoleLine = WM_APP + 1;
const UINT kConsoleEnd = WM_APP + 2;
// The pad's place in the frame.
const int kPadMargin = 0;
// The device's state once it is configured (GetState).
const int kStateConfigured = 2;
// The pad's custom command for a wheel turn, and its control ids.
const int kPadMouseWheel = 0x8001;
const int kPadConfigureId = 10304, kPadWakeUpId = 10305;

struct Language {
    const char* code;
    LANGID id;
};
const Language kLanguages[] = {
    {"cs", MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT)},
    {"de", MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)},
    {"en", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)},
    {"fr", MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH)},
    {"it", MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN)},
    {"ja", MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)},
    {"pl", MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT)},
    {"ru", MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT)},
    {"tr", MAKELANGID(LANG_TURKISH, SUBLANG_DEFAULT)},
    {"id", MAKELANGID(LANG_INDONESIAN, SUBLANG_DEFAULT)},
    {"zh", MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)},
    {"es", MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN)},
};

struct State {
    bool enabled = false;
    HWND frame = nullptr;
    CKaGUIElement* pad = nullptr;
    CKaTabContainer tabs;
    Session* session = nullptr;
    bool quit = false;
    // Console lines typed while the configuration dialog holds the frame
    // disabled: they run once it closes.
    std::deque<std::string*> held;
};

State& G() {
    static State state;
    return state;
}

void PrintMacro(void*, const wchar_t* line) {
    std::printf("macro: %ls\n", line);
    std::fflush(stdout);
}

// The frame fits the pad's size whenever the pad asks its docker.
void FitFrame() {
    State& g = G();
    if (!g.frame || !g.pad) return;
    SIZE size = {0, 0};
    g.pad->GetCurSize(&size);
    RECT rect = {0, 0, size.cx + 2 * kPadMargin, size.cy + 2 * kPadMargin};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongW(g.frame, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(g.frame, GWL_EXSTYLE)));
    SetWindowPos(g.frame, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    g.pad->Move(kPadMargin, kPadMargin, size.cx, size.cy);
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State& g = G();
    switch (message) {
    case KA_WM_RESIZE_DOCKER:
        FitFrame();
        return 0;
    case WM_MOUSEWHEEL:
        if (g.pad) g.pad->CustomCommand(kPadMouseWheel, wParam, lParam);
        return 0;
    case kConsoleLine: {
        std::string* line = reinterpret_cast<std::string*>(lParam);
        if (!IsWindowEnabled(window)) {
            std::printf("(runs when the configuration dialog closes)\n");
            g.held.push_back(line);
            return 0;
        }
        if (g.session && !::Run(*g.session, *line)) g.quit = true;
        delete line;
        if (!g.quit) {
            AfterCommand(*g.session);
            std::printf("kahost> ");
            std::fflush(stdout);
        }
        return 0;
    }
    case kConsoleEnd:
        g.quit = true;
        return 0;
    case WM_ENABLE:
        for (; wParam && !g.held.empty(); g.held.pop_front())
            PostMessageW(window, kConsoleLine, 0, reinterpret_cast<LPARAM>(g.held.front()));
        return 0;
    case WM_CLOSE:
        g.quit = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool CreateFrame() {
    State& g = G();
    if (g.frame) return true;
    static const bool registered = [] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = FrameProcedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = kFrameClass;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return false;
    g.frame =
        CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, L"kahost pad",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                        40, 40, 300, 500, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    g.tabs.SetTitleWindow(g.frame);
    return g.frame != nullptr;
}

void ClosePad() {
    State& g = G();
    if (!g.pad) return;
    g.tabs.RemoveTab(g.pad);
    g.pad->Destroy();
    g.pad = nullptr;
}

bool OpenPad(Session& s) {
    State& g = G();
    if (g.pad) return true;
    void* element = nullptr;
    if (s.device->SetDeviceManager(&g.tabs, &element) != KA_DM_OK || !element) return false;
    if (!CreateFrame()) return false;
    auto* pad = static_cast<CKaGUIElement*>(element);
    CKaStringW name, title;
    s.device->GetPadInfo(name, title, nullptr);
    if (!pad->Create(name, g.frame, &g.tabs)) {
        std::printf("pad: no pad window in this language\n");
        return false;
    }
    g.pad = pad;
    g.tabs.AddTab(pad);
    FitFrame();
    pad->Show(true);
    ShowWindow(g.frame, SW_SHOWNOACTIVATE);
    std::printf("pad open: %ls\n", g.tabs.GetTabTitle(0));
    return true;
}

// A child of the pad by control id, or a panel's widget.
HWND FindControl(HWND parent, int id) {
    return parent ? GetDlgItem(parent, id) : nullptr;
}

struct FindClass {
    const wchar_t* name;
    int index;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND window, LPARAM context) {
    auto& find = *reinterpret_cast<FindClass*>(context);
    wchar_t name[64];
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, find.name) == 0 && find.index-- == 0) {
        find.found = window;
        return FALSE;
    }
    return TRUE;
}

// The index-th window of a class below the pad.
HWND FindByClass(const wchar_t* name, int index) {
    FindClass find = {name, index, nullptr};
    if (G().pad)
        EnumChildWindows(G().pad->GetHandle(), MatchClass, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

void ClickButton(HWND button) {
    if (button && IsWindowEnabled(button)) SendMessageW(button, BM_CLICK, 0, 0);
}

void ClickWindow(HWND window) {
    if (!window) return;
    RECT client;
    GetClientRect(window, &client);
    const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(window, WM_LBUTTONUP, 0, point);
}

// The slider of row `line`: what a drag to `percent` sends.
bool DragSlider(int line, double percent) {
    HWND row = FindByClass(L"KaDevUI_MultiLaserLine", line);
    HWND slider = row ? FindWindowExW(row, nullptr, TRACKBAR_CLASSW, nullptr) : nullptr;
    if (!slider) return false;
    const LPARAM position = static_cast<LPARAM>(percent * 100.0 + 0.5);
    SendMessageW(slider, TBM_SETPOS, TRUE, position);
    SendMessageW(row, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(slider));
    return true;
}

bool TickLine(int line) {
    HWND row = FindByClass(L"KaDevUI_MultiLaserLine", line);
    HWND check = row ? FindWindowExW(row, nullptr, L"BUTTON", nullptr) : nullptr;
    if (!check) return false;
    ClickButton(check);
    return true;
}

bool SetLanguage(Session& s, const std::string& code) {
    for (const Language& language : kLanguages) {
        if (code != language.code) continue;
        KA_SetModuleLangId(language.id);
        // The pad's window and texts come from the language's resources.
        ClosePad();
        OpenPad(s);
        return true;
    }
    return false;
}

std::wstring ProgramFile(const std::string& file) {
    return NextToProgram(std::wstring(file.begin(), file.end()).c_str());
}

bool Screenshot(const std::string& file) {
    State& g = G();
    return g.frame && SaveWindowShot(g.frame, ProgramFile(file));
}

// Presses "Configure...". With `ok` or `cancel` (and a screenshot file) the
// dialog is answered here; otherwise a person answers it. OK makes the pad
// rebuild: its controls are new.
void PressConfigure(std::istringstream& words) {
    HWND before = FindControl(G().pad->GetHandle(), kPadConfigureId);
    std::string how, file;
    words >> how >> file;
    const bool answered = how == "ok" || how == "cancel";
    if (answered) {
        DialogAnswer answer;
        answer.button = how == "ok" ? IDOK : IDCANCEL;
        if (!file.empty()) answer.screenshot = ProgramFile(file);
        ArmDialogAnswer(answer);
    }
    ClickButton(before);
    if (answered && !DisarmDialogAnswer()) std::printf("pad configure: no configuration dialog\n");
    PumpFor(0);
    if (G().pad && FindControl(G().pad->GetHandle(), kPadConfigureId) != before)
        std::printf("pad rebuilt\n");
}

// The host's configuration from the dialog ended: cancelled, or the device
// configured with the settings the dialog wrote.
void PrintConfigured(void*, int, int result, const wchar_t* settings) {
    if (result == KA_DM_DIALOG_CANCELLED) {
        std::printf("configuration dialog cancelled: %d\n", result);
        std::fflush(stdout);
        return;
    }
    std::wstring line(settings ? settings : L"");
    for (wchar_t& c : line)
        if (c == L'\n') c = L' ';
    Session* s = G().session;
    std::printf("configured from the dialog: %d (state %d): %ls\n", result,
                s && s->device ? s->device->GetState() : -1, line.c_str());
    std::fflush(stdout);
}

const char kHelp[] =
    "pad commands (kahost --gui):\n"
    "  pad zoom <z>            GUI zoom (0.5 to 4)\n"
    "  pad language <code>     cs de en fr it ja pl ru tr id zh es\n"
    "  pad slider <line> <%>   drag a line's slider\n"
    "  pad tick <line>         tick or untick a line\n"
    "  pad shutter             press the shutter button\n"
    "  pad wake                press \"Wake up\"\n"
    "  pad configure [ok|cancel [<file>]]   press \"Configure...\"; answer\n"
    "                          the dialog (and save it as PNG) or leave it to you\n"
    "  pad wait <ms>           let the pad run\n"
    "  pad screenshot <file>   save the window as PNG next to kahost.exe\n";

} // namespace

void Enable(double zoom) {
    G().enabled = true;
    if (zoom > 0) CKaGUIHooks::SetGuiZoom(zoom);
    CKaGUIHooks::SetMacroProtocolSink(PrintMacro, nullptr);
    DMApiHooks::SetConfigureSink(PrintConfigured, nullptr);
}

bool Enabled() {
    return G().enabled;
}

void AfterCommand(Session& s) {
    State& g = G();
    if (!g.enabled) return;
    g.session = &s;
    if (!g.pad && s.device && s.device->GetState() == kStateConfigured) OpenPad(s);
    PumpFor(0);
}

bool Run(Session& s, const std::string& command, std::istringstream& words) {
    if (command != "pad") return false;
    std::string verb;
    words >> verb;
    int line = 0;
    double value = 0;
    if (!G().enabled) {
        std::printf("pad: start kahost with --gui\n");
    } else if (verb == "zoom" && words >> value) {
        CKaGUIHooks::SetGuiZoom(value);
        std::printf("pad zoom: %.2f\n", CKaGUILayoutManager::GetGuiZoom());
    } else if (verb == "language" && words >> verb) {
        if (!SetLanguage(s, verb)) std::printf("pad language: unknown %s\n", verb.c_str());
    } else if (!G().pad) {
        std::printf("pad: not open (connect and configure first)\n");
    } else if (verb == "slider" && words >> line >> value) {
        if (!DragSlider(line, value)) std::printf("pad slider: no line %d\n", line);
    } else if (verb == "tick" && words >> line) {
        if (!TickLine(line)) std::printf("pad tick: no line %d\n", line);
    } else if (verb == "shutter") {
        ClickWindow(FindByClass(L"KaDevUI_Shutter", 0));
    } else if (verb == "wake") {
        ClickButton(FindControl(G().pad->GetHandle(), kPadWakeUpId));
    } else if (verb == "configure") {
        PressConfigure(words);
    } else if (verb == "wait" && words >> line) {
        PumpFor(line > 0 ? static_cast<unsigned>(line) : 0);
    } else if (verb == "screenshot" && words >> verb) {
        Screenshot(verb);
    } else {
        std::printf("%s", kHelp);
    }
    PumpFor(0);
    return true;
}

void Interactive(Session& s) {
    State& g = G();
    g.session = &s;
    if (!CreateFrame()) return;
    AfterCommand(s);
    HWND frame = g.frame;
    std::printf("kahost> ");
    std::fflush(stdout);
    // The console is read on a thread of its own; the lines are run here,
    // on the window's thread, between its messages.
    std::thread reader([frame] {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            PostMessageW(frame, kConsoleLine, 0, reinterpret_cast<LPARAM>(new std::string(line)));
        }
        PostMessageW(frame, kConsoleEnd, 0, 0);
    });
    MSG msg;
    while (!g.quit && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // The reader ends with the console; it is not waited for.
    reader.detach();
}

void Close() {
    State& g = G();
    ClosePad();
    if (g.frame) DestroyWindow(g.frame);
    g.frame = nullptr;
    CKaGUIHooks::SetMacroProtocolSink(nullptr, nullptr);
    DMApiHooks::SetConfigureSink(nullptr, nullptr);
    for (; !g.held.empty(); g.held.pop_front())
        delete g.held.front();
}

} // namespace gui
