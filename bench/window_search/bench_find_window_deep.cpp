// RvWindow_FindWindowDeep following a five-step path through a tree of 2000
// windows, next to the same search written by hand with GetWindow and
// GetWindowTextW, measured in the same run.
#include "RvWindow.h"
#include "bench_timing.h"
#include "unmanaged_windows.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kLevels = 5;
constexpr int kSiblingsPerLevel = 400; // 5 x 400 = 2000 windows; the target comes last
constexpr int kSearchesPerRound = 50;
constexpr int kRounds = 11;
constexpr double kTarget = 1.2;
constexpr int kTitleStorage = 256;
const wchar_t kTargetTitle[] = L"Target";
const wchar_t kPath[] = L"Target.Target.Target.Target.Target";

HWND Make(HWND parent, const wchar_t* title) {
    HWND window = CreateWindowExW(0, L"Static", title, parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 10,
                                  10, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (parent)
        SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return window;
}

// At each level 399 windows titled "Window n" and, last, "Target", the
// parent of the next level.
HWND BuildTree(HWND* deepest) {
    HWND top = Make(nullptr, L"FindWindowDeep bench");
    HWND parent = top;
    for (int level = 0; level < kLevels; ++level) {
        for (int i = 0; i < kSiblingsPerLevel - 1; ++i)
            Make(parent, (L"Window " + std::to_wstring(i)).c_str());
        parent = Make(parent, kTargetTitle);
    }
    *deepest = parent;
    return top;
}

// The hand-written search: at each level the first child whose title begins with the step.
HWND HandWritten(HWND top) {
    HWND parent = top;
    const size_t length = std::wcslen(kTargetTitle);
    for (int level = 0; level < kLevels && parent; ++level) {
        HWND found = nullptr;
        for (HWND child = GetWindow(parent, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            wchar_t title[kTitleStorage];
            GetWindowTextW(child, title, kTitleStorage);
            if (std::wcsncmp(title, kTargetTitle, length) == 0) {
                found = child;
                break;
            }
        }
        parent = found;
    }
    return parent;
}

HWND Exported(HWND top) {
    uint32_t found = 0;
    RvWindow_FindWindowDeep(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(top)), kPath, &found);
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(found));
}

double TimeSearches(HWND (*search)(HWND), HWND top, HWND expected, bool* allFound) {
    const double start = bench::Seconds();
    for (int i = 0; i < kSearchesPerRound; ++i)
        if (search(top) != expected) *allFound = false;
    return bench::Seconds() - start;
}

} // namespace

int main() {
    testsupport::LeaveWindowsUnmanaged();
    HWND deepest = nullptr;
    HWND top = BuildTree(&deepest);
    bool allFound = true;
    std::vector<double> baseline, measured, ratios;
    // Alternating, so both meet the same load from the rest of the machine.
    for (int round = 0; round < kRounds; ++round) {
        baseline.push_back(TimeSearches(HandWritten, top, deepest, &allFound));
        measured.push_back(TimeSearches(Exported, top, deepest, &allFound));
        ratios.push_back(measured.back() / baseline.back());
    }
    const double ratio = bench::Percentile(ratios, 0.5);
    std::printf("FindWindowDeep, %d steps through %d windows, per search: hand-written %7.3f ms  "
                "export %7.3f ms  ratio %5.2fx  (target <= %.1fx: %s)\n",
                kLevels, kLevels * kSiblingsPerLevel,
                bench::Percentile(baseline, 0.5) * 1e3 / kSearchesPerRound,
                bench::Percentile(measured, 0.5) * 1e3 / kSearchesPerRound, ratio, kTarget,
                ratio <= kTarget ? "met" : "MISSED");
    DestroyWindow(top);
    if (!allFound) {
        std::printf("a search missed the deepest window\n");
        return 1;
    }
    return 0;
}
