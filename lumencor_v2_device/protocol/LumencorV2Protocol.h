// The light engine's serial protocol: one CR-terminated command, one
// CR-terminated answer beginning "A " (accepted) or "E" (error).
#pragma once

#include <cstdint>

namespace lumencor {

// Serial settings.
const unsigned kBaudRate = 115200;
const unsigned kFallbackBaudRate = 9600;
const char kLineEnd = '\r';
const unsigned kInterCharacterMs = 200, kFirstCharacterMs = 400, kWriteMs = 1000;

// Receive buffers: identity, read-outs and batches get the long one; the
// state, wake-up, TTL and single-line commands the short one.
const int kLongAnswer = 256;
const int kShortAnswer = 64;
// Reads per receive while nothing arrived.
const int kReceiveAttempts = 1;

// "GET STAT" state codes; any other value means awake.
const int32_t kStateStandBy = 6;
const int32_t kStateWakingUp = 7;

// Firmware from 2.1.19 on accepts "WAKEUP" and has stand-by.
const int64_t kWakeUpFirmware = 2001019;

// Host-clock periods, in milliseconds.
constexpr double kKeepAwakeMs = 60000.0;  // the poll wakes a kept-awake engine this often
constexpr double kWakeUpGuardMs = 6000.0; // explicit wake-ups closer than this are ignored
constexpr double kStatePollMs = 1000.0;   // state polls while the engine wakes
// An engine still asleep or waking this long after the first "WAKEUP" is
// given up on. Every command may wake the engine once before it is sent, so
// the bound has to leave most of the 60000 ms release-mode hand-over to the
// command: a third of it leaves 40 s for the command's own exchanges.
constexpr double kWakeUpLimitMs = 20000.0;

// Idle waits of the worker between two polls (about a second).
const int32_t kRefreshPeriod = 200;
const int32_t kNoRefresh = -1;

} // namespace lumencor
