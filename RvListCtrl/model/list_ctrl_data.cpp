#include "list_ctrl_data.h"

#include "RvListCtrl.h"
#include "cell_text.h"
#include "flags.h"
#include "introsort.h"

#include <algorithm>
#include <cwchar>

namespace rvl {
namespace {

constexpr int kUntitledImagePadding = 5; // pixels beside the image of an untitled column

// Ordinal comparison of 16-bit characters, a shorter prefix first.
bool OrdinalLess(const std::wstring& a, const std::wstring& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<uint16_t>(a[i]), y = static_cast<uint16_t>(b[i]);
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

} // namespace

template <class TData> Column* CListCtrlData<TData>::ColumnAt(int32_t position) {
    if (position < 0 || position >= ColumnCount()) return nullptr;
    return &this->Columns()[static_cast<size_t>(position)];
}

template <class TData> const Column* CListCtrlData<TData>::ColumnAt(int32_t position) const {
    if (position < 0 || position >= ColumnCount()) return nullptr;
    return &this->Columns()[static_cast<size_t>(position)];
}

template <class TData> const Column* CListCtrlData<TData>::ColumnByIndex(int32_t index) const {
    const int position = PositionOfIndex(index);
    return position < 0 ? nullptr : ColumnAt(position);
}

template <class TData> int CListCtrlData<TData>::PositionOfIndex(int32_t index) const {
    for (int i = 0; i < ColumnCount(); ++i)
        if (this->Columns()[static_cast<size_t>(i)].index == index) return i;
    return -1;
}

template <class TData>
void CListCtrlData<TData>::AddColumn(std::wstring_view title, int32_t width, int32_t image,
                                     int32_t fixed, uint32_t format, uint32_t flags,
                                     int iconWidth) {
    Column c;
    c.title = title;
    c.width = width;
    c.image = image;
    c.fixed = fixed;
    c.format = format;
    if (title.empty() && image != kNone) {
        c.width = iconWidth + kUntitledImagePadding;
        flags |= FlagCentre;
    }
    c.flags = NormaliseFlags(flags);
    c.index = ColumnCount();
    this->Columns().push_back(std::move(c));
}

template <class TData> bool CListCtrlData<TData>::DeleteColumn(int32_t position) {
    if (!ColumnAt(position)) return false;
    this->Columns().erase(this->Columns().begin() + position);
    return true;
}

template <class TData> void CListCtrlData<TData>::DeleteAllColumns() {
    this->Columns().clear();
}

template <class TData> bool CListCtrlData<TData>::MoveColumn(int32_t from, int32_t to) {
    if (!ColumnAt(from) || to < 0 || to > ColumnCount() - 1) return false;
    auto& columns = this->Columns();
    Column moved = std::move(columns[static_cast<size_t>(from)]);
    columns.erase(columns.begin() + from);
    columns.insert(columns.begin() + to, std::move(moved));
    return true;
}

template <class TData>
int CListCtrlData<TData>::AddItem(std::wstring_view text, int32_t image, uint32_t format,
                                  uint32_t flags, CellColours colours) {
    if (ColumnCount() == 0) return -1;
    auto& items = this->Items();
    try {
        if (items.size() == items.capacity())
            items.reserve(items.empty() ? 1 : 2 * items.capacity());
        SubItem cell;
        cell.format = format;
        cell.flags = NormaliseFlags(flags);
        cell.background = colours.background;
        cell.textColour = colours.text;
        cell.border = colours.border;
        ItemRecord item;
        item.subItems.assign(static_cast<size_t>(ColumnCount()), cell);
        item.subItems[0].text = text;
        item.subItems[0].image = image;
        items.push_back(std::move(item));
    } catch (...) {
        return -1; // the table stays as it was
    }
    return ItemCount() - 1;
}

template <class TData> bool CListCtrlData<TData>::DeleteItem(int32_t item) {
    if (item < 0 || item >= ItemCount()) return false;
    this->Items().erase(this->Items().begin() + item);
    // The numbers above the deleted item move down with their items, so that
    // the selection keeps naming the same rows (and never a missing one).
    Selection& s = this->Selected();
    RemoveFromSelection(item);
    for (int32_t& n : s.items)
        if (n > item) --n;
    for (int32_t* n : {&s.anchor, &s.focus}) {
        if (*n == item)
            *n = kNone;
        else if (*n > item)
            --*n;
    }
    return true;
}

template <class TData> void CListCtrlData<TData>::DeleteAllItems() {
    this->Items().clear();
    this->Items().shrink_to_fit();
    ClearSelection();
}

template <class TData> SubItem* CListCtrlData<TData>::Cell(int32_t item, int32_t subItem) {
    if (item < 0 || item >= ItemCount() || subItem < 0) return nullptr;
    auto& cells = this->Items()[static_cast<size_t>(item)].subItems;
    if (static_cast<size_t>(subItem) >= cells.size()) return nullptr;
    return &cells[static_cast<size_t>(subItem)];
}

template <class TData>
const SubItem* CListCtrlData<TData>::Cell(int32_t item, int32_t subItem) const {
    return const_cast<CListCtrlData*>(this)->Cell(item, subItem);
}

template <class TData>
uint32_t CListCtrlData<TData>::EffectiveFormat(int32_t item, int32_t subItem) const {
    const SubItem* cell = Cell(item, subItem);
    if (!cell) return 0;
    if (cell->format) return cell->format;
    const Column* column = ColumnByIndex(subItem);
    return column ? column->format : 0;
}

template <class TData>
uint32_t CListCtrlData<TData>::EffectiveFlags(int32_t item, int32_t subItem) const {
    const SubItem* cell = Cell(item, subItem);
    if (!cell) return 0;
    if (cell->flags) return cell->flags;
    const Column* column = ColumnByIndex(subItem);
    return column ? column->flags : 0;
}

template <class TData>
const std::vector<std::wstring>* CListCtrlData<TData>::EffectiveComboList(int32_t item,
                                                                          int32_t subItem) const {
    const SubItem* cell = Cell(item, subItem);
    if (!cell) return nullptr;
    if (!cell->comboList.empty()) return &cell->comboList;
    const Column* column = ColumnByIndex(subItem);
    return column ? &column->comboList : &cell->comboList;
}

template <class TData> void CListCtrlData<TData>::SortBy(int32_t subItem) {
    if (subItem < 0) return;
    const size_t at = static_cast<size_t>(subItem);
    static const std::wstring kEmpty;
    // Items without that cell (a column added after them) sort as empty text.
    auto key = [&](const ItemRecord& r) -> const std::wstring& {
        return at < r.subItems.size() ? r.subItems[at].text : kEmpty;
    };
    IntroSort(
        this->Items().begin(), this->Items().end(),
        [&](const ItemRecord& a, const ItemRecord& b) { return OrdinalLess(key(a), key(b)); });
}

template <class TData> void CListCtrlData<TData>::Reverse() {
    std::reverse(this->Items().begin(), this->Items().end());
}

template <class TData> bool CListCtrlData<TData>::IsSelected(int32_t item) const {
    const auto& s = this->Selected().items;
    return std::binary_search(s.begin(), s.end(), item);
}

template <class TData> void CListCtrlData<TData>::AddToSelection(int32_t item) {
    auto& s = this->Selected().items;
    const auto at = std::lower_bound(s.begin(), s.end(), item);
    if (at == s.end() || *at != item) s.insert(at, item);
}

template <class TData> void CListCtrlData<TData>::RemoveFromSelection(int32_t item) {
    auto& s = this->Selected().items;
    const auto at = std::lower_bound(s.begin(), s.end(), item);
    if (at != s.end() && *at == item) s.erase(at);
}

template <class TData> void CListCtrlData<TData>::ClearSelection() {
    Selection& s = this->Selected();
    s.items.clear();
    s.anchor = s.focus = s.focusSubItem = kNone;
}

template class CListCtrlData<unsigned long>;

} // namespace rvl
