// A real modeless dialog made from an in-memory template: one drop-down
// list combo box (unsorted, so entries keep the order they were added in)
// and one static text, for tests of classes that attach to dialog controls.
#pragma once

#include <windows.h>

namespace testsupport {

class ComboDialog {
  public:
    static const int kComboId = 1059;
    static const int kStaticId = 1085;

    ComboDialog();
    ~ComboDialog();
    ComboDialog(const ComboDialog&) = delete;
    ComboDialog& operator=(const ComboDialog&) = delete;

    HWND Handle() const { return dialog_; }
    HWND Combo() const { return GetDlgItem(dialog_, kComboId); }
    // The combo's entries as CB_ messages read them, and its selection.
    int Count() const;
    int Selected() const;

  private:
    HWND dialog_;
};

} // namespace testsupport
