// Speed of the dialog builder next to plain Win32 doing the same work in the
// same run: adding controls, and dispatching messages through handlers.
#include "RvWindow.h"
#include "bench_timing.h"
#include "unmanaged_windows.h"

#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kControls = 200;
constexpr int kMessages = 100000;
constexpr int kHandlers = 100;
constexpr int kRounds = 11;

// One way of doing the work: `prepare` and `clean` run outside the timing.
struct Contender {
    std::function<void()> prepare, timed, clean;
};

double TimeOnce(const Contender& c) {
    c.prepare();
    const double start = bench::Seconds();
    c.timed();
    const double elapsed = bench::Seconds() - start;
    c.clean();
    return elapsed;
}

struct Comparison {
    double baseline, measured, ratio;
};

// Alternates the two so that both meet the same load from the rest of the
// machine; the ratio is the median of the ratios of each pair.
Comparison Compare(const Contender& baseline, const Contender& measured) {
    std::vector<double> a, b, ratios;
    for (int i = 0; i < kRounds; ++i) {
        a.push_back(TimeOnce(baseline));
        b.push_back(TimeOnce(measured));
        ratios.push_back(b.back() / a.back());
    }
    return {bench::Percentile(a, 0.5), bench::Percentile(b, 0.5), bench::Percentile(ratios, 0.5)};
}

// Prints both times and their ratio; a target of 0 means none is set.
void Report(const char* what, const Comparison& c, double target) {
    const double ratio = c.ratio;
    std::printf("%-44s baseline %8.2f ms  builder %8.2f ms  ratio %5.2fx", what, c.baseline * 1e3,
                c.measured * 1e3, ratio);
    if (target > 0)
        std::printf("  (target <= %.1fx: %s)", target, ratio <= target ? "met" : "MISSED");
    std::printf("\n");
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

HWND PlainDialog() {
    return CreateDialogParamW(GetModuleHandleW(L"RvWindow.dll"), MAKEINTRESOURCEW(101), nullptr,
                              PlainDialogProc, 0);
}

HWND ToWindow(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

void BenchAddingControls() {
    HWND plain = nullptr;
    const Contender createWindow{
        [&] { plain = PlainDialog(); },
        [&] {
            for (int i = 0; i < kControls; ++i)
                CreateWindowExW(0, L"edit", L"", WS_CHILD | WS_VISIBLE, 10, 10 + 20 * i, 60, 20,
                                plain, reinterpret_cast<HMENU>(INT_PTR{i}), nullptr, nullptr);
        },
        [&] { DestroyWindow(plain); }};
    uint32_t dialog = 0;
    const Contender addControl{[&] { RvDialog_Create(0, L"bench", &dialog); },
                               [&] {
                                   for (int i = 0; i < kControls; ++i)
                                       RvDialog_AddControl(dialog, L"edit", L"edit", 0, 0, 60,
                                                           nullptr);
                               },
                               [&] { DestroyWindow(ToWindow(dialog)); }};
    Report("200 controls: AddControl vs CreateWindowExW", Compare(createWindow, addControl), 1.5);
    // Most of the difference is the dialog font every control is given.
    const Contender createWithFont{
        [&] { plain = PlainDialog(); },
        [&] {
            const WPARAM font = SendMessageW(plain, WM_GETFONT, 0, 0);
            for (int i = 0; i < kControls; ++i) {
                HWND c =
                    CreateWindowExW(0, L"edit", L"", WS_CHILD | WS_VISIBLE, 10, 10 + 20 * i, 60, 20,
                                    plain, reinterpret_cast<HMENU>(INT_PTR{i}), nullptr, nullptr);
                SendMessageW(c, WM_SETFONT, font, FALSE);
            }
        },
        [&] { DestroyWindow(plain); }};
    Report("  the same with WM_SETFONT as the baseline", Compare(createWithFont, addControl), 0);
}

int g_calls = 0;
INT_PTR Counting(HWND, UINT, WPARAM, LPARAM, const wchar_t*) {
    return ++g_calls;
}
INT_PTR CALLBACK CountingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return message == WM_APP ? Counting(dialog, message, wParam, lParam, L"") : FALSE;
}

void BenchDispatch() {
    HWND plain = CreateDialogParamW(GetModuleHandleW(L"RvWindow.dll"), MAKEINTRESOURCEW(101),
                                    nullptr, CountingDialogProc, 0);
    uint32_t dialog = 0;
    RvDialog_Create(0, L"bench", &dialog);
    // The handler that matches is the first registered: every message walks all 100.
    RvDialog_AddMessageHandler(dialog, nullptr, WM_APP, WM_APP, 0, 0, 0, 0, Counting, L"");
    for (int i = 1; i < kHandlers; ++i)
        RvDialog_AddMessageHandler(dialog, nullptr, WM_APP + 1, WM_APP + 100, 0, 0, 0, 0, Counting,
                                   L"");
    auto send = [](HWND target) {
        return [target] {
            for (int i = 0; i < kMessages; ++i)
                SendMessageW(target, WM_APP, 0, 0);
        };
    };
    g_calls = 0;
    const Comparison c =
        Compare({[] {}, send(plain), [] {}}, {[] {}, send(ToWindow(dialog)), [] {}});
    if (g_calls != 2 * kMessages * kRounds) std::printf("handlers ran %d times\n", g_calls);
    Report("100000 messages through 100 handlers", c, 0);
    DestroyWindow(plain);
    DestroyWindow(ToWindow(dialog));
}

} // namespace

int main() {
    testsupport::LeaveWindowsUnmanaged();
    uint32_t warmUp = 0; // measures the layout and loads everything once
    RvDialog_Create(0, L"warm-up", &warmUp);
    DestroyWindow(ToWindow(warmUp));
    BenchAddingControls();
    BenchDispatch();
    return 0;
}
