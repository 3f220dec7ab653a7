// A builder dialog per test, the layout metrics measured independently of
// the library, and handlers that log what reaches them.
#pragma once

#include "RvWindow.h"
#include "message_log.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace rvwtest {

struct Metrics {
    int itemHeight, controlHeight, rowHeight, rowGap, topMargin, leftMargin;
    int Units(int v) const { return v * rowHeight / 14; }
};

// What the first dialog measures: a drop-down list in the template's font.
const Metrics& ExpectedMetrics();

HMODULE Library();

// The dialog procedure of a dialog, to read what it returns for a message
// (the window procedure answers many messages on its own).
DLGPROC DialogProcOf(HWND dialog);

// The log that LogHandler writes to; each entry's tag is the handler's text.
testsupport::MessageLog& HandlerLog();
INT_PTR LogHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const wchar_t* text);

// Pixel of the client area at (x, y) after the dialog erased its background
// into a memory bitmap first filled with `preset`.
COLORREF ErasedPixel(HWND dialog, int x, int y, COLORREF preset);

class BuilderDialog : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a control and returns its window (null on failure, with a test failure).
    HWND Add(const wchar_t* name, const wchar_t* cls, uint32_t style = 0, int b = 0, int w = 40,
             uint32_t exStyle = 0);
    RECT Rect(const wchar_t* name);
    HWND Find(const wchar_t* name);
    void SetOptions(uint32_t set, uint32_t clear);

    uint32_t handle_ = 0;
    HWND dialog_ = nullptr;
};

} // namespace rvwtest
