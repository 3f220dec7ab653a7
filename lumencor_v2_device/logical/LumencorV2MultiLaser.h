// The multi-line light source: the engine's colour lines as one logical device.
#pragma once

#include "KaDeviceMultiLaser.h"
#include "LumencorV2Line.h"

#include <atomic>
#include <cstdint>
#include <utility>
#include <vector>

class CKaLumencorV2Device;

// Wide characters the out buffer of device command 0xC00F (the NI-DAQ card
// key) holds, terminator included.
enum { KA_CARD_KEY_CHARS = 256 };

// A colour channel as the engine's channel map names it.
struct SKaLumencorV2Channel {
    CKaStringA colour;
    uint32_t wavelength = 0;
};

// The lines by channel number, as the engine lists them, taken in one go
// under the data lock.
struct SKaLumencorV2ChannelState {
    int count = 0;
    bool lit[KA_LUMENCOR_MAX_LINES] = {}; // used, with the shutter open
    int32_t intensity[KA_LUMENCOR_MAX_LINES] = {};
    bool switchesChanged = false; // a line's used state or the shutter is marked
    bool powersChanged = false;   // a line's power is marked
    bool anyLit = false;
};

class CKaLumencorV2MultiLaser : public CKaDeviceMultiLaser_Default {
  public:
    explicit CKaLumencorV2MultiLaser(CKaLumencorV2Device* device);
    ~CKaLumencorV2MultiLaser() override;

    // What the host shows and asks of the device (LumencorV2MultiLaser.cpp).
    EDeviceManagerReturnCode GetInterfaceName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceFullName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceDisplayName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetDeviceShortName(CKaStringW& name) override;
    EDeviceManagerReturnCode GetLogDevString(int index, CKaStringW& text) override;
    EDeviceManagerReturnCode GetUserName(CKaStringW& name) override;
    EDeviceManagerReturnCode SetUserName(const wchar_t* name) override;
    bool SupportsSettings() override;
    bool GetCapability(int code) override;
    bool SupportsDeviceCommand() override;
    int GetTypeCode() override;
    EDeviceManagerReturnCode DeviceCommand(int code, int64_t value, void* out) override;
    EDeviceManagerReturnCode GetStatus(int* status) override;
    EDeviceManagerReturnCode GetLineCount(int* count) override;
    EDeviceManagerReturnCode GetLineName(int line, CKaStringW& name) override;
    EDeviceManagerReturnCode GetLineDescription(int line, CKaStringW& text) override;
    EDeviceManagerReturnCode GetLineWavelength(int line, unsigned* wavelength) override;
    EDeviceManagerReturnCode SetLineWavelength(int line, unsigned wavelength) override;
    EDeviceManagerReturnCode GetLineBandwidth(int line, unsigned* bandwidth) override;
    EDeviceManagerReturnCode GetShutterControl(bool* controlled) override;
    EDeviceManagerReturnCode GetOperationMode(int* mode) override;
    EDeviceManagerReturnCode GetSequenceStatus() override;

    // Hardware-timed experiments through the NI-DAQ card (triggering/).
    EDeviceManagerReturnCode SetLineAlternationSequence(const uint32_t* const* lines,
                                                        const double* const* powers,
                                                        int select) override;
    EDeviceManagerReturnCode SetLineAlternationTiming(double a, double b, double c, bool flag,
                                                      const double* values, int count,
                                                      int select) override;
    EDeviceManagerReturnCode SetOperationMode(int mode, int select) override;
    EDeviceManagerReturnCode SetTriggeringStatus(int status) override;
    EDeviceManagerReturnCode SetIlluminationSequence(const void* sequence) override;
    EDeviceManagerReturnCode GetIlluminationSequenceTriggeringLimits(void* limits) override;
    EDeviceManagerReturnCode SetVeyra_Experiment(const void* definition) override;
    bool SupportsAllLines() override;

    // Line used and power (LumencorV2MultiLaserLines.cpp).
    EDeviceManagerReturnCode GetLineUsed(int line, bool* used) override;
    EDeviceManagerReturnCode SetLineUsed(int line, bool used) override;
    EDeviceManagerReturnCode GetPowerLimits(int line, int mode, int scale, int* steps,
                                            int* maximum) override;
    EDeviceManagerReturnCode GetPowerLimits(int line, int* steps, int* maximum) override;
    EDeviceManagerReturnCode SetLinePowerRaw(int line, int mode, int scale, int power,
                                             bool raw) override;
    EDeviceManagerReturnCode SetLinePowerRaw(int line, int power, bool raw) override;
    EDeviceManagerReturnCode GetPowerMode(int* mode) override;
    EDeviceManagerReturnCode ConvertPower(double value, int fromScale, int toScale,
                                          double* converted) override;
    EDeviceManagerReturnCode GetLinePower(int line, int mode, double* percent) override;
    EDeviceManagerReturnCode GetLinePower(int line, double* percent) override;
    EDeviceManagerReturnCode SetLinePower(int line, int mode, double percent) override;
    EDeviceManagerReturnCode SetLinePower(int line, double percent) override;
    EDeviceManagerReturnCode GetAllLines(bool* used, double* percent) override;
    EDeviceManagerReturnCode SetAllLines(const bool* used, const double* percent) override;

