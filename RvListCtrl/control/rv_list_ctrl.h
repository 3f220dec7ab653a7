// The list control object: one per attached window, freed with the window.
// Its member functions are spread over the files of control/ and view/, one
// concern each; the exports reach it through FindList (lookup.h).
#pragma once

#include "list_editor.h"
#include "title_tip.h"
#include "RvListCtrl.h"
#include "gdi.h"
#include "list_ctrl_data.h"
#include "palette.h"
#include "rv_memory.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windows.h>

#include <memory>
#include <string>

namespace rvl {

class HeaderDropTarget;

constexpr rv::Signature kListSignature{0x435AB4DC64309171ull, 0x7474B1AC9D3A2AB0ull};

// Timers of the list.
constexpr UINT_PTR kResizeTimer = 1001; // keeps shrinking a column at the right end
constexpr UINT_PTR kEditTimer = 1002;   // opens an editor after a scroll
constexpr UINT_PTR kBandTimer = 1003;   // auto-scrolls a rubber band
constexpr UINT_PTR kSmoothTimer = 1004; // one step of smooth scrolling
constexpr UINT kResizePeriodMs = 20;
constexpr UINT kSmoothPeriodMs = 20;
constexpr UINT kEditDelayMs = 250; // after a selection that had to scroll first
constexpr UINT kBandPeriodMs = 20;
constexpr int kMaxDrawnWidth = 1 << 20;   // pixels of one column
constexpr long long kMaxOffset = 1 << 30; // pixels of all columns together

// The scroll bars of RvListCtrl_ShowScrollBar and friends.
constexpr int kBarHorizontal = SB_HORZ;
constexpr int kBarVertical = SB_VERT;
constexpr int kBarBoth = SB_BOTH;

class CRvListCtrl final : public CListCtrlData<unsigned long> {
  public:
    // Allocates the object for `window` and initialises it; null on failure
    // (then the window is left as it was).
    static CRvListCtrl* Attach(HWND window);
    ~CRvListCtrl() override;

    HWND Window() const { return window_; }

    // A parent told of a click or an edit may destroy the list's window
    // there and then; the object outlives the messages still being handled.
    void EnterMessage() { ++life_.depth; }
    // True when the window is gone and no message of it is being handled.
    bool LeaveMessage() { return --life_.depth == 0 && life_.windowGone; }
    // The window was destroyed: true when the object may go now.
    bool WindowGone() {
        life_.windowGone = true;
        return life_.depth == 0;
    }
    // True when the signature fills the last 16 bytes of the object.
    bool SignatureEndsObject() const {
        return reinterpret_cast<const char*>(&signature_) + sizeof signature_ ==
               reinterpret_cast<const char*>(this) + sizeof *this;
    }

    // Columns.
    int AddColumnExport(std::wstring_view title, int32_t width, int32_t image, int32_t fixed,
                        uint32_t format, uint32_t flags);
    int SetColumnWidth(int32_t column, int32_t width);
    int AutoSizeColumn(int32_t column);
    bool ColumnRect(int32_t column, RECT* rect) const;
    int ResizeStep(bool fromTimer);
    // Header hit test: the column and the kind of hit (RVLIST_HIT_...).
    bool HitTestHeader(POINT p, int32_t* column, uint32_t* where) const;
    // The item and display column under a client point (column -1 on an edge).
    bool HitTestRow(POINT p, int32_t* item, int32_t* column) const;
    int InvalidateHeader();

    // Items.
    int AddItemExport(std::wstring_view text, int32_t image, uint32_t format, uint32_t flags);
    int DeleteItemExport(int32_t item);
    void DeleteAllItemsExport();
    void CellChanged(int32_t item, int32_t subItem);
    // Gives a cell the entries of a value drop-down; the cell shares the map
    // with every copy of it (null: none).
    bool SetValueMap(int32_t item, int32_t subItem, std::shared_ptr<const ValueMap> map);
    const std::wstring& ToolTipOf(int32_t item) const {
        return Items()[static_cast<size_t>(item)].toolTip;
    }

    // Geometry and scrolling.
    int ItemHeight() const { return metrics_.itemHeight; }
    int HeaderHeight() const { return view_.headerShown ? metrics_.headerHeight : 0; }
    int TopItem() const { return scroll_.vertical / metrics_.itemHeight; }
    int CountPerPage(bool partial) const;
    int TotalHeight() const;
    int TotalWidth() const;
    bool ItemRect(int32_t item, int32_t column, RECT* rect) const;
    int InvalidateItem(int32_t item, int32_t column);
    bool IsItemVisible(int32_t item, int32_t column, bool partial) const;
    void EnsureVisible(int32_t item, int32_t column);
    void ResetScrollBars(int bar, int32_t position, bool recalculate);
    bool IsScrollBarShown(int bar) const;
    void AllowScrollBar(int bar, bool on);
    void SetSmoothScroll(bool on);

