#include "window_path.h"

#include "window_text.h"

namespace rvw {
namespace {

constexpr uint32_t kMaxIndex = 0x7FFFFFFFu;

// "[n]" at the start of `rest`; moves past it.
bool TakeIndex(std::wstring_view& rest, uint32_t* index) {
    size_t at = 1; // past "["
    uint32_t value = 0;
    while (at < rest.size() && rest[at] >= L'0' && rest[at] <= L'9') {
        value = value * 10 + static_cast<uint32_t>(rest[at] - L'0');
        if (value > kMaxIndex) return false;
        ++at;
    }
    if (at == 1 || at >= rest.size() || rest[at] != L']') return false;
    *index = value;
    rest.remove_prefix(at + 1);
    return true;
}

void ParseStepText(std::wstring_view text, PathStep* step) {
    if (!text.empty() && text.back() == L'$') {
        step->exactTitle = true;
        text.remove_suffix(1);
    }
    const size_t open = text.rfind(L'(');
    if (!text.empty() && text.back() == L')' && open != std::wstring_view::npos) {
        step->hasClass = true;
        step->windowClass = text.substr(open + 1, text.size() - open - 2);
        text = text.substr(0, open);
        if (!step->exactTitle && !text.empty() && text.back() == L'$') {
            step->exactTitle = true;
            text.remove_suffix(1);
        }
    }
    step->name = text;
}

} // namespace

bool TakeStep(std::wstring_view& rest, PathStep* step, bool* last) {
    *step = PathStep{};
    const size_t end = rest.find_first_of(L".[");
    ParseStepText(rest.substr(0, end), step);
    rest.remove_prefix(end == std::wstring_view::npos ? rest.size() : end);
    if (!rest.empty() && rest.front() == L'[') {
        if (!TakeIndex(rest, &step->index)) return false;
        if (!rest.empty() && rest.front() != L'.') return false;
    }
    *last = rest.empty();
    if (!*last) rest.remove_prefix(1); // the "."
    return true;
}

bool StepMatches(HWND child, const PathStep& step) {
    const TitleText title(child, kTitleLimit);
    const bool titleMatches =
        step.exactTitle ? title.view() == step.name : StartsWith(title.view(), step.name);
    if (step.hasClass) return titleMatches && ClassText(child).view() == step.windowClass;
    return titleMatches || StartsWith(ClassText(child).view(), step.name);
}

bool FollowWindowPath(HWND parent, std::wstring_view path, HWND* found) {
    HWND current = parent;
    bool last = false;
    while (!last) {
        PathStep step;
        if (!TakeStep(path, &step, &last)) return false;
        if (step.name.size() > kStepNameLimit) return false;
        uint32_t skip = step.index;
        current = FindChild(current, [&](HWND child) {
            if (!StepMatches(child, step)) return false;
            if (skip == 0) return true;
            --skip;
            return false;
        });
        if (!current) return false;
    }
    *found = current;
    return true;
}

} // namespace rvw
