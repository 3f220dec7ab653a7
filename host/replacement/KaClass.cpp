#include "KaClass.h"
#include "KaHostHooks.h"
#include "KaLocale.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>
#include <mutex>
#include <new>
#include <string>

IKaInterface::~IKaInterface() = default;

namespace {
volatile long g_liveObjects = 0;
// -1: allocations are left as malloc returns them.
volatile long g_allocationFill = -1;
} // namespace

CKaClass::CKaClass() : m_refs(1) {}
CKaClass::~CKaClass() = default;

long CKaClass::AddRef() {
    return InterlockedIncrement(&m_refs);
}

long CKaClass::Release() {
    long refs = InterlockedDecrement(&m_refs);
    if (refs == 0) delete this;
    return refs;
}

const SKaRTTIClass* CKaClass::GetClassRecord() const {
    return nullptr;
}
void* CKaClass::QueryInterface(const char*) {
    return nullptr;
}

void* CKaClass::operator new(size_t size, const char*, unsigned) {
    void* memory = std::malloc(size);
    if (!memory) throw std::bad_alloc();
    const long fill = g_allocationFill;
    if (fill >= 0) std::memset(memory, static_cast<int>(fill), size);
    InterlockedIncrement(&g_liveObjects);
    return memory;
}

void CKaClass::operator delete(void* memory, const char*, unsigned) {
    operator delete(memory);
}

void CKaClass::operator delete(void* memory) {
    if (!memory) return;
    InterlockedDecrement(&g_liveObjects);
    std::free(memory);
}

long KA_LiveObjects() {
    return g_liveObjects;
}

void KA_SetAllocationFill(int byte) {
    InterlockedExchange(&g_allocationFill, byte < 0 ? -1 : (byte & 0xFF));
}

// ---- CKaVariant ----

CKaVariant::CKaVariant() : m_type(kEmpty), m_int(0), m_double(0), m_string(nullptr) {}
CKaVariant::~CKaVariant() {
    std::free(m_string);
}
CKaVariant::CKaVariant(const CKaVariant& other) : CKaVariant() {
    *this = other;
}

CKaVariant& CKaVariant::operator=(const CKaVariant& other) {
    if (this == &other) return *this;
    m_type = other.m_type;
    m_int = other.m_int;
    m_double = other.m_double;
    SetString(other.m_string);
    m_type = other.m_type;
    return *this;
}

void CKaVariant::SetInt(long long value) {
    m_type = kInt;
    m_int = value;
}

void CKaVariant::SetDouble(double value) {
    m_type = kDouble;
    m_double = value;
}

void CKaVariant::SetString(const wchar_t* value) {
    std::free(m_string);
    m_string = nullptr;
    if (value) {
        size_t bytes = (std::wcslen(value) + 1) * sizeof(wchar_t);
        m_string = static_cast<wchar_t*>(std::malloc(bytes));
        if (!m_string) throw std::bad_alloc();
        std::memcpy(m_string, value, bytes);
    }
    m_type = kString;
}

long long CKaVariant::GetInt() const {
    switch (m_type) {
    case kInt:
        return m_int;
    case kDouble:
        return static_cast<long long>(m_double);
    case kString:
        return m_string ? std::wcstoll(m_string, nullptr, 10) : 0;
    default:
        return 0;
    }
}

double CKaVariant::GetDouble() const {
    switch (m_type) {
    case kInt:
        return static_cast<double>(m_int);
    case kDouble:
        return m_double;
    case kString:
        return m_string ? std::wcstod(m_string, nullptr) : 0.0;
    default:
        return 0.0;
    }
}

const wchar_t* CKaVariant::GetString() const {
    return m_type == kString && m_string ? m_string : L"";
}

bool CKaVariant::GetBool() const {
    if (m_type == kString)
        return std::wcscmp(GetString(), L"1") == 0 || _wcsicmp(GetString(), L"true") == 0;
    return GetInt() != 0 || GetDouble() != 0.0;
}

// ---- locale and translations ----

namespace {
std::mutex g_translationLock;
LANGID g_moduleLang = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
LANGID g_secondaryLang = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
typedef std::map<std::wstring, std::wstring> TextTable;
// Node-based maps: the stored texts never move, so returned pointers stay
// valid. One table per language.
std::map<LANGID, TextTable>& Translations() {
    static auto* tables = new std::map<LANGID, TextTable>();
    return *tables;
}
const std::wstring* Find(LANGID language, const wchar_t* text) {
    auto table = Translations().find(language);
    if (table == Translations().end()) return nullptr;
    auto it = table->second.find(text);
    return it == table->second.end() ? nullptr : &it->second;
}
} // namespace

LANGID CKaLocale::GetModuleLangId() {
    std::lock_guard<std::mutex> lock(g_translationLock);
    return g_moduleLang;
}

LANGID CKaLocale::GetSecondaryLangID() {
    std::lock_guard<std::mutex> lock(g_translationLock);
    return g_secondaryLang;
}

void KA_SetModuleLangId(LANGID language) {
    std::lock_guard<std::mutex> lock(g_translationLock);
    g_moduleLang = language;
}

void KA_SetSecondaryLangId(LANGID language) {
    std::lock_guard<std::mutex> lock(g_translationLock);
    g_secondaryLang = language;
}

// The module's language first, then the secondary one, else the text
// itself, which then stands as the module language's translation: a text
// once handed out keeps its answer.
const wchar_t* KA_GetTranslation(const wchar_t* text) {
    if (!text) return L"";
    std::lock_guard<std::mutex> lock(g_translationLock);
    if (const std::wstring* found = Find(g_moduleLang, text)) return found->c_str();
    if (const std::wstring* found = Find(g_secondaryLang, text)) return found->c_str();
    return Translations()[g_moduleLang].emplace(text, text).first->second.c_str();
}

void KA_SetTranslationFor(LANGID language, const wchar_t* text, const wchar_t* translated) {
    if (!text || !translated || language == 0) return;
    std::lock_guard<std::mutex> lock(g_translationLock);
    // Texts handed out must stay valid: a translation is set once.
    Translations()[language].try_emplace(text, translated);
}

void KA_SetTranslation(const wchar_t* text, const wchar_t* translated) {
    KA_SetTranslationFor(CKaLocale::GetModuleLangId(), text, translated);
}
