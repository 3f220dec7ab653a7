#include "LumencorV2Names.h"

#include "LumencorV2Types.h"

const wchar_t* LumencorV2ModelName(int32_t modelType) {
    static const wchar_t* const names[] = {L"SpectraIII", L"Celesta", L"Ziva"};
    return modelType >= KA_MODEL_SPECTRA3 && modelType <= KA_MODEL_ZIVA ? names[modelType]
                                                                        : names[0];
}

void LumencorV2LogDevString(int index, int32_t modelType, const wchar_t* suffix,
                            const wchar_t* kind, CKaStringW& text) {
    switch (index) {
    case 1:
        text = LumencorV2ModelName(modelType);
        text += L" ";
        text += suffix;
        break;
    case 2:
        text = LumencorV2ModelName(modelType);
        break;
    case 3:
        text = kind;
        break;
    default:
        text.Empty();
    }
}
