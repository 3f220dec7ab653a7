// The title tip: a popup that shows the whole text of a cut-off cell over
// it, passes clicks on to the list and hosts the tool-tip control of items.
#pragma once

#include "gdi.h"

#include <windows.h>

#include <string>

namespace rvl {

class CTitleTip {
  public:
    CTitleTip() = default;
    ~CTitleTip() { Destroy(); }
    CTitleTip(const CTitleTip&) = delete;
    CTitleTip& operator=(const CTitleTip&) = delete;

    // (Re-)creates the popup, owned by `list`, and its tool-tip control.
    bool Create(HWND list, bool themed);
    void Destroy();

    HWND Window() const { return window_.get(); }
    HWND ToolTip() const { return toolTip_.get(); }
    bool IsShown() const { return window_ && IsWindowVisible(window_.get()); }

    // The width `text` takes in the tip's font.
    int TextWidth(const std::wstring& text) const;
    // Shows `text` with its left edge at `left` (list client coordinates)
    // over `area`, `width` pixels wide, and captures the mouse.
    void Show(const std::wstring& text, int left, const RECT& area, int width);
    // Releases the capture if the tip holds it and hides it.
    void Hide();
    // The item's tool tip, activated when it has a text.
    void SetItemToolTip(const std::wstring& text);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);
    void PassButtonToList(UINT message, WPARAM wParam, LPARAM lParam);
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);

    OwnedWindow window_;
    OwnedWindow toolTip_;
    HWND list_ = nullptr;
    bool themed_ = true;
    COLORREF background_ = 0, text_ = 0;
    OwnedFont font_;
    std::wstring shown_, itemToolTip_;
};

} // namespace rvl
