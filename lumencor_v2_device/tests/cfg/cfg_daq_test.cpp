// The configuration dialog's DAQ part on simulated cards, driven through
// its controls: cards, connector blocks, line and camera resources, OK's
// checks in their order, and what OK stores.
#include "NidaqFixture.h"
#include "KaHostCodes.h"
#include "LumencorV2CfgDlg.h"
#include "NIDAQSim.h"
#include "cfg/CfgProbe.h"
#include "cfg/CfgWatcher.h"
#include "resource.h"

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace cfgprobe;

// The fake engine's lines in wavelength order.
enum { VIOLET, BLUE, CYAN, TEAL, GREEN, YELLOW, RED, NIR, kLines };
const wchar_t* const kColours[kLines] = {L"VIOLET", L"BLUE",   L"CYAN", L"TEAL",
                                         L"GREEN",  L"YELLOW", L"RED",  L"NIR"};

std::wstring Dio(int line, const wchar_t* card = L"Dev1") {
    return std::wstring(card) + L"/port0/line" + std::to_wstring(line);
}

HWND LineCombo(HWND dialog, int line) {
    return GetDlgItem(dialog, IDC_CFG_RESOURCE_FIRST + line);
}

class CfgDaq : public NidaqFixture {
  protected:
    // Mode 1 on `card` with line i on digital line i + 1 (all play
    // waveforms), the box and the triggering given.
    EDeviceManagerReturnCode ConfigureMode1(int block = 0, bool triggering = false,
                                            const wchar_t* card = L"Dev1") {
        CKaStringW settings;
        SetIntToKey(settings, L"m_eLumencorControl", KA_CONTROL_NIDAQ);
        SetStringToKey(settings, L"m_sCardKey", card);
        SetIntToKey(settings, L"m_eConnectorBlock", block);
        SetIntToKey(settings, L"TTLControlAsAnalog", 0);
        for (int i = 0; i < kLines; ++i) {
            wchar_t key[32];
            swprintf(key, 32, L"ResourceDIO%d", i);
            SetStringToKey(settings, key, Dio(i + 1, card).c_str());
        }
        SetIntToKey(settings, L"m_bEnableTriggering", triggering ? 1 : 0);
        return device->ConfigureDevice(settings, 0);
    }

    // Opens the dialog, looks at it, presses `button`; the device's result.
    EDeviceManagerReturnCode Run(int button, CfgWatcher::Look look) {
        CfgWatcher watcher(button, look);
        const EDeviceManagerReturnCode result =
            device->ShowDeviceConfigurationDialog(saved, nullptr);
        EXPECT_EQ(1, watcher.Answered());
        return result;
    }

    // Presses OK from inside a look; the message box it showed, if any.
    static std::wstring PressOk(HWND dialog) {
        CKaUIHooks::ClearMessageBoxes();
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        const std::vector<CKaUIHooks::MessageBoxCall> boxes = CKaUIHooks::MessageBoxes();
        if (boxes.empty()) return std::wstring();
        EXPECT_EQ(dialog, boxes.back().owner);
        return boxes.back().caption + L": " + boxes.back().text;
    }

    std::wstring SavedString(const wchar_t* key) {
        CKaStringW value(L"missing");
        GetStringFromKey(saved, key, value);
        return value.GetString();
    }

    CKaStringW saved;
};

TEST_F(CfgDaq, ASingleCardShowsItsDescriptionInPlaceOfTheCombo) {
    NIDAQSim_Reset();
    NIDAQSim_SetCards(L"Dev1=PCIe-6323");
    ASSERT_EQ(KA_DM_OK, ConfigureMode1());
    Run(IDCANCEL, [](HWND dialog) {
        EXPECT_FALSE(Visible(dialog, IDC_CFG_CARD));
        EXPECT_TRUE(Visible(dialog, IDC_CFG_CARD_ALTERNATIVE));
        EXPECT_EQ(L"PCIe-6323 - Dev1", TextOf(GetDlgItem(dialog, IDC_CFG_CARD_ALTERNATIVE)));
        EXPECT_EQ(Top(dialog, IDC_CFG_CARD), Top(dialog, IDC_CFG_CARD_ALTERNATIVE));
    });
}

