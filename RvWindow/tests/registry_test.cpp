// Control classes: the built-in aliases, registered ones, rich edits, and names.
#include "builder_fixture.h"

#include <string>
#include <vector>

namespace rvwtest {
namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[80] = L"";
    GetClassNameW(window, name, 80);
    return name;
}

bool SameText(const std::wstring& a, const wchar_t* b) {
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}

TEST_F(BuilderDialog, BuiltInAliasesCreateTheirBaseClasses) {
    struct Case {
        const wchar_t* alias;
        const wchar_t* windowClass;
    };
    const Case cases[] = {
        {L"RvButton", L"static"},
        {L"RvLsEdit", L"edit"},
        {L"RvLsScrollbar", L"scrollbar"},
        {L"RvPMTGainEdit", L"edit"},
        {L"RvProgressbar", L"msctls_progress32"},
        {L"rvprogressBAR", L"msctls_progress32"},
        {L"RICHEDIT50W", L"RICHEDIT50W"},
        {L"RichEdit", L"RICHEDIT50W"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::wstring(c.alias).size() << " " << c.alias[2]);
        HWND control = Add(L"c", c.alias);
        EXPECT_TRUE(SameText(ClassOf(control), c.windowClass));
    }
    EXPECT_NE(GetModuleHandleW(L"msftedit.dll"), nullptr) << "loaded for the rich edit";
}

struct Initialised {
    HWND window = nullptr;
    HFONT font = nullptr;
    int calls = 0;
};
Initialised g_initialised;

int RecordingInitialiser(HWND window) {
    g_initialised.window = window;
    g_initialised.font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    ++g_initialised.calls;
    return -7;
}

TEST_F(BuilderDialog, ARegisteredClassIsCreatedAndInitialised) {
    g_initialised = {};
    ASSERT_EQ(RvDialog_AddControlClass(L"TestSpinner", L"button", RecordingInitialiser), 1);
    HWND control = Add(L"spin", L"testspinner", BS_CHECKBOX);
    EXPECT_TRUE(SameText(ClassOf(control), L"button"));
    EXPECT_EQ(g_initialised.calls, 1);
    EXPECT_EQ(g_initialised.window, control);
    EXPECT_EQ(g_initialised.font, reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0)))
        << "the font is set before the initialiser runs";
    EXPECT_EQ(Find(L"spin"), control) << "the initialiser's result is ignored";
}

TEST_F(BuilderDialog, TheFirstRegistrationOfAnAliasWins) {
    EXPECT_EQ(RvDialog_AddControlClass(L"RvButton", L"button", RecordingInitialiser), 1);
    g_initialised = {};
    HWND control = Add(L"b", L"RvButton");
    EXPECT_TRUE(SameText(ClassOf(control), L"static"));
    EXPECT_EQ(g_initialised.calls, 0);
}

TEST_F(BuilderDialog, AliasesAreTruncatedTo63Characters) {
    const std::wstring alias = L"Alias" + std::wstring(58, L'z'); // 63 characters
    ASSERT_EQ(RvDialog_AddControlClass((alias + L"TAIL").c_str(), L"edit", nullptr), 1);
    EXPECT_TRUE(SameText(ClassOf(Add(L"a", alias.c_str())), L"edit"));
    const std::wstring base = L"button" + std::wstring(70, L'q');
    ASSERT_EQ(RvDialog_AddControlClass(L"LongBase", base.c_str(), nullptr), 1);
    uint32_t control = 0;
    EXPECT_EQ(RvDialog_AddControl(handle_, L"x", L"LongBase", 0, 0, 10, &control), -1)
        << "a cut base class names no window class";
}

TEST_F(BuilderDialog, AClassRegistrationNeedsReadableNames) {
    EXPECT_EQ(RvDialog_AddControlClass(nullptr, L"edit", nullptr), 0);
    EXPECT_EQ(RvDialog_AddControlClass(L"x", nullptr, nullptr), 0);
}

TEST_F(BuilderDialog, NamesAreExactAndTruncatedTo126Characters) {
    const std::wstring stem(126, L'n');
    HWND first = Add((stem + L"A").c_str(), L"edit");
    HWND second = Add((stem + L"B").c_str(), L"edit");
    EXPECT_EQ(Find((stem + L"B").c_str()), first) << "both names are the same 126 characters";
    EXPECT_EQ(Find(stem.c_str()), first);
    HWND upper = Add(L"Ok", L"button");
    HWND lower = Add(L"ok", L"button");
    Add(L"ok", L"button");
    EXPECT_EQ(Find(L"Ok"), upper);
    EXPECT_EQ(Find(L"ok"), lower) << "case matters, the first of equal names wins";
    EXPECT_EQ(Find(L"OK"), nullptr);
    EXPECT_NE(second, nullptr);
}

TEST_F(BuilderDialog, AnsiVariantsConvertWithTheThreadCodePage) {
    const char title[] = "Caf\xe9 \x80";
    uint32_t handle = 0;
    ASSERT_EQ(RvDialog_CreateA(0, title, &handle), 0);
    HWND dialog = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    wchar_t expected[16] = L"", text[16] = L"";
    MultiByteToWideChar(CP_THREAD_ACP, 0, title, -1, expected, 16);
    GetWindowTextW(dialog, text, 16);
    EXPECT_STREQ(text, expected);

    uint32_t control = 0, found = 0;
    ASSERT_EQ(RvDialog_AddControlA(handle, "n\xe9", "EDIT", 0, 0, 20, &control), 0);
    EXPECT_EQ(RvDialog_FindControlA(handle, "n\xe9", &found), 0);
    EXPECT_EQ(found, control);
    wchar_t wideName[4] = L"";
    MultiByteToWideChar(CP_THREAD_ACP, 0, "n\xe9", -1, wideName, 4);
    EXPECT_EQ(RvDialog_FindControl(handle, wideName, &found), 0);
    EXPECT_EQ(found, control);
    EXPECT_EQ(RvDialog_AddControlA(handle, "x", nullptr, 0, 0, 20, &control), -1);
    DestroyWindow(dialog);
}

} // namespace
} // namespace rvwtest
