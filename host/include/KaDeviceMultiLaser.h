// The multi-line light source interface in table order, and its host default.
#pragma once

#include "KaLogicalDevice.h"

class IKaDeviceMultiLaser : public virtual IKaLogicalDevice {
  public:
    virtual EDeviceManagerReturnCode GetStatus(int* status) = 0;
    virtual EDeviceManagerReturnCode GetLineCount(int* count) = 0;
    virtual EDeviceManagerReturnCode GetLineName(int line, CKaStringW& name) = 0;
    virtual EDeviceManagerReturnCode GetLineDescription(int line, CKaStringW& text) = 0;
    virtual EDeviceManagerReturnCode GetLineUsed(int line, bool* used) = 0;
    virtual EDeviceManagerReturnCode SetLineUsed(int line, bool used) = 0;
    virtual EDeviceManagerReturnCode GetLaserOnOffStatus(int line, int* status) = 0;
    virtual EDeviceManagerReturnCode GetPowerLimits(int line, int mode, int scale, int* steps,
                                                    int* maximum) = 0;
    virtual EDeviceManagerReturnCode GetPowerLimits(int line, int* steps, int* maximum) = 0;
    virtual EDeviceManagerReturnCode SetLinePowerRaw(int line, int mode, int scale, int power,
                                                     bool raw) = 0;
    virtual EDeviceManagerReturnCode SetLinePowerRaw(int line, int power, bool raw) = 0;
    virtual EDeviceManagerReturnCode GetPowerMode(int* mode) = 0;
    virtual EDeviceManagerReturnCode ConvertPower(double value, int fromScale, int toScale,
                                                  double* converted) = 0;
    virtual EDeviceManagerReturnCode GetPowerScale(int* scale) = 0;
    virtual EDeviceManagerReturnCode GetLinePower(int line, int mode, double* percent) = 0;
    virtual EDeviceManagerReturnCode GetLinePower(int line, double* percent) = 0;
    virtual EDeviceManagerReturnCode SetLinePower(int line, int mode, double percent) = 0;
    virtual EDeviceManagerReturnCode SetLinePower(int line, double percent) = 0;
    virtual EDeviceManagerReturnCode GetLineWavelength(int line, unsigned* wavelength) = 0;
    virtual EDeviceManagerReturnCode SetLineWavelength(int line, unsigned wavelength) = 0;
    virtual EDeviceManagerReturnCode GetWavelengthRange(int line, unsigned* low,
                                                        unsigned* high) = 0;
    virtual EDeviceManagerReturnCode GetLineBandwidth(int line, unsigned* bandwidth) = 0;
    virtual EDeviceManagerReturnCode GetShutterControl(bool* controlled) = 0;
    virtual EDeviceManagerReturnCode SetLineAlternationSequence(const uint32_t* const* lines,
                                                                const double* const* powers,
                                                                int select) = 0;
    virtual EDeviceManagerReturnCode SetLineAlternationTiming(double a, double b, double c,
                                                              bool flag, const double* values,
                                                              int count, int select) = 0;
    virtual EDeviceManagerReturnCode SetOperationMode(int mode, int select) = 0;
    virtual EDeviceManagerReturnCode UpdateLineAlternationSequence() = 0;
    virtual EDeviceManagerReturnCode SetDontSyncPowerWhileLineAlternationSequence(bool on) = 0;
    virtual EDeviceManagerReturnCode StartAdvancedAlternationSequence() = 0;
    virtual EDeviceManagerReturnCode StopAdvancedAlternationSequence() = 0;
    virtual EDeviceManagerReturnCode GetOperationMode(int* mode) = 0;
    virtual EDeviceManagerReturnCode SetTriggeringStatus(int status) = 0;
    virtual EDeviceManagerReturnCode SetIlluminationSequence(const void* sequence) = 0;
    virtual EDeviceManagerReturnCode GetIlluminationSequenceTriggeringLimits(void* limits) = 0;
    virtual EDeviceManagerReturnCode GetSequenceStatus() = 0;
    virtual bool SupportsAllLines() = 0;
    virtual EDeviceManagerReturnCode GetAllLines(bool* used, double* percent) = 0;
    virtual EDeviceManagerReturnCode SetAllLines(const bool* used, const double* percent) = 0;
    virtual EDeviceManagerReturnCode GetMaximumLineAlternationSequenceLength(int* length) = 0;
    virtual EDeviceManagerReturnCode SetNDFilterUsed(int line, bool used) = 0;
    virtual EDeviceManagerReturnCode GetNDFilterUsed(int line, bool* used) = 0;
    virtual EDeviceManagerReturnCode SetNDFilterState(int line, int state) = 0;
    virtual EDeviceManagerReturnCode GetNDFilterState(int line, int* state) = 0;
    virtual EDeviceManagerReturnCode GetNDFilterControllable(int line, bool* controllable) = 0;
    virtual EDeviceManagerReturnCode GetLightState(bool* lit, bool* open, bool* anyUsed) = 0;
    virtual EDeviceManagerReturnCode SwitchLight(bool on, bool* lit, bool* open, bool* anyUsed) = 0;
    virtual EDeviceManagerReturnCode GetLineLightState(int line, bool* lit, bool* used,
                                                       bool* open) = 0;
    virtual EDeviceManagerReturnCode SetVeyra_Experiment(const void* definition) = 0;
    virtual EDeviceManagerReturnCode UpdateIlluminationSequencePowers(const void* sequence) = 0;
    virtual EDeviceManagerReturnCode GetIlluminationSequenceSwitchingSpeed(double* speed) = 0;
    virtual EDeviceManagerReturnCode SetFollowExposureMode(bool on) = 0;
    virtual EDeviceManagerReturnCode SetStimulationSequence(const void* sequence) = 0;
    virtual EDeviceManagerReturnCode SetGalvoExperiment(const void* experiment) = 0;
    virtual EDeviceManagerReturnCode GetPhysicalLinesTable(void* table) = 0;
    virtual EDeviceManagerReturnCode SetStimulationPreset(int preset) = 0;
    virtual EDeviceManagerReturnCode GetStimulationPreset(int* preset) = 0;
    virtual EDeviceManagerReturnCode Notify_PresetChanged() = 0;
    virtual EDeviceManagerReturnCode UpdateAssociatedStimulationDeviceProxy(void* proxy) = 0;
};

