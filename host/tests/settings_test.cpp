#include "KaSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct RoundTrip {
    const wchar_t* key;
    const wchar_t* value;
};

// Values that break naive key=value formats come back unchanged.
TEST(SettingsString, StringsRoundTripWhateverTheyContain) {
    const RoundTrip cases[] = {
        {L"plain", L"value"},
        {L"empty", L""},
        {L"separators", L"a=b;c,d|e"},
        {L"newlines", L"line1\nline2\r\nline3\n"},
        {L"backslashes", L"C:\\path\\n\\"},
        {L"non-ascii", L"\u00e9t\u00e9 \u4e2d\u6587 \u03bcm"},
        {L"key=with\nodd\\chars", L"x"},
        {L"trailing", L"ends with equals ="},
    };
    CKaStringW settings;
    for (const auto& c : cases)
        SetStringToKey(settings, c.key, c.value);
    for (const auto& c : cases) {
        CKaStringW value(L"unset");
        ASSERT_TRUE(GetStringFromKey(settings, c.key, value)) << c.key;
        EXPECT_EQ(std::wstring(c.value), std::wstring(value)) << c.key;
    }
}

TEST(SettingsString, NumbersRoundTripAndMissingKeysAreReported) {
    CKaStringW settings;
    SetIntToKey(settings, L"m_iCOMPort", -7);
    SetDoubleToKey(settings, L"dShutterDelay", 0.1 + 0.2);
    SetStringToKey(settings, L"text", L"12abc");

    int i = 0;
    double d = 0;
    EXPECT_TRUE(GetIntFromKey(settings, L"m_iCOMPort", i));
    EXPECT_EQ(-7, i);
    EXPECT_TRUE(GetDoubleFromKey(settings, L"dShutterDelay", d));
    EXPECT_EQ(0.1 + 0.2, d);

    i = 42;
    EXPECT_FALSE(GetIntFromKey(settings, L"m_iCOMPor", i));
    EXPECT_FALSE(GetIntFromKey(settings, L"", i));
    EXPECT_FALSE(GetIntFromKey(L"", L"m_iCOMPort", i));
    EXPECT_EQ(42, i) << "a missing key leaves the value alone";
}

TEST(SettingsString, LaterEntryWinsAndPrefixesDoNotMatch) {
    CKaStringW settings;
    SetIntToKey(settings, L"uWave1", 1);
    SetIntToKey(settings, L"uWave10", 10);
    SetIntToKey(settings, L"uWave1", 2);
    int value = 0;
    ASSERT_TRUE(GetIntFromKey(settings, L"uWave1", value));
    EXPECT_EQ(2, value);
    ASSERT_TRUE(GetIntFromKey(settings, L"uWave10", value));
    EXPECT_EQ(10, value);
}

} // namespace
