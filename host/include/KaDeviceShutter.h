// The shutter interface in table order, and its host default.
#pragma once

#include "KaLogicalDevice.h"

class IKaDeviceShutter : public virtual IKaLogicalDevice {
  public:
    virtual EDeviceManagerReturnCode GetSwitchTime(double* ms) = 0;
    virtual EDeviceManagerReturnCode GetShutterState(bool* open) = 0;
    virtual EDeviceManagerReturnCode SetShutterState(bool open) = 0;
    virtual EDeviceManagerReturnCode GetActive(bool* active) = 0;
    virtual EDeviceManagerReturnCode UpdateShutterPad() = 0;
    virtual bool HasShutterIndexes() = 0;
    virtual EDeviceManagerReturnCode GetShutterStateEx(int index, bool* open) = 0;
    virtual EDeviceManagerReturnCode SetShutterStateEx(int index, bool open) = 0;
    virtual EDeviceManagerReturnCode GetShutterSpeed(int index, double* ms) = 0;
    virtual EDeviceManagerReturnCode SetShutterSpeed(int index, double ms) = 0;
    virtual EDeviceManagerReturnCode GetShutterName(CKaStringW& name) = 0;
    virtual EDeviceManagerReturnCode SetShutterName(const wchar_t* name) = 0;
    virtual bool IsValidShutterIndex(int index) = 0;
    virtual EDeviceManagerReturnCode GetShutterIndexCount(int* count) = 0;
    virtual EDeviceManagerReturnCode CheckShutterIndex(int index) = 0;
    virtual EDeviceManagerReturnCode GetShutterPosition(int index, int* position) = 0;
    virtual EDeviceManagerReturnCode SetShutterPosition(int index, int position) = 0;
    virtual EDeviceManagerReturnCode GetShutterPositionCount(int index, int* count) = 0;
    virtual EDeviceManagerReturnCode GetShutterPositionName(int index, int position,
                                                            CKaStringW& name) = 0;
    virtual bool SupportsShutterType() = 0;
    virtual EDeviceManagerReturnCode GetShutterType(int* type) = 0;
    virtual EDeviceManagerReturnCode SetShutterType(int type) = 0;
    virtual EDeviceManagerReturnCode SetAlternationSequence(const void* sequence) = 0;
    virtual EDeviceManagerReturnCode UpdateAlternationSequence() = 0;
    virtual EDeviceManagerReturnCode SetOperationMode(int mode) = 0;
    virtual EDeviceManagerReturnCode GetOperationMode(int* mode) = 0;
    virtual EDeviceManagerReturnCode SetLineAlternationTiming(double a, double b, double c) = 0;
    virtual EDeviceManagerReturnCode SetTriggeringStatus(int status) = 0;
    virtual EDeviceManagerReturnCode SetIlluminationSequence(const void* sequence) = 0;
    virtual EDeviceManagerReturnCode UpdateIlluminationSequencePowers(const void* sequence) = 0;
    virtual EDeviceManagerReturnCode GetIlluminationSequenceTriggeringLimits(void* limits) = 0;
    virtual EDeviceManagerReturnCode GetIlluminationSequenceSwitchingSpeed(double* speed) = 0;
    virtual bool IsControlledBy(const int* logDevIds, int count) = 0;
    virtual EDeviceManagerReturnCode GetTimeNeededForSwitch(bool open, double* ms) = 0;
};

class HX_DM_API CKaDeviceShutter_Default : public CKaLogicalDevice_Default,
                                           public IKaDeviceShutter {
  public:
    CKaDeviceShutter_Default();
    ~CKaDeviceShutter_Default() override;

    EDeviceManagerReturnCode GetSwitchTime(double* ms) override;
    EDeviceManagerReturnCode GetShutterState(bool* open) override;
    EDeviceManagerReturnCode SetShutterState(bool open) override;
    EDeviceManagerReturnCode GetActive(bool* active) override;
    EDeviceManagerReturnCode UpdateShutterPad() override;
    bool HasShutterIndexes() override;
    EDeviceManagerReturnCode GetShutterStateEx(int index, bool* open) override;
    EDeviceManagerReturnCode SetShutterStateEx(int index, bool open) override;
    EDeviceManagerReturnCode GetShutterSpeed(int index, double* ms) override;
    EDeviceManagerReturnCode SetShutterSpeed(int index, double ms) override;
    EDeviceManagerReturnCode GetShutterName(CKaStringW& name) override;
    EDeviceManagerReturnCode SetShutterName(const wchar_t* name) override;
    bool IsValidShutterIndex(int index) override;
    EDeviceManagerReturnCode GetShutterIndexCount(int* count) override;
    EDeviceManagerReturnCode CheckShutterIndex(int index) override;
    EDeviceManagerReturnCode GetShutterPosition(int index, int* position) override;
    EDeviceManagerReturnCode SetShutterPosition(int index, int position) override;
    EDeviceManagerReturnCode GetShutterPositionCount(int index, int* count) override;
    EDeviceManagerReturnCode GetShutterPositionName(int index, int position,
                                                    CKaStringW& name) override;
    bool SupportsShutterType() override;
    EDeviceManagerReturnCode GetShutterType(int* type) override;
    EDeviceManagerReturnCode SetShutterType(int type) override;
    EDeviceManagerReturnCode SetAlternationSequence(const void* sequence) override;
    EDeviceManagerReturnCode UpdateAlternationSequence() override;
    EDeviceManagerReturnCode SetOperationMode(int mode) override;
    EDeviceManagerReturnCode GetOperationMode(int* mode) override;
    EDeviceManagerReturnCode SetLineAlternationTiming(double a, double b, double c) override;
    EDeviceManagerReturnCode SetTriggeringStatus(int status) override;
    EDeviceManagerReturnCode SetIlluminationSequence(const void* sequence) override;
    EDeviceManagerReturnCode UpdateIlluminationSequencePowers(const void* sequence) override;
    EDeviceManagerReturnCode GetIlluminationSequenceTriggeringLimits(void* limits) override;
    EDeviceManagerReturnCode GetIlluminationSequenceSwitchingSpeed(double* speed) override;
    bool IsControlledBy(const int* logDevIds, int count) override;
    EDeviceManagerReturnCode GetTimeNeededForSwitch(bool open, double* ms) override;
};
