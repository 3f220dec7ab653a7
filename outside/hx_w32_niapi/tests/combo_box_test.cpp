// The NI-DAQ resource combo on a real dialog, filled from simulated cards.
#include "NIDAQComboBox.h"
#include "NIDAQSim.h"
#include "combo_dialog.h"
#include "unmanaged_windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

[[maybe_unused]] const bool kWindowsUnmanaged = (testsupport::LeaveWindowsUnmanaged(), true);

using testsupport::ComboDialog;
typedef std::vector<std::wstring> Texts;

const int kDigitalLines = 32, kAnalogOutputs = 4, kPfiTerminals = 16;

// The keys "<card>/<stem><n>" for n from 0.
Texts Keys(const std::wstring& card, const std::wstring& stem, int count) {
    Texts keys;
    for (int n = 0; n < count; ++n)
        keys.push_back(card + L"/" + stem + std::to_wstring(n));
    return keys;
}

Texts Join(Texts a, const Texts& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// The entries as the combo box itself holds them.
Texts Entries(HWND combo) {
    Texts entries;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        entries.push_back(text);
    }
    return entries;
}

class ResourceCombo : public ::testing::Test {
  protected:
    void SetUp() override {
        NIDAQSim_Reset();
        NIDAQSim_SetCards(L"Dev1=PCIe-6323;Dev2=USB-6343");
        engine.OpenSimulator();
        ASSERT_TRUE(combo.Create(dialog.Handle(), ComboDialog::kComboId));
    }
    void TearDown() override { NIDAQSim_Reset(); }

    void Fill(const std::vector<int>& types, const wchar_t* card, CNIDAQEngine* from) {
        combo.Init(from, nullptr, types, card, false, false, true, nullptr);
        combo.Update();
    }

    CNIDAQEngine engine;
    ComboDialog dialog;
    CKaNIDAQComboBox combo;
};

TEST_F(ResourceCombo, ListsTheKindsAskedForOnOneCardInTheCardsOrder) {
    struct {
        std::vector<int> types;
        const wchar_t* card;
        Texts expected;
    } cases[] = {
        {{NIDAQ_RESOURCE_DIO_LINE}, L"Dev1", Keys(L"Dev1", L"port0/line", kDigitalLines)},
        {{NIDAQ_RESOURCE_AO_PORT}, L"Dev1", Keys(L"Dev1", L"ao", kAnalogOutputs)},
        {{NIDAQ_RESOURCE_PFI_TERMINAL}, L"Dev2", Keys(L"Dev2", L"PFI", kPfiTerminals)},
        {{NIDAQ_RESOURCE_AO_PORT, NIDAQ_RESOURCE_DIO_LINE},
         L"Dev2",
         Join(Keys(L"Dev2", L"ao", kAnalogOutputs), Keys(L"Dev2", L"port0/line", kDigitalLines))},
        {{NIDAQ_RESOURCE_DIO_LINE}, L"Dev3", {}},
        {{NIDAQ_RESOURCE_DIO_LINE}, L"Dev", {}},
        {{NIDAQ_RESOURCE_DIO_LINE}, L"", {}},
        {{NIDAQ_RESOURCE_DIO_LINE}, nullptr, {}},
        {{}, L"Dev1", {}},
        {{99}, L"Dev1", {}},
    };
    for (const auto& c : cases) {
        Fill(c.types, c.card, &engine);
        EXPECT_EQ(c.expected, Entries(dialog.Combo())) << (c.card ? c.card : L"null");
    }
    // Without an engine the combo is emptied.
    Fill({NIDAQ_RESOURCE_DIO_LINE}, L"Dev1", &engine);
    Fill({NIDAQ_RESOURCE_DIO_LINE}, L"Dev1", nullptr);
    EXPECT_EQ(0, dialog.Count());
}

TEST_F(ResourceCombo, RefillTypeListsAnotherKindOnAnotherCard) {
    Fill({NIDAQ_RESOURCE_DIO_LINE}, L"Dev1", &engine);
    ASSERT_TRUE(combo.SelectString(L"Dev1/port0/line5"));
    combo.RefillType(NIDAQ_RESOURCE_AO_PORT, L"Dev2");
    EXPECT_EQ(Keys(L"Dev2", L"ao", kAnalogOutputs), Entries(dialog.Combo()));
    EXPECT_EQ(-1, dialog.Selected()) << "the selection is lost";
    combo.RefillType(NIDAQ_RESOURCE_DIO_LINE, L"Dev1");
    EXPECT_EQ(Keys(L"Dev1", L"port0/line", kDigitalLines), Entries(dialog.Combo()));
    combo.RefillType(NIDAQ_RESOURCE_DIO_LINE, nullptr);
    EXPECT_EQ(0, dialog.Count());
}

TEST_F(ResourceCombo, SelectedEntryNamesTheEnginesResource) {
    Fill({NIDAQ_RESOURCE_DIO_LINE}, L"Dev1", &engine);
    EXPECT_EQ(nullptr, combo.GetSelectedResource()) << "nothing selected";
    EXPECT_FALSE(combo.SelectString(L"Dev1/port0/line")) << "a prefix is no entry";
    EXPECT_EQ(-1, dialog.Selected());

    struct {
        const wchar_t* select;
        const wchar_t* key;
        bool waveform;
    } cases[] = {
        {L"Dev1/port0/line3", L"Dev1/port0/line3", true},
        {L"DEV1/PORT0/LINE20", L"Dev1/port0/line20", false},
        {L"Dev1/port0/line15", L"Dev1/port0/line15", true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(combo.SelectString(c.select)) << c.select;
        CNIDAQResource* resource = combo.GetSelectedResource();
        ASSERT_EQ(engine.GetResource(c.key), resource) << c.select;
        auto* line = dynamic_cast<CNIDAQResource_DIOLine*>(resource);
        ASSERT_NE(nullptr, line);
        EXPECT_EQ(c.waveform, line->GetBoolWaveformEnable()) << c.key;
    }

    // What the dialog shows for a card without such resources.
    combo.ResetContent();
    combo.AddString(L"resource N/A");
    combo.SetCurSel(0);
    EXPECT_EQ(0, dialog.Selected());
    EXPECT_EQ(nullptr, combo.GetSelectedResource());
}

TEST_F(ResourceCombo, UnattachedComboIsHarmless) {
    CKaNIDAQComboBox loose;
    const std::vector<CNIDAQAbstraction_AOTFLine*> noLines;
    const std::vector<int> boxes = {1};
    loose.Init(&engine, &noLines, {NIDAQ_RESOURCE_DIO_LINE}, L"Dev1", false, false, true, &boxes);
    loose.Update();
    loose.RefillType(NIDAQ_RESOURCE_PFI_TERMINAL, L"Dev2");
    EXPECT_EQ(0, loose.GetCount());
    EXPECT_FALSE(loose.SelectString(L"Dev2/PFI0"));
    EXPECT_EQ(nullptr, loose.GetSelectedResource());
    loose.Init(nullptr, nullptr, {}, nullptr, false, false, false, nullptr);
    loose.Update();
    EXPECT_EQ(nullptr, loose.GetSelectedResource());
}

} // namespace
