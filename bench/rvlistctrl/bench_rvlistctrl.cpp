// The list control next to comctl32's report-view ListView doing the same
// work in the same run: filling 100 000 rows of 5 columns, sorting them by
// one column, painting a page, and the private bytes each row costs.
#include "RvListCtrl.h"
#include "RvWindow.h"
#include "bench_timing.h"
#include "unmanaged_windows.h"

#include <commctrl.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kColumns = 5;
constexpr int kSmallRows = 100;
// ListView needs tens of seconds for 100 000 rows under Wine: one round each.
constexpr int kRounds = 1;
constexpr int kPaintRounds = 21;
constexpr int kWidth = 600, kHeight = 400, kColumnWidth = 110;

HWND ToWindow(uint32_t handle) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
}

// The cell texts both contenders get: the sort column holds scrambled numbers.
std::vector<std::vector<std::wstring>> Cells(int rows) {
    std::vector<std::vector<std::wstring>> cells(static_cast<size_t>(rows));
    uint32_t state = 12345;
    for (int r = 0; r < rows; ++r) {
        state = state * 1664525u + 1013904223u;
        auto& row = cells[static_cast<size_t>(r)];
        row.push_back(L"Sample " + std::to_wstring(r));
        row.push_back(std::to_wstring(state % 1000000));
        row.push_back(L"20x / 0.75");
        row.push_back(std::to_wstring(r % 7) + L".5");
        row.push_back(L"Imaging");
    }
    return cells;
}

// A list control of the builder in a dialog of its own.
struct ListControl {
    uint32_t dialog = 0;
    uint32_t list = 0;
    void Create() {
        RvDialog_Create(0, L"bench", &dialog);
        RvDialog_AddControl(dialog, L"list", L"RvListCtrl", 0, 0, 100, &list);
        SetWindowPos(ToWindow(list), nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
        for (int c = 0; c < kColumns; ++c)
            RvListCtrl_AddColumn(list, (L"C" + std::to_wstring(c)).c_str(), kColumnWidth, -1, 0,
                                 FormatEdit, 0);
    }
    void Fill(const std::vector<std::vector<std::wstring>>& cells) {
        for (size_t r = 0; r < cells.size(); ++r) {
            const int item = RvListCtrl_AddItem(list, cells[r][0].c_str(), -1, 0, 0);
            for (int c = 1; c < kColumns; ++c)
                RvListCtrl_SetItemText(list, item, c, cells[r][static_cast<size_t>(c)].c_str());
        }
    }
    void Destroy() { DestroyWindow(ToWindow(dialog)); }
    HWND Window() const { return ToWindow(list); }
};

struct ListView {
    HWND parent = nullptr, view = nullptr;
    void Create() {
        parent = CreateWindowExW(0, L"static", L"bench", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                                 nullptr, nullptr, nullptr);
        view = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0,
                               kWidth, kHeight, parent, nullptr, nullptr, nullptr);
        for (int c = 0; c < kColumns; ++c) {
            std::wstring title = L"C" + std::to_wstring(c);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = kColumnWidth;
            column.pszText = title.data();
            SendMessageW(view, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c),
                         reinterpret_cast<LPARAM>(&column));
        }
    }
    void Fill(const std::vector<std::vector<std::wstring>>& cells) {
        for (size_t r = 0; r < cells.size(); ++r) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.pszText = const_cast<wchar_t*>(cells[r][0].c_str());
            const int at = static_cast<int>(
                SendMessageW(view, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
            for (int c = 1; c < kColumns; ++c) {
                LVITEMW sub{};
                sub.iSubItem = c;
                sub.pszText = const_cast<wchar_t*>(cells[r][static_cast<size_t>(c)].c_str());
                SendMessageW(view, LVM_SETITEMTEXTW, static_cast<WPARAM>(at),
                             reinterpret_cast<LPARAM>(&sub));
            }
        }
    }
    void Destroy() { DestroyWindow(parent); }
};

HWND g_sorted = nullptr;

std::wstring ListViewText(int item, int subItem) {
    wchar_t buffer[64];
    LVITEMW lv{};
    lv.iSubItem = subItem;
    lv.pszText = buffer;
    lv.cchTextMax = 64;
    const LRESULT n = SendMessageW(g_sorted, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                                   reinterpret_cast<LPARAM>(&lv));
    return std::wstring(buffer, static_cast<size_t>(n));
}