TEST_F(CfgDaq, TwoCardsListProductTypeNameAndOccupation) {
    ASSERT_EQ(KA_DM_OK, ConfigureMode1(0, false, L"Dev2"));
    CNIDAQEngine* engine = device->GetNIDAQEngine();
    ASSERT_NE(nullptr, engine);
    static_cast<CNIDAQAbstraction_Multiexcitation*>(
        engine->GetAbstraction(L"Dev1", NIDAQ_ABSTRACTION_MULTIEXCITATION))
        ->SetCardOccupied(true);
    Run(IDCANCEL, [](HWND dialog) {
        EXPECT_TRUE(Visible(dialog, IDC_CFG_CARD));
        EXPECT_FALSE(Visible(dialog, IDC_CFG_CARD_ALTERNATIVE));
        const std::vector<std::wstring> cards = {L"PCIe-6323 - Dev1 (occupied)",
                                                 L"USB-6343 - Dev2"};
        EXPECT_EQ(cards, Entries(GetDlgItem(dialog, IDC_CFG_CARD)));
        EXPECT_EQ(L"USB-6343 - Dev2", Selected(GetDlgItem(dialog, IDC_CFG_CARD)));
        EXPECT_EQ(Dio(VIOLET + 1, L"Dev2"), Selected(LineCombo(dialog, VIOLET)));
        EXPECT_TRUE(Enabled(dialog, IDC_CFG_TTL_LINE));
        EXPECT_TRUE(Checked(dialog, IDC_CFG_TTL_LINE));
    });
}

