// Reading windows for the searches: titles and class names into fixed
// buffers (no allocation per window), and the direct children in Z order.
#pragma once

#include <windows.h>

#include <string_view>

namespace rvw {

// How many characters of a title each search reads.
constexpr int kFindWindowTitleLimit = 254;
constexpr int kTitleLimit = 255;   // by text, main windows, menu items, path steps
constexpr int kClassStorage = 257; // class names have at most 256 characters

// A title read with one character beyond its limit, so that a longer title
// never equals a text of the limit's length.
class TitleText {
  public:
    TitleText(HWND window, int limit);
    std::wstring_view view() const { return {text_, static_cast<size_t>(length_)}; }

  private:
    wchar_t text_[kTitleLimit + 2];
    int length_ = 0;
};

class ClassText {
  public:
    explicit ClassText(HWND window);
    std::wstring_view view() const { return {text_, static_cast<size_t>(length_)}; }

  private:
    wchar_t text_[kClassStorage];
    int length_ = 0;
};

inline bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Case-insensitive equality, as window classes compare.
bool EqualsIgnoringCase(std::wstring_view a, std::wstring_view b);

// Siblings are walked at most this many times: a Z order that changes under
// the walk (other threads' windows) cannot keep it going for ever.
constexpr int kMaxSiblings = 1 << 16;

// The first direct child of `parent` in Z order; top-level windows for null.
HWND FirstChild(HWND parent);
inline HWND NextSibling(HWND window) {
    return GetWindow(window, GW_HWNDNEXT);
}

// Calls `visit` with each direct child in Z order until it returns true;
// the child it stopped at, or null.
template <class Visit> HWND FindChild(HWND parent, Visit visit) {
    int walked = 0;
    for (HWND child = FirstChild(parent); child && walked < kMaxSiblings;
         child = NextSibling(child), ++walked) {
        if (visit(child)) return child;
    }
    return nullptr;
}

} // namespace rvw
