#include "background.h"

#include "dialog_record.h"

namespace rvw {
namespace {

constexpr uint32_t kLastStockObject = 18; // DC_BRUSH

} // namespace

void SetBackground(DialogRecord& record, uint32_t colour) {
    if (record.brush) DeleteObject(record.brush);
    record.brush = nullptr;
    record.backgroundColour = kNoBackground;
    // Small values name stock objects; only the brushes among them can paint
    // a background (the pens, fonts and palette would read back as nonsense).
    HGDIOBJ object = colour <= kLastStockObject ? GetStockObject(static_cast<int>(colour))
                                                : CreateSolidBrush(colour);
    if (object && GetObjectType(object) != OBJ_BRUSH) object = nullptr;
    record.brush = static_cast<HBRUSH>(object);
    LOGBRUSH logBrush;
    if (record.brush && GetObjectW(record.brush, sizeof logBrush, &logBrush) == sizeof logBrush)
        record.backgroundColour = logBrush.lbColor;
    InvalidateRect(record.window, nullptr, TRUE);
}

INT_PTR EraseBackground(const DialogRecord& record, HDC dc) {
    if (record.backgroundColour == kNoBackground) return 0;
    RECT client;
    GetClientRect(record.window, &client);
    FillRect(dc, &client, record.brush);
    return 1;
}

INT_PTR ControlColour(const DialogRecord& record, HDC dc) {
    if (record.backgroundColour == kNoBackground) return 0;
    SetBkMode(dc, TRANSPARENT);
    SetBkColor(dc, record.backgroundColour);
    return reinterpret_cast<INT_PTR>(record.brush);
}

} // namespace rvw