TEST_F(CfgDaq, ConnectorBlocksFixTheLinesOfTheirColours) {
    // The line each colour gets, -1 for one the box leaves alone.
    const struct {
        int block;
        const wchar_t* name;
        int lines[kLines];
    } cases[] = {
        {1, L"Tollan (EPI LED)", {30, 0, 3, 5, 31, 25, 10, -1}},
        {2, L"Tollan (EPI LED2)", {24, 12, 17, 9, 21, -1, 22, -1}},
        {3, L"Tollan+ (EPI LED1)", {30, 0, 3, 5, 31, 25, 10, 29}},
        {4, L"Tollan+ (EPI LED2)", {24, 12, 17, 9, 21, 23, 22, 13}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(KA_DM_OK, ConfigureMode1(c.block));
        Run(IDCANCEL, [&](HWND dialog) {
            EXPECT_EQ(c.name, Selected(GetDlgItem(dialog, IDC_CFG_CONNECTOR_BLOCK)));
            EXPECT_TRUE(Checked(dialog, IDC_CFG_TTL_LINE));
            EXPECT_FALSE(Enabled(dialog, IDC_CFG_TTL_LINE));
            EXPECT_FALSE(Enabled(dialog, IDC_CFG_ANALOG_LINE));
            for (int i = 0; i < kLines; ++i) {
                SCOPED_TRACE(kColours[i]);
                const bool fixed = c.lines[i] >= 0;
                EXPECT_EQ(fixed ? Dio(c.lines[i]) : Dio(i + 1), Selected(LineCombo(dialog, i)));
                EXPECT_EQ(!fixed, Enabled(dialog, IDC_CFG_RESOURCE_FIRST + i));
            }
            // "Not Specified" frees them again.
            Choose(dialog, IDC_CFG_CONNECTOR_BLOCK, 0);
            EXPECT_TRUE(Enabled(dialog, IDC_CFG_ANALOG_LINE));
            for (int i = 0; i < kLines; ++i)
                EXPECT_TRUE(Enabled(dialog, IDC_CFG_RESOURCE_FIRST + i)) << kColours[i];
        });
    }
}

TEST_F(CfgDaq, BoxesAreOfferedOnlyForCardsThatCarryThem) {
    NIDAQSim_Reset();
    NIDAQSim_SetCards(L"Dev1=USB-6001");
    ASSERT_EQ(KA_DM_OK, ConfigureMode1(2));
    Run(IDCANCEL, [](HWND dialog) {
        const std::vector<std::wstring> blocks = {L"Not Specified"};
        EXPECT_EQ(blocks, Entries(GetDlgItem(dialog, IDC_CFG_CONNECTOR_BLOCK)));
        EXPECT_EQ(L"Not Specified", Selected(GetDlgItem(dialog, IDC_CFG_CONNECTOR_BLOCK)));
        EXPECT_TRUE(Enabled(dialog, IDC_CFG_RESOURCE_FIRST));
    });
}

TEST_F(CfgDaq, OkRefusesInOrderAndSaysWhy) {
    ASSERT_EQ(KA_DM_OK, ConfigureMode1(0, true));
    DMApiHooks::LogDev_AddForeign(L"IDeviceShutter", L"Taken shutter");
    DMApiHooks::LogDev_AddForeign(L"IDeviceMultiLaser", L"Taken source");
    Run(IDOK, [](HWND dialog) {
        const struct {
            const wchar_t* name;
            const wchar_t* why;
        } names[] = {
            {L"", L"Invalid Name: Shutter name cannot be empty."},
            {L"Taken shutter", L"Invalid Name: Shutter name is already used."},
            {L"Taken source", L"Invalid Name: Multilaser name is already used."},
        };
        for (const auto& n : names) {
            SetDlgItemTextW(dialog, IDC_CFG_NAME, n.name);
            EXPECT_EQ(n.why, PressOk(dialog));
        }
        SetDlgItemTextW(dialog, IDC_CFG_NAME, L"Bench engine");
        // The lines' resources: none, one not for triggering, a shared one
        // (the later line named first), then a free one.
        const struct {
            int line;
            const wchar_t* why;
        } picks[] = {
            {-1, L"Invalid Resource: Invalid Resource for Line CYAN"},
            {20, L"Invalid Resource: Resource Dev1/port0/line20 for line CYAN is not applicable "
                 L"to triggering."},
            {BLUE + 1, L"Invalid Resource: Resource for Line CYAN is already used for line BLUE"},
            {14, L""},
        };
        for (const auto& pick : picks) {
            HWND combo = LineCombo(dialog, CYAN);
            SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            if (pick.line >= 0)
                SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(Dio(pick.line).c_str()));
            EXPECT_EQ(pick.why, PressOk(dialog));
        }
    });
    EXPECT_EQ(Dio(14), SavedString(L"ResourceDIO2"));
    EXPECT_EQ(Dio(BLUE + 1), SavedString(L"ResourceDIO1"));
    EXPECT_STREQ(L"Bench engine", device->GetPendingName());
}

TEST_F(CfgDaq, RegisteredDevicesTakeTheNameAsTheirKeys) {
    ASSERT_EQ(KA_DM_OK, ConfigureMode1());
    DMApiHooks::PhysDev_Add(device, L"Lumencor");
    ASSERT_EQ(KA_DM_OK, Run(IDOK, [](HWND dialog) {
                  SetDlgItemTextW(dialog, IDC_CFG_NAME, L"Bench engine");
              }));
    for (int id : {device->Shutter().GetDeviceID(), device->MultiLaser().GetDeviceID()}) {
        CKaStringW key;
        EXPECT_TRUE(DMApi::LogDev_GetKey(id, key));
        EXPECT_STREQ(L"Bench engine", key);
    }
    DMApiHooks::PhysDev_Remove(device);
}

