// The configuration dialog's template in every language: size, font, every
// control with its kind, the English texts and the translated ones; its
// run-time texts in every language's string table.
#include "KaClass.h"
#include "KaHostHooks.h"
#include "KaSystem.h"
#include "LumencorV2PadResources.h"
#include "resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

namespace {

const LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

enum Kind { kLabel, kSeparator, kRadio, kCheck, kList, kDropDown, kEdit, kNumber, kDefault, kPush };

struct Control {
    int id;
    Kind kind;
    const wchar_t* english;
};

const Control kControls[] = {
    {IDC_CFG_SECTION_CONNECTION, kLabel, L"Connection"},
    {IDC_CFG_USB_ONLY, kRadio, L"USB Only"},
    {IDC_CFG_USB_NIDAQ, kRadio, L"USB + TTL via NIDAQ"},
    {IDC_CFG_USB_VEYRA, kRadio, L"USB + Veyra Direct TTL"},
    {IDC_CFG_SECTION_WAVELENGTHS, kLabel, L"Wavelengths + NIDAQ"},
    {IDC_CFG_CARD_LABEL, kLabel, L"Card"},
    {IDC_CFG_CARD, kList, L""},
    {IDC_CFG_CARD_ALTERNATIVE, kLabel, L"Card (alternative)"},
    {IDC_CFG_CONNECTOR_BLOCK_LABEL, kLabel, L"Connector Block"},
    {IDC_CFG_CONNECTOR_BLOCK, kList, L""},
    {IDC_CFG_TTL_LINE, kRadio, L"TTL line"},
    {IDC_CFG_ANALOG_LINE, kRadio, L"Analog line"},
    {IDC_CFG_COLOUR_FIRST + 0, kLabel, L"VIOLET"},
    {IDC_CFG_COLOUR_FIRST + 1, kLabel, L"BLUE"},
    {IDC_CFG_COLOUR_FIRST + 2, kLabel, L"CYAN"},
    {IDC_CFG_COLOUR_FIRST + 3, kLabel, L"TEAL"},
    {IDC_CFG_COLOUR_FIRST + 4, kLabel, L"GREEN"},
    {IDC_CFG_COLOUR_FIRST + 5, kLabel, L"YELLOW"},
    {IDC_CFG_COLOUR_FIRST + 6, kLabel, L"RED"},
    {IDC_CFG_COLOUR_LAST, kLabel, L"NIR"},
    {IDC_CFG_SECTION_TRIGGERING, kLabel, L"Triggering"},
    {IDC_CFG_ENABLE_TRIGGERING, kCheck, L"Enable Triggering"},
    {IDC_CFG_CAMERA_LABEL1, kLabel, L"Camera name 1"},
    {IDC_CFG_CAMERA_TRIGGER1, kList, L""},
    {IDC_CFG_CAMERA_LABEL2, kLabel, L"Camera name 1"},
    {IDC_CFG_CAMERA_TRIGGER2, kList, L""},
    {IDC_CFG_SECTION_MULTILASER, kLabel, L"Multilaser && Shutter"},
    {IDC_CFG_NAME_LABEL, kLabel, L"Name"},
    {IDC_CFG_NAME, kEdit, L""},
    {IDC_CFG_SHUTTER_DELAY_LABEL, kLabel, L"Shutter Delay"},
    {IDC_CFG_SHUTTER_DELAY, kNumber, L""},
    {IDC_CFG_SHUTTER_DELAY_UNIT, kLabel, L"ms"},
    {IDC_CFG_STANDBY_LABEL, kLabel, L"StandBy Mode"},
    {IDC_CFG_STANDBY, kList, L""},
    {IDC_CFG_SECTION_GUI, kLabel, L"GUI Options"},
    {IDC_CFG_SHOW_TEMPERATURE, kCheck, L"Show Temperature and Power Supply"},
    {IDC_CFG_SHOW_SUBSET, kCheck, L"Enable Checkboxes to Hide/Show Laser Sliders"},
    {IDC_CFG_SECTION_SYSTEM, kLabel, L"System Info"},
    {IDC_CFG_MODEL_LABEL, kLabel, L"Model"},
    {IDC_CFG_MODEL, kLabel, L"Spectra"},
    {IDC_CFG_SERIAL_LABEL, kLabel, L"Serial Number"},
    {IDC_CFG_SERIAL, kLabel, L"sn"},
    {IDC_CFG_VERSION_LABEL, kLabel, L"Version"},
    {IDC_CFG_VERSION, kLabel, L"ver"},
    {IDOK, kDefault, L"OK"},
    {IDCANCEL, kPush, L"Cancel"},
    {IDC_CFG_SEPARATOR1, kSeparator, L""},
    {IDC_CFG_SEPARATOR2, kSeparator, L""},
    {IDC_CFG_SEPARATOR3, kSeparator, L""},
    {IDC_CFG_SEPARATOR4, kSeparator, L""},
    {IDC_CFG_SEPARATOR5, kSeparator, L""},
    {IDC_CFG_SEPARATOR6, kSeparator, L""},
    {IDC_CFG_SEPARATOR7, kSeparator, L""},
};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

void ExpectKind(HWND control, Kind kind) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const std::wstring cls = ClassOf(control);
    switch (kind) {
    case kLabel:
        EXPECT_EQ(L"Static", cls);
        EXPECT_EQ(DWORD(SS_LEFT), style & SS_TYPEMASK);
        break;
    case kSeparator:
        EXPECT_EQ(L"Static", cls);
        EXPECT_EQ(DWORD(SS_ETCHEDHORZ), style & SS_TYPEMASK);
        break;
    case kRadio:
        EXPECT_EQ(L"Button", cls);
        EXPECT_EQ(DWORD(BS_AUTORADIOBUTTON), style & BS_TYPEMASK);
        break;
    case kCheck:
        EXPECT_EQ(L"Button", cls);
        EXPECT_EQ(DWORD(BS_AUTOCHECKBOX), style & BS_TYPEMASK);
        break;
    case kDefault:
    case kPush:
        EXPECT_EQ(L"Button", cls);
        EXPECT_EQ(DWORD(kind == kDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), style & BS_TYPEMASK);
        break;
    case kList:
    case kDropDown:
        EXPECT_EQ(L"ComboBox", cls);
        EXPECT_EQ(DWORD(kind == kList ? CBS_DROPDOWNLIST : CBS_DROPDOWN), style & 3u);
        break;
    case kEdit:
    case kNumber:
        EXPECT_EQ(L"Edit", cls);
        EXPECT_EQ(kind == kNumber, (style & ES_NUMBER) != 0);
        break;
    }
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// Skips a menu, class or title field of an extended template.
const WORD* SkipField(const WORD* p) {
    if (*p == 0) return p + 1;
    if (*p == 0xFFFF) return p + 2;
    while (*p)
        ++p;
    return p + 1;
}

struct TemplateHeader {
    short cx = 0, cy = 0;
    WORD points = 0;
    std::wstring face;
};

TemplateHeader ReadHeader(const DLGTEMPLATE* dialog) {
    // DLGTEMPLATEEX: version, signature, help id, extended style, style,
    // item count, x, y, cx, cy; then menu, class, title and the font.
    const BYTE* bytes = reinterpret_cast<const BYTE*>(dialog);
    TemplateHeader header;
    EXPECT_EQ(0xFFFF, *reinterpret_cast<const WORD*>(bytes + 2));
    std::memcpy(&header.cx, bytes + 22, sizeof header.cx);
    std::memcpy(&header.cy, bytes + 24, sizeof header.cy);
    const WORD* p = reinterpret_cast<const WORD*>(bytes + 26);
    p = SkipField(SkipField(SkipField(p)));
    header.points = p[0];
    header.face = reinterpret_cast<const wchar_t*>(p + 3);
    return header;
}

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

struct Language {
    LANGID id;
    const wchar_t* caption;
    const wchar_t* connection;
    const wchar_t* cancel;
};

const Language kLanguages[] = {
    {MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT), L"Konfigurace Spectra III", L"P\u0159ipojen\u00ed",
     L"Zru\u0161it"},
    {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"Spectra III-Konfiguration", L"Verbindung",
     L"Abbrechen"},
    {kEnglish, L"Spectra III Configuration", L"Connection", L"Cancel"},
    {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), L"Configuration Spectra III", L"Connexion",
     L"Annuler"},
    {MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN), L"Configurazione Spectra III", L"Connessione",
     L"Annulla"},
    {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), L"Spectra III \u8a2d\u5b9a", L"\u63a5\u7d9a",
     L"\u30ad\u30e3\u30f3\u30bb\u30eb"},
    {MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT), L"Konfiguracja Spectra III", L"Po\u0142\u0105czenie",
     L"Anuluj"},
    {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT),
     L"\u041d\u0430\u0441\u0442\u0440\u043e\u0439\u043a\u0430 Spectra III",
     L"\u041f\u043e\u0434\u043a\u043b\u044e\u0447\u0435\u043d\u0438\u0435",
     L"\u041e\u0442\u043c\u0435\u043d\u0430"},
    {MAKELANGID(LANG_TURKISH, SUBLANG_DEFAULT), L"Spectra III Yap\u0131land\u0131rmas\u0131",
     L"Ba\u011flant\u0131", L"\u0130ptal"},
    {MAKELANGID(LANG_INDONESIAN, SUBLANG_DEFAULT), L"Konfigurasi Spectra III", L"Koneksi",
     L"Batal"},
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"Spectra III \u914d\u7f6e",
     L"\u8fde\u63a5", L"\u53d6\u6d88"},
    {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), L"Configuraci\u00f3n de Spectra III",
     L"Conexi\u00f3n", L"Cancelar"},
};

