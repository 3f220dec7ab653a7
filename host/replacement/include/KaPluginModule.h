// How the host loads a device plug-in: the module's class records are read
// from its "ver6IDX" section and objects are made by the constructors named
// there.
#pragma once

#include "KaClass.h"
#include "KaExport.h"

#include <windows.h>

class HX_DM_API CKaPluginModule {
  public:
    CKaPluginModule();
    ~CKaPluginModule();
    CKaPluginModule(const CKaPluginModule&) = delete;
    CKaPluginModule& operator=(const CKaPluginModule&) = delete;

    // Loads the module and reads its registration section; false when the
    // module does not load or carries no class record.
    bool Load(const wchar_t* path);
    void Unload();
    HMODULE GetModule() const { return m_module; }

    int GetClassCount() const { return m_classCount; }
    const SKaRTTIClass* GetClass(int index) const;
    const SKaRTTIClass* FindClass(const char* name) const;
    // The UTF-16 XML records that follow the class records (class, driver).
    int GetXmlCount() const { return m_xmlCount; }
    const wchar_t* GetXml(int index) const;
    // Finds a named section of the loaded module; its size goes to `size`.
    const void* FindSection(const char* name, size_t* size) const;

    // Constructs an object of the named class through its record.
    IKaInterface* Construct(const char* className, const char* file, unsigned line) const;

  private:
    HMODULE m_module;
    const SKaRTTIClass* m_classes;
    int m_classCount;
    const wchar_t* m_xml[4];
    int m_xmlCount;
};