TEST_F(CfgDaq, ATakenDefaultNameGetsANumber) {
    ASSERT_EQ(KA_DM_OK, ConfigureMode1());
    CKaStringW name;
    device->Shutter().GetDeviceFullName(name);
    const std::wstring base = name.GetString();
    const struct {
        std::vector<std::wstring> taken;
        std::wstring shown;
    } cases[] = {{{}, base}, {{base}, base + L"1"}, {{base, base + L"1"}, base + L"2"}};
    for (const auto& c : cases) {
        DMApiHooks::Reset();
        for (const std::wstring& taken : c.taken)
            DMApiHooks::LogDev_AddForeign(L"IDeviceShutter", taken.c_str());
        Run(IDCANCEL,
            [&](HWND dialog) { EXPECT_EQ(c.shown, TextOf(GetDlgItem(dialog, IDC_CFG_NAME))); });
    }
}

TEST_F(CfgDaq, AnalogLinesSkipTheWaveformCheck) {
    Peer().lines.m_iNumLines = 4; // the cards have four analog outputs
    ASSERT_EQ(KA_DM_OK, ConfigureMode1(0, true));
    EXPECT_EQ(KA_DM_OK, Run(IDOK, [](HWND dialog) {
                  Click(dialog, IDC_CFG_ANALOG_LINE);
                  for (int i = 0; i < 4; ++i)
                      EXPECT_EQ(L"Dev1/ao" + std::to_wstring(i), Selected(LineCombo(dialog, i)));
              }));
    EXPECT_EQ(L"Dev1/ao3", SavedString(L"ResourceAO3"));
    int analog = -1;
    EXPECT_TRUE(GetIntFromKey(saved, L"TTLControlAsAnalog", analog));
    EXPECT_EQ(1, analog);
}

TEST_F(CfgDaq, NoCardRefusesOk) {
    NIDAQSim_Reset();
    NIDAQSim_SetCards(L"");
    ASSERT_EQ(KA_DM_OK, ConfigureMode1());
    EXPECT_EQ(KA_DM_DIALOG_CANCELLED, Run(IDOK, [](HWND dialog) {
                  EXPECT_EQ(L"Invalid Resources: Invalid Resources for NIDAQ", PressOk(dialog));
              }));
}

TEST_F(CfgDaq, ChoosingNidaqFillsThePartAndUsbOnlyDisablesIt) {
    CKaStringW settings;
    SetIntToKey(settings, L"m_eLumencorControl", KA_CONTROL_USB);
    ASSERT_EQ(KA_DM_OK, device->ConfigureDevice(settings, 0));
    EXPECT_EQ(KA_DM_OK, Run(IDOK, [](HWND dialog) {
                  EXPECT_FALSE(Enabled(dialog, IDC_CFG_CARD));
                  EXPECT_TRUE(Entries(LineCombo(dialog, 0)).empty());
                  Click(dialog, IDC_CFG_USB_NIDAQ);
                  EXPECT_TRUE(Checked(dialog, IDC_CFG_ENABLE_TRIGGERING));
                  for (int id : {IDC_CFG_CARD, IDC_CFG_CONNECTOR_BLOCK, IDC_CFG_TTL_LINE,
                                 IDC_CFG_ANALOG_LINE, IDC_CFG_ENABLE_TRIGGERING})
                      EXPECT_TRUE(Enabled(dialog, id)) << id;
                  EXPECT_EQ(32u, Entries(LineCombo(dialog, 0)).size());
                  for (int i = 0; i < kLines; ++i)
                      EXPECT_EQ(Dio(i), Selected(LineCombo(dialog, i))) << kColours[i];
                  Click(dialog, IDC_CFG_USB_ONLY);
                  for (int id :
                       {IDC_CFG_CARD, IDC_CFG_CONNECTOR_BLOCK, IDC_CFG_TTL_LINE,
                        IDC_CFG_ANALOG_LINE, IDC_CFG_ENABLE_TRIGGERING, IDC_CFG_RESOURCE_FIRST})
                      EXPECT_FALSE(Enabled(dialog, id)) << id;
              }));
    // Outside mode 1 the lines keep no resource and nothing triggers.
    EXPECT_EQ(KA_CONTROL_USB, device->GetControlMode());
    EXPECT_FALSE(device->GetTriggeringEnabled());
    ASSERT_NE(nullptr, device->GetTriggeringAbstraction());
    EXPECT_EQ(nullptr, device->GetTriggeringAbstraction()->GetLine(0)->GetResource_DIOLine());
}

