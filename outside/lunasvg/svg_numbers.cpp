#include "svg_numbers.h"

#include <cmath>

namespace svg {
namespace {

constexpr int kLargestExponent = 300;
constexpr int kMostDigits = 400; // of a number's digits: beyond that, a hostile file

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

void SkipSeparator(std::string_view s, size_t& at) {
    while (at < s.size() && IsSpace(s[at]))
        ++at;
    if (at < s.size() && s[at] == ',') ++at;
    while (at < s.size() && IsSpace(s[at]))
        ++at;
}

bool ReadNumber(std::string_view s, size_t& at, double* value) {
    size_t i = at;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    double sign = 1;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) sign = s[i++] == '-' ? -1 : 1;
    double mantissa = 0;
    int digits = 0, scale = 0;
    while (i < s.size() && IsDigit(s[i])) {
        if (++digits > kMostDigits) return false;
        mantissa = mantissa * 10 + (s[i++] - '0');
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            if (++digits > kMostDigits) return false;
            mantissa = mantissa * 10 + (s[i++] - '0');
            --scale;
        }
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E') && i + 1 < s.size() &&
        (IsDigit(s[i + 1]) ||
         ((s[i + 1] == '+' || s[i + 1] == '-') && i + 2 < s.size() && IsDigit(s[i + 2])))) {
        ++i;
        int expSign = 1;
        if (s[i] == '+' || s[i] == '-') expSign = s[i++] == '-' ? -1 : 1;
        int exponent = 0;
        while (i < s.size() && IsDigit(s[i])) {
            exponent = exponent * 10 + (s[i++] - '0');
            if (exponent > kLargestExponent) return false;
        }
        scale += expSign * exponent;
    }
    if (scale < -2 * kLargestExponent || scale > kLargestExponent) return false;
    const double v = sign * mantissa * std::pow(10.0, scale);
    if (!std::isfinite(v) || std::fabs(v) > kLargestCoordinate) return false;
    *value = v;
    at = i;
    return true;
}

bool HasHugeNumber(std::string_view s) {
    for (size_t at = 0; at < s.size();) {
        const char c = s[at];
        if (!IsDigit(c) && c != '.') {
            ++at;
            continue;
        }
        size_t end = at;
        double v;
        if (!ReadNumber(s, end, &v)) {
            // Digits that do not make a number in range.
            size_t next = at;
            while (next < s.size() && (IsDigit(s[next]) || s[next] == '.'))
                ++next;
            if (next - at > 1 || IsDigit(c)) return true;
            at = next;
            continue;
        }
        at = end;
    }
    return false;
}

bool ParseNumber(std::string_view s, double* value) {
    s = Trim(s);
    size_t at = 0;
    return ReadNumber(s, at, value) && at == s.size();
}

bool ParseLength(std::string_view s, double percentOf, double* value) {
    s = Trim(s);
    size_t at = 0;
    double v;
    if (!ReadNumber(s, at, &v)) return false;
    const std::string_view unit = s.substr(at);
    if (unit.empty() || unit == "px") {
        *value = v;
    } else if (unit == "%") {
        *value = v * percentOf / 100;
    } else if (unit == "pt") {
        *value = v * 4 / 3;
    } else if (unit == "mm") {
        *value = v * 96 / 25.4;
    } else if (unit == "cm") {
        *value = v * 96 / 2.54;
    } else if (unit == "in") {
        *value = v * 96;
    } else {
        return false;
    }
    return std::fabs(*value) <= kLargestCoordinate;
}

bool ParseNumberList(std::string_view s, std::vector<double>* values) {
    size_t at = 0;
    values->clear();
    for (;;) {
        while (at < s.size() && IsSpace(s[at]))
            ++at;
        if (at >= s.size()) return true;
        double v;
        if (!ReadNumber(s, at, &v)) return false;
        values->push_back(v);
        SkipSeparator(s, at);
    }
}

} // namespace svg
