#include "KaString.h"

#include <windows.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <new>

namespace {

template <class Char> Char* Duplicate(const Char* text, size_t length) {
    Char* data = static_cast<Char*>(std::malloc((length + 1) * sizeof(Char)));
    if (!data) throw std::bad_alloc();
    if (length) std::memcpy(data, text, length * sizeof(Char));
    data[length] = 0;
    return data;
}

const size_t kNoPosition = static_cast<size_t>(-1);

} // namespace

// ---- CKaStringA ----

CKaStringA::CKaStringA() : m_data(Duplicate("", 0)), m_length(0) {}
CKaStringA::CKaStringA(const char* text) : CKaStringA(text, text ? std::strlen(text) : 0) {}
CKaStringA::CKaStringA(const char* text, size_t length)
    : m_data(Duplicate(text, length)), m_length(length) {}
CKaStringA::CKaStringA(const CKaStringA& other) : CKaStringA(other.m_data, other.m_length) {}
CKaStringA::~CKaStringA() {
    std::free(m_data);
}

CKaStringA& CKaStringA::operator=(const CKaStringA& other) {
    if (this != &other) Assign(other.m_data, other.m_length);
    return *this;
}

CKaStringA& CKaStringA::operator=(const char* text) {
    Assign(text, text ? std::strlen(text) : 0);
    return *this;
}

void CKaStringA::Assign(const char* text, size_t length) {
    char* data = Duplicate(text, length);
    std::free(m_data);
    m_data = data;
    m_length = length;
}

void CKaStringA::Empty() {
    Assign("", 0);
}

CKaStringA& CKaStringA::Append(const char* text, size_t length) {
    char* data = static_cast<char*>(std::realloc(m_data, m_length + length + 1));
    if (!data) throw std::bad_alloc();
    std::memcpy(data + m_length, text, length);
    m_length += length;
    data[m_length] = 0;
    m_data = data;
    return *this;
}

CKaStringA& CKaStringA::operator+=(const char* text) {
    return Append(text, std::strlen(text));
}

void CKaStringA::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CKaStringA::FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed < 0) return Empty();
    char* data = static_cast<char*>(std::malloc(static_cast<size_t>(needed) + 1));
    if (!data) throw std::bad_alloc();
    std::vsnprintf(data, static_cast<size_t>(needed) + 1, format, args);
    std::free(m_data);
    m_data = data;
    m_length = static_cast<size_t>(needed);
}

long CKaStringA::Find(const char* text, size_t start) const {
    if (start > m_length) return -1;
    const char* hit = std::strstr(m_data + start, text);
    return hit ? static_cast<long>(hit - m_data) : -1;
}

long CKaStringA::Find(char c, size_t start) const {
    for (size_t i = start; i < m_length; ++i)
        if (m_data[i] == c) return static_cast<long>(i);
    return -1;
}

CKaStringA CKaStringA::Mid(size_t start, size_t count) const {
    if (start >= m_length) return CKaStringA();
    size_t rest = m_length - start;
    return CKaStringA(m_data + start, count == kNoPosition || count > rest ? rest : count);
}

