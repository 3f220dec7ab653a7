// The host's NI-DAQ module as a light-source driver sees it: the NI-DAQmx
// start-up, the engine with its cards, resources (analog outputs, digital
// lines, PFI terminals) and abstractions (a light source's lines, the card's
// multi-excitation and sequence timing, a piezo Z drive).
#pragma once

#include "NIDAQRecords.h"

#include <cstdint>
#include <string>
#include <vector>

#ifdef HX_W32_NIAPI_EXPORTS
#define HX_NIAPI_API __declspec(dllexport)
#else
#define HX_NIAPI_API __declspec(dllimport)
#endif

class CNIDAQEngine;
class CNIDAQAbstractions;

// Abstraction types the engine makes per card.
enum ENIDAQAbstractionType {
    NIDAQ_ABSTRACTION_AOTF = 1,
    NIDAQ_ABSTRACTION_PIEZO_Z = 7,
    NIDAQ_ABSTRACTION_MULTIEXCITATION = 17,
    NIDAQ_ABSTRACTION_SEQUENCE = 31,
};

// Resource kinds, as the configuration's resource lists ask for them.
enum ENIDAQResourceType {
    NIDAQ_RESOURCE_AO_PORT = 5,
    NIDAQ_RESOURCE_DIO_LINE = 11,
    NIDAQ_RESOURCE_PFI_TERMINAL = 13,
};

// ---- Resources: one output or terminal of a card, named by its NI key ----
class HX_NIAPI_API CNIDAQResource {
  public:
    CNIDAQResource(const wchar_t* niKey, int type);
    virtual ~CNIDAQResource();
    CNIDAQResource(const CNIDAQResource&) = delete;
    CNIDAQResource& operator=(const CNIDAQResource&) = delete;
    // "Dev1/port0/line3", "Dev1/ao1", "Dev1/PFI2": the key GetResource takes.
    const wchar_t* GetNIKey() const;
    int GetType() const;

  private:
    std::wstring m_key;
    int m_type;
};

class HX_NIAPI_API CNIDAQResource_AOPort : public CNIDAQResource {
  public:
    explicit CNIDAQResource_AOPort(const wchar_t* niKey);
};

class HX_NIAPI_API CNIDAQResource_DIOLine : public CNIDAQResource {
  public:
    CNIDAQResource_DIOLine(const wchar_t* niKey, bool waveformEnable);
    // Whether the line can play hardware-timed waveforms.
    bool GetBoolWaveformEnable() const;

  private:
    bool m_waveformEnable;
};

class HX_NIAPI_API CNIDAQResource_PFITerminal : public CNIDAQResource {
  public:
    explicit CNIDAQResource_PFITerminal(const wchar_t* niKey);
};

// ---- Abstractions ----
// An item of a keyed collection.
template <class Item, class Collection> class CObjPtrStrKeyCollectionItem {
  public:
    virtual void KeyChanged() {}
    virtual ~CObjPtrStrKeyCollectionItem() = default;
    const wchar_t* GetKey() const { return m_key.c_str(); }

  protected:
    explicit CObjPtrStrKeyCollectionItem(const wchar_t* key) : m_key(key ? key : L"") {}
    std::wstring m_key;
};

class HX_NIAPI_API CNIDAQAbstraction
    : public CObjPtrStrKeyCollectionItem<CNIDAQAbstraction, CNIDAQAbstractions> {
  public:
    CNIDAQAbstraction(CNIDAQEngine* engine, const wchar_t* key, int type, const wchar_t* card);
    ~CNIDAQAbstraction() override;
    virtual bool Serialize(void* node);
    virtual bool Deserialize(void* node);
    virtual bool GetConfigured();
    virtual bool GetOpened();
    int GetType() const;
    const wchar_t* GetCardKey() const;

  protected:
    CNIDAQEngine* m_engine;
    int m_type;
    std::wstring m_card;
    bool m_opened = false;
};

