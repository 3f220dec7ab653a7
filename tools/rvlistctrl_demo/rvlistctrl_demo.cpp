// A builder dialog with two lists of typed cells, one drawn with the visual
// style and one without: text, dates, combo, check and three-state check,
// link, progress and coloured cell boxes, sorted by a header column. The
// lists are filled the way a macro does, through the exports only; the
// dialog is saved next to this program as rvlistctrl_demo.png. Then a short
// session with the mouse and keys selects, toggles, sorts and edits, printing
// the notifications the dialog receives; rvlistctrl_editing.png shows the
// dialog with an editor open.
#include "RvListCtrl.h"
#include "demo_window.h"
#include "RvWindow.h"
#include "screenshot.h"
#include "session.h"
#include "unmanaged_windows.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Sample {
    const wchar_t* name;
    SYSTEMTIME acquired;
    const wchar_t* objective;
    int use, zStack;
    const wchar_t* report;
    double done;
    const wchar_t* status;
    COLORREF statusFill, statusText;
};

const Sample kSamples[] = {
    {L"Cell culture 7",
     {2024, 3, 0, 9, 14, 5, 12, 0},
     L"60x / 1.40 oil",
     1,
     1,
     L"report-7.pdf",
     100.0,
     L"Done",
     RGB(200, 240, 200),
     RGB(0, 90, 0)},
    {L"HeLa fixed",
     {2024, 3, 0, 11, 9, 30, 0, 0},
     L"20x / 0.75",
     1,
     0,
     L"report-hela.pdf",
     64.5,
     L"Imaging",
     RGB(255, 236, 179),
     RGB(140, 80, 0)},
    {L"Beads 200 nm",
     {2024, 2, 0, 27, 16, 45, 40, 0},
     L"60x / 1.40 oil",
     0,
     -1,
     L"psf.pdf",
     12.0,
     L"Queued",
     RGB(220, 230, 250),
     RGB(30, 60, 140)},
    {L"Zebrafish larva",
     {2024, 3, 0, 12, 8, 0, 0, 0},
     L"10x / 0.45",
     1,
     1,
     L"larva.pdf",
     0.0,
     L"Failed",
     RGB(250, 210, 210),
     RGB(160, 0, 0)},
    {L"Tissue slice B",
     {2024, 1, 0, 30, 11, 15, 0, 0},
     L"20x / 0.75",
     0,
     0,
     L"slice-b.pdf",
     88.0,
     L"Imaging",
     RGB(255, 236, 179),
     RGB(140, 80, 0)},
};

void FillList(RvList list) {
    RvListCtrl_AddColumn(list, L"Sample", 120, -1, 0, FormatEdit, 0);
    RvListCtrl_AddColumn(list, L"Acquired", 165, -1, 0, FormatDateTime, 0);
    RvListCtrl_AddColumn(list, L"Objective", 105, -1, 0, FormatCombo, 0);
    RvListCtrl_SetColumnComboList(list, 2, FormatCombo, 0, L"10x / 0.45|20x / 0.75|60x / 1.40 oil");
    RvListCtrl_AddColumn(list, L"Use", 40, -1, 0, FormatCheck, FlagCentre);
    RvListCtrl_AddColumn(list, L"Z", 30, -1, 0, FormatCheck3, FlagCentre);
    RvListCtrl_AddColumn(list, L"Report", 95, -1, 0, FormatLink, 0);
    RvListCtrl_AddColumn(list, L"Progress", 90, -1, 0, FormatProgress, 0);
    RvListCtrl_AddColumn(list, L"Status", 70, -1, 0, FormatNone, FlagCentre);
    for (const Sample& s : kSamples) {
        const int item = RvListCtrl_AddItem(list, s.name, -1, 0, 0);
        RvListCtrl_SetItemDate(list, item, 1, &s.acquired);
        RvListCtrl_SetItemText(list, item, 2, s.objective);
        RvListCtrl_SetItemCheck(list, item, 3, s.use);
        RvListCtrl_SetItemCheck(list, item, 4, s.zStack);
        RvListCtrl_SetItemText(list, item, 5, s.report);
        RvListCtrl_SetItemProgress(list, item, 6, s.done);
        RvListCtrl_SetItemText(list, item, 7, s.status);
        RvListCtrl_SetItemColours(list, item, 7, s.statusFill, s.statusText, s.statusText);
    }
    RvListCtrl_ShowHeaderSort(list, 1);
    RvListCtrl_SortColumn(list, 1); // by acquisition date: the texts sort chronologically
    RvListCtrl_SelectItem(list, 2, 0, 0);
}

