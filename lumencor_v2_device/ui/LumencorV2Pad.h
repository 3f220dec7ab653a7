// The device pad: the light engine's control panel in the host's docking
// layout, and the window the device posts its change messages to.
//
// Threads: every window of the pad belongs to the host's main (GUI) thread;
// all the pad's own fields are that thread's. Driver threads only post the
// messages below to GetHandle(); the pad reads the device's state under the
// data lock in their handlers and notifies the host after leaving it.
#pragma once

#include "KaGUI.h"
#include "LumencorV2GUI_Multilaser.h"
#include "LumencorV2GUI_Shutters.h"
#include "LumencorV2GUI_Temperature.h"

#include <windows.h>

#include <atomic>
#include <memory>

class CKaLumencorV2Device;

// Window messages posted to the pad, all with zero parameters.
enum {
    KA_PAD_RELAYOUT = 1040,
    KA_PAD_AWAKE_OR_SETTINGS = 1041,
    KA_PAD_OPERATION_MODE = 1056,
    KA_PAD_SHUTTER_STATE = 1059,
    KA_PAD_SHUTTER_REFRESH = 1060,
    KA_PAD_LINE_STATE = 1061,
    KA_PAD_READOUTS = 1062,
};

// Custom commands of the pad's element slot.
enum { KA_PAD_COMMAND_IS_PAD = 17, KA_PAD_COMMAND_MOUSE_WHEEL = 0x8001 };
// Answer of KA_PAD_COMMAND_MOUSE_WHEEL when the wheel moved a slider.
enum { KA_PAD_WHEEL_HANDLED = -8 };

class CKaLumencorV2Pad : public CKaGUIControlElement {
  public:
    class CKaUI_Multilaser : public CKaLumencorV2UI_Multilaser {
      public:
        using CKaLumencorV2UI_Multilaser::CKaLumencorV2UI_Multilaser;
    };
    class CKaUI_Shutters : public CKaLumencorV2UI_Shutters {
      public:
        using CKaLumencorV2UI_Shutters::CKaLumencorV2UI_Shutters;
    };
    class CKaUI_Temperature : public CKaLumencorV2UI_Temperature {
      public:
        using CKaLumencorV2UI_Temperature::CKaLumencorV2UI_Temperature;
    };

    // Buffer sizes of the name and the title, terminator included.
    enum { kNameChars = 65, kTitleChars = 255 };
    // Design measures at zoom 1.0.
    enum {
        kPadWidth = 270,
        kConfigureWidth = 120,
        kConfigureHeight = 25,
        kConfigureArea = 260,
        kConfigureGap = 5,
        kWakeUpWidth = 120,
        kWakeUpHeight = 25,
        kBottomMargin = 8,
        kPanelMargin = 4
    };

    explicit CKaLumencorV2Pad(CKaLumencorV2Device* owner);
    ~CKaLumencorV2Pad() override;

    // CKaGUIElement (own slots)
    HWND Create(const wchar_t* name, HWND parent, CKaGUIElement* host) override;
    void Destroy() override;
    HWND GetHandle() const override { return m_hWnd.load(); }
    void GetInfo(CKaStringW& title) const override;
    INT_PTR CustomCommand(int code, WPARAM first, LPARAM second) override;
    bool Layout() override;

    // Sets the window that receives the pad messages (null forgets it).
    void SetHandle(HWND window) { m_hWnd = window; }
    // Asks the pad to lay itself out again (the device's UpdatePad).
    void Refresh();
    // Asks for a rebuild from the pad's message queue.
    void RequestRebuild();

    const wchar_t* GetName() const { return m_szName; }
    const wchar_t* GetTitle() const { return m_szTitle; }
    CKaUI_Multilaser* MultilaserPanel() { return m_pMultilaser.get(); }
    CKaUI_Shutters* ShuttersPanel() { return m_pShutters.get(); }
    CKaUI_Temperature* TemperaturePanel() { return m_pTemperature.get(); }
    HWND ConfigureButton() const { return m_hConfigure; }
    HWND WakeUpButton() const { return m_hWakeUp; }

  private:
    friend struct SKaLumencorV2PadWindow;

    // The pad's window messages (LumencorV2PadWindow.cpp).
    void OnInitDialog(HWND window);
    void OnDeviceMessage(UINT message);
    void OnCommand(int id);
    void OnWindowGone();
    void CreateChildren();
    void DestroyChildren();
    void Rebuild();
    // Lays out and resizes the window inside a host update batch.
    void LayoutAndResize();
    void CommitPolledState();
    void RefreshLinesAndShutter(bool lines, bool shutter);
    bool UpdateTitle();
    HWND CreateButton(int id, const wchar_t* text, DWORD style);

    CKaLumencorV2Device* m_pOwner;
    // Set on the main thread; read by every thread that posts to the pad.
    std::atomic<HWND> m_hWnd{nullptr};
    // ---- Main thread ----
    CKaGUIElement* m_pHost = nullptr;
    wchar_t m_szName[kNameChars] = {};
    wchar_t m_szTitle[kTitleChars] = {};
    std::unique_ptr<CKaUI_Multilaser> m_pMultilaser;
    std::unique_ptr<CKaUI_Shutters> m_pShutters;
    std::unique_ptr<CKaUI_Temperature> m_pTemperature;
    HWND m_hConfigure = nullptr;
    HWND m_hWakeUp = nullptr;
    // Whether the pad created the window (else it was only handed one).
    bool m_bOwnsWindow = false;
};
