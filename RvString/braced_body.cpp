#include "braced_body.h"

#include <regex>

namespace rvs {
namespace {

// \s exactly as the standard wide regular expressions classify it.
bool IsRegexSpace(wchar_t c) {
    static const std::regex_traits<wchar_t> traits;
    static const auto space = [] {
        const wchar_t name[] = L"s";
        return traits.lookup_classname(name, name + 1);
    }();
    return traits.isctype(c, space);
}

// The characters "." does not match.
bool IsLineTerminator(wchar_t c) {
    return c == L'\n' || c == L'\r' || c == L'\u2028' || c == L'\u2029';
}

} // namespace

std::wstring_view BracedBody(std::wstring_view text) {
    size_t open = 0;
    while (open < text.size() && IsRegexSpace(text[open]))
        ++open;
    if (open == text.size() || text[open] != L'{') return text;

    size_t end = text.size();
    while (end > open + 1 && IsRegexSpace(text[end - 1]))
        --end;
    if (end <= open + 1 || text[end - 1] != L'}') return text;
    const size_t close = end - 1;

    // The greedy blanks after "{" come first; ".*" then runs to the first line
    // terminator, and only blanks may stand between it and the closing brace.
    size_t begin = open + 1;
    while (begin < close && IsRegexSpace(text[begin]))
        ++begin;
    size_t bodyEnd = begin;
    while (bodyEnd < close && !IsLineTerminator(text[bodyEnd]))
        ++bodyEnd;
    for (size_t i = bodyEnd; i < close; ++i)
        if (!IsRegexSpace(text[i])) return text;
    return text.substr(begin, bodyEnd - begin);
}

} // namespace rvs
