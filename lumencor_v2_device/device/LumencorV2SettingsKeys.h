// Settings-string keys made of a name pattern and a line number
// ("uWave%d", "LINEPOWER%d", ...).
#pragma once

#include <cwchar>

class LineKey {
  public:
    LineKey(const wchar_t* format, int line) { swprintf(m_key, kChars, format, line); }
    operator const wchar_t*() const { return m_key; }

  private:
    static const int kChars = 32;
    wchar_t m_key[kChars];
};
