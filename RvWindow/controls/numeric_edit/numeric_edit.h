// The numeric edit ("RvLsEdit"): an edit field holding a value snapped to the
// steps of a range, shown with a format, a unit, a scale and an offset, and
// driven by a bound scroll bar or trackbar.
#pragma once

#include "rv_memory.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace rvw {

constexpr rv::Signature kNumericEditSignature{0x4e48a3f71ae3738aull, 0x8015f716548138bdull};

constexpr UINT kBindScrollBar = WM_USER + 14;
constexpr UINT kBindThirdWindow = WM_USER + 15;
constexpr UINT kBindTrackbar = WM_USER + 16;

constexpr uint32_t kFlagReverse = 1;         // the bound scroll bar or trackbar runs the other way
constexpr uint32_t kFlagReportOnRelease = 4; // thumb dragging reported when the thumb is released
constexpr uint32_t kFlagIgnoreThumb = 16;    // thumb dragging ignored

constexpr size_t kFormatStorage = 32; // the format given plus "%s"
constexpr size_t kFormatLength = 29;  // of a format given to SetFormat
constexpr size_t kUnitStorage = 32;
constexpr size_t kUnitLength = 31;

class NumericEdit {
  public:
    // Subclasses a new edit; 0, or -1 when the record cannot be had.
    static int Init(HWND window);
    // The record of a numeric edit, or null.
    static NumericEdit* From(HWND window);

    double value() const { return value_; }
    uint32_t flags() const { return flags_; }
    void set_flags(uint32_t flags) { flags_ = flags; }

    void SetValue(double value);
    // False (nothing changes) for an end or step that is not finite.
    bool SetRange(double endA, double endB, double step);
    // False (nothing changes) for a format that is too long or unsafe.
    bool SetFormat(const std::wstring& format);
    void SetUnit(const std::wstring& unit);
    // False (nothing changes) for a scale of 0 or values that are not finite.
    bool SetScale(double scale, double offset);

  private:
    NumericEdit() = default;
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(UINT message, HWND window);
    void Redisplay();
    std::wstring DisplayText() const;
    // Text typed by the user: accepted when focus leaves or Enter is in it.
    // True when the value was accepted and the parent must be told.
    bool AcceptInput(bool keyUp);
    // True when the parent must be told.
    bool Scroll(WPARAM wParam);

    // Value and range (numeric_edit_range.cpp).
    int64_t SnapIndex(double x) const;
    double Lower() const;
    double Upper() const;
    void ApplyRange();
    void UpdateScrollRange();
    int ScrollPosition() const;
    double ValueAtThumb(int position) const;
    void Snap(double x);

    rv::Signature signature_ = kNumericEditSignature;
    // The value, kept in internal units on the steps of the range.
    double value_ = 0;
    double endA_ = 0;
    double endB_ = 100.0;
    double step_ = 1.0;
    // How it is shown.
    wchar_t format_[kFormatStorage] = L"%.0lf";
    wchar_t unit_[kUnitStorage] = L"";
    double scale_ = 1.0;
    double offset_ = 0;
    uint32_t flags_ = 0;
    // The window and what is bound to it.
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    HWND scrollBar_ = nullptr;
    HWND thirdWindow_ = nullptr;
    HWND trackbar_ = nullptr;
    // The steps of the range.
    int64_t index_ = 0;
    int64_t stepCount_ = 100;
    int64_t divisor_ = 1;
    int64_t lineSteps_ = 1;
    int64_t pageSteps_ = 5;
    uint32_t textEdited_ = 0;
};

} // namespace rvw
