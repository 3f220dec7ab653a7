// The folder browser and the open-file dialog, answered by a watcher thread.
#include "RvWindow.h"
#include "dialog_watcher.h"
#include "temp_folder.h"
#include "test_memory.h"

#include <commctrl.h>
#include <commdlg.h>

#include <atomic>
#include <string>
#include <vector>

namespace rvftest {
namespace {

constexpr int kFilterCombo = 0x470; // the file-type list of the open-file dialog

uint32_t HandleOf(HWND window) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}

using FolderDialog = TempFolder;

// The text of the folder the browser's tree has selected, read from the
// watcher thread; empty until the tree shows one.
std::wstring SelectedFolder(HWND dialog) {
    HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    if (!tree) return L"";
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!item) return L"";
    wchar_t text[MAX_PATH] = L"";
    TVITEMW query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

// The browser selects its initial folder once its tree is filled, which a
// fresh prefix takes a while to do: OK waits for it.
void WaitForSelection(HWND dialog, const std::wstring& name) {
    const DWORD kSelectionWaitMs = 20000;
    const DWORD start = GetTickCount();
    while (SelectedFolder(dialog) != name && GetTickCount() - start < kSelectionWaitMs)
        SwitchToThread();
}

TEST_F(FolderDialog, OkChoosesTheInitialFolderAndShowsTheTitle) {
    MakeFolder(L"chosen");
    std::wstring initial = At(L"chosen");
    wchar_t path[MAX_PATH];
    wcscpy_s(path, initial.c_str());
    std::atomic<bool> titleShown{false};
    int result = 0;
    {
        DialogWatcher watcher(GetCurrentThreadId(), [&](HWND dialog) {
            uint32_t label = 0;
            titleShown =
                RvWindow_FindWindowByText(HandleOf(dialog), L"Pick the data folder", &label) == 0;
            WaitForSelection(dialog, L"chosen");
            Press(dialog, IDOK);
        });
        result = RvFile_BrowseForFolder(path, L"Pick the data folder");
        EXPECT_TRUE(watcher.answered());
    }
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(titleShown);
    EXPECT_EQ(std::wstring(path), initial);
}

TEST_F(FolderDialog, CancelGivesTwoAndKeepsTheBuffer) {
    wchar_t path[MAX_PATH];
    wcscpy_s(path, folder_.c_str());
    DialogWatcher watcher(GetCurrentThreadId(), [](HWND dialog) { Press(dialog, IDCANCEL); });
    EXPECT_EQ(RvFile_BrowseForFolder(path, L"Cancel me"), 2);
    EXPECT_EQ(std::wstring(path), folder_);
}

TEST(FolderDialogBuffer, ABufferShorterThanMaxPathShowsNoDialog) {
    testsupport::RegionEdge edge;
    wchar_t blank[MAX_PATH - 1] = {};
    auto* shortBuffer = static_cast<wchar_t*>(edge.EndingAtEdge(blank, sizeof blank));
    EXPECT_EQ(RvFile_BrowseForFolder(shortBuffer, L"never shown"), -1);
    EXPECT_EQ(RvFile_BrowseForFolder(nullptr, nullptr), -1);
}

using OpenFileDialog = TempFolder;

TEST_F(OpenFileDialog, OkOpensTheInitialNameInTheInitialFolder) {
    MakeFolder(L"data");
    MakeFile(L"data\\a.txt", "a");
    const std::wstring data = At(L"data");
    wchar_t file[MAX_PATH] = L"a.txt";
    std::vector<std::wstring> filters;
    std::wstring caption;
    int result = 0;
    {
        DialogWatcher watcher(GetCurrentThreadId(), [&](HWND dialog) {
            wchar_t text[128] = {};
            GetWindowTextW(dialog, text, 128);
            caption = text;
            HWND combo = GetDlgItem(dialog, kFilterCombo);
            const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i),
                             reinterpret_cast<LPARAM>(text));
                filters.push_back(text);
            }
            Press(dialog, IDOK);
        });
        result =
            RvFile_GetOpenFileName(data.c_str(), file, MAX_PATH, L"Text files|*.txt|All files|*.*",
                                   1, L"Open a text", OFN_FILEMUSTEXIST | OFN_ENABLEHOOK);
        EXPECT_TRUE(watcher.answered());
    }
    EXPECT_NE(result, 0);
    EXPECT_EQ(caption, L"Open a text");
    EXPECT_EQ(filters, (std::vector<std::wstring>{L"Text files", L"All files"}));
    EXPECT_EQ(std::wstring(file), data + L"\\a.txt");
}

TEST_F(OpenFileDialog, CancelGivesZero) {
    wchar_t file[MAX_PATH] = L"";
    DialogWatcher watcher(GetCurrentThreadId(), [](HWND dialog) { Press(dialog, IDCANCEL); });
    EXPECT_EQ(
        RvFile_GetOpenFileName(folder_.c_str(), file, MAX_PATH, L"All|*.*", 1, L"Cancel me", 0), 0);
}

TEST(OpenFileDialogBuffer, UnusableBuffersShowNoDialog) {
    wchar_t file[8] = {L'x', L'x', L'x', L'x', L'x', L'x', L'x', L'x'}; // no terminator
    EXPECT_EQ(RvFile_GetOpenFileName(nullptr, file, 8, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(RvFile_GetOpenFileName(nullptr, file, 0, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(RvFile_GetOpenFileName(nullptr, nullptr, 260, nullptr, 0, nullptr, 0), 0);
    const wchar_t name[4] = L"a";
    testsupport::ReadOnlyPage readOnly(name, sizeof name);
    EXPECT_EQ(RvFile_GetOpenFileName(nullptr, static_cast<wchar_t*>(readOnly.data()), 4, nullptr, 0,
                                     nullptr, 0),
              0);
}

} // namespace
} // namespace rvftest
