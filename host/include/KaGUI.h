// The host's user-interface elements and services: the element interface
// the docking layout drives, the tab container, update batches, the bitmap
// pool, user rights, the default font, system colours and button drawing.
#pragma once

#include "KaExport.h"
#include "KaString.h"

#include <windows.h>

class CKaGUIElement;

// Event codes an element sends its handler.
enum { KA_GUI_EVENT_DESTROY = 1 };

// Told about an element's life (the docking layout is one).
class IKaGUIElementHandler {
  public:
    virtual void OnGUIElementEvent(CKaGUIElement* element, int event) = 0;

  protected:
    ~IKaGUIElementHandler() = default;
};

// A piece of the docking layout. The slots are in the host's table order.
class HX_UI_API CKaGUIElement {
  public:
    CKaGUIElement();
    CKaGUIElement(const CKaGUIElement&) = delete;
    CKaGUIElement& operator=(const CKaGUIElement&) = delete;
    virtual ~CKaGUIElement();

    virtual void SetHandler(IKaGUIElementHandler* handler);
    virtual IKaGUIElementHandler* GetHandler() const;
    // Creates the element's window under `parent`; `host` is the element
    // hosting it (a tab container, say), or null.
    virtual HWND Create(const wchar_t* name, HWND parent, CKaGUIElement* host);
    virtual void Destroy();
    virtual HWND GetHandle() const;
    virtual void SetUIParent(HWND parent);
    virtual void Show(bool show);
    virtual bool IsVisible() const;
    virtual void Enable(bool enable);
    virtual bool IsEnabled() const;
    virtual void SetRedrawEx(bool redraw);
    virtual void Update(bool now);
    virtual bool IsResizable() const;
    virtual void GetCurSize(SIZE* size) const;
    virtual void CalcOptimalSize(SIZE* size);
    virtual void Move(int x, int y, int width, int height);
    // The element as the named interface (a tab container answers
    // "CKaTabContainer"), or null.
    virtual void* GetInterface(const char* name);
    virtual void GetInfo(CKaStringW& title) const;
    virtual INT_PTR CustomCommand(int code, WPARAM first, LPARAM second);
    virtual void SetOptimalSize(SIZE size);
    virtual void SetLayoutStyle(int style);
    virtual bool GetEnableGuiFlag() const;
    virtual void SetEnableGuiFlag(bool flag);
    virtual void EnableGui(bool enable);
    virtual CKaGUIElement* GetElementFromPos(POINT point);
    virtual bool IsResizableInSteps() const;
    // Places the element's children; true when one changed visibility.
    virtual bool Layout();

  protected:
    IKaGUIElementHandler* m_pHandler = nullptr;
    SIZE m_curSize = {0, 0};
    SIZE m_optimalSize = {0, 0};
    int m_iLayoutStyle = 0;
    bool m_bEnableGui = true;
};

// An element that is one window: the defaults work on GetHandle().
class HX_UI_API CKaGUIControlElement : public CKaGUIElement {
  public:
    CKaGUIControlElement();
    ~CKaGUIControlElement() override;
};

// Hosts elements as tabs; the tab titles are the elements' GetInfo texts.
class HX_UI_API CKaTabContainer : public CKaGUIControlElement {
  public:
    CKaTabContainer();
    ~CKaTabContainer() override;

    void* GetInterface(const char* name) override;
    void Update(bool now) override;
    void AddTab(CKaGUIElement* element);
    void RemoveTab(CKaGUIElement* element);
    // Reads every tab's title again.
    void RefreshTabTitles();
    int GetTabCount() const { return m_iTabs; }
    const wchar_t* GetTabTitle(int index) const;
    // Calls of RefreshTabTitles so far.
    int GetRefreshCount() const { return m_iRefreshes; }
    // The window whose text shows the first tab's title (null: none).
    void SetTitleWindow(HWND window) { m_hTitleWindow = window; }

  private:
    enum { kMaxTabs = 16 };
    CKaGUIElement* m_tabs[kMaxTabs] = {};
    CKaStringW m_titles[kMaxTabs];
    int m_iTabs = 0;
    int m_iRefreshes = 0;
    HWND m_hTitleWindow = nullptr;
};

// Holds the windows of one batch of layout changes from redrawing until the
// outermost batch ends; then they are redrawn once.
class HX_UI_API CKaGUIUpdateManager {
  public:
    explicit CKaGUIUpdateManager(HWND window);
    ~CKaGUIUpdateManager();
    CKaGUIUpdateManager(const CKaGUIUpdateManager&) = delete;
    CKaGUIUpdateManager& operator=(const CKaGUIUpdateManager&) = delete;
    // Batches open on this thread.
    static int GetDepth();

  private:
    HWND m_hWindow;
};

// The host's images, drawn at any size.
class HX_UI_API CKaBitmapPool {
  public:
    // Index of a named image of the base user interface ("SETTINGS"), or -1.
    static int AddImageBaseUI(const wchar_t* name);
    // Draws the image into `rect`, keeping it square and centred; greyed
    // when disabled. False for an unknown index.
    static bool DrawOptimalImage(HDC dc, int index, const RECT& rect, bool disabled);
};

// Rights of the logged-in user.
enum { KA_USER_RIGHT_CONFIGURE_DEVICES = 8 };
class HX_UI_API CKaUserManager {
  public:
    static bool GetCurrentUserRights(int right);
};

// The host's dialog font (kept by the host; do not delete it).
HX_UI_API HFONT KA_GetDefaultGuiFont();
// The same font in bold (section titles).
HX_UI_API HFONT KA_GetDefaultGuiFontBold();
HX_UI_API HBRUSH KA_GetSysColorBrush(int index);
HX_UI_API COLORREF KA_GetSysColor(int index);
// Button backgrounds: state 0 normal, 1 hot, 2 pressed, 3 disabled.
enum { KA_BUTTON_NORMAL = 0, KA_BUTTON_HOT = 1, KA_BUTTON_PRESSED = 2, KA_BUTTON_DISABLED = 3 };
HX_UI_API void KA_DrawButtonBackground(HDC dc, const RECT& rect, int state);

// The host's message box: `type` takes the MB_ flags (0 = an OK box),
// `timeoutMs` closes it unanswered after that long (-1: never). Returns the
// button pressed (IDOK, IDCANCEL, ...).
HX_UI_API int KA_MessageBox_(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type,
                             int timeoutMs);
