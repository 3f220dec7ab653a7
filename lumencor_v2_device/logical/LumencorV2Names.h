// Names of the logical devices by model type.
#pragma once

#include "KaString.h"

#include <cstdint>

// Short name of a model type: "SpectraIII", "Celesta" or "Ziva".
const wchar_t* LumencorV2ModelName(int32_t modelType);
// A logical device's string by index: 1 "<model> <suffix>" (its full name),
// 2 the model's short name, 3 `kind`, any other index empty.
void LumencorV2LogDevString(int index, int32_t modelType, const wchar_t* suffix,
                            const wchar_t* kind, CKaStringW& text);
