// The base of the list control: its tables (columns in display order, items,
// the selection set) and double-buffered painting. Derived classes draw the
// content; they never paint the window directly, so nothing flickers.
#pragma once

#include "list_types.h"

#include <windows.h>

#include <vector>

namespace rvl {

struct Selection {
    std::vector<int32_t> items; // ascending, no duplicates
    int32_t anchor = kNone;
    int32_t focus = kNone;
    int32_t focusSubItem = kNone; // a display position
};

template <class TData> class CListImpl {
  public:
    using ItemRecord = Item<TData>;

    virtual ~CListImpl() = default;

  protected:
    // Draws the part `update` of the client area into `dc` (client coordinates).
    virtual void PaintContent(HDC dc, const RECT& update) = 0;

    // Paints `update` of `window` into `target` through an off-screen bitmap.
    void PaintBuffered(HDC target, const RECT& update) {
        const int width = update.right - update.left, height = update.bottom - update.top;
        if (width <= 0 || height <= 0) return;
        HDC memory = CreateCompatibleDC(target);
        HBITMAP bitmap = memory ? CreateCompatibleBitmap(target, width, height) : nullptr;
        if (!bitmap) { // no memory for a buffer: paint straight away
            if (memory) DeleteDC(memory);
            PaintContent(target, update);
            return;
        }
        HGDIOBJ old = SelectObject(memory, bitmap);
        SetViewportOrgEx(memory, -update.left, -update.top, nullptr);
        PaintContent(memory, update);
        SetViewportOrgEx(memory, 0, 0, nullptr);
        BitBlt(target, update.left, update.top, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }

    std::vector<Column>& Columns() { return columns_; }
    const std::vector<Column>& Columns() const { return columns_; }
    std::vector<ItemRecord>& Items() { return items_; }
    const std::vector<ItemRecord>& Items() const { return items_; }
    Selection& Selected() { return selection_; }
    const Selection& Selected() const { return selection_; }

  private:
    std::vector<Column> columns_;
    std::vector<ItemRecord> items_; // capacity doubles, starting at 1
    Selection selection_;
};

} // namespace rvl
