// Animated line and page scrolling: the rows between the old and the new
// top item are drawn once into a bitmap that timer 1004 slides into view.
#include "rv_list_ctrl.h"

#include "draw_helpers.h"

#include <algorithm>
#include <cstdlib>

namespace rvl {
namespace {

constexpr int kFewestSteps = 4;
constexpr int kMostSteps = 8;

} // namespace

void CRvListCtrl::StartSmooth(int oldTop, int newTop) {
    StopSmooth();
    const int rowsMoved = std::abs(newTop - oldTop);
    const int distance = rowsMoved * metrics_.itemHeight;
    smooth_.steps = std::clamp(distance / metrics_.itemHeight, kFewestSteps, kMostSteps);
    smooth_.stepSize = (distance - smooth_.steps) / smooth_.steps;
    smooth_.remaining = distance;
    smooth_.done = 0;
    smooth_.direction = newTop > oldTop ? 1 : -1;
    smooth_.firstTop = std::min(oldTop, newTop);
    smooth_.fromTop = oldTop;

    RECT client;
    GetClientRect(window_, &client);
    const int width = client.right - client.left;
    smooth_.bitmapHeight = (rowsMoved + CountPerPage(true)) * metrics_.itemHeight;
    HDC windowDc = GetDC(window_);
    OwnedDc memory(CreateCompatibleDC(windowDc));
    smooth_.bitmap.reset(
        CreateCompatibleBitmap(windowDc, std::max(width, 1), std::max(smooth_.bitmapHeight, 1)));
    ReleaseDC(window_, windowDc);
    if (!memory || !smooth_.bitmap) {
        StopSmooth();
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    {
        SelectGdi select(memory.get(), smooth_.bitmap.get());
        HDC dc = memory.get();
        const RECT all{0, 0, width, smooth_.bitmapHeight};
        FillSolid(dc, all, palette_[Colour::ListBackground]);
        SetBkMode(dc, TRANSPARENT);
        SelectGdi font(dc, fonts_.list.get());
        const int rowRight = std::min<LONG>(width, metrics_.totalWidth - scroll_.horizontal);
        for (int i = 0; i * metrics_.itemHeight < smooth_.bitmapHeight; ++i) {
            const int item = smooth_.firstTop + i;
            if (item >= ItemCount()) break;
            const RECT row{0, i * metrics_.itemHeight, rowRight, (i + 1) * metrics_.itemHeight};
            PaintRow(dc, item, row, all);
        }
    }
    SetTimer(window_, kSmoothTimer, kSmoothPeriodMs, nullptr);
}

void CRvListCtrl::SmoothStep() {
    if (!smooth_.bitmap) {
        StopSmooth();
        return;
    }
    // Each step moves the step size and one pixel more; the last one takes
    // what is left, so the animation has exactly the computed number of steps.
    ++smooth_.done;
    if (smooth_.done >= smooth_.steps)
        smooth_.remaining = 0;
    else
        smooth_.remaining = std::max(0, smooth_.remaining - (smooth_.stepSize + 1));
    if (smooth_.remaining == 0) {
        StopSmooth();
        InvalidateRect(window_, nullptr, FALSE);
        return;
    }
    const int distance = std::abs(TopItem() - smooth_.fromTop) * metrics_.itemHeight;
    const int travelled = distance - smooth_.remaining;
    const int offset = smooth_.direction > 0 ? travelled : smooth_.remaining;
    RECT client;
    GetClientRect(window_, &client);
    const int rowsHeight = client.bottom - HeaderHeight();
    HDC windowDc = GetDC(window_);
    OwnedDc memory(CreateCompatibleDC(windowDc));
    if (memory) {
        SelectGdi select(memory.get(), smooth_.bitmap.get());
        BitBlt(windowDc, 0, HeaderHeight(), client.right,
               std::min(rowsHeight, smooth_.bitmapHeight - offset), memory.get(), 0, offset,
               SRCCOPY);
    }
    ReleaseDC(window_, windowDc);
}

void CRvListCtrl::StopSmooth() {
    KillTimer(window_, kSmoothTimer);
    smooth_.bitmap.reset();
    smooth_.remaining = smooth_.done = 0;
}

} // namespace rvl
