// The pad's layout at two zooms, its resources by language and the texts of
// every language.
#include "PadFixture.h"
#include "LumencorV2PadText.h"

#include <string>

namespace {

class PadLayout : public PadFixture, public ::testing::WithParamInterface<double> {};

TEST_P(PadLayout, FollowsZoomAwakeStateAndTemperatureLine) {
    const double zoom = GetParam();
    CKaGUIHooks::SetGuiZoom(zoom);
    ASSERT_NE(nullptr, CreatePad());
    CKaLumencorV2Pad& pad = Pad();
    SIZE size;
    pad.GetCurSize(&size);
    EXPECT_EQ(Zoomed(zoom, 270), size.cx);

    // Awake: no "Wake up"; the temperature line sits right under the lines.
    HWND shutter = pad.ShuttersPanel()->GetHandle();
    HWND temperature = pad.TemperaturePanel()->GetHandle();
    EXPECT_FALSE(Visible(pad.WakeUpButton()));
    ASSERT_TRUE(Visible(temperature));
    const int linesBottom = pad.MultilaserPanel()->GetHeight() + 4;
    EXPECT_EQ(linesBottom, InPad(temperature).top);
    const int awakeShutterTop = InPad(shutter).top;
    EXPECT_EQ(linesBottom + pad.TemperaturePanel()->GetHeight(), awakeShutterTop);
    RECT configure = InPad(pad.ConfigureButton());
    EXPECT_EQ(Zoomed(zoom, 120), configure.right - configure.left);
    EXPECT_EQ(Zoomed(zoom, 25), configure.bottom - configure.top);
    EXPECT_EQ(awakeShutterTop, configure.top);
    EXPECT_EQ(awakeShutterTop + Zoomed(zoom, 25) + Zoomed(zoom, 8), size.cy);

    // Asleep: "Wake up" centred under the lines pushes the rest down.
    Peer().m_iAwake = 0;
    Post(KA_PAD_AWAKE_OR_SETTINGS);
    HWND wake = pad.WakeUpButton();
    ASSERT_TRUE(Visible(wake));
    RECT wakeRect = InPad(wake);
    const int wakeHeight = wakeRect.bottom - wakeRect.top;
    EXPECT_EQ(linesBottom, wakeRect.top);
    EXPECT_NEAR(Zoomed(zoom, 270) / 2.0, (wakeRect.left + wakeRect.right) / 2.0, 1.0);
    EXPECT_EQ(awakeShutterTop + wakeHeight, InPad(pad.ShuttersPanel()->GetHandle()).top);
    // The window itself took the new size.
    RECT client;
    GetClientRect(pad.GetHandle(), &client);
    pad.GetCurSize(&size);
    EXPECT_EQ(size.cy, client.bottom);

    // Without the temperature line nothing takes its place.
    Peer().m_iAwake = 1;
    Peer().m_bShowTemperature = false;
    Post(KA_PAD_AWAKE_OR_SETTINGS);
    EXPECT_FALSE(Visible(pad.TemperaturePanel()->GetHandle()));
    EXPECT_EQ(linesBottom, InPad(pad.ShuttersPanel()->GetHandle()).top);
}

INSTANTIATE_TEST_SUITE_P(Zooms, PadLayout, ::testing::Values(1.0, 1.5));

class PadResources : public PadFixture {};

TEST_F(PadResources, MissingLanguageFallsBackToSecondaryAndNeitherGivesNoWindow) {
    const LANGID korean = MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT);
    KA_SetModuleLangId(korean);
    EXPECT_NE(nullptr, CreatePad());
    Pad().Destroy();
    EXPECT_EQ(nullptr, Pad().GetHandle());

    KA_SetSecondaryLangId(korean);
    EXPECT_EQ(nullptr, CreatePad());
    EXPECT_EQ(nullptr, Pad().GetHandle());
}

TEST_F(PadResources, ZoomChangeRebuildsThePad) {
    ASSERT_NE(nullptr, CreatePad());
    CKaGUIHooks::SetGuiZoom(2.0);
    testsupport::PumpPending();
    SIZE size;
    Pad().GetCurSize(&size);
    EXPECT_EQ(540, size.cx);
    RECT client;
    GetClientRect(Pad().GetHandle(), &client);
    EXPECT_EQ(540, client.right);
}