// One line of a light source: a digital line, two analog ports, a state.
class HX_NIAPI_API CNIDAQAbstraction_AOTFLine {
  public:
    CNIDAQAbstraction_AOTFLine(const std::wstring* owner, int index);
    void SetResource_DIOLine(CNIDAQResource_DIOLine* resource);
    void SetResource_AOPort0(CNIDAQResource_AOPort* resource);
    void SetResource_AOPort1(CNIDAQResource_AOPort* resource);
    CNIDAQResource_DIOLine* GetResource_DIOLine() const;
    CNIDAQResource_AOPort* GetResource_AOPort1() const;
    // NI keys of the assigned resources, empty when unassigned.
    const wchar_t* GetNIKeyAO0() const;
    const wchar_t* GetNIKeyAO1() const;
    const wchar_t* GetNIKeyTTL() const;
    // Drives the line's output (digital or analog, as the abstraction says).
    void SetState(bool on);
    bool GetState() const;

  private:
    const std::wstring* m_owner;
    int m_index;
    CNIDAQResource_DIOLine* m_dio = nullptr;
    CNIDAQResource_AOPort* m_ao0 = nullptr;
    CNIDAQResource_AOPort* m_ao1 = nullptr;
    bool m_state = false;
};

// A light source's lines, created by the light-source driver itself.
class HX_NIAPI_API CNIDAQAbstraction_AOTF : public CNIDAQAbstraction {
  public:
    CNIDAQAbstraction_AOTF(CNIDAQEngine* engine, const wchar_t* key, void* configurationNode);
    ~CNIDAQAbstraction_AOTF() override;
    virtual bool Open();
    virtual void Close();
    virtual void FillNIDAQKey(std::wstring& key);

    void SetLineCount(int count, bool keepResources);
    int GetLineCount() const;
    // Null for an index out of range.
    CNIDAQAbstraction_AOTFLine* GetLine(int index);
    CNIDAQResource_DIOLine* GetLineResource_DIOLine(int index);
    void SetShutterState(bool open);
    void SetAOTFControl(int control);
    void SetTTLControlAsAnalog(bool analog);
    bool GetTTLControlAsAnalog() const;

  private:
    std::vector<CNIDAQAbstraction_AOTFLine*> m_lines;
    bool m_analog = false;
};

// A card's camera-triggered switching of light-source lines.
class HX_NIAPI_API CNIDAQAbstraction_Multiexcitation : public CNIDAQAbstraction {
  public:
    CNIDAQAbstraction_Multiexcitation(CNIDAQEngine* engine, const wchar_t* card);
    // PFI terminals by select (0 and 1).
    void SetResource_PFITerminal(CNIDAQResource_PFITerminal* resource, int select);
    CNIDAQResource_PFITerminal* GetResource_PFITerminal(int select) const;
    // Seconds since 1970 of the terminals' last configuration.
    uint32_t GetPFITimeStampLastConfiguration() const;
    void SetPFITimeStampLastConfiguration(uint32_t seconds);
    void SetFlagMayMovePiezoZ(bool may);
    bool GetFlagMayMovePiezoZ() const;
    void SetOperationMode(int mode, int flag, bool analog);
    void SetOperationModePrepare(CNIDAQAbstraction_AOTF* lines, int flag);
    void SetTriggerSourcePFISelect(int select);
    // `lines`: null-terminated steps, each ended by 0xFFFFFFFF.
    void SetLineAlternationSequence(CNIDAQAbstraction_AOTF* lines, const uint32_t* const* steps,
                                    void* reserved);
    void SetLineAlternationTiming(double a, double b, double c, bool flag, const double* values,
                                  int count, int select);
    void SetTriggeringStatus(int status);
    // Whether another device already uses the card for triggering.
    bool GetCardOccupied() const;
    void SetCardOccupied(bool occupied);

  private:
    CNIDAQResource_PFITerminal* m_terminals[2] = {nullptr, nullptr};
    uint32_t m_timeStamp = 0;
    bool m_mayMovePiezoZ = false;
    bool m_occupied = false;
};