uint32_t AddLabel(uint32_t dialog, const wchar_t* name, const wchar_t* text) {
    uint32_t label = 0;
    RvDialog_AddControl(dialog, name, L"static", 0, 0, 300, &label);
    RvDialog_SendMessageString(dialog, name, WM_SETTEXT, 0, text);
    return label;
}

uint32_t AddList(uint32_t dialog, const wchar_t* name) {
    uint32_t list = 0;
    // Eleven builder lines high: the header, five samples and room to spare.
    return RvDialog_AddControl(dialog, name, L"LISTCTRL", 0, -11, 480, &list) == 0 ? list : 0;
}

void Describe(RvList list) {
    wchar_t text[64];
    std::printf("  %d columns, %d items; sorted by", RvListCtrl_GetColumnCount(list),
                RvListCtrl_GetItemCount(list));
    int32_t column = -1, ascending = 0;
    RvListCtrl_GetSortColumn(list, &column, &ascending);
    std::printf(" column %d %s\n", column, ascending ? "ascending" : "descending");
    for (int item = 0; item < RvListCtrl_GetItemCount(list); ++item) {
        SYSTEMTIME date{};
        RvListCtrl_GetItemDate(list, item, 1, &date);
        RvListCtrl_FormatDate(list, &date, text, 64);
        wchar_t name[64];
        RvListCtrl_GetItemText(list, item, 0, name, 64);
        std::printf("  %-18ls %-12ls use %d  z %2d  %s\n", name, text,
                    RvListCtrl_GetItemCheck(list, item, 3), RvListCtrl_GetItemCheck(list, item, 4),
                    RvListCtrl_IsSelected(list, item) ? "(selected)" : "");
    }
}

} // namespace

int main() {
    testsupport::LeaveWindowsUnmanaged();
    uint32_t dialog = 0;
    if (RvDialog_Create(0, L"RvListCtrl: typed cells", &dialog) != 0) {
        std::printf("the dialog could not be created\n");
        return 1;
    }
    AddLabel(dialog, L"themedLabel", L"With the visual style");
    const uint32_t themed = AddList(dialog, L"themed");
    AddLabel(dialog, L"plainLabel", L"Without (RvListCtrl_ShowThemed(list, 0))");
    const uint32_t plain = AddList(dialog, L"plain");
    if (!RvListCtrl_IsRvListCtrl(themed) || !RvListCtrl_IsRvListCtrl(plain)) {
        std::printf("RvListCtrl.dll did not attach to the lists\n");
        DestroyWindow(ToWindow(dialog));
        return 1;
    }
    RvListCtrl_ShowThemed(plain, 0);
    FillList(themed);
    FillList(plain);
    std::printf("Two lists of typed cells, filled through the exports:\n");
    Describe(themed);

    HWND window = ToWindow(dialog);
    ShowWindow(window, SW_SHOW); // the first show fits the dialog to its controls
    SetFocus(ToWindow(themed));
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();

    const std::wstring path = NextToProgram(L"rvlistctrl_demo.png");
    bool saved = SaveScreenshot(window, path);
    std::printf("%s %ls\n", saved ? "screenshot saved to" : "could not save", path.c_str());

    std::printf("A session with the themed list, and what the dialog is told:\n");
    bool editorShown = false;
    PlaySession(window, themed, [&] {
        const std::wstring editing = NextToProgram(L"rvlistctrl_editing.png");
        editorShown = SaveScreenshot(window, editing);
        std::printf("  %s %ls\n", editorShown ? "screenshot saved to" : "could not save",
                    editing.c_str());
    });
    if (!editorShown) std::printf("the editor did not open\n");
    DestroyWindow(window);
    return saved && editorShown ? 0 : 1;
}