class CfgResources : public ::testing::Test {
  protected:
    void TearDown() override {
        KA_SetModuleLangId(kEnglish);
        KA_SetSecondaryLangId(kEnglish);
    }
};

TEST_F(CfgResources, EveryLanguageHasTheDialogWithEveryControl) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.caption);
        KA_SetModuleLangId(language.id);
        // A secondary language without resources: what loads is the language's own.
        KA_SetSecondaryLangId(MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT));
        const DLGTEMPLATE* dialog =
            lumencor::FindDialogTemplate(lumencor::ThisModule(), L"IDD_CFG");
        ASSERT_NE(nullptr, dialog);
        const TemplateHeader header = ReadHeader(dialog);
        EXPECT_EQ(223, header.cx);
        EXPECT_EQ(506, header.cy);
        EXPECT_EQ(8, header.points);
        EXPECT_EQ(L"MS Shell Dlg 2", header.face);

        HWND window =
            CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog, nullptr, Quiet, 0);
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(language.caption, TextOf(window));
        EXPECT_EQ(language.connection, TextOf(GetDlgItem(window, IDC_CFG_SECTION_CONNECTION)));
        EXPECT_EQ(language.cancel, TextOf(GetDlgItem(window, IDCANCEL)));
        for (const Control& control : kControls) {
            SCOPED_TRACE(control.id);
            HWND item = GetDlgItem(window, control.id);
            ASSERT_NE(nullptr, item);
            ExpectKind(item, control.kind);
            if (language.id == kEnglish) {
                EXPECT_EQ(control.english, TextOf(item));
            }
        }
        // Line rows: the wavelength combo takes typed values, the resource
        // combo only its list.
        for (int i = 0; i < 8; ++i) {
            ExpectKind(GetDlgItem(window, IDC_CFG_WAVELENGTH_FIRST + i), kDropDown);
            ExpectKind(GetDlgItem(window, IDC_CFG_RESOURCE_FIRST + i), kList);
        }
        DestroyWindow(window);
    }
}

