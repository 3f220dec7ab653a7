// The list's side of in-place editing: opening the editor of a cell and
// storing what it reports.
#include "rv_list_ctrl.h"

#include "RvListCtrl.h"
#include "cell_text.h"

namespace rvl {

HWND CRvListCtrl::EditorWindow() const {
    for (const ListEditor* e :
         std::initializer_list<const ListEditor*>{&editors_.edit, &editors_.combo, &editors_.date})
        if (e->IsOpen()) return e->Window();
    return nullptr;
}

HWND CRvListCtrl::EditorWindowOf(HWND window) const {
    for (const ListEditor* e :
         std::initializer_list<const ListEditor*>{&editors_.edit, &editors_.combo, &editors_.date})
        if (window && e->Window() == window) return window;
    return nullptr;
}

int CRvListCtrl::OpenEditor(int32_t item, int32_t column) {
    const Column* c = ColumnAt(column);
    if (!c || item < 0 || item >= ItemCount()) return 0;
    EnsureVisible(item, column);
    if (GetFocus() != window_ || !IsItemVisible(item, column, false)) return 0;
    const int32_t index = c->index;
    const SubItem* cell = Cell(item, index);
    if (!cell) return 1; // a column added after the item: nothing to edit
    const uint32_t flags = EffectiveFlags(item, index);
    const uint32_t format = EffectiveFormat(item, index);
    if (flags & FlagReadOnly) return 1;
    const bool values = format == FormatValueCombo;
    if (format != FormatEdit && format != FormatDateTime && format != FormatCombo && !values)
        return 1;
    if (values && (!cell->valueMap || cell->valueMap->empty())) return 1;

    // The map is held for the opening: the cell may be deleted meanwhile.
    const std::shared_ptr<const ValueMap> map = cell->valueMap;
    EditRequest request{window_, item, column, flags, RECT{}, cell->text};
    ItemRect(item, column, &request.cell);
    const std::vector<std::wstring>* entries = EffectiveComboList(item, index);
    std::vector<std::wstring> entryCopy = entries ? *entries : std::vector<std::wstring>();
    view_.editing = true;
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    bool opened = false;
    switch (format) {
    case FormatEdit:
        opened = editors_.edit.Open(request);
        break;
    case FormatDateTime:
        opened = editors_.date.Open(request);
        break;
    default:
        opened = editors_.combo.Open(request, values ? nullptr : &entryCopy,
                                     values ? map.get() : nullptr);
        break;
    }
    if (!opened) {
        view_.editing = false;
        InvalidateRect(window_, nullptr, FALSE);
    }
    return 1;
}

int32_t CRvListCtrl::FirstEditableColumn(int32_t item) const {
    for (int32_t position = 0; position < ColumnCount(); ++position) {
        const int32_t index = Columns()[static_cast<size_t>(position)].index;
        const SubItem* cell = Cell(item, index);
        const uint32_t format = EffectiveFormat(item, index);
        if (!cell || (EffectiveFlags(item, index) & FlagReadOnly)) continue;
        if (format == FormatEdit || format == FormatDateTime || format == FormatCombo ||
            (format == FormatValueCombo && cell->valueMap && !cell->valueMap->empty()))
            return position;
    }
    return kNone;
}

void CRvListCtrl::OpenEditorForFocusCell() {
    const Selection& s = Selected();
    if (s.focus == kNone || !IsSelected(s.focus) || s.focusSubItem == kNone) return;
    if (IsItemVisible(s.focus, s.focusSubItem, false)) {
        OpenEditor(s.focus, s.focusSubItem);
        return;
    }
    SetTimer(window_, kEditTimer, kEditDelayMs, nullptr);
}

void CRvListCtrl::OnEditTimer() {
    KillTimer(window_, kEditTimer); // one-shot
    const Selection& s = Selected();
    const int32_t item = s.focus != kNone && IsSelected(s.focus) ? s.focus : CurrentItem();
    if (item != kNone && s.focusSubItem != kNone) OpenEditor(item, s.focusSubItem);
}

void CRvListCtrl::CloseEditor() {
    HWND editor = EditorWindow();
    if (!editor) {
        view_.editing = false;
        return;
    }
    HWND focus = GetFocus();
    if (focus && (focus == editor || IsChild(editor, focus)))
        SetFocus(window_); // the editor reports as it loses the focus
    else
        SendMessageW(editor, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window_), 0);
    view_.editing = false;
}

void CRvListCtrl::AbandonEdit() {
    HWND editor = EditorWindow();
    view_.editing = false;
    if (!editor) return;
    HWND focus = GetFocus();
    const bool focused = focus && (focus == editor || IsChild(editor, focus));
    editors_.edit.Discard();
    editors_.combo.Discard();
    editors_.date.Discard();
    if (focused) SetFocus(window_);
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::OnEndEdit(const RvListNotify& record) {
    const bool fromCombo = record.header.hwndFrom == editors_.combo.Window();
    view_.editing = false;
    const Column* c = ColumnAt(record.column);
    SubItem* cell = c ? Cell(record.item, c->index) : nullptr;
    if (!cell) {
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    std::wstring text = record.text ? record.text : L"";
    int64_t value = 0;
    if (fromCombo && EffectiveFormat(record.item, c->index) == FormatValueCombo &&
        editors_.combo.SelectedValue(&value)) {
        wchar_t buffer[32];
        std::swprintf(buffer, 32, L"%lld", static_cast<long long>(value));
        text = buffer;
    }
    bool stored = false;
    if (record.key != VK_ESCAPE) {
        if (record.date)
            cell->text = ReadInteger(text) != 0 ? DateText(*record.date) : std::wstring();
        else
            cell->text = text;
        stored = true;
    }
    if (record.key == VK_TAB) {
        editors_.tabColumn = record.column;
        PostMessageW(window_, WM_KEYDOWN, VK_TAB, 0);
    }
    if (stored) NotifyParent(ListModified, record.item, record.column);
    InvalidateItem(record.item, kNone);
}

} // namespace rvl
