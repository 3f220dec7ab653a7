// Numbers the device manager and a device exchange: device commands,
// capability codes, query keys, type codes, hardware-unit types, image-pool
// entries and control-pad layout slots. Return and notification codes are in
// KaDeviceTypes.h.
#pragma once

// Device commands (`DeviceCommand` code; value and out pointer per command).
enum EKaDeviceCommand : int {
    KA_CMD_GET_CARD_KEY = 0xC00F,        // out: wide NI-DAQ card key
    KA_CMD_GET_STANDBY_MODE = 0xC018,    // out: 32-bit stand-by mode
    KA_CMD_SET_STANDBY_MODE = 0xC019,    // value: stand-by mode
    KA_CMD_WAKE_UP = 0xC01A,             // wakes the engine
    KA_CMD_GET_LINE_IN_SUBSET = 0xC01B,  // value: line; out: bool
    KA_CMD_SET_SEQUENCE_OWNER = 0xC01C,  // out: the owner itself
    KA_CMD_GET_TRIGGERING = 0x13003,     // out: the triggering abstraction
    KA_CMD_GET_SEQUENCE_STATE = 0x13004, // out: 32-bit
    KA_CMD_SET_PAD_ENABLED = 0x13007,    // value: non-zero shows the pad
};

// Capability codes (`GetCapability`). The sequence codes describe what a
// triggered (hardware-timed) sequence of the light source can do.
enum EKaCapability : int {
    KA_CAP_TTL_CONTROL = 16, // lines switched by TTL
    KA_CAP_USB_CONTROL = 17, // lines switched over the serial link
    KA_CAP_SEQUENCE_TRIGGERED = 48,
    KA_CAP_SEQUENCE_49 = 49,
    KA_CAP_SEQUENCE_50 = 50,
    KA_CAP_SEQUENCE_56 = 56,
    KA_CAP_SEQUENCE_TRIGGERED_80 = 80,
    KA_CAP_SEQUENCE_81 = 81,
    KA_CAP_SEQUENCE_82 = 82,
    KA_CAP_SEQUENCE_84 = 84,
    KA_CAP_SEQUENCE_85 = 85,
    KA_CAP_SEQUENCE_86 = 86,
    KA_CAP_SHUTTER_TRIGGERED = 129,
    KA_CAP_HARDWARE_SEQUENCING = 225,
};

// Keys of `QueryValue`.
enum EKaQueryKey : int {
    KA_QUERY_DIRECT_TTL_MODEL = 0x14014, // 0 for an engine with direct TTL, else -1
};

// Logical-device type code of light sources and their shutters.
enum { KA_TYPE_CODE_LIGHT_SOURCE = 16 };

// Hardware-unit types (`GetHWUnits`).
enum EKaHWUnitType : int { KA_HWUNIT_SPECTRA3 = 164, KA_HWUNIT_CELESTA_ZIVA = 170 };

// Entry of the host's common image pool shown with a light-source pad.
enum { KA_IMAGE_LIGHT_SOURCE_PAD = 1002 };

// Column and row slot of a device pad in the host's control pad.
enum { KA_PAD_LAYOUT_COLUMN = 4, KA_PAD_LAYOUT_ROW = 5 };

// Kind of bus a serial device reports (`GetBusInfo`).
enum { KA_BUS_KIND_SERIAL = 1 };
