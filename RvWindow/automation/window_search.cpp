// Finding windows by title or class, by control identifier, by text and by
// window path.
#include "RvWindow.h"
#include "rv_args.h"
#include "window_handle.h"
#include "window_path.h"
#include "window_text.h"

namespace {

// Deeper trees than this are not searched further (each level is a frame of the search).
constexpr int kMaxDepth = 512;

// A text argument; empty for null or unreadable text, `given` tells which.
std::wstring_view TextArgument(const wchar_t* text, bool* given = nullptr) {
    std::wstring_view view;
    const bool readable = rv::ReadWideArgument(text, &view);
    if (given) *given = readable;
    return view;
}

int FindWindowExport(uint32_t parent, const wchar_t* cls, const wchar_t* title, uint32_t* out) {
    if (!rv::WriteOut(out, 0u)) return -1;
    bool classGiven, titleGiven;
    const std::wstring_view wantedClass = TextArgument(cls, &classGiven);
    const std::wstring_view wantedTitle = TextArgument(title, &titleGiven);
    if (!classGiven && !titleGiven) return -2;
    // Titles are read up to the limit: a longer text would equal cut titles.
    const bool titleComparable =
        !wantedTitle.empty() && wantedTitle.size() <= rvw::kFindWindowTitleLimit;
    HWND found = rvw::FindChild(rvw::ToWindow(parent), [&](HWND child) {
        if (titleComparable &&
            rvw::TitleText(child, rvw::kFindWindowTitleLimit).view() == wantedTitle)
            return true;
        return !wantedClass.empty() && rvw::ClassText(child).view() == wantedClass;
    });
    *out = rvw::ToHandle(found);
    return 0;
}

// A top-level window's identifier slot holds its menu, so only child windows have one.
bool HasControlId(HWND window, int32_t id) {
    if (!(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) return false;
    return static_cast<int32_t>(GetWindowLongPtrW(window, GWLP_ID)) == id;
}

HWND FindById(HWND parent, int32_t id, int depth) {
    if (depth >= kMaxDepth) return nullptr;
    HWND found = nullptr;
    rvw::FindChild(parent, [&](HWND child) {
        found = HasControlId(child, id) ? child : FindById(child, id, depth + 1);
        return found != nullptr;
    });
    return found;
}

HWND FindByText(HWND parent, std::wstring_view text, int depth) {
    if (depth >= kMaxDepth) return nullptr;
    HWND found = nullptr;
    rvw::FindChild(parent, [&](HWND child) {
        found = rvw::TitleText(child, rvw::kTitleLimit).view() == text
                    ? child
                    : FindByText(child, text, depth + 1);
        return found != nullptr;
    });
    return found;
}

int FindWindowDeepExport(uint32_t parent, const wchar_t* path, uint32_t* out) {
    if (!rv::WriteOut(out, 0u)) return -1;
    std::wstring_view steps;
    if (!rv::ReadWideArgument(path, &steps)) return -2;
    if (steps.empty()) {
        *out = parent;
        return 0;
    }
    HWND found;
    if (!rvw::FollowWindowPath(rvw::ToWindow(parent), steps, &found)) return -3;
    *out = rvw::ToHandle(found);
    return 0;
}

} // namespace

RVWINDOW_API int RvWindow_FindWindow(uint32_t parent, const wchar_t* cls, const wchar_t* title,
                                     uint32_t* window) {
    return rv::Guarded(-1, [&] { return FindWindowExport(parent, cls, title, window); });
}

RVWINDOW_API int RvWindow_FindWindowA(uint32_t parent, const char* cls, const char* title,
                                      uint32_t* window) {
    return rv::Guarded(-1, [&] {
        const rv::AnsiArgument wideClass(cls), wideTitle(title);
        return FindWindowExport(parent, wideClass.get(), wideTitle.get(), window);
    });
}

RVWINDOW_API int RvWindow_FindWindowByID(uint32_t parent, int32_t id, uint32_t* window) {
    return rv::Guarded(-1, [&] {
        if (!rv::WriteOut(window, 0u)) return -1;
        if (id == 0) return -2;
        *window = rvw::ToHandle(FindById(rvw::ToWindow(parent), id, 0));
        return 0;
    });
}

RVWINDOW_API int RvWindow_FindWindowByText(uint32_t parent, const wchar_t* title,
                                           uint32_t* window) {
    return rv::Guarded(-1, [&] {
        if (!rv::WriteOut(window, 0u)) return -1;
        std::wstring_view text;
        if (!rv::ReadWideArgument(title, &text) || text.size() > rvw::kTitleLimit) return -1;
        *window = rvw::ToHandle(FindByText(rvw::ToWindow(parent), text, 0));
        return *window ? 0 : -1;
    });
}

RVWINDOW_API int RvWindow_FindWindowDeep(uint32_t parent, const wchar_t* path, uint32_t* window) {
    return rv::Guarded(-1, [&] { return FindWindowDeepExport(parent, path, window); });
}

RVWINDOW_API int RvWindow_FindWindowDeepA(uint32_t parent, const char* path, uint32_t* window) {
    return rv::Guarded(-1, [&] {
        const rv::AnsiArgument widePath(path);
        return FindWindowDeepExport(parent, widePath.get(), window);
    });
}
