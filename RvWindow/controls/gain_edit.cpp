#include "gain_edit.h"

#include "RvWindow.h"
#include "rv_args.h"
#include "subclassing.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

namespace rvw {
namespace {

constexpr int kVoltageStorage = 64; // the high voltage is read up to 63 characters
constexpr size_t kGainLength = 63;
constexpr size_t kFormattedRoom = 512; // "%.2f" of the largest double needs 312 characters

GainEdit* g_gainEdits = nullptr; // newest first

// High-voltage windows whose procedure could not be put back because another
// subclass had been laid over ours: they still pass through us.
struct Orphan {
    HWND window;
    WNDPROC previous;
};
std::vector<Orphan> g_orphans;

} // namespace

int GainEdit::Init(HWND window) {
    if (!window) return 0;
    GainEdit* record = AttachRecord(new (std::nothrow) GainEdit, window, Procedure,
                                    &GainEdit::window_, &GainEdit::previous_);
    if (!record) return -1;
    record->next_ = g_gainEdits;
    g_gainEdits = record;
    return 0;
}

GainEdit* GainEdit::From(HWND window) {
    GainEdit* record = SignedRecord<GainEdit>(window, kGainEditSignature);
    return record && record->window_ == window ? record : nullptr;
}

GainEdit* GainEdit::Watching(HWND highVoltage) {
    for (GainEdit* e = g_gainEdits; e; e = e->next_)
        if (e->highVoltage_ == highVoltage) return e;
    return nullptr;
}

void GainEdit::SetCalibration(double slope, double offset) {
    slope_ = slope;
    offset_ = offset;
    UpdateGain();
}

bool GainEdit::AttachTo(HWND highVoltage) {
    Detach();
    if (!IsOwnWindow(highVoltage) || highVoltage == window_ || Watching(highVoltage)) return false;
    // Our procedure is already in its chain (an orphan): calling it again would loop.
    for (const Orphan& o : g_orphans)
        if (o.window == highVoltage) return false;
    SetLastError(0);
    const LONG_PTR previous = SetWindowLongPtrW(highVoltage, GWLP_WNDPROC,
                                                reinterpret_cast<LONG_PTR>(HighVoltageProcedure));
    if (previous == 0 && GetLastError() != 0) return false;
    highVoltage_ = highVoltage;
    highVoltagePrevious_ = reinterpret_cast<WNDPROC>(previous);
    UpdateGain();
    return true;
}

void GainEdit::Detach() {
    if (!highVoltage_) return;
    if (IsWindow(highVoltage_)) {
        const auto ours = reinterpret_cast<LONG_PTR>(HighVoltageProcedure);
        if (GetWindowLongPtrW(highVoltage_, GWLP_WNDPROC) == ours)
            SetWindowLongPtrW(highVoltage_, GWLP_WNDPROC,
                              reinterpret_cast<LONG_PTR>(highVoltagePrevious_));
        else
            g_orphans.push_back({highVoltage_, highVoltagePrevious_});
    }
    highVoltage_ = nullptr;
    highVoltagePrevious_ = nullptr;
}

void GainEdit::Unlink() {
    for (GainEdit** at = &g_gainEdits; *at; at = &(*at)->next_) {
        if (*at == this) {
            *at = next_;
            return;
        }
    }
}

void GainEdit::UpdateGain() {
    if (!highVoltage_ || !window_) return;
    wchar_t voltage[kVoltageStorage] = L"";
    GetWindowTextW(highVoltage_, voltage, kVoltageStorage);
    const long v = std::wcstol(voltage, nullptr, 10);
    const double gain = std::log10(static_cast<double>(v)) * slope_ + offset_;
    std::wstring text = L"off";
    if (v >= 0 && gain >= DBL_MIN && gain <= DBL_MAX) {
        std::vector<wchar_t> formatted(kFormattedRoom, L'\0');
        if (std::swprintf(formatted.data(), formatted.size(), L"%.2f", gain) > 0)
            text.assign(formatted.data());
        if (text.size() > kGainLength) text.resize(kGainLength);
    }
    SetWindowTextW(window_, text.c_str());
}

LRESULT CALLBACK GainEdit::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<GainEdit*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!record) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = record->previous_;
    if (message == WM_NCDESTROY) {
        record->Detach();
        record->Unlink();
        Unsubclass(window, previous);
        SecureZeroMemory(&record->signature_, sizeof record->signature_);
        delete record;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK GainEdit::HighVoltageProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    GainEdit* record = Watching(window);
    WNDPROC previous = record ? record->highVoltagePrevious_ : nullptr;
    if (!record) {
        for (const Orphan& o : g_orphans)
            if (o.window == window) previous = o.previous;
        if (message == WM_NCDESTROY) {
            for (auto it = g_orphans.begin(); it != g_orphans.end(); ++it)
                if (it->window == window) {
                    g_orphans.erase(it);
                    break;
                }
        }
        return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                        : DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The watched window goes first: forget it so nothing points at it.
        record->Detach();
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    const LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);
    if (message == WM_SETTEXT) {
        if (GainEdit* still = Watching(window)) still->UpdateGain();
    }
    return result;
}

} // namespace rvw

RVWINDOW_API int RvPMTGainEdit_IsRvPMTGainEditWindow(uint32_t gainEdit) {
    return rv::Guarded(0, [&] { return rvw::GainEdit::From(rvw::WindowOf(gainEdit)) ? 1 : 0; });
}

RVWINDOW_API int RvPMTGainEdit_SetCalibration(uint32_t gainEdit, double slope, double offset) {
    return rv::Guarded(-1, [&] {
        rvw::GainEdit* edit = rvw::GainEdit::From(rvw::WindowOf(gainEdit));
        if (!edit) return -1;
        edit->SetCalibration(slope, offset);
        return 1;
    });
}

RVWINDOW_API int RvPMTGainEdit_AttachToHighVoltage(uint32_t gainEdit, uint32_t highVoltage) {
    return rv::Guarded(-1, [&] {
        rvw::GainEdit* edit = rvw::GainEdit::From(rvw::WindowOf(gainEdit));
        if (!edit) return -1;
        return edit->AttachTo(rvw::WindowOf(highVoltage)) ? 1 : 0;
    });
}
