#include "window_text.h"

namespace rvw {

TitleText::TitleText(HWND window, int limit) {
    if (limit > kTitleLimit) limit = kTitleLimit;
    length_ = GetWindowTextW(window, text_, limit + 2);
    if (length_ < 0) length_ = 0;
}

ClassText::ClassText(HWND window) {
    length_ = GetClassNameW(window, text_, kClassStorage);
    if (length_ < 0) length_ = 0;
}

bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    if (a.empty()) return true;
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

HWND FirstChild(HWND parent) {
    return GetWindow(parent ? parent : GetDesktopWindow(), GW_CHILD);
}

} // namespace rvw
