// Fonts, metrics, themes, palette and tips: set up on attach and again after
// every settings, colour, font or theme change.
#include "rv_list_ctrl.h"

#include "header_drop.h"

#include <ole2.h>
#include <shlobj.h>

namespace rvl {
namespace {

constexpr int kItemPadding = 8; // around the text of a row
constexpr int kItemSpacing = 1; // extra pixel below each row's text
const wchar_t kClipboardFormat[] = L"HEADERCLIPBOARDFORMAT";

} // namespace

bool CRvListCtrl::Initialise() {
    palette_.Reset();
    dragDrop_.clipboardFormat = RegisterClipboardFormatW(kClipboardFormat);

    UINT lines = 3;
    if (SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) metrics_.wheelLines = lines;

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
    OwnedFont font(CreateFontIndirectW(&metrics.lfMessageFont));
    LOGFONTW underlined = metrics.lfMessageFont;
    underlined.lfUnderline = TRUE;
    OwnedFont link(CreateFontIndirectW(&underlined));
    if (!font || !link) return false;
    fonts_.list = std::move(font);
    fonts_.underlined = std::move(link);

    HDC dc = GetDC(window_);
    if (!dc) return false;
    SIZE extent{};
    {
        SelectGdi select(dc, fonts_.list.get());
        GetTextExtentPoint32W(dc, L"Height", 6, &extent);
    }
    ReleaseDC(window_, dc);
    const int height = extent.cy + kItemPadding + kItemSpacing;
    if (height != metrics_.itemHeight || !dragDrop_.arrows) {
        metrics_.itemHeight = metrics_.headerHeight = height;
        CreateDragArrows();
    }

    ReloadThemes();
    CreateToolTip();
    return true;
}

void CRvListCtrl::ReloadThemes() {
    for (HTHEME* theme : {&themes_.header, &themes_.progress}) {
        if (*theme) CloseThemeData(*theme);
        *theme = nullptr;
    }
    themes_.header = OpenThemeData(window_, L"HEADER");
    themes_.progress = OpenThemeData(window_, L"PROGRESS");
}

void CRvListCtrl::CreateToolTip() {
    tips_.title.Create(window_, view_.themed);
    tips_.titleItem = tips_.titleColumn = kNone;
}

void CRvListCtrl::RegisterDropTarget() {
    const HRESULT ole = OleInitialize(nullptr);
    dragDrop_.oleInitialised = SUCCEEDED(ole);
    if (FAILED(ole) && ole != RPC_E_CHANGED_MODE) return;
    auto* target = new (std::nothrow) HeaderDropTarget(this);
    if (!target) return;
    if (FAILED(RegisterDragDrop(window_, target))) {
        target->Detach();
        target->Release();
        return;
    }
    dragDrop_.target = target;
}

void CRvListCtrl::ReinitialiseAll() {
    Initialise();
    ResetScrollBars(kBarBoth, -1, true);
    InvalidateRect(window_, nullptr, FALSE);
}

void CRvListCtrl::ShowThemed(bool on) {
    view_.themed = on;
    Initialise();
    InvalidateRect(window_, nullptr, FALSE);
}

} // namespace rvl