TEST_F(CfgDaq, AnotherCardListsItsOwnResources) {
    ASSERT_EQ(KA_DM_OK, ConfigureMode1());
    Run(IDCANCEL, [](HWND dialog) {
        Choose(dialog, IDC_CFG_CARD, 1);
        for (int i = 0; i < kLines; ++i)
            EXPECT_EQ(Dio(i, L"Dev2"), Selected(LineCombo(dialog, i))) << kColours[i];
        // Back on the stored card the stored resources are chosen again.
        Choose(dialog, IDC_CFG_CARD, 0);
        for (int i = 0; i < kLines; ++i)
            EXPECT_EQ(Dio(i + 1), Selected(LineCombo(dialog, i))) << kColours[i];
    });
}

TEST_F(CfgDaq, TriggerableCamerasGetTerminals) {
    DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Camera A", true);
    DMApiHooks::Camera_Add(L"CKaGrabberDriverA1New", L"Frame grabber", true);
    DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Untriggered", false);
    DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Camera B", true);
    ASSERT_EQ(KA_DM_OK, ConfigureMode1(0, true));
    ASSERT_EQ(KA_DM_OK, Run(IDOK, [](HWND dialog) {
                  EXPECT_EQ(L"Camera A", TextOf(GetDlgItem(dialog, IDC_CFG_CAMERA_LABEL1)));
                  EXPECT_EQ(L"Camera B", TextOf(GetDlgItem(dialog, IDC_CFG_CAMERA_LABEL2)));
                  HWND second = GetDlgItem(dialog, IDC_CFG_CAMERA_TRIGGER2);
                  EXPECT_EQ(16u, Entries(second).size());
                  EXPECT_TRUE(Enabled(dialog, IDC_CFG_CAMERA_TRIGGER2));
                  SendMessageW(second, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(L"Dev1/PFI3"));
                  Click(dialog, IDC_CFG_ENABLE_TRIGGERING);
                  EXPECT_FALSE(Enabled(dialog, IDC_CFG_CAMERA_TRIGGER2));
                  Click(dialog, IDC_CFG_ENABLE_TRIGGERING);
              }));
    // The camera that is not the host's first takes select 1.
    EXPECT_EQ(L"Dev1/PFI3", SavedString(L"PFI_Terminal1"));
}

TEST_F(CfgDaq, MissingCamerasHideTheirRowsAndMoveTheRestUp) {
    int withTwo = 0, withOne = 0, comboHeight = 0;
    DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Camera A", true);
    DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Camera B", true);
    Run(IDCANCEL, [&](HWND dialog) {
        withTwo = Top(dialog, IDC_CFG_SECTION_MULTILASER);
        RECT rect;
        GetWindowRect(GetDlgItem(dialog, IDC_CFG_CAMERA_TRIGGER2), &rect);
        comboHeight = rect.bottom - rect.top;
    });
    DMApiHooks::Cameras_Clear();
    DMApiHooks::Camera_Add(L"CKaGrabberDriverSim", L"Camera A", true);
    Run(IDCANCEL, [&](HWND dialog) {
        EXPECT_TRUE(Visible(dialog, IDC_CFG_CAMERA_TRIGGER1));
        EXPECT_FALSE(Visible(dialog, IDC_CFG_CAMERA_LABEL2));
        EXPECT_FALSE(Visible(dialog, IDC_CFG_CAMERA_TRIGGER2));
        withOne = Top(dialog, IDC_CFG_SECTION_MULTILASER);
    });
    EXPECT_EQ(withTwo - (comboHeight + 5), withOne);
}

