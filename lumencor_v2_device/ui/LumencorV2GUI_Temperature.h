// The pad's temperature line: the engine's temperature and supply read-outs.
#pragma once

#include "LumencorV2Panel.h"

class CKaLumencorV2UI_Temperature : public CKaLumencorV2Panel {
  public:
    enum { kDefaultWidth = 260, kDefaultHeight = 25 };

    CKaLumencorV2UI_Temperature(CKaLumencorV2Pad* pad, CKaLumencorV2Device* device);
    ~CKaLumencorV2UI_Temperature() override;

    bool Create(HWND parent, int x, int y);
    // Shows the last read-outs (data lock).
    void Refresh();
    HWND GetText() const { return m_hText; }

  private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override;
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowMap s_windows;

    HWND m_hText = nullptr;
};
