// RvString next to the standard library called directly, in one run.
// Each figure is the median of several repetitions.
#include "RvString.h"
#include "bench_timing.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

// Runs `work` on a thread with a stack as large as the one RvString matches
// on, so that the direct calls survive the same long texts.
double MedianOnLargeStack(int repetitions, const std::function<void()>& work) {
    struct Job {
        int repetitions;
        const std::function<void()>* work;
        double median;
    } job{repetitions, &work, 0};
    HANDLE thread = CreateThread(
        nullptr, size_t{1} << 30,
        [](void* p) -> DWORD {
            auto* j = static_cast<Job*>(p);
            j->median = bench::MedianSeconds(j->repetitions, *j->work);
            return 0;
        },
        &job, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    return job.median;
}

void Report(const char* what, double ours, double baseline, const char* baselineName) {
    std::printf("%-48s %9.3f ms   %-28s %9.3f ms   ratio %.3f\n", what, ours * 1e3, baselineName,
                baseline * 1e3, ours / baseline);
}

std::wstring LogText(size_t characters, size_t numberEvery) {
    std::wstring text;
    const wchar_t* words[] = {L"shutter ", L"open ", L"line ", L"cyan ", L"intensity ", L"ok "};
    for (size_t i = 0; text.size() < characters; ++i) {
        text += words[i % 6];
        if (text.size() / numberEvery != (text.size() + 8) / numberEvery)
            text += std::to_wstring(i) + L' ';
    }
    text.resize(characters);
    return text;
}

void SearchWalk(size_t numberEvery) {
    const std::wstring text = LogText(size_t{1} << 20, numberEvery);
    const wchar_t* pattern = L"\\d+";
    size_t ours = 0, direct = 0;
    RegexCompile(1, pattern, 0);
    const double tOurs = bench::MedianSeconds(3, [&] {
        ours = 0;
        for (uint32_t flags = 0; RegexSearch(1, text.c_str(), flags); flags = RVS_REGEX_CONTINUE)
            ++ours;
    });
    const std::wregex re(pattern);
    // As a caller of the standard library walks a null-terminated text.
    const double tDirect = bench::MedianSeconds(3, [&] {
        direct = 0;
        std::wcmatch m;
        for (const wchar_t* p = text.c_str(); std::regex_search(p, m, re); p = m[0].second)
            ++direct;
    });
    // With the end of the text known, which the exports cannot assume.
    const double tKnownEnd = bench::MedianSeconds(3, [&] {
        std::wcmatch m;
        const wchar_t* end = text.c_str() + text.size();
        for (const wchar_t* p = text.c_str(); std::regex_search(p, end, m, re); p = m[0].second) {
        }
    });
    char what[96];
    std::snprintf(what, sizeof what, "RegexSearch walk, 1 MiB, %zu matches", ours);
    Report(what, tOurs, tDirect, "std::regex_search (C text)");
    Report("", tOurs, tKnownEnd, "std::regex_search (known end)");
    if (ours != direct) std::printf("  !! counts differ: %zu vs %zu\n", ours, direct);
    RegexFree(1);
}

void WholeMatch() {
    const std::wstring text = LogText(100 * 1024, 1 << 30);
    const wchar_t* pattern = L"([a-z]+ )*[a-z]*";
    RegexCompile(2, pattern, 0);
    int ours = 0;
    const double tOurs = bench::MedianSeconds(5, [&] { ours = RegexMatches(2, text.c_str(), 0); });
    const std::wregex re(pattern);
    bool direct = false;
    const double tDirect = MedianOnLargeStack(5, [&] {
        std::wcmatch m;
        direct = std::regex_match(text.c_str(), m, re);
    });
    Report("RegexMatches, 100 KiB", tOurs, tDirect, "std::regex_match");
    if ((ours > 0) != direct) std::printf("  !! results differ\n");
    RegexFree(2);
}

void CallOverhead() {
    const wchar_t* text = L"shutter open, line 3 cyan 488 nm at 25 %";
    RegexCompile(3, L"(\\d+) nm", 0);
    const std::wregex re(L"(\\d+) nm");
    const int calls = 20000;
    const double tOurs = bench::MedianSeconds(5, [&] {
        for (int i = 0; i < calls; ++i)
            RegexSearch(3, text, 0);
    });
    const double tDirect = bench::MedianSeconds(5, [&] {
        std::wcmatch m;
        std::vector<std::wstring> captures;
        for (int i = 0; i < calls; ++i) {
            std::regex_search(text, m, re);
            captures.assign(m.begin(), m.end());
        }
    });
    Report("RegexSearch, 40 characters, 20000 calls", tOurs, tDirect, "std::regex_search + copies");
    std::printf("  %.2f us a call above the direct call: the switch to the deep stack and back\n",
                (tOurs - tDirect) / calls * 1e6);
    RegexFree(3);
}

void MapFill() {
    std::wstring text = L"{";
    for (int i = 0; i < 10000; ++i)
        text += L" key" + std::to_wstring(i) + L" : value" + std::to_wstring(i) + L" ,";
    text += L"}";
    void* map = nullptr;
    const double tOurs = bench::MedianSeconds(5, [&] {
        StrMapCreate(&map, nullptr);
        StrMapAdd(map, text.c_str());
    });
    StrMapFree(&map);
    const double tDirect = bench::MedianSeconds(5, [&] {
        std::map<std::wstring, std::wstring> plain;
        std::wstring_view body(text);
        body = body.substr(1, body.size() - 2);
        size_t start = 0;
        while (start < body.size()) {
            size_t comma = body.find(L',', start);
            if (comma == std::wstring_view::npos) comma = body.size();
            const std::wstring_view piece = body.substr(start, comma - start);
            const size_t colon = piece.find(L':');
            plain[std::wstring(piece.substr(0, colon))] = std::wstring(piece.substr(colon + 1));
            start = comma + 1;
        }
    });
    Report("StrMapAdd, 10000 pairs", tOurs, tDirect, "split into std::map");
}

void ParseOptions() {
    void* map = nullptr;
    StrMapCreate(&map, nullptr);
    std::wstring options;
    std::map<std::wstring, std::wstring> plain;
    for (int i = 0; i < 1000; ++i) {
        const std::wstring name = L"OPTION_" + std::to_wstring(i);
        StrMapSet(map, name.c_str(), std::to_wstring(1ll << (i % 63)).c_str());
        plain[name] = std::to_wstring(1ll << (i % 63));
        options += (i ? L"|" : L"") + name;
    }
    int64_t ours = 0, direct = 0;
    const double tOurs =
        bench::MedianSeconds(21, [&] { ours = StrMapParseOptions(map, options.c_str()); });
    const double tDirect = bench::MedianSeconds(21, [&] {
        direct = 0;
        size_t start = 0;
        while (start <= options.size()) {
            size_t bar = options.find(L'|', start);
            if (bar == std::wstring::npos) bar = options.size();
            auto entry = plain.find(options.substr(start, bar - start));
            direct |= std::wcstoll(entry->second.c_str(), nullptr, 10);
            start = bar + 1;
        }
    });
    Report("StrMapParseOptions, 1000 names", tOurs, tDirect, "std::map lookups + wcstoll");
    if (ours != direct) std::printf("  !! results differ\n");
    StrMapFree(&map);
}

} // namespace

int main() {
    std::printf("RvString benchmarks (median of repeated runs; ratio = RvString / baseline)\n");
    SearchWalk(1024);
    SearchWalk(64);
    WholeMatch();
    CallOverhead();
    MapFill();
    ParseOptions();
    return 0;
}
