// The steps of a numeric edit's range and the positions of its bound controls.
#include "numeric_edit.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace rvw {
namespace {

constexpr double kAutoStepDivisions = 65535.0; // a step of 0 divides the range this finely
constexpr double kTwoTo63 = 9223372036854775808.0;
constexpr double kLargestIndex = 4611686018427387904.0; // 2^62, far inside int64_t
constexpr int64_t kPageDivisions = 20;                  // a page is a twentieth of the steps
constexpr int64_t kScrollUnits = 32767;                 // scroll bars count in 16 bits

int64_t ToIndex(double q) {
    if (!(q >= 0)) return 0; // negative or not a number
    return static_cast<int64_t>(std::min(q, kLargestIndex));
}

} // namespace

double NumericEdit::Lower() const {
    return std::min(endA_, endB_);
}
double NumericEdit::Upper() const {
    return std::max(endA_, endB_);
}

int64_t NumericEdit::SnapIndex(double x) const {
    if (!(step_ > 0)) return 0; // an empty range has its one step
    return ToIndex(std::trunc((std::min(Upper(), x) - Lower() + step_ / 2) / step_));
}

void NumericEdit::Snap(double x) {
    index_ = SnapIndex(x);
    value_ = Lower() + static_cast<double>(index_) * step_;
}

bool NumericEdit::SetRange(double endA, double endB, double step) {
    if (!std::isfinite(endA) || !std::isfinite(endB) || !std::isfinite(step)) return false;
    endA_ = endA;
    endB_ = endB;
    step_ = std::fabs(step);
    const double span = Upper() - Lower();
    if (step_ == 0) step_ = span / kAutoStepDivisions;
    if (step_ > 0 && (step_ / 2 + span) / step_ >= kTwoTo63) step_ = span / kTwoTo63;
    ApplyRange();
    Snap(value_);
    UpdateScrollRange();
    SetValue(value_);
    return true;
}

void NumericEdit::ApplyRange() {
    const double span = Upper() - Lower();
    stepCount_ = step_ > 0 ? ToIndex(std::trunc(span / step_)) + 1 : 1;
    pageSteps_ = stepCount_ / kPageDivisions;
    divisor_ = std::max<int64_t>(1, stepCount_ / kScrollUnits);
}

int NumericEdit::ScrollPosition() const {
    const int64_t steps = (flags_ & kFlagReverse) ? stepCount_ - index_ : index_;
    return static_cast<int>(steps / divisor_);
}

double NumericEdit::ValueAtThumb(int position) const {
    const int64_t steps = static_cast<int64_t>(position) * divisor_;
    const int64_t index = (flags_ & kFlagReverse) ? stepCount_ - steps : steps;
    return Lower() + static_cast<double>(index) * step_;
}

void NumericEdit::UpdateScrollRange() {
    if (!scrollBar_ || !IsWindow(scrollBar_)) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = static_cast<int>(stepCount_ / divisor_) + 1;
    info.nPage = 1;
    info.nPos = ScrollPosition();
    SetScrollInfo(scrollBar_, SB_CTL, &info, TRUE);
}

bool NumericEdit::Scroll(WPARAM wParam) {
    int code = LOWORD(wParam);
    if (!IsWindowEnabled(window_)) {
        Redisplay();
        return false;
    }
    auto exchange = [&code](int a, int b) {
        if (code == a)
            code = b;
        else if (code == b)
            code = a;
    };
    if (flags_ & kFlagReverse) {
        exchange(SB_LINEUP, SB_LINEDOWN);
        exchange(SB_PAGEUP, SB_PAGEDOWN);
        exchange(SB_TOP, SB_BOTTOM);
    }
    if (endA_ > endB_) {
        // A descending range: "up" raises the value.
        exchange(SB_LINEUP, SB_LINEDOWN);
        exchange(SB_PAGEUP, SB_PAGEDOWN);
    }
    const bool thumb = code == SB_THUMBPOSITION || code == SB_THUMBTRACK;
    if (thumb && (flags_ & kFlagIgnoreThumb)) {
        Redisplay(); // puts the thumb back
        return false;
    }
    const double lineMove = static_cast<double>(lineSteps_) * step_;
    const double pageMove = static_cast<double>(pageSteps_) * step_;
    double target = value_;
    switch (code) {
    case SB_LINEUP:
        target = value_ - lineMove;
        break;
    case SB_LINEDOWN:
        target = value_ + lineMove;
        break;
    case SB_PAGEUP:
        target = value_ - (pageMove != 0 ? pageMove : step_);
        break;
    case SB_PAGEDOWN:
        target = value_ + (pageMove != 0 ? pageMove : step_);
        break;
    case SB_TOP:
        target = endA_;
        break;
    case SB_BOTTOM:
        target = endB_;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        target = ValueAtThumb(HIWORD(wParam));
        break;
    default: // end-scroll and codes above 8 keep the value
        break;
    }
    const bool reportOnRelease = (flags_ & kFlagReportOnRelease) != 0;
    const double before = value_;
    const int64_t snapped = SnapIndex(target);
    if (snapped != index_) {
        SetValue(target);
        if (!(code == SB_THUMBTRACK && reportOnRelease)) return value_ != before;
        return false;
    }
    return code == SB_THUMBPOSITION && reportOnRelease;
}

} // namespace rvw