// A card's hardware-timed sequences: illumination sequences, follow-exposure
// mode, Veyra experiments.
class HX_NIAPI_API CNIDAQAbstraction_Sequence : public CNIDAQAbstraction {
  public:
    CNIDAQAbstraction_Sequence(CNIDAQEngine* engine, const wchar_t* card);
    void PrepareIlluminationSequence(int deviceId);
    void SetIlluminationSequence(const SKaNidaqIlluminationSequence_Entry* entries, int count,
                                 double period, int repeats, int flags);
    void SetOperationMode(int mode);
    void SetAndStartFollowExposureMode(CNIDAQAbstraction_AOTF* lines, int flag, int select,
                                       double a, double c, int deviceId);
    void StopFollowExposureMode();
    void FollowExposureModeTimingChanged(double a, double b, bool flag);
    int GetTriggerSourceCurrentlyUsed() const;
    void SetTriggerSourceCurrentlyUsed(int select);
    double GetExpectedGranularity(double requested) const;
    void SetVeyraExperiment(const SVeyraAbstraction_Definition& definition);

  private:
    int m_triggerSource = 0;
};

// A piezo Z drive on an analog output, with its calibration.
class HX_NIAPI_API CNIDAQAbstraction_PiezoZ : public CNIDAQAbstraction {
  public:
    CNIDAQAbstraction_PiezoZ(CNIDAQEngine* engine, const wchar_t* key, CNIDAQResource_AOPort* ao,
                             double lowVoltage, double highVoltage, double lowPosition,
                             double highPosition);
    CNIDAQResource_AOPort* GetResource_AOPort() const;
    double GetLowVoltage() const;
    double GetHighVoltage() const;
    double GetLowPosition() const;
    double GetHighPosition() const;

  private:
    CNIDAQResource_AOPort* m_ao;
    double m_lowVoltage, m_highVoltage, m_lowPosition, m_highPosition;
};

// ---- The engine: the cards and everything on them ----
class HX_NIAPI_API CNIDAQEngine {
  public:
    CNIDAQEngine();
    ~CNIDAQEngine();
    CNIDAQEngine(const CNIDAQEngine&) = delete;
    CNIDAQEngine& operator=(const CNIDAQEngine&) = delete;

    // Opens the cards NI-DAQmx reports; false when there are none.
    bool Open();
    // Opens the simulated cards.
    bool OpenSimulator();
    bool IsOpen() const;
    // Makes each card's multi-excitation and sequence abstractions.
    void CreateCardsAbstractions();
    // The resource with this NI key, or null.
    CNIDAQResource* GetResource(const wchar_t* niKey) const;
    // The card's abstraction of a type, or null.
    CNIDAQAbstraction* GetAbstraction(const wchar_t* cardKey, int type) const;
    int GetAbstractionCount(int type) const;
    CNIDAQAbstraction* GetAbstraction(int index, int type) const;
    // The PFI terminal text a camera needs for a select, empty when none.
    std::wstring GetPFIsForCameraString(int select) const;
    // The NI names of the cards ("Dev1", ...).
    std::vector<std::wstring> GetDeviceList() const;
    // Resources of a kind on a card, in the card's order: line0 to line31,
    // ao0 to ao3, PFI0 to PFI15 (numerically, as a resource list shows them).
    std::vector<CNIDAQResource*> GetResources(const wchar_t* cardKey, int type) const;
    // Whether a predefined breakout box suits a card's product type.
    static bool IsCardSupportedForPredefinedBreakoutBox(int boxType, const wchar_t* productType);
    // Adds an abstraction the engine did not make itself (a piezo drive).
    void AddAbstraction(CNIDAQAbstraction* abstraction);

  private:
    void OpenCards(bool simulated);
    void Clear();

    bool m_open = false;
    std::vector<std::wstring> m_cards;
    std::vector<CNIDAQResource*> m_resources;
    std::vector<CNIDAQAbstraction*> m_abstractions;
};

// NI-DAQmx itself: present or not; the simulator stands in when it is not.
HX_NIAPI_API bool NIDAQmx_Init();
HX_NIAPI_API void NIDAQmx_InitSimulator();
HX_NIAPI_API void NIDAQmx_Done();
// The process's engine, made on first use; Done releases one use.
HX_NIAPI_API CNIDAQEngine* NIDAQEngine_Init();
HX_NIAPI_API void NIDAQEngine_Done();
// The card's product type text; with a null buffer (or size 0) the length
// the text needs, terminator included. Negative for an unknown card.
extern "C" HX_NIAPI_API int32_t DAQmxGetDevProductType(const char* device, char* data,
                                                       uint32_t size);
