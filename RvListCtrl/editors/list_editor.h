// The in-place editors of the list: an edit box, a drop-down and a date
// picker, each a subclassed child of the list re-created for every edit.
// When an editor loses the keyboard focus it reports its result to the list
// with ListEndEdit and hides; the list stores the value.
#pragma once

#include "gdi.h"
#include "list_types.h"

#include <uxtheme.h>
#include <windows.h>

#include <string>

namespace rvl {

// What an editor is asked to edit: the cell, where it is and what it holds.
struct EditRequest {
    HWND list;
    int32_t item, column; // display column
    uint32_t flags;       // effective, normalised
    RECT cell;            // list client coordinates
    std::wstring text;
};

// The whole text of a window.
std::wstring WindowText(HWND window);

class ListEditor {
  public:
    ListEditor() = default;
    virtual ~ListEditor() { Discard(); }
    ListEditor(const ListEditor&) = delete;
    ListEditor& operator=(const ListEditor&) = delete;

    HWND Window() const { return window_.get(); }
    bool IsOpen() const { return open_; }
    // Destroys the window without reporting (the list is going away).
    void Discard();

    // The window procedure every editor window (and inner field) runs.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  protected:
    // One subclassed window of an editor: the editor itself or an inner field.
    struct Slot {
        ListEditor* owner = nullptr;
        WNDPROC previous = nullptr;
    };

    // Destroys the last window and creates the new one as a child of the list.
    bool CreateEditor(const EditRequest& request, const wchar_t* windowClass, DWORD style,
                      const RECT& r);
    bool Subclass(HWND window, Slot& slot);
    LRESULT CallPrevious(const Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Each editor's own handling; the base only passes messages on, which is
    // all a window still being destroyed with its editor may get.
    virtual LRESULT Handle(Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return CallPrevious(slot, window, message, wParam, lParam);
    }

    // Tab, Return and Escape end the edit: the key is kept for the report
    // and the focus goes back to the list. True when `key` is one of them.
    bool EndingKey(WPARAM key);
    // The number filter of number cells for a typed character in `field`;
    // true when the character has been dealt with (refused, or the sign
    // toggled) and must not reach the field.
    bool FilterNumber(HWND field, wchar_t character);
    // Sends ListEndEdit to the list, then hides: once per opening.
    void Report(const std::wstring& text, const SYSTEMTIME* date);

    OwnedWindow window_;
    Slot slot_;
    HWND list_ = nullptr;
    int32_t item_ = kNone, column_ = kNone;
    uint32_t flags_ = 0;
    WORD endKey_ = 0;
    OwnedFont font_; // a copy of the system message font
    bool open_ = false;
};

class CListEdit final : public ListEditor {
  public:
    bool Open(const EditRequest& request);

  private:
    LRESULT Handle(Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A drop-down of entries; for value drop-downs each entry's item data is its value.
class CListCombo final : public ListEditor {
  public:
    ~CListCombo() override;
    // `entries` in list order, or `values` for a value drop-down.
    bool Open(const EditRequest& request, const std::vector<std::wstring>* entries,
              const ValueMap* values);
    // The value of the selected entry of a value drop-down.
    bool SelectedValue(int64_t* value) const;

  private:
    LRESULT Handle(Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Finish();
    void Paint(HDC dc);
    void UpdateParts();

    Slot field_; // the edit field of an editable drop-down
    HTHEME theme_ = nullptr;
    RECT editRect_{}, buttonRect_{};
    bool hot_ = false, tracking_ = false, values_ = false;
};

class CListDate final : public ListEditor {
  public:
    bool Open(const EditRequest& request);

  private:
    LRESULT Handle(Slot& slot, HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Finish();
};

} // namespace rvl