// Labels, radio buttons and check boxes show their whole text in every
// language (section titles are fitted when the dialog opens). A check box
// that wraps may use its height for more lines.
TEST_F(CfgResources, EveryLanguageFitsItsTextsInTheirControls) {
    // The box or circle before a button's text, with its gap, in pixels.
    const int kButtonMark = 16;
    const int sections[] = {IDC_CFG_SECTION_CONNECTION, IDC_CFG_SECTION_WAVELENGTHS,
                            IDC_CFG_SECTION_TRIGGERING, IDC_CFG_SECTION_MULTILASER,
                            IDC_CFG_SECTION_GUI,        IDC_CFG_SECTION_SYSTEM};
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.caption);
        KA_SetModuleLangId(language.id);
        HWND window = CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr),
            lumencor::FindDialogTemplate(lumencor::ThisModule(), L"IDD_CFG"), nullptr, Quiet, 0);
        ASSERT_NE(nullptr, window);
        HDC dc = GetDC(window);
        HGDIOBJ previous =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
        for (const Control& control : kControls) {
            if (control.kind != kLabel && control.kind != kRadio && control.kind != kCheck)
                continue;
            if (std::find(std::begin(sections), std::end(sections), control.id) !=
                std::end(sections))
                continue;
            HWND item = GetDlgItem(window, control.id);
            RECT client;
            GetClientRect(item, &client);
            const int room = client.right - (control.kind == kLabel ? 0 : kButtonMark);
            RECT text = {0, 0, room, 0};
            const bool wraps =
                control.kind == kCheck && (GetWindowLongPtrW(item, GWL_STYLE) & BS_MULTILINE) != 0;
            DrawTextW(dc, TextOf(item).c_str(), -1, &text,
                      DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
            EXPECT_LE(text.right, room) << control.id << " " << std::wstring(TextOf(item));
            EXPECT_LE(text.bottom, client.bottom)
                << control.id << " " << std::wstring(TextOf(item));
        }
        SelectObject(dc, previous);
        ReleaseDC(window, dc);
        DestroyWindow(window);
    }
}

