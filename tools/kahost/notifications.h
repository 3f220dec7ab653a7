// Prints the notifications the host receives from the device, then hands
// them to the host's own recorder.
#pragma once

#include "KaDeviceTypes.h"

void PrintingNotificationCallback(int32_t code, const SKaDeviceNotification* record,
                                  int32_t reserved);
// Printing can be switched off; the host's recorder still receives all.
void SetNotificationPrinting(bool on);
