// The list's data model on top of its tables: columns, items, cells with
// their effective attributes, sorting and the selection set.
#pragma once

#include "list_impl.h"

#include <string>
#include <string_view>

namespace rvl {

// Colours a new cell starts with.
struct CellColours {
    COLORREF background, text, border;
};

template <class TData> class CListCtrlData : public CListImpl<TData> {
  public:
    using typename CListImpl<TData>::ItemRecord;

    int ColumnCount() const { return static_cast<int>(this->Columns().size()); }
    int ItemCount() const { return static_cast<int>(this->Items().size()); }

    // A column by display position, or null.
    Column* ColumnAt(int32_t position);
    const Column* ColumnAt(int32_t position) const;
    // The first column whose index field is `index`, or null.
    const Column* ColumnByIndex(int32_t index) const;
    int PositionOfIndex(int32_t index) const; // -1 when no column has it

    // Appends a column; an untitled column with an image is as wide as the
    // image and centred.
    void AddColumn(std::wstring_view title, int32_t width, int32_t image, int32_t fixed,
                   uint32_t format, uint32_t flags, int iconWidth);
    bool DeleteColumn(int32_t position);
    void DeleteAllColumns();
    // Moves the whole record from one display position to another (counted
    // after the removal); index fields and cells stay as they are.
    bool MoveColumn(int32_t from, int32_t to);

    // The new item's number, or -1 without columns or memory.
    int AddItem(std::wstring_view text, int32_t image, uint32_t format, uint32_t flags,
                CellColours colours);
    bool DeleteItem(int32_t item);
    void DeleteAllItems();

    SubItem* Cell(int32_t item, int32_t subItem);
    const SubItem* Cell(int32_t item, int32_t subItem) const;
    // Format, flags and combo list of a cell, the column's when the cell has none.
    uint32_t EffectiveFormat(int32_t item, int32_t subItem) const;
    uint32_t EffectiveFlags(int32_t item, int32_t subItem) const;
    const std::vector<std::wstring>* EffectiveComboList(int32_t item, int32_t subItem) const;

    // Ordinal, unstable, ascending by the text of one sub-item.
    void SortBy(int32_t subItem);
    void Reverse();

    bool IsSelected(int32_t item) const;
    void AddToSelection(int32_t item);
    void RemoveFromSelection(int32_t item);
    void ClearSelection(); // also anchor, focus and focus sub-item
    int SelectedCount() const { return static_cast<int>(this->Selected().items.size()); }
};

extern template class CListCtrlData<unsigned long>;

} // namespace rvl