TEST_F(CfgResources, SectionsRunTopToBottomInTheirOrder) {
    HWND window = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), lumencor::FindDialogTemplate(lumencor::ThisModule(), L"IDD_CFG"),
        nullptr, Quiet, 0);
    ASSERT_NE(nullptr, window);
    const int order[] = {IDC_CFG_SECTION_CONNECTION,
                         IDC_CFG_USB_VEYRA,
                         IDC_CFG_SECTION_WAVELENGTHS,
                         IDC_CFG_TTL_LINE,
                         IDC_CFG_COLOUR_FIRST,
                         IDC_CFG_COLOUR_LAST,
                         IDC_CFG_SECTION_TRIGGERING,
                         IDC_CFG_CAMERA_TRIGGER2,
                         IDC_CFG_SECTION_MULTILASER,
                         IDC_CFG_STANDBY,
                         IDC_CFG_SECTION_GUI,
                         IDC_CFG_SHOW_SUBSET,
                         IDC_CFG_SECTION_SYSTEM,
                         IDC_CFG_VERSION,
                         IDOK};
    LONG previous = -1;
    for (int id : order) {
        SCOPED_TRACE(id);
        RECT rect;
        GetWindowRect(GetDlgItem(window, id), &rect);
        EXPECT_GT(rect.top, previous);
        previous = rect.top;
    }
    // Each row keeps its colour, wavelength and resource side by side.
    for (int i = 0; i < 8; ++i) {
        RECT wavelength, resource;
        GetWindowRect(GetDlgItem(window, IDC_CFG_WAVELENGTH_FIRST + i), &wavelength);
        GetWindowRect(GetDlgItem(window, IDC_CFG_RESOURCE_FIRST + i), &resource);
        EXPECT_EQ(wavelength.top, resource.top);
        EXPECT_LT(wavelength.right, resource.left);
    }
    DestroyWindow(window);
}

