// The shell's folder browser, starting at the folder in the caller's buffer.
#include "RvWindow.h"
#include "rv_args.h"

#include <ole2.h>
#include <shlobj.h>

namespace {

constexpr int kChosen = 1;
constexpr int kNotChosen = 2;
constexpr int kBadBuffer = -1;
constexpr UINT kBrowseFlags =
    BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;

// OLE for the calling thread while the dialog is up.
class OleScope {
  public:
    OleScope() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialised_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    bool initialised_;
};

class ItemList {
  public:
    explicit ItemList(PIDLIST_ABSOLUTE items) : items_(items) {}
    ~ItemList() { CoTaskMemFree(items_); }
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    PIDLIST_ABSOLUTE get() const { return items_; }

  private:
    PIDLIST_ABSOLUTE items_;
};

int CALLBACK SelectInitialFolder(HWND dialog, UINT message, LPARAM, LPARAM initial) {
    if (message == BFFM_INITIALIZED && initial)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, initial);
    return 0;
}

int BrowseExport(wchar_t* path, const wchar_t* title) {
    if (!rv::IsWritable(path, MAX_PATH * sizeof(wchar_t))) return kBadBuffer;
    // The initial selection must end inside the buffer; otherwise there is none.
    wchar_t initial[MAX_PATH] = {};
    size_t length;
    if (rv::SafeWideLength(path, &length) && length < MAX_PATH)
        rv::CopyToBuffer(initial, MAX_PATH, std::wstring_view(path, length));
    std::wstring_view titleText;
    if (!rv::ReadWideArgument(title, &titleText)) title = nullptr;

    const OleScope ole;
    BROWSEINFOW info{};
    info.hwndOwner = nullptr;
    info.lpszTitle = title;
    info.ulFlags = kBrowseFlags;
    info.lpfn = SelectInitialFolder;
    info.lParam = initial[0] ? reinterpret_cast<LPARAM>(initial) : 0;
    const ItemList chosen(SHBrowseForFolderW(&info));
    if (!chosen.get()) return kNotChosen;
    wchar_t folder[MAX_PATH];
    if (!SHGetPathFromIDListW(chosen.get(), folder)) return kNotChosen;
    rv::CopyToBuffer(path, MAX_PATH, folder);
    return kChosen;
}

} // namespace

RVWINDOW_API int RvFile_BrowseForFolder(wchar_t* path, const wchar_t* title) {
    return rv::Guarded(kNotChosen, [&] { return BrowseExport(path, title); });
}
