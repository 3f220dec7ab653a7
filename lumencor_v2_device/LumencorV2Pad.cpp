#include "LumencorV2Pad.h"

CKaLumencorV2Pad::CKaLumencorV2Pad(CKaLumencorV2Device* owner) : m_pOwner(owner), m_hWnd(nullptr) {}

CKaLumencorV2Pad::~CKaLumencorV2Pad() = default;

// Redraws the pad window from the device's records.
void CKaLumencorV2Pad::Refresh() {
    if (m_hWnd) InvalidateRect(m_hWnd, nullptr, FALSE);
}