    // Selection.
    int SelectItem(int32_t item, int32_t subItem, uint32_t keyState);
    void ResetSelection();
    void SetFocusItem(int32_t item, int32_t column);
    int32_t CurrentItem() const;
    const std::vector<int32_t>& SelectedItems() const { return Selected().items; }
    void SetFocusSubItemMode(bool on);
    void SetSingleSelect(bool on);

    // Sorting.
    int SortColumn(int32_t column);
    bool SortState(int32_t* column, int32_t* ascending) const;

    // View.
    void ShowHeader(bool on);
    void ShowHeaderSort(bool on);
    void ShowThemed(bool on);
    void SetListColours(uint32_t c1, uint32_t c2, uint32_t c3, uint32_t c4, uint32_t c5);
    void SetHighlightPattern(int32_t mode, std::wstring_view pattern, COLORREF colour);
    bool ShowTitleTip(POINT p, int32_t item, int32_t column);
    void HideTitleTip(bool reset);
    int IconWidth() const { return images_.iconWidth; }

    // Header drag and drop.
    UINT ClipboardFormat() const { return dragDrop_.clipboardFormat; }
    // The header gap (0 .. column count) under a client point for the
    // dragged column, or -1 when dropping there would move nothing.
    int32_t DropGap(POINT p) const;
    // Moves the dragged column into a gap counted before its removal, so
    // that index fields and cells stay as they were; false for no move.
    bool DropColumnAtGap(int32_t gap);
    void ShowDragArrows(int32_t gap);
    void HideDragArrows();
    // A header column starts being dragged (and stops with EndHeaderDrag).
    void PrepareHeaderDrag(int32_t column);
    void EndHeaderDrag();
    // Runs the whole OLE drag and drop of a header column.
    void BeginHeaderDrag(int32_t column);

    // Sends WM_NOTIFY with `code` for a cell (display column) to the parent.
    LRESULT NotifyParent(int32_t code, int32_t item, int32_t column);

    // In-place editing (editing.cpp): opens the editor of a cell (display
    // column): 0 when the cell is off the page or the list lacks the focus,
    // else 1 (whether or not the cell's format has an editor).
    int OpenEditor(int32_t item, int32_t column);
    bool IsEditing() const { return view_.editing; }
    // Drops an open editor without storing: its cell is about to move or go.
    void AbandonEdit();
    // The window of the open editor, or null.
    HWND EditorWindow() const;
    // `window` when it is the window of one of this list's editors, else null.
    HWND EditorWindowOf(HWND window) const;

    // The window procedure's verbs (window_proc.cpp).
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    explicit CRvListCtrl(HWND window);
    bool Initialise();
    void ReloadThemes();
    void CreateDragArrows();
    void CreateToolTip();
    void RegisterDropTarget();
    void ReleaseWindowResources();
    void ReinitialiseAll();

    void Paint(HDC dc, const RECT& update);
    void PaintContent(HDC dc, const RECT& update) override;
    void PaintRow(HDC dc, int32_t item, const RECT& row, const RECT& clip);
    void PaintRowBackground(HDC dc, const RECT& row, bool focused);
    void PaintCell(HDC dc, int32_t item, int32_t position, const RECT& cell, bool rowSelected);
    void PaintFocusCell(HDC dc, const RECT& cell, bool focused);
    void PaintProgress(HDC dc, const RECT& cell, double value, uint32_t flags);
    void PaintCheck(HDC dc, const RECT& cell, uint32_t format, const std::wstring& text);
    void PaintBand(HDC dc);
    void PaintHeader(HDC dc);
    void PaintHeaderColumn(HDC dc, int32_t position, const RECT& cell);
    bool HasFocus() const;
    bool Themed() const { return view_.themed && themes_.header; }

    void OnVScroll(int code);
    void OnHScroll(int code);
    void OnWheel(short delta);
    void ScrollVerticallyTo(int position, bool animate);
    void StartSmooth(int oldTop, int newTop);
    void SmoothStep();
    void StopSmooth();
    void OnSize();
    LRESULT ReflectColour(UINT message, WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR id);
    void OnCancelMode();
    void OnDestroy();

    // Mouse (mouse.cpp, band.cpp).
    void OnLeftDown(WPARAM keys, POINT p);
    void OnLeftUp(WPARAM keys, POINT p);
    void OnLeftDoubleClick(WPARAM keys, POINT p);
    void OnRightDown(WPARAM keys, POINT p);
    void OnRightUp(WPARAM keys, POINT p);
    void OnMouseMove(WPARAM keys, POINT p);
    void OnHover(POINT p);
    void OnMouseLeave();
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);
    void SetHotCell(int32_t item, int32_t column);
    void UpdateBand(POINT p);
    void BandTick();
    void EndBand();
    // Click or space on a check cell (display column): toggles or cycles it
    // unless it is read-only, and tells the parent; false for other cells.
    bool ToggleCheck(int32_t item, int32_t column);

