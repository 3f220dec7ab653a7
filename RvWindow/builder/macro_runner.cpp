#include "macro_runner.h"

#include "dialog_record.h"
#include "rv_args.h"
#include "runtime_libraries.h"

#include <climits>
#include <cstdint>

namespace rvw {
namespace {

// The engine's block runner: context (none), the text to run, the text again
// as its source, the length in characters and a 16-bit flag word.
using BlockCommands = int (*)(void* context, const wchar_t* text, const wchar_t* source, int length,
                              int16_t flags);

} // namespace

INT_PTR RunMacro(HWND dialog, UINT, WPARAM, LPARAM, const wchar_t* text) {
    if (!RecordOf(dialog)) return 0;
    auto run = reinterpret_cast<BlockCommands>(MacroEngineEntry("Qm_Block_Commands"));
    std::wstring_view macro;
    if (!run || !rv::ReadWideArgument(text, &macro) || macro.size() > INT_MAX) return 0;
    run(nullptr, text, text, static_cast<int>(macro.size()), 0);
    return 0;
}

} // namespace rvw
