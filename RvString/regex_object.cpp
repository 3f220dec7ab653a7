#include "regex_object.h"

#include "deep_stack.h"
#include "guarded_iterator.h"
#include "rv_memory.h"
#include "rv_text.h"

#include <windows.h>

namespace rvs {
namespace {

constexpr uint32_t kContinue = 0x1000000u;

// Longer patterns are refused: the compiler recurses over the pattern, and
// beyond this its recursion could outgrow even the deep stack.
constexpr size_t kMaxPatternLength = size_t{1} << 20;

// Steps (uses of the text, see GuardedIterator) one match or search may take
// before it is given up as runaway backtracking: about a second, and some
// seconds with costly character classes. A plain search takes about four
// steps a character and a whole match five, so an 8 MiB search or the
// deepest match the stack allows fits several times over.
constexpr uint64_t kMatchSteps = uint64_t{1} << 27;

struct CompileJob {
    std::wregex* expression;
    std::wstring_view pattern;
    std::regex_constants::syntax_option_type options;
    int result;
    std::wstring error;
};

struct MatchJob {
    const std::wregex* expression;
    bool search;
    const wchar_t* begin;
    const wchar_t* end;
    std::vector<std::wstring>* captures;
    size_t consumed;
};

} // namespace

std::regex_constants::syntax_option_type SyntaxOptions(uint32_t bits) {
    using namespace std::regex_constants;
    static const struct {
        uint32_t bit;
        syntax_option_type option;
    } kOptions[] = {{0x1, ECMAScript}, {0x2, basic},    {0x4, extended}, {0x8, awk},
                    {0x10, grep},      {0x20, egrep},   {0x100, icase},  {0x200, nosubs},
                    {0x400, optimize}, {0x800, collate}};
    syntax_option_type options{};
    for (const auto& entry : kOptions)
        if (bits & entry.bit) options |= entry.option;
    return options;
}

int ErrorResult(std::regex_constants::error_type code) {
    using namespace std::regex_constants;
    static const error_type kCodes[] = {
        error_collate,   error_ctype,      error_escape,   error_backref, error_brack,
        error_paren,     error_brace,      error_badbrace, error_range,   error_space,
        error_badrepeat, error_complexity, error_stack,
#ifdef _MSC_VER
        error_parse,     error_syntax,
#endif
    };
    for (size_t i = 0; i < sizeof kCodes / sizeof kCodes[0]; ++i)
        if (kCodes[i] == code) return -1 - static_cast<int>(i);
    return -15; // outside the standard set (conflicting grammars): a syntax error
}

void RegexObject::CompileJobBody(void* context) {
    auto& job = *static_cast<CompileJob*>(context);
    try {
        *job.expression = std::wregex(job.pattern.data(), job.pattern.size(), job.options);
        job.result = 1;
    } catch (const std::regex_error& e) {
        job.result = ErrorResult(e.code());
        job.error = rv::ToWide(e.what(), CP_UTF8);
    } catch (...) {
        job.result = ErrorResult(std::regex_constants::error_space);
        job.error = L"out of memory compiling the expression";
    }
}

int RegexObject::Compile(const wchar_t* pattern, int32_t syntaxFlags) {
    // The pattern may be our own error text: take it before clearing that.
    size_t length = 0;
    const bool readable = rv::SafeWideLength(pattern, &length);
    const bool fits = length <= kMaxPatternLength;
    const std::wstring source = readable && fits ? std::wstring(pattern, length) : std::wstring();
    compiled_ = false;
    error_.clear();
    if (!pattern) return 1;
    if (!readable) {
        error_ = L"the pattern is not readable";
        return ErrorResult(std::regex_constants::error_space);
    }
    if (!fits) {
        error_ = L"the pattern is too long";
        return ErrorResult(std::regex_constants::error_space);
    }
    CompileJob job{
        &expression_, source, SyntaxOptions(static_cast<uint32_t>(syntaxFlags) ^ 1u), 0, {}};
    if (RunOnDeepStack(&CompileJobBody, &job) != DeepStackRun::Completed) {
        error_ = L"no stack for the expression compiler";
        return ErrorResult(std::regex_constants::error_stack);
    }
    error_ = std::move(job.error);
    compiled_ = job.result == 1;
    return job.result;
}

void RegexObject::MatchJobBody(void* context) {
    auto& job = *static_cast<MatchJob*>(context);
    StackGuard& guard = DeepStackGuard();
    try {
        const GuardedIterator begin(job.begin, &guard), end(job.end, &guard);
        std::match_results<GuardedIterator> match;
        guard.stepsLeft = kMatchSteps;
        const bool found = job.search ? std::regex_search(begin, end, match, *job.expression)
                                      : std::regex_match(begin, end, match, *job.expression);
        guard.stepsLeft = StackGuard::kNoBudget;
        if (!found) return;
        for (const auto& sub : match)
            job.captures->emplace_back(sub.matched ? std::wstring(sub.first.get(), sub.second.get())
                                                   : std::wstring());
        job.consumed = static_cast<size_t>(match[0].second.get() - job.begin);
    } catch (...) {
        // Out of memory or out of budget: the match counts as failed.
        guard.stepsLeft = StackGuard::kNoBudget;
        job.captures->clear();
    }
}

int RegexObject::Run(bool search, const wchar_t* text, uint32_t matchFlags) {
    size_t length;
    if (!compiled_ || !rv::SafeWideLength(text, &length)) {
        captures_.clear();
        return 0;
    }
    if (!(matchFlags & kContinue)) {
        scanPosition_ = 0;
    } else if (length < scanPosition_) {
        captures_.clear();
        return 0;
    }
    // The text may be one of our own captures: the match fills the spare
    // list, and the captures are replaced only once it no longer reads them.
    spare_.clear();
    MatchJob job{&expression_, search, text + scanPosition_, text + length, &spare_, 0};
    const DeepStackRun run = RunOnDeepStack(&MatchJobBody, &job);
    // Too deep for the stack or over budget: the text counts as not matching.
    if (run != DeepStackRun::Completed) spare_.clear();
    captures_.swap(spare_);
    spare_.clear();
    if (captures_.empty()) return 0;
    scanPosition_ += job.consumed;
    return static_cast<int>(captures_.size());
}

const wchar_t* RegexObject::Capture(uint64_t index) const {
    return index < captures_.size() ? captures_[static_cast<size_t>(index)].c_str() : L"";
}

} // namespace rvs
