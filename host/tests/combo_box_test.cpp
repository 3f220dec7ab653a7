// The dialog combo wrapper on a real dialog: attached by id, filled,
// selected, read back with CB_ messages; harmless when not attached.
#include "KaDevUI.h"
#include "combo_dialog.h"

#include <gtest/gtest.h>

namespace {

using testsupport::ComboDialog;

TEST(DialogCombo, AttachesOnlyToAComboOfTheDialog) {
    ComboDialog dialog;
    ASSERT_NE(nullptr, dialog.Handle());
    CKaDevUI_ComboBox combo;
    EXPECT_FALSE(combo.Create(nullptr, ComboDialog::kComboId));
    EXPECT_FALSE(combo.Create(dialog.Handle(), 4242)) << "no such control";
    EXPECT_FALSE(combo.Create(dialog.Handle(), ComboDialog::kStaticId)) << "not a combo box";
    EXPECT_EQ(nullptr, combo.GetHandle());
    EXPECT_TRUE(combo.Create(dialog.Handle(), ComboDialog::kComboId));
    EXPECT_EQ(dialog.Combo(), combo.GetHandle());
}

TEST(DialogCombo, FillsSelectsWholeTextsAndReadsBack) {
    ComboDialog dialog;
    CKaDevUI_ComboBox combo;
    ASSERT_TRUE(combo.Create(dialog.Handle(), ComboDialog::kComboId));
    for (const wchar_t* text : {L"Dev1/port0/line10", L"Dev1/port0/line1", L"Dev1/ao1"})
        combo.AddString(text);
    EXPECT_EQ(3, dialog.Count());
    EXPECT_EQ(3, combo.AddString(nullptr)) << "null adds an empty entry";
    EXPECT_EQ(4, combo.GetCount());
    EXPECT_STREQ(L"Dev1/port0/line10", combo.GetText(0));
    EXPECT_STREQ(L"", combo.GetText(3));
    EXPECT_EQ(-1, combo.GetCurSel());

    // A prefix never selects a longer entry; case does not matter.
    struct {
        const wchar_t* text;
        bool found;
        int selected;
    } selections[] = {
        {L"Dev1/port0/line1", true, 1},    {L"DEV1/AO1", true, 2}, {L"Dev1/port0/line", false, 2},
        {L"Dev1/port0/line100", false, 2}, {nullptr, false, 2},    {L"Dev1/port0/line10", true, 0},
    };
    for (const auto& s : selections) {
        EXPECT_EQ(s.found, combo.SelectString(s.text)) << (s.text ? s.text : L"null");
        EXPECT_EQ(s.selected, dialog.Selected()) << (s.text ? s.text : L"null");
    }

    struct {
        int position, selected;
    } positions[] = {{2, 2}, {4, 2}, {-7, 2}, {-1, -1}, {3, 3}};
    for (const auto& p : positions) {
        combo.SetCurSel(p.position);
        EXPECT_EQ(p.selected, dialog.Selected()) << p.position;
        EXPECT_EQ(p.selected, combo.GetCurSel()) << p.position;
    }
    for (int bad : {-1, 4, 1000})
        EXPECT_STREQ(L"", combo.GetText(bad)) << bad;

    combo.EnableWindow(false);
    EXPECT_FALSE(IsWindowEnabled(dialog.Combo()));
    combo.EnableWindow(true);
    EXPECT_TRUE(IsWindowEnabled(dialog.Combo()));
    combo.ResetContent();
    EXPECT_EQ(0, dialog.Count());
    EXPECT_EQ(0, combo.GetCount());
}

TEST(DialogCombo, EveryCallIsHarmlessWhenNotAttached) {
    CKaDevUI_ComboBox never;
    CKaDevUI_ComboBox gone;
    {
        ComboDialog dialog;
        ASSERT_TRUE(gone.Create(dialog.Handle(), ComboDialog::kComboId));
        gone.AddString(L"x");
    }
    for (CKaDevUI_ComboBox* combo : {&never, &gone}) {
        EXPECT_EQ(0, combo->GetCount());
        EXPECT_EQ(-1, combo->AddString(L"x"));
        EXPECT_FALSE(combo->SelectString(L"x"));
        combo->SetCurSel(0);
        EXPECT_EQ(-1, combo->GetCurSel());
        EXPECT_STREQ(L"", combo->GetText(0));
        combo->ResetContent();
        combo->EnableWindow(false);
    }
}

} // namespace
