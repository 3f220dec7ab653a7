#include "combo_dialog.h"

#include <cstring>
#include <vector>

namespace testsupport {

namespace {

// Predefined control classes of a dialog template, by atom.
const WORD kClassAtomMarker = 0xFFFF;
const WORD kStaticAtom = 0x0082;
const WORD kComboBoxAtom = 0x0085;
const short kWidth = 200, kHeight = 120, kComboHeight = 100, kRowHeight = 12, kMargin = 5;

// A dialog template in memory: each part appended in order, items aligned
// on DWORDs as the format needs.
class TemplateBuilder {
  public:
    void Dialog(short items) {
        DLGTEMPLATE dialog = {};
        dialog.style = WS_POPUP | WS_CAPTION;
        dialog.cdit = static_cast<WORD>(items);
        dialog.cx = kWidth;
        dialog.cy = kHeight;
        Raw(&dialog, sizeof dialog);
        Words({0, 0, 0}); // no menu, default class, no title
    }
    void Item(WORD classAtom, WORD id, DWORD style, short y, short height) {
        Align();
        DLGITEMTEMPLATE item = {};
        item.style = WS_CHILD | WS_VISIBLE | style;
        item.x = kMargin;
        item.y = y;
        item.cx = static_cast<short>(kWidth - 2 * kMargin);
        item.cy = height;
        item.id = id;
        Raw(&item, sizeof item);
        Words({kClassAtomMarker, classAtom, 0, 0}); // class, no title, no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void Raw(const void* data, size_t bytes) {
        const size_t at = words_.size();
        words_.resize(at + bytes / sizeof(WORD));
        std::memcpy(words_.data() + at, data, bytes);
    }
    void Words(std::initializer_list<WORD> words) { words_.insert(words_.end(), words); }
    void Align() {
        if (words_.size() % 2) words_.push_back(0);
    }
    std::vector<WORD> words_;
};

INT_PTR CALLBACK NoHandling(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

} // namespace

ComboDialog::ComboDialog() {
    TemplateBuilder builder;
    builder.Dialog(2);
    builder.Item(kComboBoxAtom, kComboId, CBS_DROPDOWNLIST | WS_VSCROLL, kMargin, kComboHeight);
    builder.Item(kStaticAtom, kStaticId, 0, kMargin + kRowHeight + kMargin, kRowHeight);
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), builder.Get(), nullptr,
                                         NoHandling, 0);
}

ComboDialog::~ComboDialog() {
    if (dialog_) DestroyWindow(dialog_);
}

int ComboDialog::Count() const {
    return static_cast<int>(SendMessageW(Combo(), CB_GETCOUNT, 0, 0));
}

int ComboDialog::Selected() const {
    return static_cast<int>(SendMessageW(Combo(), CB_GETCURSEL, 0, 0));
}

} // namespace testsupport
