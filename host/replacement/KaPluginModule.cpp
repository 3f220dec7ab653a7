#include "KaPluginModule.h"

#include <cstring>
#include <cwchar>

CKaPluginModule::CKaPluginModule()
    : m_module(nullptr), m_classes(nullptr), m_classCount(0), m_xml{}, m_xmlCount(0) {}

CKaPluginModule::~CKaPluginModule() {
    Unload();
}

void CKaPluginModule::Unload() {
    if (m_module) FreeLibrary(m_module);
    m_module = nullptr;
    m_classes = nullptr;
    m_classCount = m_xmlCount = 0;
}

const void* CKaPluginModule::FindSection(const char* name, size_t* size) const {
    if (!m_module) return nullptr;
    auto* base = reinterpret_cast<const unsigned char*>(m_module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        char sectionName[IMAGE_SIZEOF_SHORT_NAME + 1] = {};
        std::memcpy(sectionName, section->Name, IMAGE_SIZEOF_SHORT_NAME);
        if (std::strcmp(sectionName, name) != 0) continue;
        if (size) *size = section->Misc.VirtualSize;
        return base + section->VirtualAddress;
    }
    return nullptr;
}

bool CKaPluginModule::Load(const wchar_t* path) {
    Unload();
    m_module = LoadLibraryW(path);
    if (!m_module) return false;
    size_t size = 0;
    auto* section = static_cast<const unsigned char*>(FindSection("ver6IDX", &size));
    if (!section) return false;

    // Class records come first: each names a class and a constructor inside
    // the module image. The XML records follow them.
    auto* base = reinterpret_cast<const unsigned char*>(m_module);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const unsigned char* end = base + nt->OptionalHeader.SizeOfImage;
    auto inImage = [&](const void* p) {
        auto* c = static_cast<const unsigned char*>(p);
        return c >= base && c < end;
    };
    auto* records = reinterpret_cast<const SKaRTTIClass*>(section);
    int count = 0;
    while ((count + 1) * sizeof(SKaRTTIClass) <= size && inImage(records[count].m_name) &&
           inImage(reinterpret_cast<const void*>(records[count].m_constructor)))
        ++count;
    m_classes = records;
    m_classCount = count;

    auto* text = reinterpret_cast<const wchar_t*>(records + count);
    auto* sectionEnd = reinterpret_cast<const wchar_t*>(section + size);
    while (m_xmlCount < 4 && text < sectionEnd && *text == L'<') {
        m_xml[m_xmlCount++] = text;
        while (text < sectionEnd && *text)
            ++text;
        ++text;
        // Records may be padded to an alignment boundary.
        while (text < sectionEnd && *text == 0)
            ++text;
    }
    return count > 0;
}

const SKaRTTIClass* CKaPluginModule::GetClass(int index) const {
    return index >= 0 && index < m_classCount ? &m_classes[index] : nullptr;
}

const SKaRTTIClass* CKaPluginModule::FindClass(const char* name) const {
    for (int i = 0; i < m_classCount; ++i)
        if (name && std::strcmp(m_classes[i].m_name, name) == 0) return &m_classes[i];
    return nullptr;
}

const wchar_t* CKaPluginModule::GetXml(int index) const {
    return index >= 0 && index < m_xmlCount ? m_xml[index] : nullptr;
}

IKaInterface* CKaPluginModule::Construct(const char* className, const char* file,
                                         unsigned line) const {
    const SKaRTTIClass* record = FindClass(className);
    return record && record->m_constructor ? record->m_constructor(file, line) : nullptr;
}