    // Keyboard (keyboard.cpp).
    void OnKeyDown(WPARAM key);
    void TypeAhead(wchar_t letter);

    // Editing (editing.cpp).
    void OpenEditorForFocusCell();
    void OnEditTimer();
    // The first display column of an item whose cell has an editor, or -1.
    int32_t FirstEditableColumn(int32_t item) const;
    // Ends an open editor by taking the focus back: the editor reports.
    void CloseEditor();
    void OnEndEdit(const RvListNotify& record);
    // The text area of a cell for the title tip; false off the page.
    bool TitleTipArea(int32_t item, int32_t column, RECT* area) const;
    int ColumnLeft(int32_t position) const; // after horizontal scrolling
    // A column's width as drawn: never negative, never beyond kMaxDrawnWidth,
    // so that no sum of widths overflows.
    int DrawnWidth(int32_t position) const;
    int ClientWidth() const;
    int ClientHeight() const;

    HWND window_;

    // Owned by the palette and the text: colours and fonts.
    Palette palette_;
    struct Fonts {
        OwnedFont list, underlined;
    } fonts_;

    // Owned by the themes: handles of the visual style, null without one.
    struct Themes {
        HTHEME header = nullptr, progress = nullptr;
    } themes_;

    // Owned by the images and cursors.
    struct Images {
        HIMAGELIST list = nullptr;       // sort arrows and check boxes (resource 102)
        HIMAGELIST itemImages = nullptr; // images of cells, when someone installs one
        int iconWidth = 16;
        HCURSOR divider = nullptr, hand = nullptr;
    } images_;

    // Owned by the view options set through the exports.
    struct View {
        bool headerShown = true;
        bool sortArrows = false;
        bool themed = true;
        bool singleSelect = true;
        bool focusSubItemMode = false;
        bool smooth = true;
        bool horizontalAllowed = true, verticalAllowed = true;
        int32_t sortColumn = kNone; // a column index
        bool ascending = true;
        bool patternMode = false;
        std::wstring pattern;
        bool editing = false;
    } view_;

    // Owned by the metrics.
    struct Metrics {
        int itemHeight = 17, headerHeight = 17;
        int totalWidth = 0; // of all columns
        UINT wheelLines = 3;
    } metrics_;

    // Owned by scrolling.
    struct Scroll {
        int vertical = 0, horizontal = 0; // positions in pixels
        bool verticalShown = false, horizontalShown = false;
        bool animationStarted = false; // since the last SB_ENDSCROLL
        bool resetting = false;        // a bar change resizes the window
    } scroll_;
    struct Smooth {
        int remaining = 0, steps = 0, stepSize = 0, done = 0;
        int direction = 0; // +1 down, -1 up
        int firstTop = 0;  // the smaller top item, first row of the bitmap
        int fromTop = 0;   // the old top item
        OwnedBitmap bitmap;
        int bitmapHeight = 0;
    } smooth_;

    // Owned by the mouse handling: press, resize, header and band states.
    struct Pointer {
        POINT press{};
        bool resizing = false;
        int32_t resizedColumn = kNone;
        int pressWidth = 0;
        int pressScreenX = 0;
        int lastScreenX = 0;
        int32_t pressedColumn = kNone;
        int32_t hotColumn = kNone;
        int32_t hotItem = kNone, hotSubItem = kNone;
        bool banding = false;
        RECT band{}; // in scrolled coordinates
        bool buttonDown = false;
        POINT pressScrolled{}; // the press point in scrolled coordinates
        bool pressOnRows = false;
        bool tracking = false; // the mouse-leave notification is requested
        DWORD lastBandScroll = 0;
        POINT lastMouse{}; // client point of the last mouse move of a band
    } pointer_;

    // Owned by the tips: the title tip with the tool-tip control of items.
    struct Tips {
        CTitleTip title;
        int32_t titleItem = kNone, titleColumn = kNone;
    } tips_;

    // Owned by the keyboard: type-ahead search.
    struct Search {
        std::wstring text;
        DWORD time = 0;
    } search_;

    // Owned by in-place editing: one editor of each kind, re-created per edit.
    struct Editors {
        CListEdit edit;
        CListCombo combo;
        CListDate date;
        int32_t tabColumn = kNone; // the column a Tab left, for the next item's editor
    } editors_;

    // Owned by header drag and drop.
    struct DragDrop {
        UINT clipboardFormat = 0;
        OwnedWindow arrows;
        int arrowsHeight = 0;
        HeaderDropTarget* target = nullptr;
        bool oleInitialised = false;
        int32_t draggedColumn = kNone;
    } dragDrop_;

    // Owned by the window procedure: messages being handled, and whether the
    // window has been destroyed meanwhile.
    struct Life {
        int depth = 0;
        bool windowGone = false;
    } life_;

    // Last, so that the last two 64-bit words of the object are the signature.
    rv::Signature signature_ = kListSignature;
};

} // namespace rvl
