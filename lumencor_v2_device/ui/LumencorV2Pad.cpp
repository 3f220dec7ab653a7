#include "LumencorV2Pad.h"

CKaLumencorV2Pad::CKaLumencorV2Pad(CKaLumencorV2Device* owner) : m_pOwner(owner) {}

CKaLumencorV2Pad::~CKaLumencorV2Pad() = default;

// Redraws the pad window from the device's records.
void CKaLumencorV2Pad::Refresh() {
    HWND window = m_hWnd;
    if (window) InvalidateRect(window, nullptr, FALSE);
}