// The dialog's run-time texts: each source text at its id in every language.
struct RunTimeText {
    int id;
    const wchar_t* english;
};

const RunTimeText kRunTimeTexts[] = {
    {IDS_CFG_CELESTA, L"Celesta Configuration"},
    {IDS_CFG_ZIVA, L"Ziva Configuration"},
    {IDS_CFG_VEYRA_NIDAQ, L"USB + Veyra NIDAQ TTL"},
    {IDS_CFG_STANDBY_DISABLED, L"Disabled"},
    {IDS_CFG_STANDBY_OUTSIDE, L"Enabled Outside Experiment"},
    {IDS_CFG_STANDBY_ENABLED, L"Enabled"},
    {IDS_CFG_NOT_SPECIFIED, L"Not Specified"},
    {IDS_CFG_RESOURCE_NA, L"resource N/A"},
    {IDS_CFG_OCCUPIED, L" (occupied)"},
    {IDS_CFG_INVALID_NAME, L"Invalid Name"},
    {IDS_CFG_NAME_EMPTY, L"Shutter name cannot be empty."},
    {IDS_CFG_SHUTTER_NAME_USED, L"Shutter name is already used."},
    {IDS_CFG_MULTILASER_NAME_USED, L"Multilaser name is already used."},
    {IDS_CFG_INVALID_RESOURCES, L"Invalid Resources"},
    {IDS_CFG_INVALID_RESOURCES_NIDAQ, L"Invalid Resources for NIDAQ"},
    {IDS_CFG_INVALID_RESOURCE, L"Invalid Resource"},
    {IDS_CFG_INVALID_RESOURCE_LINE, L"Invalid Resource for Line %s"},
    {IDS_CFG_NOT_TRIGGERABLE, L"Resource %s for line %s is not applicable to triggering."},
    {IDS_CFG_RESOURCE_USED, L"Resource for Line %s is already used for line %s"},
};

// A string table holds 16 counted strings a block, block n + 1 for the ids
// from 16 n.
const int kStringsPerBlock = 16;

std::wstring StringAt(LANGID language, int id) {
    HMODULE module = lumencor::ThisModule();
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(6),
                                  MAKEINTRESOURCEW(id / kStringsPerBlock + 1), language);
    if (!found) return L"";
    const WCHAR* p = static_cast<const WCHAR*>(LockResource(LoadResource(module, found)));
    for (int i = 0; i < id % kStringsPerBlock; ++i)
        p += 1 + *p;
    return std::wstring(p + 1, *p);
}

// The conversions of a format, in order ("%s%s").
std::wstring Conversions(const std::wstring& format) {
    std::wstring found;
    for (size_t at = format.find(L'%'); at != std::wstring::npos && at + 1 < format.size();
         at = format.find(L'%', at + 2))
        found += format.substr(at, 2);
    return found;
}

TEST_F(CfgResources, EveryLanguageTranslatesTheRunTimeTextsKeepingTheirConversions) {
    KA_LoadLocaleFromResource(lumencor::ThisModule());
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.caption);
        KA_SetModuleLangId(language.id);
        KA_SetSecondaryLangId(MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT));
        for (const RunTimeText& text : kRunTimeTexts) {
            SCOPED_TRACE(text.english);
            EXPECT_EQ(text.english, StringAt(language.id, text.id));
            const std::wstring translated = KA_GetTranslation(text.english);
            EXPECT_EQ(translated, StringAt(language.id, text.id + 1));
            if (language.id == kEnglish) {
                EXPECT_EQ(text.english, translated);
            } else {
                EXPECT_NE(text.english, translated);
            }
            EXPECT_EQ(Conversions(text.english), Conversions(translated));
            EXPECT_EQ(text.english[0] == L' ', translated[0] == L' ');
        }
    }
}

} // namespace
