// The host's device widgets a device pad is built of: the rows of a
// multi-line light source with their subset strip, and the shutter button.
// Each is a real window of the host; the handlers (virtual, in the host's
// slot order) are what a device's subclass overrides.
#pragma once

#include "KaExport.h"
#include "KaString.h"

#include <windows.h>

class IKaDeviceMultiLaser;
class CKaDevUI_MultiLaserLines;

// One line: used check box, name and wavelength, power slider, value text
// and shine indicator.
class HX_UI_API CKaDevUI_MultiLaserLine {
  public:
    CKaDevUI_MultiLaserLine();
    ~CKaDevUI_MultiLaserLine();
    CKaDevUI_MultiLaserLine(const CKaDevUI_MultiLaserLine&) = delete;
    CKaDevUI_MultiLaserLine& operator=(const CKaDevUI_MultiLaserLine&) = delete;

    void SetName(const wchar_t* name);
    void SetWavelength(unsigned nm);
    // The value text: `format` (one floating-point conversion) of `value`,
    // then the units.
    void SetValueText(const wchar_t* format, const wchar_t* units, double value);
    // Power in percent, shown in the given power mode.
    void SetPowerEx(double percent, int mode);
    void SetUsed(bool used);
    void SetLaserShine(bool shine);
    void CheckboxLineEnable(bool enable);
    // The used check box works as a push button of the enabled lines.
    void SetPushButtonToEnabledLines(bool push);
    void Move(int x, int y);

    double GetPower() const { return m_dPower; }
    bool GetUsed() const { return m_bUsed; }
    bool GetLaserShine() const { return m_bShine; }
    bool IsCheckboxEnabled() const { return m_bCheckEnabled; }
    const wchar_t* GetName() const { return m_sName; }
    const wchar_t* GetValueText() const { return m_sValue; }
    unsigned GetWavelength() const { return m_uWavelength; }
    HWND GetHandle() const { return m_hWnd; }
    HWND GetSlider() const { return m_hSlider; }
    HWND GetCheckBox() const { return m_hCheck; }
    int GetHeight() const;

  private:
    friend class CKaDevUI_MultiLaserLines;
    friend struct KaDevUILineWindow;
    bool Create(CKaDevUI_MultiLaserLines* owner, int index, HWND parent, int width);
    void Destroy();
    void Redraw();

    CKaDevUI_MultiLaserLines* m_pOwner = nullptr;
    int m_iIndex = 0;
    HWND m_hWnd = nullptr;
    HWND m_hSlider = nullptr;
    HWND m_hCheck = nullptr;
    CKaStringW m_sName;
    CKaStringW m_sValue;
    unsigned m_uWavelength = 0;
    double m_dPower = 0.0;
    int m_iPowerMode = 0;
    bool m_bUsed = false;
    bool m_bShine = false;
    bool m_bCheckEnabled = true;
    bool m_bPushButton = false;
};

// The strip of subset check boxes above the rows, one per line.
class HX_UI_API CKaDevUI_MultiLaserLinesSubsets {
  public:
    CKaDevUI_MultiLaserLinesSubsets();
    ~CKaDevUI_MultiLaserLinesSubsets();
    CKaDevUI_MultiLaserLinesSubsets(const CKaDevUI_MultiLaserLinesSubsets&) = delete;
    CKaDevUI_MultiLaserLinesSubsets& operator=(const CKaDevUI_MultiLaserLinesSubsets&) = delete;

    void SetCheck(int line, bool checked);
    bool GetCheck(int line) const;
    // 0 while the strip is hidden.
    int GetHeight() const;
    HWND GetHandle() const { return m_hWnd; }
    HWND GetCheckBox(int line) const;

    enum { kMaxLines = 16 };

  private:
    friend class CKaDevUI_MultiLaserLines;
    friend struct KaDevUILinesWindow;
    bool Create(CKaDevUI_MultiLaserLines* owner, HWND parent, int width, int count, bool show);
    void Destroy();

    HWND m_hWnd = nullptr;
    HWND m_checks[kMaxLines] = {};
    bool m_bChecked[kMaxLines] = {};
    int m_iCount = 0;
    bool m_bShown = false;
};

class HX_UI_API CKaDevUI_MultiLaserLines {
  public:
    CKaDevUI_MultiLaserLines();
    virtual ~CKaDevUI_MultiLaserLines();
    CKaDevUI_MultiLaserLines(const CKaDevUI_MultiLaserLines&) = delete;
    CKaDevUI_MultiLaserLines& operator=(const CKaDevUI_MultiLaserLines&) = delete;

    // What the user did; a device's subclass acts on it.
    virtual void OnPowerChanged(int line, double percent);
    virtual void OnLineUsedChanged(int line, bool used);
    virtual void OnNDFilterChanged(int line, int filter);
    virtual void OnLinkChanged(int line, bool linked);
    // A wheel turn over a slider moves it by one step; true when handled.
    virtual bool HandleMouseWheel(WPARAM wParam, LPARAM lParam);
    virtual void OnHoverForPad();
    virtual void UnHoverForPad();
    virtual void OnSubsetCheckChanged(int line, bool checked);