int CALLBACK OrdinalCompare(LPARAM a, LPARAM b, LPARAM) {
    const std::wstring x = ListViewText(static_cast<int>(a), 1);
    const std::wstring y = ListViewText(static_cast<int>(b), 1);
    return CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                static_cast<int>(y.size()), FALSE) -
           CSTR_EQUAL;
}

double TimePaint(HWND window) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const double seconds = bench::MedianSeconds(kPaintRounds, [&] {
        SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
    });
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return seconds;
}

// Committed private memory of the process, region by region (Wine's
// process counters do not report private usage).
size_t PrivateBytes() {
    size_t total = 0;
    const char* at = nullptr;
    MEMORY_BASIC_INFORMATION info;
    while (VirtualQuery(at, &info, sizeof info) == sizeof info) {
        if (info.State == MEM_COMMIT && info.Type == MEM_PRIVATE) total += info.RegionSize;
        const char* next = static_cast<const char*>(info.BaseAddress) + info.RegionSize;
        if (next <= at) break;
        at = next;
    }
    return total;
}

void Report(const char* what, double baseline, double measured, double target,
            const char* unit = "ms", double scale = 1e3) {
    const double ratio = measured / baseline;
    std::printf("%-44s ListView %9.2f %s  RvListCtrl %9.2f %s  ratio %6.3fx", what,
                baseline * scale, unit, measured * scale, unit, ratio);
    if (target > 0)
        std::printf("  (target <= %.1fx: %s)", target, ratio <= target ? "met" : "MISSED");
    std::printf("\n");
}

} // namespace

int main() {
    testsupport::LeaveWindowsUnmanaged();
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const auto cells = Cells(kRows);
    const auto few = Cells(kSmallRows);
    {
        ListControl warm; // measures the builder's layout and loads everything once
        warm.Create();
        warm.Fill(few);
        warm.Destroy();
    }

    std::vector<double> fillView, fillList, sortView, sortList;
    double bytesView = 0, bytesList = 0;
    double paintSmall = 0, paintLarge = 0, paintViewLarge = 0;
    for (int round = 0; round < kRounds; ++round) {
        // The ListView.
        ListView view;
        view.Create();
        size_t before = PrivateBytes();
        double start = bench::Seconds();
        view.Fill(cells);
        fillView.push_back(bench::Seconds() - start);
        bytesView = (static_cast<double>(PrivateBytes()) - static_cast<double>(before)) / kRows;
        g_sorted = view.view;
        start = bench::Seconds();
        SendMessageW(view.view, LVM_SORTITEMSEX, 0, reinterpret_cast<LPARAM>(OrdinalCompare));
        sortView.push_back(bench::Seconds() - start);
        if (round == 0) paintViewLarge = TimePaint(view.view);
        view.Destroy();

        // The list control.
        ListControl list;
        list.Create();
        before = PrivateBytes();
        start = bench::Seconds();
        list.Fill(cells);
        fillList.push_back(bench::Seconds() - start);
        bytesList = (static_cast<double>(PrivateBytes()) - static_cast<double>(before)) / kRows;
        start = bench::Seconds();
        RvListCtrl_SortItems(list.list, 1);
        sortList.push_back(bench::Seconds() - start);
        if (round == 0) paintLarge = TimePaint(list.Window());
        list.Destroy();
    }
    {
        ListControl small;
        small.Create();
        small.Fill(few);
        paintSmall = TimePaint(small.Window());
        small.Destroy();
    }
    Report("100000 rows of 5 columns: AddItem+SetItemText", bench::Percentile(fillView, 0.5),
           bench::Percentile(fillList, 0.5), 0.5);
    Report("sorting them by one column (ordinal)", bench::Percentile(sortView, 0.5),
           bench::Percentile(sortList, 0.5), 0.5);
    Report("painting one page of 100000 rows", paintViewLarge, paintLarge, 0);
    std::printf(
        "%-44s 100 rows %8.3f ms  100000 rows %8.3f ms  ratio %5.2fx  (target <= 1.2x: %s)\n",
        "painting one page: 100000 rows against 100", paintSmall * 1e3, paintLarge * 1e3,
        paintLarge / paintSmall, paintLarge / paintSmall <= 1.2 ? "met" : "MISSED");
    Report("private bytes per row", bytesView, bytesList, 1.5, "B", 1.0);
    return 0;
}
