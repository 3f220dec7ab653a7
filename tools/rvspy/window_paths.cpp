#include "window_paths.h"

#include "RvWindow.h"

#include <string_view>
#include <vector>

namespace rvspy {
namespace {

constexpr size_t kStepLimit = 255;
constexpr int kTextStorage = kStepLimit + 2;
constexpr int kClassStorage = 257;
constexpr UINT kTextTimeoutMs = 200;

uint32_t HandleOf(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

HWND Follow(HWND parent, const std::wstring& path) {
    uint32_t found = 0;
    if (RvWindow_FindWindowDeep(HandleOf(parent), path.c_str(), &found) != 0) return nullptr;
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(found));
}

std::wstring TitleOf(HWND window) {
    wchar_t text[kTextStorage] = {};
    GetWindowTextW(window, text, kTextStorage);
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t text[kClassStorage] = {};
    GetClassNameW(window, text, kClassStorage);
    return text;
}

// A window whose own process reads another title than we do here: controls
// that keep their text themselves (edit controls) answer WM_GETTEXT with
// their content, while other processes read the caption they were made with.
struct TwoFacedWindow {
    std::wstring here, own, cls;
};

bool OwnTitle(HWND window, std::wstring* own) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) return false;
    wchar_t text[kTextStorage] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, kTextStorage, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &length))
        return false;
    *own = text;
    return true;
}

// The siblings up to and including `child` that read differently in their own process.
std::vector<TwoFacedWindow> TwoFacedSiblings(HWND parent, HWND child) {
    std::vector<TwoFacedWindow> found;
    for (HWND sibling = GetWindow(parent ? parent : GetDesktopWindow(), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        std::wstring own;
        if (OwnTitle(sibling, &own)) {
            const std::wstring here = TitleOf(sibling);
            if (own != here) found.push_back({here, own, ClassOf(sibling)});
        }
        if (sibling == child) break;
    }
    return found;
}

// A step without its count, as rvspy writes them.
struct Candidate {
    std::wstring step;
    std::wstring name;
    bool exactTitle = false;
    bool classForm = false;
    std::wstring cls;
};

bool StartsWith(std::wstring_view text, std::wstring_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The path language's rule for one step, to tell whether a two-faced window
// answers a candidate alike with both its titles.
bool StepMatches(const Candidate& c, const std::wstring& title, const std::wstring& cls) {
    const bool titleMatches = c.exactTitle ? title == c.name : StartsWith(title, c.name);
    if (c.classForm) return titleMatches && cls == c.cls;
    return titleMatches || StartsWith(cls, c.name);
}

bool SameInEveryProcess(const Candidate& c, const std::vector<TwoFacedWindow>& twoFaced) {
    for (const TwoFacedWindow& w : twoFaced)
        if (StepMatches(c, w.here, w.cls) != StepMatches(c, w.own, w.cls)) return false;
    return true;
}

// The part of a text a step can name: up to the first "." or "[".
std::wstring_view Nameable(std::wstring_view text) {
    return text.substr(0, text.find_first_of(L".["));
}

// A step of plain prefix text: nothing the path language would read as
// "$" or a class form.
bool IsPlainName(std::wstring_view name) {
    return !name.empty() && name.back() != L'$' && name.back() != L')';
}

// Steps without a count, in order of preference: title and class prefixes
// by length, then the class form and the exact title; last the empty step,
// which matches every child.
std::vector<Candidate> Candidates(HWND child) {
    const std::wstring title = TitleOf(child), cls = ClassOf(child);
    const std::wstring_view titleName = Nameable(title), className = Nameable(cls);
    std::vector<Candidate> all;
    const size_t longest =
        titleName.size() > className.size() ? titleName.size() : className.size();
    for (size_t length = 1; length <= longest && length <= kStepLimit; ++length) {
        for (std::wstring_view source : {titleName, className}) {
            if (length > source.size()) continue;
            const std::wstring name(source.substr(0, length));
            if (IsPlainName(name)) all.push_back({name, name, false, false, L""});
        }
    }
    const bool titleWhole = titleName.size() == title.size();
    if (className.size() == cls.size() && !cls.empty()) {
        for (size_t length = 0; length <= titleName.size(); ++length) {
            const std::wstring name(titleName.substr(0, length));
            all.push_back({name + L"(" + cls + L")", name, false, true, cls});
        }
        if (titleWhole) all.push_back({title + L"$(" + cls + L")", title, true, true, cls});
    }
    if (titleWhole) all.push_back({title + L"$", title, true, false, L""});
    all.push_back({L"", L"", false, false, L""});
    return all;
}

int SiblingIndex(HWND parent, HWND child) {
    int index = 0;
    for (HWND sibling = GetWindow(parent ? parent : GetDesktopWindow(), GW_CHILD);
         sibling && sibling != child; sibling = GetWindow(sibling, GW_HWNDNEXT))
        ++index;
    return index;
}

std::wstring Indexed(const std::wstring& base, int index) {
    return base + L"[" + std::to_wstring(index) + L"]";
}

} // namespace

bool ShortestStep(HWND parent, HWND child, std::wstring* step) {
    const std::vector<TwoFacedWindow> twoFaced = TwoFacedSiblings(parent, child);
    std::vector<Candidate> candidates;
    for (Candidate& c : Candidates(child))
        if (SameInEveryProcess(c, twoFaced)) candidates.push_back(std::move(c));
    for (const Candidate& c : candidates) {
        if (!c.step.empty() && Follow(parent, c.step) == child) {
            *step = c.step;
            return true;
        }
    }
    // Counting: the empty step matches every child, so "[position]" always
    // reaches it; a name narrows the count and may give a shorter step.
    std::wstring best = Indexed(L"", SiblingIndex(parent, child));
    for (const Candidate& c : candidates) {
        for (int index = 0;; ++index) {
            const std::wstring indexed = Indexed(c.step, index);
            if (indexed.size() >= best.size()) break;
            HWND reached = Follow(parent, indexed);
            if (!reached) break;
            if (reached == child) {
                best = indexed;
                break;
            }
        }
    }
    if (Follow(parent, best) != child) return false;
    *step = best;
    return true;
}

bool ShortestPath(HWND top, HWND window, std::wstring* path) {
    std::vector<HWND> chain;
    for (HWND at = window; at && at != top; at = GetAncestor(at, GA_PARENT))
        chain.push_back(at);
    std::wstring steps;
    HWND parent = top;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        std::wstring step;
        if (!ShortestStep(parent, *it, &step)) return false;
        if (!steps.empty()) steps += L".";
        steps += step;
        parent = *it;
    }
    *path = steps;
    return Resolves(top, steps, window);
}

bool Resolves(HWND top, const std::wstring& path, HWND window) {
    return Follow(top, path) == window;
}

} // namespace rvspy
