// The PMT gain edit ("RvPMTGainEdit"): shows the gain of a photomultiplier
// computed from the high voltage typed into another window it watches.
#pragma once

#include "rv_memory.h"

#include <windows.h>

namespace rvw {

constexpr rv::Signature kGainEditSignature{0x4e47a3f71ae3738aull, 0x8015f716558138bdull};

class GainEdit {
  public:
    static int Init(HWND window);
    static GainEdit* From(HWND window);

    void SetCalibration(double slope, double offset);
    // False when the window cannot be watched (not a window of this
    // process, this edit itself, or already watched by another gain edit).
    bool AttachTo(HWND highVoltage);

  private:
    GainEdit() = default;
    static LRESULT CALLBACK Procedure(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK HighVoltageProcedure(HWND, UINT, WPARAM, LPARAM);
    // The gain edit watching `highVoltage`, or null.
    static GainEdit* Watching(HWND highVoltage);
    void Detach();
    void Unlink();
    void UpdateGain();

    rv::Signature signature_ = kGainEditSignature;
    // The edit itself.
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
    // The high-voltage window it watches.
    HWND highVoltage_ = nullptr;
    WNDPROC highVoltagePrevious_ = nullptr;
    // gain = log10(high voltage) x slope + offset
    double slope_ = 7.0;
    double offset_ = -10.0;
    // Every gain edit of the process, newest first.
    GainEdit* next_ = nullptr;
};

} // namespace rvw