TEST_F(CfgDaq, ARefusedOkKeepsModeAndDelayButSavesNothing) {
    CKaStringW settings;
    SetIntToKey(settings, L"m_eLumencorControl", KA_CONTROL_USB);
    ASSERT_EQ(KA_DM_OK, device->ConfigureDevice(settings, 0));
    DMApiHooks::LogDev_AddForeign(L"IDeviceShutter", L"Taken");
    saved = L"untouched";
    EXPECT_EQ(KA_DM_DIALOG_CANCELLED, Run(IDCANCEL, [](HWND dialog) {
                  Click(dialog, IDC_CFG_USB_NIDAQ);
                  SetDlgItemTextW(dialog, IDC_CFG_SHUTTER_DELAY, L"250000");
                  SetDlgItemTextW(dialog, IDC_CFG_NAME, L"Taken");
                  EXPECT_EQ(L"Invalid Name: Shutter name is already used.", PressOk(dialog));
              }));
    EXPECT_STREQ(L"untouched", saved);
    EXPECT_EQ(KA_CONTROL_NIDAQ, device->GetControlMode());
    EXPECT_EQ(100000.0, device->Shutter().GetDelay());
}

TEST_F(CfgDaq, RunTimeTextsFollowTheHostLanguage) {
    KA_SetModuleLangId(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN));
    NIDAQSim_Reset();
    NIDAQSim_SetCards(L"Dev1=PCIe-6323");
    Peer().lines.m_iNumLines = 6; // analog: four outputs, so two lines get none
    ASSERT_EQ(KA_DM_OK, ConfigureMode1());
    Run(IDCANCEL, [](HWND dialog) {
        EXPECT_EQ(L"Nicht angegeben", Entries(GetDlgItem(dialog, IDC_CFG_CONNECTOR_BLOCK))[0]);
        Click(dialog, IDC_CFG_ANALOG_LINE);
        EXPECT_EQ(L"Dev1/ao3", Selected(LineCombo(dialog, TEAL)));
        EXPECT_TRUE(Selected(LineCombo(dialog, GREEN)).empty());
        SetDlgItemTextW(dialog, IDC_CFG_NAME, L"");
        EXPECT_EQ(L"Ung\u00fcltiger Name: Der Verschlussname darf nicht leer sein.",
                  PressOk(dialog));
    });
    KA_SetModuleLangId(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

TEST_F(CfgDaq, ACardWithoutTheKindOffersNoResource) {
    NIDAQSim_Reset();
    NIDAQSim_SetCards(L"Dev1=PCI-6509"); // digital lines only
    ASSERT_EQ(KA_DM_OK, ConfigureMode1());
    Run(IDCANCEL, [](HWND dialog) {
        Click(dialog, IDC_CFG_ANALOG_LINE);
        for (int i = 0; i < kLines; ++i) {
            SCOPED_TRACE(kColours[i]);
            EXPECT_EQ(std::vector<std::wstring>{L"resource N/A"}, Entries(LineCombo(dialog, i)));
            EXPECT_FALSE(Enabled(dialog, IDC_CFG_RESOURCE_FIRST + i));
        }
        EXPECT_EQ(L"Invalid Resource: Invalid Resource for Line VIOLET", PressOk(dialog));
        // Back to digital lines: the line's own resource again, enabled.
        Click(dialog, IDC_CFG_TTL_LINE);
        EXPECT_EQ(Dio(VIOLET + 1), Selected(LineCombo(dialog, VIOLET)));
        EXPECT_TRUE(Enabled(dialog, IDC_CFG_RESOURCE_FIRST + VIOLET));
    });
}

} // namespace
