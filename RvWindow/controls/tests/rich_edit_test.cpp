// Rich edits: loading rich text files.
#include "control_fixture.h"

#include <richedit.h>

namespace rvwtest {
namespace {

TEST_F(BuilderDialog, ARichTextFileReplacesTheContent) {
    HWND rich = Add(L"notes", L"RICHEDIT", ES_MULTILINE, -3, 150);
    SetWindowTextW(rich, L"old");
    const std::wstring path = TempFile(L"notes.rtf");
    WriteFile(path, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello {\\b bold} world\\par}");
    EXPECT_EQ(RvRichEdit_LoadFile(HandleOf(rich), path.c_str()), 0);
    EXPECT_EQ(TextOf(rich).substr(0, 16), L"Hello bold world");
}

TEST_F(BuilderDialog, AMissingFileGivesTheSystemsCodeAndChangesNothing) {
    HWND rich = Add(L"notes", L"RICHEDIT50W", ES_MULTILINE, -3, 150);
    SetWindowTextW(rich, L"kept");
    EXPECT_EQ(RvRichEdit_LoadFile(HandleOf(rich), TempFile(L"missing.rtf").c_str()),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(TextOf(rich), L"kept");
    HWND edit = Add(L"plain", L"edit", 0, 0, 50);
    EXPECT_EQ(RvRichEdit_LoadFile(HandleOf(edit), TempFile(L"missing.rtf").c_str()),
              ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(RvRichEdit_LoadFile(0, L"x.rtf"), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(RvRichEdit_LoadFile(HandleOf(rich), nullptr), ERROR_INVALID_PARAMETER);
}

TEST_F(BuilderDialog, CopyingFromARichEditStillCopiesItsText) {
    HWND rich = Add(L"notes", L"RICHEDIT50W", ES_MULTILINE, -3, 150);
    SetWindowTextW(rich, L"copied");
    SendMessageW(rich, EM_SETSEL, 0, -1);
    SendMessageW(rich, WM_COPY, 0, 0);
    ASSERT_TRUE(OpenClipboard(dialog_));
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    EXPECT_STREQ(text, L"copied");
    if (text) GlobalUnlock(data);
    CloseClipboard();
}

} // namespace
} // namespace rvwtest
