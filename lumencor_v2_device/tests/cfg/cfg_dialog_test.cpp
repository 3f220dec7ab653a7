// The configuration dialog opened by the device, driven through its
// controls: what it shows for the device, and what OK and Cancel leave.
#include "DeviceFixture.h"
#include "KaHostCodes.h"
#include "LumencorV2CfgDlg.h"
#include "LumencorV2PadResources.h"
#include "cfg/CfgProbe.h"
#include "cfg/CfgWatcher.h"
#include "resource.h"

#include <string>

namespace {

using namespace cfgprobe;

INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

// The template as it stands, before the dialog moves anything.
struct Untouched {
    Untouched() {
        window = CreateDialogIndirectParamW(
            GetModuleHandleW(nullptr),
            lumencor::FindDialogTemplate(lumencor::ThisModule(), L"IDD_CFG"), nullptr, Quiet, 0);
    }
    ~Untouched() { DestroyWindow(window); }
    int RowPitch() const {
        return Top(window, IDC_CFG_WAVELENGTH_FIRST + 1) - Top(window, IDC_CFG_WAVELENGTH_FIRST);
    }
    int RadioHeight() const {
        RECT rect;
        GetWindowRect(GetDlgItem(window, IDC_CFG_USB_VEYRA), &rect);
        return rect.bottom - rect.top;
    }
    HWND window = nullptr;
};

class CfgDialog : public DeviceFixture {
  protected:
    void SetUp() override {
        DeviceFixture::SetUp();
        // Both camera rows stay: the layout cases see only their own moves.
        DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Camera A", true);
        DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Camera B", true);
        ASSERT_EQ(KA_DM_OK, ConnectAndConfigure());
    }
    void TearDown() override {
        DMApiHooks::SetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", nullptr);
        DeviceFixture::TearDown();
    }
    // Opens the dialog, looks at it, presses `button`; the device's result.
    EDeviceManagerReturnCode Run(int button, CfgWatcher::Look look, CKaStringW& settings) {
        CfgWatcher watcher(button, look);
        EDeviceManagerReturnCode result = device->ShowDeviceConfigurationDialog(settings, nullptr);
        EXPECT_EQ(1, watcher.Answered());
        EXPECT_EQ(nullptr, lumencor::CfgDlg::Current());
        return result;
    }
};

TEST_F(CfgDialog, SpectraShowsNoVeyraRadioAndShrinksByItsHeight) {
    Untouched plain;
    int height = 0, nidaqTop = 0, sectionTop = 0;
    CKaStringW settings;
    Run(
        IDCANCEL,
        [&](HWND dialog) {
            EXPECT_EQ(L"Spectra III Configuration", TextOf(dialog));
            EXPECT_FALSE(Visible(dialog, IDC_CFG_USB_VEYRA));
            EXPECT_TRUE(Checked(dialog, IDC_CFG_USB_ONLY));
            EXPECT_EQ(L"USB + TTL via NIDAQ", TextOf(GetDlgItem(dialog, IDC_CFG_USB_NIDAQ)));
            height = Height(dialog);
            nidaqTop = Top(dialog, IDC_CFG_USB_NIDAQ);
            sectionTop = Top(dialog, IDC_CFG_SECTION_WAVELENGTHS);
        },
        settings);
    EXPECT_EQ(Height(plain.window) - plain.RadioHeight(), height);
    EXPECT_EQ(Top(plain.window, IDC_CFG_USB_NIDAQ), nidaqTop);
    EXPECT_EQ(Top(plain.window, IDC_CFG_SECTION_WAVELENGTHS) - plain.RadioHeight(), sectionTop);
}

TEST_F(CfgDialog, CaptionAndVeyraRadioFollowModelAndSetupOption) {
    const struct {
        int32_t model;
        bool allow;
        int32_t mode;
        const wchar_t* caption;
        const wchar_t* nidaqText;
        bool veyraShown;
        int checked;
    } cases[] = {
        {KA_MODEL_CELESTA, true, KA_CONTROL_VEYRA, L"Celesta Configuration", L"USB + TTL via NIDAQ",
         false, IDC_CFG_USB_ONLY},
        {KA_MODEL_ZIVA, false, KA_CONTROL_VEYRA, L"Ziva Configuration", L"USB + TTL via NIDAQ",
         false, IDC_CFG_USB_ONLY},
        {KA_MODEL_ZIVA, true, KA_CONTROL_VEYRA, L"Ziva Configuration", L"USB + Veyra NIDAQ TTL",
         true, IDC_CFG_USB_VEYRA},
        {KA_MODEL_ZIVA, true, KA_CONTROL_USB, L"Ziva Configuration", L"USB + Veyra NIDAQ TTL", true,
         IDC_CFG_USB_ONLY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        CKaVariant allow;
        allow.SetInt(c.allow ? 1 : 0);
        DMApiHooks::SetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &allow);
        Peer().m_eModelType = c.model;
        device->SetControlMode(c.mode);
        CKaStringW settings;
        Run(
            IDCANCEL,
            [&](HWND dialog) {
                EXPECT_EQ(c.caption, TextOf(dialog));
                EXPECT_EQ(c.nidaqText, TextOf(GetDlgItem(dialog, IDC_CFG_USB_NIDAQ)));
                EXPECT_EQ(c.veyraShown, Visible(dialog, IDC_CFG_USB_VEYRA));
                EXPECT_TRUE(Checked(dialog, c.checked));
            },
            settings);
    }
}

TEST_F(CfgDialog, FewerLinesHideTheirRowsAndMoveTriggeringUp) {
    Untouched plain;
    Peer().lines.m_iNumLines = 5;
    CKaStringW settings;
    Run(
        IDCANCEL,
        [&](HWND dialog) {
            for (int i = 0; i < 8; ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(i < 5, Visible(dialog, IDC_CFG_COLOUR_FIRST + i));
                EXPECT_EQ(i < 5, Visible(dialog, IDC_CFG_WAVELENGTH_FIRST + i));
                EXPECT_EQ(i < 5, Visible(dialog, IDC_CFG_RESOURCE_FIRST + i));
            }
            const int veyra = plain.RadioHeight();
            EXPECT_EQ(Top(plain.window, IDC_CFG_SECTION_TRIGGERING) - veyra - 3 * plain.RowPitch(),
                      Top(dialog, IDC_CFG_SECTION_TRIGGERING));
            EXPECT_EQ(Top(plain.window, IDOK) - veyra - 3 * plain.RowPitch(), Top(dialog, IDOK));
            EXPECT_EQ(Top(plain.window, IDC_CFG_WAVELENGTH_FIRST + 4) - veyra,
                      Top(dialog, IDC_CFG_WAVELENGTH_FIRST + 4));
        },
        settings);
}

TEST_F(CfgDialog, ShowsLinesValuesAndDisablesTheDaqPartOutsideMode1) {
    device->Shutter().SetDelay(12.6);
    CKaStringW settings;
    Run(
        IDCANCEL,
        [&](HWND dialog) {
            const int count = device->MultiLaser().GetLineCountValue();
            ASSERT_GT(count, 0);
            for (int i = 0; i < count; ++i) {
                const SKaLumencorV2Line line = device->MultiLaser().GetLineRecord(i);
                EXPECT_EQ(std::wstring(CKaStringW(line.m_sColour)),
                          TextOf(GetDlgItem(dialog, IDC_CFG_COLOUR_FIRST + i)));
                EXPECT_EQ(std::to_wstring(line.m_uWavelength),
                          TextOf(GetDlgItem(dialog, IDC_CFG_WAVELENGTH_FIRST + i)));
                EXPECT_FALSE(Enabled(dialog, IDC_CFG_RESOURCE_FIRST + i));
            }
            for (int id : {IDC_CFG_CARD, IDC_CFG_CONNECTOR_BLOCK, IDC_CFG_ENABLE_TRIGGERING,
                           IDC_CFG_CAMERA_TRIGGER1, IDC_CFG_TTL_LINE, IDC_CFG_ANALOG_LINE}) {
                EXPECT_FALSE(Enabled(dialog, id)) << id;
            }
            EXPECT_TRUE(Checked(dialog, IDC_CFG_TTL_LINE));
            EXPECT_FALSE(Visible(dialog, IDC_CFG_CARD_ALTERNATIVE));
            EXPECT_EQ(L"13", TextOf(GetDlgItem(dialog, IDC_CFG_SHUTTER_DELAY)));
            EXPECT_EQ(std::wstring(device->GetModel()), TextOf(GetDlgItem(dialog, IDC_CFG_MODEL)));
            EXPECT_EQ(std::wstring(device->GetSerialNumber()),
                      TextOf(GetDlgItem(dialog, IDC_CFG_SERIAL)));
            EXPECT_EQ(std::wstring(device->GetFirmwareVersion()),
                      TextOf(GetDlgItem(dialog, IDC_CFG_VERSION)));
            EXPECT_TRUE(Checked(dialog, IDC_CFG_SHOW_TEMPERATURE));
            // Section titles are bold.
            LOGFONTW font = {};
            GetObjectW(reinterpret_cast<HFONT>(
                           SendDlgItemMessageW(dialog, IDC_CFG_SECTION_SYSTEM, WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            EXPECT_EQ(FW_BOLD, font.lfWeight);
        },
        settings);
}

TEST_F(CfgDialog, SectionTitlesShowWholeBeforeTheirLines) {
    KA_SetModuleLangId(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    CKaStringW settings;
    Run(
        IDCANCEL,
        [&](HWND dialog) {
            const int pairs[][2] = {{IDC_CFG_SECTION_CONNECTION, IDC_CFG_SEPARATOR1},
                                    {IDC_CFG_SECTION_WAVELENGTHS, IDC_CFG_SEPARATOR2},
                                    {IDC_CFG_SECTION_TRIGGERING, IDC_CFG_SEPARATOR3},
                                    {IDC_CFG_SECTION_MULTILASER, IDC_CFG_SEPARATOR4},
                                    {IDC_CFG_SECTION_GUI, IDC_CFG_SEPARATOR5},
                                    {IDC_CFG_SECTION_SYSTEM, IDC_CFG_SEPARATOR6}};
            for (const auto& pair : pairs) {
                SCOPED_TRACE(pair[0]);
                HWND title = GetDlgItem(dialog, pair[0]);
                HDC dc = GetDC(title);
                HGDIOBJ previous = SelectObject(
                    dc, reinterpret_cast<HFONT>(SendMessageW(title, WM_GETFONT, 0, 0)));
                RECT text = {};
                DrawTextW(dc, TextOf(title).c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE);
                SelectObject(dc, previous);
                ReleaseDC(title, dc);
                RECT own, line;
                GetWindowRect(title, &own);
                GetWindowRect(GetDlgItem(dialog, pair[1]), &line);
                EXPECT_GE(own.right - own.left, text.right - text.left);
                EXPECT_LT(own.right, line.left);
            }
        },
        settings);
    KA_SetModuleLangId(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

TEST_F(CfgDialog, CancelReturns14AndLeavesTheSettingsAlone) {
    CKaStringW settings(L"untouched");
    TakePosted(KA_PAD_AWAKE_OR_SETTINGS);
    EXPECT_EQ(KA_DM_DIALOG_CANCELLED,
              Run(
                  IDCANCEL,
                  [](HWND dialog) { SetDlgItemTextW(dialog, IDC_CFG_SHUTTER_DELAY, L"77"); },
                  settings));
    EXPECT_STREQ(L"untouched", settings);
    EXPECT_EQ(0.0, device->Shutter().GetDelay());
    EXPECT_EQ(0, TakePosted(KA_PAD_AWAKE_OR_SETTINGS));
}

TEST_F(CfgDialog, OkWritesWhatWasSetAndConfigureReadsItBack) {
    CKaStringW settings;
    TakePosted(KA_PAD_AWAKE_OR_SETTINGS);
    EXPECT_EQ(KA_DM_OK, Run(
                            IDOK,
                            [](HWND dialog) {
                                SetDlgItemTextW(dialog, IDC_CFG_SHUTTER_DELAY, L"250000");
                                SetDlgItemTextW(dialog, IDC_CFG_WAVELENGTH_FIRST, L"405");
                                CheckDlgButton(dialog, IDC_CFG_SHOW_TEMPERATURE, BST_UNCHECKED);
                                CheckDlgButton(dialog, IDC_CFG_SHOW_SUBSET, BST_UNCHECKED);
                            },
                            settings));
    EXPECT_EQ(1, TakePosted(KA_PAD_AWAKE_OR_SETTINGS));
    double delay = 0;
    EXPECT_TRUE(GetDoubleFromKey(settings, L"dShutterDelay", delay));
    EXPECT_EQ(100000.0, delay);
    int value = -1;
    EXPECT_TRUE(GetIntFromKey(settings, L"uWave0", value));
    EXPECT_EQ(405, value);
    EXPECT_TRUE(GetIntFromKey(settings, L"m_bShowTemperature", value));
    EXPECT_EQ(0, value);

    // Another device state, then the saved settings bring it back.
    device->Shutter().SetDelay(3);
    device->SetShowTemperature(true);
    device->MultiLaser().SetLineWavelength(0, 365);
    ASSERT_EQ(KA_DM_OK, device->ConfigureDevice(settings, 0));
    EXPECT_EQ(100000.0, device->Shutter().GetDelay());
    EXPECT_FALSE(device->GetShowTemperature());
    EXPECT_FALSE(device->GetShowSubset());
    EXPECT_EQ(405u, device->MultiLaser().GetLineRecord(0).m_uWavelength);
}

TEST_F(CfgDialog, WavelengthListsFollowTheColourName) {
    const struct {
        const char* colour;
        std::vector<std::wstring> entries;
    } cases[] = {{"VIOLET", {L"365", L"405"}},
                 {"UV", {L"365", L"405"}},
                 {"CYAN", {L"488"}},
                 {"NIR", {L"730"}},
                 {"MAGENTA", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colour);
        Peer().lines.m_lines[0].m_sColour = c.colour;
        CKaStringW settings;
        Run(
            IDCANCEL,
            [&](HWND dialog) {
                EXPECT_EQ(c.entries, Entries(GetDlgItem(dialog, IDC_CFG_WAVELENGTH_FIRST)));
            },
            settings);
    }
}

} // namespace

namespace {

using namespace cfgprobe;

TEST_F(CfgDialog, StandByModesShowOnlyWhenTheEngineHasStandBy) {
    for (bool supported : {true, false}) {
        SCOPED_TRACE(supported);
        Peer().m_bWakeUpSupported = supported;
        Peer().m_eStandByMode = KA_STANDBY_ENABLED;
        CKaStringW settings;
        Run(
            IDOK,
            [&](HWND dialog) {
                HWND combo = GetDlgItem(dialog, IDC_CFG_STANDBY);
                ASSERT_EQ(supported ? 3 : 0, SendMessageW(combo, CB_GETCOUNT, 0, 0));
                if (!supported) return;
                EXPECT_EQ(2, SendMessageW(combo, CB_GETCURSEL, 0, 0));
                wchar_t text[64] = {};
                SendMessageW(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
                EXPECT_STREQ(L"Enabled Outside Experiment", text);
                SendMessageW(combo, CB_SETCURSEL, 0, 0);
            },
            settings);
        EXPECT_EQ(supported ? KA_STANDBY_DISABLED : KA_STANDBY_ENABLED, device->GetStandByMode());
    }
}

TEST_F(CfgDialog, AnotherLanguageFindsItsDialogAndTexts) {
    KA_SetModuleLangId(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    KA_SetSecondaryLangId(MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT));
    CKaVariant allow;
    allow.SetInt(1);
    DMApiHooks::SetSetupOption(L"VeyraWithoutNIDAQ", L"bAllow", &allow);
    Peer().m_eModelType = KA_MODEL_ZIVA;
    Peer().m_bWakeUpSupported = true;
    CKaStringW settings;
    Run(
        IDCANCEL,
        [&](HWND dialog) {
            EXPECT_EQ(L"Ziva-Konfiguration", TextOf(dialog));
            EXPECT_EQ(L"USB + Veyra-TTL \u00fcber NIDAQ",
                      TextOf(GetDlgItem(dialog, IDC_CFG_USB_NIDAQ)));
            EXPECT_EQ(L"Abbrechen", TextOf(GetDlgItem(dialog, IDCANCEL)));
            wchar_t text[64] = {};
            SendDlgItemMessageW(dialog, IDC_CFG_STANDBY, CB_GETLBTEXT, 0,
                                reinterpret_cast<LPARAM>(text));
            EXPECT_STREQ(L"Deaktiviert", text);
        },
        settings);
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    KA_SetModuleLangId(english);
    KA_SetSecondaryLangId(english);
}

TEST_F(CfgDialog, MissingTemplateCancels) {
    const LANGID korean = MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT);
    KA_SetModuleLangId(korean);
    KA_SetSecondaryLangId(korean);
    CKaStringW settings(L"untouched");
    EXPECT_EQ(KA_DM_DIALOG_CANCELLED, device->ShowDeviceConfigurationDialog(settings, nullptr));
    EXPECT_STREQ(L"untouched", settings);
    const LANGID english = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    KA_SetModuleLangId(english);
    KA_SetSecondaryLangId(english);
}

} // namespace
