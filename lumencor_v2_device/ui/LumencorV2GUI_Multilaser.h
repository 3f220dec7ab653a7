// The pad's multi-line panel: the host's line rows, driven from the light
// source's records; what the user does goes to the light source and into
// the macro protocol.
#pragma once

#include "KaDevUI.h"
#include "LumencorV2Panel.h"

class CKaLumencorV2UI_Multilaser : public CKaLumencorV2Panel {
  public:
    // The host widget, answering the user's changes.
    class CKaDevGUI_MultiLaserLines : public CKaDevUI_MultiLaserLines {
      public:
        explicit CKaDevGUI_MultiLaserLines(CKaLumencorV2UI_Multilaser* panel) : m_pPanel(panel) {}
        ~CKaDevGUI_MultiLaserLines() override;
        void OnPowerChanged(int line, double percent) override;
        void OnLineUsedChanged(int line, bool used) override;
        void OnSubsetCheckChanged(int line, bool checked) override;

      private:
        CKaLumencorV2UI_Multilaser* m_pPanel;
    };

    enum { kDefaultWidth = 270, kDefaultHeight = 48 };

    CKaLumencorV2UI_Multilaser(CKaLumencorV2Pad* pad, CKaLumencorV2Device* device);
    ~CKaLumencorV2UI_Multilaser() override;

    // Creates the window and builds the rows from the light source.
    bool Create(HWND parent, int x, int y);
    // Reads powers, used states, shine and check-box enabling (data lock).
    void Refresh();
    CKaDevGUI_MultiLaserLines& Lines() { return m_lines; }
    bool AreCheckboxesEnabled() const { return m_bCheckboxesEnabled; }

  private:
    void Build();
    void UserSetPower(int line, double percent);
    void UserSetUsed(int line, bool used);
    void UserSetSubset(int line, bool member);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static WindowMap s_windows;

    CKaDevGUI_MultiLaserLines m_lines{this};
    bool m_bCheckboxesEnabled = true;
};
