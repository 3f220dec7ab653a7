#include "message_box_watcher.h"

namespace rvtlpmtest {
namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

BOOL CALLBACK CollectBoxes(HWND window, LPARAM boxes) {
    if (ClassOf(window) == L"#32770" && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(boxes)->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM text) {
    auto* all = reinterpret_cast<std::wstring*>(text);
    if (_wcsicmp(ClassOf(child).c_str(), L"Static") == 0) *all += TextOf(child);
    return TRUE;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(DWORD thread, Answer answer)
    : thread_(thread), answer_(std::move(answer)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), watcher_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    SetEvent(stop_);
    watcher_.join();
    CloseHandle(stop_);
}

std::vector<SeenBox> MessageBoxWatcher::Seen() {
    const std::lock_guard<std::mutex> hold(lock_);
    return seen_;
}

void MessageBoxWatcher::Watch() {
    // No window event reaches another thread without a hook, so look every 2 ms.
    while (WaitForSingleObject(stop_, 2) == WAIT_TIMEOUT) {
        std::vector<HWND> boxes;
        EnumThreadWindows(thread_, CollectBoxes, reinterpret_cast<LPARAM>(&boxes));
        for (auto it = answered_.begin(); it != answered_.end();)
            it = IsWindow(*it) ? std::next(it) : answered_.erase(it);
        for (HWND box : boxes)
            if (answered_.insert(box).second) Respond(box);
    }
}

void MessageBoxWatcher::Respond(HWND box) {
    SeenBox seen;
    seen.caption = TextOf(box);
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button)) seen.buttons.push_back(id);
    }
    const int pressed = answer_(seen);
    {
        const std::lock_guard<std::mutex> hold(lock_);
        seen_.push_back(seen);
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(pressed, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, pressed)));
}

} // namespace rvtlpmtest
