#include "KaClass.h"
#include "KaHostHooks.h"
#include "KaString.h"
#include "KaSystem.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(Log, DetailLinesOnlyWithDetailOthersAlways) {
    LogCapture capture(false);
    DiagOutputExW(true, L"detail %d", 1);
    DiagOutputExW(false, L"always %ls", L"x");
    CKaLogFile::Detail = true;
    DiagOutputExW(true, L"detail %d", 2);
    EXPECT_EQ((std::vector<std::wstring>{L"always x", L"detail 2"}), capture.Lines());
}

TEST(Log, FileReceivesLines) {
    wchar_t dir[MAX_PATH], path[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    GetTempFileNameW(dir, L"kal", 0, path);
    ASSERT_TRUE(CKaLogHooks::Open(path));
    DiagOutputExW(false, L"to the file \u00e9");
    CKaLogHooks::Open(nullptr);
    FILE* f = _wfopen(path, L"rb");
    ASSERT_NE(nullptr, f);
    char text[256] = {};
    fread(text, 1, sizeof text - 1, f);
    fclose(f);
    DeleteFileW(path);
    EXPECT_NE(nullptr, strstr(text, "to the file \xc3\xa9\n"));
}

TEST(TimeCounter, DrivenClockMovesOnlyWhenToldAndSleepAdvancesIt) {
    KA_DriveTimeCounter(true, 1000.0);
    EXPECT_EQ(1000.0, KA_GetTimeCounter());
    KA_AdvanceTimeCounter(59999.0);
    EXPECT_EQ(60999.0, KA_GetTimeCounter());
    KA_AdvanceTimeCounter(-5.0);
    EXPECT_EQ(60999.0, KA_GetTimeCounter()) << "never backwards";
    KA_Sleep(1000.0, 0);
    EXPECT_EQ(61999.0, KA_GetTimeCounter());
    KA_DriveTimeCounter(false, 0);
    double a = KA_GetTimeCounter(), b = KA_GetTimeCounter();
    EXPECT_LE(a, b);
}

TEST(Strings, FormatFindMidAndWideNarrow) {
    CKaStringA a;
    a.Format("GET %s\r", "MODEL");
    EXPECT_STREQ("GET MODEL\r", a);
    EXPECT_EQ(4, a.Find("MODEL"));
    EXPECT_EQ(-1, a.Find("X", 100));
    EXPECT_STREQ("MODEL", a.Mid(4, 5));
    EXPECT_STREQ("", a.Mid(50));
    CKaStringW w;
    w.Format(L"%ls pad %d", L"\u00e9", 3);
    EXPECT_STREQ(L"\u00e9 pad 3", w);
    EXPECT_STREQ(L"\u00e9 pad 3", CKaStringW(w.ToNarrow()));
    CKaStringW big;
    std::wstring long_(5000, L'x');
    big.Format(L"%ls", long_.c_str());
    EXPECT_EQ(5000u, big.GetLength());
}

TEST(Strings, WtoiReadsTheLeadingDecimalAndSaturates) {
    struct {
        const wchar_t* text;
        int expected;
    } cases[] = {
        {nullptr, 0},
        {L"", 0},
        {L"  -12abc", -12},
        {L"+7", 7},
        {L"\t\n 405 nm", 405},
        {L"abc", 0},
        {L"-", 0},
        {L"- 5", 0},
        {L"2147483647", INT_MAX},
        {L"2147483648", INT_MAX},
        {L"-2147483648", INT_MIN},
        {L"-99999999999999999999", INT_MIN},
        {L"000000000000000000042", 42},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, KA_wtoi(c.text)) << (c.text ? c.text : L"null");
}

TEST(Translation, TextsStayValidAndUnknownTextsTranslateToThemselves) {
    const wchar_t* first = KA_GetTranslation(L"Acquisition Controls");
    KA_SetTranslation(L"Acquisition Controls", L"other");
    EXPECT_STREQ(L"Acquisition Controls", first);
    EXPECT_EQ(first, KA_GetTranslation(L"Acquisition Controls"));
}

} // namespace
