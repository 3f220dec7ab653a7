// The framework's narrow and wide strings. Memory is owned by the module
// that implements them, so strings pass freely between host and plug-in.
#pragma once

#include "KaExport.h"

#include <cstdarg>
#include <cstddef>

class HX_GNR_API CKaStringA {
  public:
    CKaStringA();
    CKaStringA(const char* text);
    CKaStringA(const char* text, size_t length);
    CKaStringA(const CKaStringA& other);
    CKaStringA& operator=(const CKaStringA& other);
    CKaStringA& operator=(const char* text);
    ~CKaStringA();

    const char* GetString() const { return m_data; }
    operator const char*() const { return m_data; }
    size_t GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    void Empty();
    CKaStringA& Append(const char* text, size_t length);
    CKaStringA& operator+=(const char* text);
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list args);
    // Position of `text` at or after `start`, or -1.
    long Find(const char* text, size_t start = 0) const;
    long Find(char c, size_t start = 0) const;
    CKaStringA Mid(size_t start, size_t count = static_cast<size_t>(-1)) const;
    CKaStringA Left(size_t count) const { return Mid(0, count); }
    void Trim();
    void MakeUpper();
    bool operator==(const char* text) const;

  private:
    void Assign(const char* text, size_t length);
    char* m_data;
    size_t m_length;
};

class HX_GNR_API CKaStringW {
  public:
    CKaStringW();
    CKaStringW(const wchar_t* text);
    CKaStringW(const wchar_t* text, size_t length);
    CKaStringW(const CKaStringW& other);
    // UTF-8 (ASCII) text widened.
    explicit CKaStringW(const CKaStringA& text);
    CKaStringW& operator=(const CKaStringW& other);
    CKaStringW& operator=(const wchar_t* text);
    ~CKaStringW();

    const wchar_t* GetString() const { return m_data; }
    operator const wchar_t*() const { return m_data; }
    size_t GetLength() const { return m_length; }
    bool IsEmpty() const { return m_length == 0; }
    void Empty();
    CKaStringW& Append(const wchar_t* text, size_t length);
    CKaStringW& operator+=(const wchar_t* text);
    void Format(const wchar_t* format, ...);
    void FormatV(const wchar_t* format, va_list args);
    long Find(const wchar_t* text, size_t start = 0) const;
    CKaStringW Mid(size_t start, size_t count = static_cast<size_t>(-1)) const;
    bool operator==(const wchar_t* text) const;
    // The text as UTF-8.
    CKaStringA ToNarrow() const;

  private:
    void Assign(const wchar_t* text, size_t length);
    wchar_t* m_data;
    size_t m_length;
};

// The decimal integer at the start of `text` (leading white space and a sign
// allowed), 0 when there is none or `text` is null; saturates at the limits
// of int.
HX_GNR_API int KA_wtoi(const wchar_t* text);