    // The light as the shutter lets it out (LumencorV2MultiLaserNotify.cpp).
    EDeviceManagerReturnCode GetLightState(bool* lit, bool* open, bool* anyUsed) override;
    EDeviceManagerReturnCode SwitchLight(bool on, bool* lit, bool* open, bool* anyUsed) override;
    EDeviceManagerReturnCode GetLineLightState(int line, bool* lit, bool* used,
                                               bool* open) override;

    // Reports the lines' state to the host (queued while a batch is open)
    // and to the pad; `line` is the one that changed.
    void Notify(int line);
    // Code-30 notification: whether one line is lit, used and let out.
    void NotifyLineLightState(int line);
    // Code-30 notifications of every used line.
    void NotifyUsedLinesLightState();

    // Line settings (LumencorV2MultiLaserSettings.cpp).
    EDeviceManagerReturnCode GetSettings(CKaStringW& settings) override;
    EDeviceManagerReturnCode SetSettings(const wchar_t* settings) override;

    // Engine value of a power in percent: round(MAXINT x percent / 100),
    // halves away from zero.
    int32_t Intensity(double percent) const;

    // Worker-thread operations: switch a line, set its intensity.
    int32_t C_SetLineUsed(int line, bool on);
    int32_t C_SetLinePower(int line, int32_t value);
    // Sends the marked line changes of a batch (LumencorV2MultiLaserBatch.cpp).
    int32_t C_ExecuteBatch();

    // ---- What the connect, the simulated engine and the pad read and set ----
    // The channel map of a connect: line k gets channel k and the name's
    // colour and wavelength, then the mapped lines are sorted by wavelength.
    void SetChannelMap(const SKaLumencorV2Channel* channels, int count);
    void SetMaxInt(int32_t maxInt) { m_iMaxInt = maxInt; }
    int32_t GetMaxInt() const { return m_iMaxInt; }
    // The line count as it stands (8 before the first connect).
    int32_t GetLineCountValue() const { return m_iNumLines; }
    SKaLumencorV2ChannelState ChannelState();
    // A copy of one line record, taken under the data lock.
    SKaLumencorV2Line GetLineRecord(int line);
    int32_t GetOperationMode() const { return m_eOperationMode; }
    // What the pad sets and takes (LumencorV2MultiLaserPad.cpp): a line's
    // subset membership, and the engine's reported (requested) state of
    // every line as the current one (data lock held).
    void SetLineSubset(int line, bool member);
    void CommitReportedStates();

  private:
    friend class CKaLumencorV2MultiLaserPeer;

    // The record of a line, for code holding the data lock.
    SKaLumencorV2Line& Line(int line);
    bool IsLine(int line) const { return line >= 0 && line < m_iNumLines; }
    // State record of the code-1 notification, under the data lock.
    void FillNotification(int changedLine, SKaDeviceNotification& record);
    // Whether the card's outputs can follow a hardware-timed sequence.
    bool CanPlayWaveforms();
    // Saves every line's power, or puts the saved ones back.
    void SavePowers();
    void RestorePowers();
    void ApplySequencePowers();

    CKaLumencorV2Device* m_pDevice;
    // Main thread.
    void* m_pSequenceOwner = nullptr;
    CKaStringW m_sDisplayName;
    int32_t m_eOperationMode = 0;
    std::vector<std::pair<int, double>> m_savedPowers;
    std::vector<std::pair<int, double>> m_sequencePowers;
    // The last alternation timing by PFI select: its first and third value,
    // in milliseconds; NaN until one is set.
    static const int kPFISelectCount = 4;
    double m_alternationFirst[kPFISelectCount];
    double m_alternationThird[kPFISelectCount];
    // Set by the connect (worker thread), read by every thread after it.
    std::atomic<int32_t> m_iNumLines{KA_LUMENCOR_MAX_LINES};
    std::atomic<int32_t> m_iMaxInt{0};
    // Under the data lock.
    SKaLumencorV2Line m_lines[KA_LUMENCOR_MAX_LINES];
};
