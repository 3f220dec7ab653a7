// One compiled expression of a macro, with the results of its last match.
#pragma once

#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

namespace rvs {

class RegexObject {
  public:
    // Compiles `pattern` (null: stay uncompiled) with the macro's syntax flags;
    // 1, or the complement of the standard error code.
    int Compile(const wchar_t* pattern, int32_t syntaxFlags);

    // Whole-text match or first occurrence in `text` (from the scan position
    // with the continue flag); the number of captured strings, or 0.
    int Run(bool search, const wchar_t* text, uint32_t matchFlags);

    const std::wstring& ErrorText() const { return error_; }
    size_t CaptureCount() const { return captures_.size(); }
    const wchar_t* Capture(uint64_t index) const;

  private:
    static void CompileJobBody(void* job);
    static void MatchJobBody(void* job);

    bool compiled_ = false;
    std::wregex expression_;
    std::vector<std::wstring> captures_;
    std::vector<std::wstring> spare_; // what a match fills before it replaces the captures
    size_t scanPosition_ = 0;
    std::wstring error_;
};

// The standard library's syntax options for the macro's flag bits.
std::regex_constants::syntax_option_type SyntaxOptions(uint32_t bits);

// The complement of the standard error code, as RegexCompile returns it.
int ErrorResult(std::regex_constants::error_type code);

} // namespace rvs