struct LanguageTexts {
    LANGID language;
    const wchar_t* wakeUp;
    const wchar_t* configure;
};

const LanguageTexts kLanguages[] = {
    {MAKELANGID(LANG_CZECH, SUBLANG_DEFAULT), L"Probudit", L"Konfigurovat..."},
    {MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), L"Aufwecken", L"Konfigurieren..."},
    {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), L"Wake up", L"Configure..."},
    {MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), L"R\u00e9veiller", L"Configurer..."},
    {MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN), L"Riattiva", L"Configura..."},
    {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), L"\u30b9\u30ea\u30fc\u30d7\u89e3\u9664",
     L"\u8a2d\u5b9a..."},
    {MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT), L"Wybud\u017a", L"Konfiguruj..."},
    {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT),
     L"\u0420\u0430\u0437\u0431\u0443\u0434\u0438\u0442\u044c",
     L"\u041d\u0430\u0441\u0442\u0440\u043e\u0438\u0442\u044c..."},
    {MAKELANGID(LANG_TURKISH, SUBLANG_DEFAULT), L"Uyand\u0131r", L"Yap\u0131land\u0131r..."},
    {MAKELANGID(LANG_INDONESIAN, SUBLANG_DEFAULT), L"Bangunkan", L"Konfigurasi..."},
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), L"\u5524\u9192", L"\u914d\u7f6e..."},
    {MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN), L"Despertar", L"Configurar..."},
};

TEST_F(PadResources, EveryLanguageHasThePadAndItsTexts) {
    for (const LanguageTexts& texts : kLanguages) {
        SCOPED_TRACE(texts.language);
        KA_SetModuleLangId(texts.language);
        // A secondary language that has nothing: what shows is the language's own.
        KA_SetSecondaryLangId(MAKELANGID(LANG_KOREAN, SUBLANG_DEFAULT));
        ASSERT_NE(nullptr, CreatePad());
        wchar_t text[64];
        GetWindowTextW(Pad().WakeUpButton(), text, 64);
        EXPECT_STREQ(texts.wakeUp, text);
        GetWindowTextW(Pad().ConfigureButton(), text, 64);
        EXPECT_STREQ(texts.configure, text);
        // The title and the temperature line keep their conversions.
        EXPECT_NE(nullptr, std::wcsstr(Pad().GetTitle(), L"Lumencor.0"));
        wchar_t line[128];
        lumencor::FormatTranslated(line, 128, L"Temperature: %d%cC, Supply: %dmA, %dW", 31,
                                   wchar_t(176), 1234, 56);
        EXPECT_NE(nullptr, std::wcsstr(line, L"31\u00b0C")) << line;
        EXPECT_NE(nullptr, std::wcsstr(line, L"1234")) << line;
        EXPECT_NE(nullptr, std::wcsstr(line, L"56")) << line;
        Pad().Destroy();
    }
}

TEST(PadText, FaultyTranslationFallsBackToSourceAndLongTextsAreCut) {
    const LANGID welsh = MAKELANGID(LANG_WELSH, SUBLANG_DEFAULT);
    KA_SetModuleLangId(welsh);
    KA_SetTranslationFor(welsh, L"%s and %d", L"%d then %s");
    wchar_t out[32];
    lumencor::FormatTranslated(out, 32, L"%s and %d", L"x", 5);
    EXPECT_STREQ(L"x and 5", out);
    const std::wstring longKey(400, L'k');
    wchar_t title[CKaLumencorV2Pad::kTitleChars];
    lumencor::FormatTranslated(title, CKaLumencorV2Pad::kTitleChars, L"%s!", longKey.c_str());
    EXPECT_EQ(size_t(CKaLumencorV2Pad::kTitleChars - 1), std::wcslen(title));
    KA_SetModuleLangId(kEnglish);
}

TEST_F(PadResources, LongNameIsCutToItsBuffer) {
    const std::wstring name(300, L'n');
    ASSERT_NE(nullptr, Pad().Create(name.c_str(), host, &tabs));
    EXPECT_EQ(size_t(CKaLumencorV2Pad::kNameChars - 1), std::wcslen(Pad().GetName()));
}

} // namespace
