// The pad's shutter panel: the host's shutter button for the light engine's
// shutter, enabled only while the lines are switched over USB.
#pragma once

#include "KaDevUI.h"
#include "LumencorV2Panel.h"

class CKaLumencorV2UI_Shutters : public CKaLumencorV2Panel {
  public:
    class CKaUI_Shutter : public CKaDevUI_Shutter {
      public:
        explicit CKaUI_Shutter(CKaLumencorV2UI_Shutters* panel) : m_pPanel(panel) {}
        void OnShutterButtonPressed(bool open) override;
        void OnOpenConfiguration() override;

      private:
        CKaLumencorV2UI_Shutters* m_pPanel;
    };

    enum { kDefaultWidth = 260, kDefaultHeight = 33 };

    CKaLumencorV2UI_Shutters(CKaLumencorV2Pad* pad, CKaLumencorV2Device* device);
    ~CKaLumencorV2UI_Shutters() override;

    bool Create(HWND parent, int x, int y);
    // Reads the shutter's state; enabled only in operation mode 0.
    void Refresh();
    CKaUI_Shutter& Widget() { return m_shutter; }

  private:
    void UserSetState(bool open);
    void UserOpenConfiguration();
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowMap s_windows;

    CKaUI_Shutter m_shutter{this};
};
