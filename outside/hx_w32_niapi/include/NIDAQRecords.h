// Records the host's experiment control passes to a light source, and those
// the light source passes on to the NI-DAQ sequence abstraction.
#pragma once

#include <cstdint>

class CNIDAQAbstraction_AOTF;

// ---- Illumination sequence ----
// One step of a line: its level and when it is applied, in seconds.
struct SKaNidaqIlluminationSequence_Item {
    double level;
    double start;
    double duration;
};

// One line of a device in the host's sequence.
struct SKaNidaqIlluminationSequence_Device {
    int32_t deviceId;
    int32_t line;
    double power; // percent, applied while the sequence runs
    int32_t itemCount;
    const SKaNidaqIlluminationSequence_Item* items;
};

struct SKaNidaqIlluminationSequence_Sequence {
    int32_t deviceCount;
    const SKaNidaqIlluminationSequence_Device* devices;
    double period; // seconds
    int32_t repeats;
    int32_t flags;
};

// One line as the light source hands it to the sequence abstraction.
struct SKaNidaqIlluminationSequence_Entry {
    int32_t deviceId;
    CNIDAQAbstraction_AOTF* abstraction;
    const wchar_t* aoKey;  // NI key of the line's AO port 1, empty when none
    const wchar_t* dioKey; // NI key of the line's DIO line, empty when none
    int32_t line;
    int32_t itemCount;
    const SKaNidaqIlluminationSequence_Item* items;
};

// What the card can do for a sequence.
struct SKaNidaqIlluminationSequence_TriggeringLimits {
    double requestedGranularity; // in: the granularity asked for, seconds
    double granularity;          // the one the card will use
    double smallestStep;         // seconds
    double constant;
    bool supported;
    bool flag2;
    bool flag3;
    int32_t count1;
    int32_t count2;
};

// ---- Veyra experiment ----
struct SKaVeyraItem {
    int32_t line;
    double value;
};

struct SKaVeyraStep {
    int32_t itemCount;
    const SKaVeyraItem* items;
    double z; // piezo position
};

// The host's definition: times in milliseconds.
struct SKaVeyraExperiment {
    int32_t piezoDeviceId; // 0: none
    int32_t stepCount;
    const SKaVeyraStep* steps;
    double exposureMs;
    double delayMs;
    double periodMs;
};

// What the light source hands to the sequence abstraction: lines numbered
// compactly, values 1.0, Z as a voltage, times in seconds, and per output
// kind the keys of the used lines by their new numbers (none when line 0
// has no key of that kind).
struct SVeyraAbstraction_Definition {
    int32_t stepCount;
    const SKaVeyraStep* steps;
    double exposure;
    double delay;
    double period;
    const wchar_t* piezoAOKey; // empty without a piezo
    int32_t lineCount;         // lines used, each key list's length
    const wchar_t* const* ao0Keys;
    const wchar_t* const* ao1Keys;
    const wchar_t* const* ttlKeys;
};
