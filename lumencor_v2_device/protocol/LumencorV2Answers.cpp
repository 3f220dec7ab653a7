#include "LumencorV2Answers.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace lumencor {

bool ValueText(const char* answer, const char* keyword, CKaStringA& value) {
    const char* hit = std::strstr(answer, keyword);
    if (!hit) return false;
    const char* start = hit + std::strlen(keyword);
    if (*start) ++start; // the separating space
    value = start;
    return true;
}

int32_t Number(const char* text) {
    return static_cast<int32_t>(std::strtol(text, nullptr, 10));
}

bool ReadNumber(const char* text, int32_t& number) {
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (end == text) return false;
    number = static_cast<int32_t>(value);
    return true;
}

CKaStringA WithoutLineEnd(const CKaStringA& text) {
    size_t length = text.GetLength();
    while (length && (text[length - 1] == '\r' || text[length - 1] == '\n'))
        --length;
    return text.Left(length);
}

void ParseFirmware(const char* text, SFirmware& version) {
    const char* dot = *text ? std::strchr(text + 1, '.') : nullptr;
    if (!dot) return;
    version.major = Number(text);
    const char* rest = dot + 1;
    const char* dot2 = *rest ? std::strchr(rest + 1, '.') : nullptr;
    if (!dot2) return;
    version.minor = Number(rest);
    version.patch = Number(dot2 + 1);
}

uint32_t ColourWavelength(const CKaStringA& name) {
    static const struct {
        const char* name;
        uint32_t nm;
    } colours[] = {{"VIOLET", 365}, {"UV", 365},     {"BLUE", 440}, {"CYAN", 488}, {"TEAL", 514},
                   {"GREEN", 561},  {"YELLOW", 594}, {"RED", 640},  {"NIR", 730}};
    CKaStringA key(name);
    key.Trim();
    key.MakeUpper();
    for (const auto& colour : colours)
        if (key == colour.name) return colour.nm;
    return 0;
}

std::vector<uint32_t> ColourWavelengths(const CKaStringA& name) {
    const uint32_t nm = ColourWavelength(name);
    if (nm == 365) return {365, 405};
    if (nm == 0) return {};
    return {nm};
}

namespace {
bool ContainsNoCase(const char* text, const char* word) {
    size_t n = std::strlen(word);
    for (; *text; ++text) {
        size_t i = 0;
        while (i < n && text[i] &&
               std::tolower(static_cast<unsigned char>(text[i])) ==
                   std::tolower(static_cast<unsigned char>(word[i])))
            ++i;
        if (i == n) return true;
    }
    return false;
}
} // namespace

int32_t ModelType(const char* model) {
    if (ContainsNoCase(model, "Celesta")) return 1;
    if (ContainsNoCase(model, "Ziva")) return 2;
    return 0;
}

} // namespace lumencor