void CKaStringA::Trim() {
    size_t first = 0, last = m_length;
    while (first < last && std::isspace(static_cast<unsigned char>(m_data[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(m_data[last - 1])))
        --last;
    CKaStringA trimmed(m_data + first, last - first);
    *this = trimmed;
}

void CKaStringA::MakeUpper() {
    for (size_t i = 0; i < m_length; ++i)
        m_data[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(m_data[i])));
}

bool CKaStringA::operator==(const char* text) const {
    return std::strcmp(m_data, text) == 0;
}

// ---- CKaStringW ----

CKaStringW::CKaStringW() : m_data(Duplicate(L"", 0)), m_length(0) {}
CKaStringW::CKaStringW(const wchar_t* text) : CKaStringW(text, text ? std::wcslen(text) : 0) {}
CKaStringW::CKaStringW(const wchar_t* text, size_t length)
    : m_data(Duplicate(text, length)), m_length(length) {}
CKaStringW::CKaStringW(const CKaStringW& other) : CKaStringW(other.m_data, other.m_length) {}
CKaStringW::~CKaStringW() {
    std::free(m_data);
}

CKaStringW::CKaStringW(const CKaStringA& text) : CKaStringW() {
    int n = MultiByteToWideChar(CP_UTF8, 0, text.GetString(), static_cast<int>(text.GetLength()),
                                nullptr, 0);
    if (n <= 0) return;
    wchar_t* data = static_cast<wchar_t*>(std::malloc((static_cast<size_t>(n) + 1) * 2));
    if (!data) throw std::bad_alloc();
    MultiByteToWideChar(CP_UTF8, 0, text.GetString(), static_cast<int>(text.GetLength()), data, n);
    data[n] = 0;
    std::free(m_data);
    m_data = data;
    m_length = static_cast<size_t>(n);
}

CKaStringW& CKaStringW::operator=(const CKaStringW& other) {
    if (this != &other) Assign(other.m_data, other.m_length);
    return *this;
}

CKaStringW& CKaStringW::operator=(const wchar_t* text) {
    Assign(text, text ? std::wcslen(text) : 0);
    return *this;
}

void CKaStringW::Assign(const wchar_t* text, size_t length) {
    wchar_t* data = Duplicate(text, length);
    std::free(m_data);
    m_data = data;
    m_length = length;
}

void CKaStringW::Empty() {
    Assign(L"", 0);
}

CKaStringW& CKaStringW::Append(const wchar_t* text, size_t length) {
    wchar_t* data =
        static_cast<wchar_t*>(std::realloc(m_data, (m_length + length + 1) * sizeof(wchar_t)));
    if (!data) throw std::bad_alloc();
    std::memcpy(data + m_length, text, length * sizeof(wchar_t));
    m_length += length;
    data[m_length] = 0;
    m_data = data;
    return *this;
}

CKaStringW& CKaStringW::operator+=(const wchar_t* text) {
    return Append(text, std::wcslen(text));
}

void CKaStringW::Format(const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CKaStringW::FormatV(const wchar_t* format, va_list args) {
    // vswprintf reports a too small buffer only by failing: grow until it fits.
    for (size_t capacity = 256; capacity <= (1u << 24); capacity *= 4) {
        wchar_t* data = static_cast<wchar_t*>(std::malloc(capacity * sizeof(wchar_t)));
        if (!data) throw std::bad_alloc();
        va_list copy;
        va_copy(copy, args);
        int written = std::vswprintf(data, capacity, format, copy);
        va_end(copy);
        if (written >= 0 && static_cast<size_t>(written) < capacity) {
            std::free(m_data);
            m_data = data;
            m_length = static_cast<size_t>(written);
            return;
        }
        std::free(data);
    }
    Empty();
}

long CKaStringW::Find(const wchar_t* text, size_t start) const {
    if (start > m_length) return -1;
    const wchar_t* hit = std::wcsstr(m_data + start, text);
    return hit ? static_cast<long>(hit - m_data) : -1;
}

CKaStringW CKaStringW::Mid(size_t start, size_t count) const {
    if (start >= m_length) return CKaStringW();
    size_t rest = m_length - start;
    return CKaStringW(m_data + start, count == kNoPosition || count > rest ? rest : count);
}

bool CKaStringW::operator==(const wchar_t* text) const {
    return std::wcscmp(m_data, text) == 0;
}

CKaStringA CKaStringW::ToNarrow() const {
    int n = WideCharToMultiByte(CP_UTF8, 0, m_data, static_cast<int>(m_length), nullptr, 0, nullptr,
                                nullptr);
    if (n <= 0) return CKaStringA();
    char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(n)));
    if (!buffer) throw std::bad_alloc();
    WideCharToMultiByte(CP_UTF8, 0, m_data, static_cast<int>(m_length), buffer, n, nullptr,
                        nullptr);
    CKaStringA result(buffer, static_cast<size_t>(n));
    std::free(buffer);
    return result;
}

// ---- KA_wtoi ----

// Digits are read one by one so that long digit runs saturate instead of
// overflowing; the accumulator stops growing once it passes the limit.
int KA_wtoi(const wchar_t* text) {
    if (!text) return 0;
    while (std::iswspace(*text))
        ++text;
    bool negative = false;
    if (*text == L'+' || *text == L'-') negative = *text++ == L'-';
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    const int kBase = 10;
    long long value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text)
        if (value <= limit) value = value * kBase + (*text - L'0');
    if (value > limit) value = limit;
    return static_cast<int>(negative ? -value : value);
}
