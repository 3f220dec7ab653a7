// Top-level windows by title prefix and the class of one of their children.
#include "RvWindow.h"
#include "rv_args.h"
#include "window_handle.h"
#include "window_text.h"

#include <vector>

namespace {

struct MainWindowFilter {
    std::wstring_view titlePrefix;
    std::wstring_view childClass;
    bool ownProcessOnly = true;

    bool Passes(HWND window) const {
        if (ownProcessOnly) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process != GetCurrentProcessId()) return false;
        }
        if (!titlePrefix.empty() &&
            !rvw::StartsWith(rvw::TitleText(window, rvw::kTitleLimit).view(), titlePrefix))
            return false;
        if (childClass.empty()) return true;
        return rvw::FindChild(window, [&](HWND child) {
                   return rvw::EqualsIgnoringCase(rvw::ClassText(child).view(), childClass);
               }) != nullptr;
    }
};

MainWindowFilter MakeFilter(const wchar_t* titlePrefix, const wchar_t* childClass) {
    MainWindowFilter filter;
    rv::ReadWideArgument(titlePrefix, &filter.titlePrefix);
    rv::ReadWideArgument(childClass, &filter.childClass);
    return filter;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool IsInOutParameter(const uint32_t* window) {
    return rv::IsWritable(window, sizeof *window);
}

int GetMainWindowExport(const wchar_t* titlePrefix, const wchar_t* childClass, uint32_t* window) {
    if (!IsInOutParameter(window)) return -1;
    MainWindowFilter filter = MakeFilter(titlePrefix, childClass);
    filter.ownProcessOnly = *window == 0;
    uint32_t found = 0;
    for (HWND candidate : TopLevelWindows()) {
        if (filter.Passes(candidate)) {
            found = rvw::ToHandle(candidate);
            break;
        }
    }
    *window = found;
    return 0;
}

int GetMainWindowNextExport(const wchar_t* titlePrefix, const wchar_t* childClass,
                            uint32_t* window) {
    if (!IsInOutParameter(window)) return -1;
    const MainWindowFilter filter = MakeFilter(titlePrefix, childClass);
    const HWND previous = rvw::ToWindow(*window);
    bool passedPrevious = false;
    for (HWND candidate : TopLevelWindows()) {
        if (!passedPrevious) {
            passedPrevious = candidate == previous;
        } else if (filter.Passes(candidate)) {
            *window = rvw::ToHandle(candidate);
            return 0;
        }
    }
    if (passedPrevious) *window = 0;
    return 0;
}

} // namespace

RVWINDOW_API int RvWindow_GetMainWindow(const wchar_t* titlePrefix, const wchar_t* childClass,
                                        uint32_t* window) {
    return rv::Guarded(-1, [&] { return GetMainWindowExport(titlePrefix, childClass, window); });
}

RVWINDOW_API int RvWindow_GetMainWindowA(const char* titlePrefix, const char* childClass,
                                         uint32_t* window) {
    return rv::Guarded(-1, [&] {
        const rv::AnsiArgument widePrefix(titlePrefix), wideClass(childClass);
        return GetMainWindowExport(widePrefix.get(), wideClass.get(), window);
    });
}

RVWINDOW_API int RvWindow_GetMainWindowNext(const wchar_t* titlePrefix, const wchar_t* childClass,
                                            uint32_t* window) {
    return rv::Guarded(-1,
                       [&] { return GetMainWindowNextExport(titlePrefix, childClass, window); });
}

RVWINDOW_API int RvWindow_GetMainWindowNextA(const char* titlePrefix, const char* childClass,
                                             uint32_t* window) {
    return rv::Guarded(-1, [&] {
        const rv::AnsiArgument widePrefix(titlePrefix), wideClass(childClass);
        return GetMainWindowNextExport(widePrefix.get(), wideClass.get(), window);
    });
}