class HX_DM_API CKaDeviceMultiLaser_Default : public CKaLogicalDevice_Default,
                                              public IKaDeviceMultiLaser {
  public:
    CKaDeviceMultiLaser_Default();
    ~CKaDeviceMultiLaser_Default() override;

    EDeviceManagerReturnCode GetStatus(int* status) override;
    EDeviceManagerReturnCode GetLineCount(int* count) override;
    EDeviceManagerReturnCode GetLineName(int line, CKaStringW& name) override;
    EDeviceManagerReturnCode GetLineDescription(int line, CKaStringW& text) override;
    EDeviceManagerReturnCode GetLineUsed(int line, bool* used) override;
    EDeviceManagerReturnCode SetLineUsed(int line, bool used) override;
    EDeviceManagerReturnCode GetLaserOnOffStatus(int line, int* status) override;
    EDeviceManagerReturnCode GetPowerLimits(int line, int mode, int scale, int* steps,
                                            int* maximum) override;
    EDeviceManagerReturnCode GetPowerLimits(int line, int* steps, int* maximum) override;
    EDeviceManagerReturnCode SetLinePowerRaw(int line, int mode, int scale, int power,
                                             bool raw) override;
    EDeviceManagerReturnCode SetLinePowerRaw(int line, int power, bool raw) override;
    EDeviceManagerReturnCode GetPowerMode(int* mode) override;
    EDeviceManagerReturnCode ConvertPower(double value, int fromScale, int toScale,
                                          double* converted) override;
    EDeviceManagerReturnCode GetPowerScale(int* scale) override;
    EDeviceManagerReturnCode GetLinePower(int line, int mode, double* percent) override;
    EDeviceManagerReturnCode GetLinePower(int line, double* percent) override;
    EDeviceManagerReturnCode SetLinePower(int line, int mode, double percent) override;
    EDeviceManagerReturnCode SetLinePower(int line, double percent) override;
    EDeviceManagerReturnCode GetLineWavelength(int line, unsigned* wavelength) override;
    EDeviceManagerReturnCode SetLineWavelength(int line, unsigned wavelength) override;
    EDeviceManagerReturnCode GetWavelengthRange(int line, unsigned* low, unsigned* high) override;
    EDeviceManagerReturnCode GetLineBandwidth(int line, unsigned* bandwidth) override;
    EDeviceManagerReturnCode GetShutterControl(bool* controlled) override;
    EDeviceManagerReturnCode SetLineAlternationSequence(const uint32_t* const* lines,
                                                        const double* const* powers,
                                                        int select) override;
    EDeviceManagerReturnCode SetLineAlternationTiming(double a, double b, double c, bool flag,
                                                      const double* values, int count,
                                                      int select) override;
    EDeviceManagerReturnCode SetOperationMode(int mode, int select) override;
    EDeviceManagerReturnCode UpdateLineAlternationSequence() override;
    EDeviceManagerReturnCode SetDontSyncPowerWhileLineAlternationSequence(bool on) override;
    EDeviceManagerReturnCode StartAdvancedAlternationSequence() override;
    EDeviceManagerReturnCode StopAdvancedAlternationSequence() override;
    EDeviceManagerReturnCode GetOperationMode(int* mode) override;
    EDeviceManagerReturnCode SetTriggeringStatus(int status) override;
    EDeviceManagerReturnCode SetIlluminationSequence(const void* sequence) override;
    EDeviceManagerReturnCode GetIlluminationSequenceTriggeringLimits(void* limits) override;
    EDeviceManagerReturnCode GetSequenceStatus() override;
    bool SupportsAllLines() override;
    EDeviceManagerReturnCode GetAllLines(bool* used, double* percent) override;
    EDeviceManagerReturnCode SetAllLines(const bool* used, const double* percent) override;
    EDeviceManagerReturnCode GetMaximumLineAlternationSequenceLength(int* length) override;
    EDeviceManagerReturnCode SetNDFilterUsed(int line, bool used) override;
    EDeviceManagerReturnCode GetNDFilterUsed(int line, bool* used) override;
    EDeviceManagerReturnCode SetNDFilterState(int line, int state) override;
    EDeviceManagerReturnCode GetNDFilterState(int line, int* state) override;
    EDeviceManagerReturnCode GetNDFilterControllable(int line, bool* controllable) override;
    EDeviceManagerReturnCode GetLightState(bool* lit, bool* open, bool* anyUsed) override;
    EDeviceManagerReturnCode SwitchLight(bool on, bool* lit, bool* open, bool* anyUsed) override;
    EDeviceManagerReturnCode GetLineLightState(int line, bool* lit, bool* used,
                                               bool* open) override;
    EDeviceManagerReturnCode SetVeyra_Experiment(const void* definition) override;
    EDeviceManagerReturnCode UpdateIlluminationSequencePowers(const void* sequence) override;
    EDeviceManagerReturnCode GetIlluminationSequenceSwitchingSpeed(double* speed) override;
    EDeviceManagerReturnCode SetFollowExposureMode(bool on) override;
    EDeviceManagerReturnCode SetStimulationSequence(const void* sequence) override;
    EDeviceManagerReturnCode SetGalvoExperiment(const void* experiment) override;
    EDeviceManagerReturnCode GetPhysicalLinesTable(void* table) override;
    EDeviceManagerReturnCode SetStimulationPreset(int preset) override;
    EDeviceManagerReturnCode GetStimulationPreset(int* preset) override;
    EDeviceManagerReturnCode Notify_PresetChanged() override;
    EDeviceManagerReturnCode UpdateAssociatedStimulationDeviceProxy(void* proxy) override;
};
