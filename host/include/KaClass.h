// Reference-counted framework objects and the class records the host reads
// from a plug-in's registration section.
#pragma once

#include "KaExport.h"

#include <cstddef>

// Root of every framework object; the deleting destructor is its first slot.
class HX_GNR_API IKaInterface {
  public:
    virtual ~IKaInterface();
};

class CKaClass;
typedef IKaInterface* (*KaConstructor)(const char* file, unsigned line);

// One class record: name, object size, constructor, parent interfaces.
struct SKaRTTIClass {
    const char* m_name;
    size_t m_size;
    KaConstructor m_constructor;
    const char* m_parents[9];
};

// Lookup cache entry of the host's class registry.
struct SKaRTTICacheEntry {
    const SKaRTTIClass* m_class;
    void* m_module;
};

class HX_GNR_API CKaClass : public virtual IKaInterface {
  public:
    CKaClass();
    CKaClass(const CKaClass&) = delete;
    CKaClass& operator=(const CKaClass&) = delete;
    ~CKaClass() override;

    virtual long AddRef();
    // Destroys the object with its last reference.
    virtual long Release();
    virtual const SKaRTTIClass* GetClassRecord() const;
    // The named interface (cast to void*) with a reference added, or null.
    virtual void* QueryInterface(const char* name);

    // Allocation with the caller's source position, as the host tracks it.
    static void* operator new(size_t size, const char* file, unsigned line);
    static void operator delete(void* memory, const char* file, unsigned line);
    static void operator delete(void* memory);

  private:
    volatile long m_refs;
};

// Variant values passed through the host's option and configuration calls.
class HX_GNR_API CKaVariant {
  public:
    enum EType { kEmpty, kInt, kDouble, kString };
    CKaVariant();
    ~CKaVariant();
    CKaVariant(const CKaVariant& other);
    CKaVariant& operator=(const CKaVariant& other);

    EType GetType() const { return m_type; }
    void SetInt(long long value);
    void SetDouble(double value);
    void SetString(const wchar_t* value);
    long long GetInt() const;
    double GetDouble() const;
    // Empty text unless the variant holds a string.
    const wchar_t* GetString() const;
    // Non-zero numbers and the texts "1" and "true" read as true.
    bool GetBool() const;

  private:
    EType m_type;
    long long m_int;
    double m_double;
    wchar_t* m_string;
};

// Translation of a user-interface text; the result stays valid for the
// life of the process.
HX_GNR_API const wchar_t* KA_GetTranslation(const wchar_t* text);