// The records of the list's data model: columns, items and their cells.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace rvl {

constexpr int32_t kNone = -1; // no item, column, image, anchor or focus

// Entry texts of a value drop-down, by the value each entry stands for.
using ValueMap = std::map<int64_t, std::wstring>;

struct Column {
    std::wstring title;
    int32_t width = 0;
    int32_t fixed = 0;
    uint32_t format = 0;
    uint32_t flags = 0;
    int32_t image = kNone;
    int32_t index = 0; // the column's identity: sub-items are addressed by it
    std::vector<std::wstring> comboList;
};

struct SubItem {
    std::wstring text;
    int32_t image = kNone;
    uint32_t format = 0;                 // 0: the column's
    uint32_t flags = 0;                  // 0: the column's
    std::vector<std::wstring> comboList; // empty: the column's
    COLORREF background = 0;
    COLORREF textColour = 0;
    COLORREF border = 0;
    std::shared_ptr<const ValueMap> valueMap; // shared by copies of the cell
};

template <class TData> struct Item {
    std::vector<SubItem> subItems;
    std::wstring toolTip;
    TData data{};
};

} // namespace rvl
