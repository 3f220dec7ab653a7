// The module's registration records ("ver6IDX") and version records
// ("ver6ID"), read by the host before it constructs a device.
#include "LumencorV2Device.h"
#include "ModuleSection.h"

extern "C" IKaInterface* KA_ConstructorForCKaLumencorV2Device(const char* file, unsigned line);
extern "C" IKaInterface* KA_ConstructorForCKaLumencorV2DeviceSim(const char* file, unsigned line);

#define KA_PARENT(n) L"<m_parent" #n L" runtype=\"CKaStringW\" value=\"\"/>"
#define KA_CLASS_XML                                                                               \
    L"<variant version=\"1.0\"><CKaLumencorV2Device runtype=\"RKaRttiClass\">"                     \
    L"<m_parent1 runtype=\"CKaStringW\" value=\"IKaPhysicalDevice\"/>" KA_PARENT(2) KA_PARENT(3)   \
        KA_PARENT(4) KA_PARENT(5) KA_PARENT(6) KA_PARENT(7) KA_PARENT(8)                           \
            KA_PARENT(9) L"</CKaLumencorV2Device></variant>"
#define KA_DRIVER_XML                                                                              \
    L"<variant version=\"1.0\"><CKaLumencorV2Device runtype=\"CKaListVariant\">"                   \
    L"<m_version runtype=\"ka_int32\" value=\"32\"/>"                                              \
    L"<m_shortName runtype=\"CKaStringW\" value=\"SpectraIII/Celesta/Ziva\"/>"                     \
    L"<m_fullName runtype=\"CKaStringW\" value=\"Lumencor SpectraIII/Celesta/Ziva\"/>"             \
    L"<m_versionApp runtype=\"CKaStringW\" value=\"8, 4206, 1822, 1\"/>"                           \
    L"</CKaLumencorV2Device></variant>"

#define KA_VERSION_XML(key, value)                                                                 \
    L"<variant version=\"1.0\"><" key L" runtype=\"CKaStringW\" value=\"" value L"\"/></variant>"

#define KA_WSIZE(text) (sizeof(text) / sizeof(wchar_t))

namespace {

struct SClassSection {
    SKaRTTIClass m_classes[2];
    wchar_t m_classXml[KA_WSIZE(KA_CLASS_XML)];
    wchar_t m_driverXml[KA_WSIZE(KA_DRIVER_XML)];
};

#define KA_NO_PARENTS nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr

KA_DATA_SECTION("ver6IDX")
SClassSection g_classSection = {
    {{"CKaLumencorV2Device",
      sizeof(CKaLumencorV2Device),
      &KA_ConstructorForCKaLumencorV2Device,
      {"IKaPhysicalDevice", KA_NO_PARENTS}},
     {"CKaLumencorV2DeviceSim",
      sizeof(CKaLumencorV2DeviceSim),
      &KA_ConstructorForCKaLumencorV2DeviceSim,
      {"IKaPhysicalDevice", KA_NO_PARENTS}}},
    KA_CLASS_XML,
    KA_DRIVER_XML,
};

#define KA_V1 KA_VERSION_XML(L"KA_GLOB_FILEVERSION_WCS", L"8, 4206, 1822, 1")
#define KA_V2 KA_VERSION_XML(L"KA_GLOB_PRODUCTVERSION_WCS", L"0, 0, 0, 0")
#define KA_V3 KA_VERSION_XML(L"KA_GLOB_COMPANYNAME", L"Quorvane")
#define KA_V4 KA_VERSION_XML(L"KA_GLOB_TRADEMARKS", L"")
#define KA_V5 KA_VERSION_XML(L"KA_LOCAL_COMMENTS", L"")
#define KA_V6 KA_VERSION_XML(L"KA_LOCAL_FILEDESCRIPTION", L"Lumencor")
#define KA_V7 KA_VERSION_XML(L"KA_LOCAL_INTERNALNAME", L"lumencor_v2_device")
#define KA_V8 KA_VERSION_XML(L"KA_LOCAL_ORIGINALFILENAME", L"lumencor_v2_device.dll")
#define KA_V9                                                                                      \
    KA_VERSION_XML(L"KA_LOCAL_LEGALCOPYRIGHT", L"Copyright (C) Quorvane. All rights reserved.")

struct SVersionSection {
    wchar_t m_v1[KA_WSIZE(KA_V1)], m_v2[KA_WSIZE(KA_V2)], m_v3[KA_WSIZE(KA_V3)];
    wchar_t m_v4[KA_WSIZE(KA_V4)], m_v5[KA_WSIZE(KA_V5)], m_v6[KA_WSIZE(KA_V6)];
    wchar_t m_v7[KA_WSIZE(KA_V7)], m_v8[KA_WSIZE(KA_V8)], m_v9[KA_WSIZE(KA_V9)];
};

KA_DATA_SECTION("ver6ID")
SVersionSection g_versionSection = {KA_V1, KA_V2, KA_V3, KA_V4, KA_V5, KA_V6, KA_V7, KA_V8, KA_V9};

} // namespace

const SKaRTTIClass& LumencorV2DeviceClassRecord() {
    return g_classSection.m_classes[0];
}
const SKaRTTIClass& LumencorV2DeviceSimClassRecord() {
    return g_classSection.m_classes[1];
}

// Allocation and construction failures come back as null: nothing is thrown
// across the host boundary.
extern "C" IKaInterface* KA_ConstructorForCKaLumencorV2Device(const char* file, unsigned line) {
    try {
        return new (file, line) CKaLumencorV2Device();
    } catch (...) {
        return nullptr;
    }
}

extern "C" IKaInterface* KA_ConstructorForCKaLumencorV2DeviceSim(const char* file, unsigned line) {
    try {
        return new (file, line) CKaLumencorV2DeviceSim();
    } catch (...) {
        return nullptr;
    }
}