    // Takes the line count of the source (at most kMaxLines).
    bool Init(IKaDeviceMultiLaser* source, bool showNDFilters, bool showLinks);
    // Creates the widget window at (x, y) in `parent`, as wide as `width`.
    HWND Create(HWND parent, int x, int y, int width);
    void Destroy();
    // Row i; out-of-range indexes give a detached row that shows nothing.
    CKaDevUI_MultiLaserLine& operator[](int line);
    CKaDevUI_MultiLaserLinesSubsets& GetSubsetGUI() { return m_subsets; }
    void SetShowSubsetChecks(bool show) { m_bShowSubsets = show; }
    // Resizes the widget window to hold its rows stacked from `top`.
    void FitRows(int top, int* height);
    int GetCount() const { return m_iCount; }
    HWND GetHandle() const { return m_hWnd; }
    IKaDeviceMultiLaser* GetSource() const { return m_pSource; }

    enum { kMaxLines = CKaDevUI_MultiLaserLinesSubsets::kMaxLines };

  private:
    friend struct KaDevUILinesWindow;
    IKaDeviceMultiLaser* m_pSource = nullptr;
    HWND m_hWnd = nullptr;
    int m_iCount = 0;
    int m_iWidth = 0;
    bool m_bShowSubsets = false;
    CKaDevUI_MultiLaserLine m_rows[kMaxLines];
    CKaDevUI_MultiLaserLine m_detached;
    CKaDevUI_MultiLaserLinesSubsets m_subsets;
};

// A widget that is one window of a known size.
class HX_UI_API CKaDevUI_Base {
  public:
    CKaDevUI_Base();
    virtual ~CKaDevUI_Base();
    CKaDevUI_Base(const CKaDevUI_Base&) = delete;
    CKaDevUI_Base& operator=(const CKaDevUI_Base&) = delete;

    int GetWidth() const;
    int GetHeight() const;
    HWND GetHandle() const { return m_hWnd; }

  protected:
    HWND m_hWnd = nullptr;
};

// The shutter button: an icon of the shutter's state and its name; a click
// (or Space) toggles it, the context menu key or a right click asks for the
// configuration.
class HX_UI_API CKaDevUI_Shutter : public CKaDevUI_Base {
  public:
    CKaDevUI_Shutter();
    ~CKaDevUI_Shutter() override;

    // Width and height -1: the widget's own size.
    virtual bool Create(HWND parent, int x, int y, int width, int height, bool visible,
                        bool enabled);
    // The width follows the text between `minWidth` and `maxWidth` (at zoom 1).
    virtual void SetAutomaticallyResizable(bool automatic, int minWidth, int maxWidth);
    // Reads the state and name of logical device `shutterId`.
    virtual void Update(int shutterId, bool state, bool name, bool redraw);
    virtual void SetEnabled(bool enabled);
    virtual void UpdateShutterIcon();
    virtual void OnShutterButtonPressed(bool open);
    virtual void OnOpenConfiguration();

    bool IsOpen() const { return m_bOpen; }
    bool IsWidgetEnabled() const { return m_bEnabled; }
    const wchar_t* GetText() const { return m_sName; }

  private:
    friend struct KaDevUIShutterWindow;
    void FitWidth();

    bool m_bOpen = false;
    bool m_bEnabled = true;
    bool m_bPressed = false;
    bool m_bAutomatic = false;
    int m_iMinWidth = 35, m_iMaxWidth = 80;
    CKaStringW m_sName;
};

// A combo box of a dialog, attached by id; the host's thin wrapper over the
// CB_ messages. Classes that fill it (the NI-DAQ resource combo) derive
// from it.
class HX_UI_API CKaDevUI_ComboBox {
  public:
    CKaDevUI_ComboBox() = default;
    virtual ~CKaDevUI_ComboBox() = default;
    CKaDevUI_ComboBox(const CKaDevUI_ComboBox&) = delete;
    CKaDevUI_ComboBox& operator=(const CKaDevUI_ComboBox&) = delete;

    // Attaches to the combo box `id` of `dialog`; false when there is none.
    bool Create(HWND dialog, int id);
    HWND GetHandle() const { return m_hWnd; }
    // Number of entries, 0 when not attached.
    int GetCount() const;
    void ResetContent();
    // Appends an entry; its position, or -1.
    int AddString(const wchar_t* text);
    // Selects the entry whose text is `text` (whole, case-insensitive);
    // false (selection unchanged) when there is none.
    bool SelectString(const wchar_t* text);
    // Selects by position; -1 clears the selection.
    void SetCurSel(int index);
    int GetCurSel() const;
    // The entry's text, empty for a position out of range.
    CKaStringW GetText(int index) const;
    void EnableWindow(bool enable);

  protected:
    HWND m_hWnd = nullptr;
};
